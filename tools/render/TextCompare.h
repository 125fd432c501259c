#pragma once
#include <string>

// How the render host compares the names and values a user types with the
// texts a plug-in reports: spaces around them and case do not count.

std::string Trim(const std::string& text);
std::string Lower(std::string text);
// Equal once trimmed, without regard to case.
bool SameText(const std::string& a, const std::string& b);
// The plain decimal number a text starts with and the trimmed text after it;
// false when it starts with none. Hexadecimal, "inf" and "nan", which strtod
// also reads, are no numbers here: to a plug-in they are names.
bool ReadNumber(const std::string& text, double* number, std::string* numberText,
                std::string* rest);
