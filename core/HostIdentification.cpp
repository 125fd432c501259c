#include "core/HostIdentification.h"

#include <cctype>
#include <cstring>

namespace {

struct KnownHost {
  const char* text;
  int id;
};

// Tested in this order: the first text found anywhere in the lower-cased
// product string wins, so an earlier entry beats a later one.
constexpr KnownHost kKnownHosts[] = {
    {"cubase", 3},      {"reaper", 1},      {"nuendo", 4},
    {"cakewalk", 5},    {"samplitude", 8},  {"fruity", 7},
    {"live", 9},        {"melodyne", 12},   {"vstmanlib", 13},
    {"aulab", 14},      {"garageband", 22}, {"forte", 15},
    {"chainer", 16},    {"audition", 17},   {"orion", 18},
    {"sawstudio", 20},  {"logic", 21},      {"digital", 23},
    {"audiomulch", 25}, {"presonus", 26},   {"vst3plugintesthost", 27},
    {"protools", 2},    {"ardour", 28},     {"openmpt", 30},
    {"renoise", 29},    {"standalone", 24},
};

}  // namespace

int MatchHostName(const char* productString) {
  if (!productString) return 0;
  char lower[256];
  int n = 0;
  for (; n < 255 && productString[n]; ++n) {
    lower[n] = static_cast<char>(std::tolower(static_cast<unsigned char>(productString[n])));
  }
  lower[n] = '\0';
  for (const KnownHost& host : kKnownHosts) {
    if (std::strstr(lower, host.text)) return host.id;
  }
  return 0;
}

int32_t HostVersionFromDecimal(int32_t decimal) {
  const int32_t major = decimal / 10000;
  const int32_t minor = (decimal % 10000) / 100;
  const int32_t revision = decimal - major * 10000 - minor * 100;
  return static_cast<int32_t>((static_cast<uint32_t>(major) << 16) +
                              (static_cast<uint32_t>(minor) << 8) +
                              static_cast<uint32_t>(revision));
}
