#pragma once
#include <cstdint>
#include <cstdio>

// A one-line progress bar redrawn in place; silent when disabled.
class ProgressBar {
 public:
  ProgressBar(bool enabled, std::FILE* out) : enabled(enabled), out(out) {}
  void Update(int64_t done, int64_t total);
  // Ends the line, if one was drawn.
  void Finish();

 private:
  static constexpr int kWidth = 40;
  bool enabled;
  std::FILE* out;
  int shownPercent = -1;
};
