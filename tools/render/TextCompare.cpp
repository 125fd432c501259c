#include "tools/render/TextCompare.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>

std::string Trim(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

bool SameText(const std::string& a, const std::string& b) {
  return Lower(Trim(a)) == Lower(Trim(b));
}

bool ReadNumber(const std::string& text, double* number, std::string* numberText,
                std::string* rest) {
  const std::string trimmed = Trim(text);
  const char* begin = trimmed.c_str();
  char* stop = nullptr;
  *number = std::strtod(begin, &stop);
  const char* end = stop;
  const bool plain = std::all_of(begin, end, [](char c) {
    return std::isdigit(static_cast<unsigned char>(c)) || std::strchr("+-.eE", c);
  });
  if (end == begin || !plain || !std::isfinite(*number)) return false;
  *numberText = std::string(begin, end);
  *rest = Trim(end);
  return true;
}
