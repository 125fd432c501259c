#pragma once
#include <cstdint>

// Some hosts need special treatment; they are recognised from the product
// string they report. 0 means not recognised, -1 not yet asked.
int MatchHostName(const char* productString);

// A host's decimal version (such as 50301) as 0xMMMMmmbb.
int32_t HostVersionFromDecimal(int32_t decimal);
