#include "editor/x11/XftDpiScale.h"

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr double kDotsPerInchAtFull = 96.0;
constexpr const char* kKey = "Xft.dpi:";

}  // namespace

double XftDpiScale(const char* resources) {
  if (!resources) return 0.0;
  const char* line = resources;
  while (*line) {
    const char* end = std::strchr(line, '\n');
    const std::size_t length = end ? static_cast<std::size_t>(end - line) : std::strlen(line);
    const std::string entry(line, length);
    if (entry.rfind(kKey, 0) == 0) {
      const std::string value = entry.substr(std::strlen(kKey));
      char* parsed = nullptr;
      const double dpi = std::strtod(value.c_str(), &parsed);
      if (parsed != value.c_str() && dpi > 0.0 && dpi < 10000.0) return dpi / kDotsPerInchAtFull;
      return 0.0;
    }
    if (!end) break;
    line = end + 1;
  }
  return 0.0;
}
