#include <gtest/gtest.h>

#include "editor/x11/EditorTickClock.h"

namespace {

using std::chrono::milliseconds;

int TicksOver(EditorTickClock& clock, EditorTickClock::Clock::time_point start, int idleMs,
              int totalMs) {
  int ticks = 0;
  for (int t = 0; t < totalMs; t += idleMs) ticks += clock.Due(start + milliseconds(t));
  return ticks;
}

}  // namespace

TEST(EditorTickClock, FirstCallTicksThenEveryPeriod) {
  EditorTickClock clock(40);
  const auto start = EditorTickClock::Clock::time_point{} + std::chrono::hours(1);
  EXPECT_TRUE(clock.Due(start));
  EXPECT_FALSE(clock.Due(start + milliseconds(39)));
  EXPECT_TRUE(clock.Due(start + milliseconds(40)));
  EXPECT_FALSE(clock.Due(start + milliseconds(40)));
  clock.Restart();
  EXPECT_TRUE(clock.Due(start + milliseconds(41)));
}

TEST(EditorTickClock, KeepsItsRateWhateverTheIdleRate) {
  const auto start = EditorTickClock::Clock::time_point{} + std::chrono::hours(1);
  for (int idleMs : {1, 10, 33}) {
    EditorTickClock clock(40);
    EXPECT_NEAR(TicksOver(clock, start, idleMs, 10000), 250, 1) << "idle every " << idleMs;
  }
}

TEST(EditorTickClock, LongPauseGivesOneTickNotABurst) {
  EditorTickClock clock(40);
  const auto start = EditorTickClock::Clock::time_point{} + std::chrono::hours(1);
  clock.Due(start);
  EXPECT_TRUE(clock.Due(start + milliseconds(1000)));
  EXPECT_FALSE(clock.Due(start + milliseconds(1001)));
  EXPECT_FALSE(clock.Due(start + milliseconds(1039)));
  EXPECT_TRUE(clock.Due(start + milliseconds(1040)));
}
