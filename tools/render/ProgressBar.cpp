#include "tools/render/ProgressBar.h"

#include <algorithm>
#include <string>

void ProgressBar::Update(int64_t done, int64_t total) {
  if (!enabled || total <= 0) return;
  const int percent = static_cast<int>(std::clamp<int64_t>(done * 100 / total, 0, 100));
  if (percent == shownPercent) return;
  shownPercent = percent;
  const int filled = percent * kWidth / 100;
  const std::string bar = std::string(filled, '#') + std::string(kWidth - filled, ' ');
  std::fprintf(out, "\rrendering [%s] %3d%%", bar.c_str(), percent);
  std::fflush(out);
}

void ProgressBar::Finish() {
  if (enabled && shownPercent >= 0) std::fputc('\n', out);
  shownPercent = -1;
}
