#include <gtest/gtest.h>

#include <string>

#include "core/HostIdentification.h"

TEST(HostIdentification, MatchesInTableOrderIgnoringCase) {
  EXPECT_EQ(MatchHostName("REAPER"), 1);
  EXPECT_EQ(MatchHostName("Cubase Live Edition"), 3);  // the earlier entry wins
  EXPECT_EQ(MatchHostName("Express delivery"), 9);     // "live" inside another word
  EXPECT_EQ(MatchHostName("Studio One by PreSonus"), 26);
  EXPECT_EQ(MatchHostName("Adobe Audition"), 17);
  EXPECT_EQ(MatchHostName("SAWStudio64"), 20);
  EXPECT_EQ(MatchHostName("Ardour"), 28);
  EXPECT_EQ(MatchHostName("Standalone"), 24);
  EXPECT_EQ(MatchHostName("kestravon-render"), 0);
  EXPECT_EQ(MatchHostName(""), 0);
  EXPECT_EQ(MatchHostName(nullptr), 0);
}

TEST(HostIdentification, LongProductStringsAreCutBeforeMatching) {
  const std::string padded = std::string(255, 'x') + "reaper";
  EXPECT_EQ(MatchHostName(padded.c_str()), 0);
  const std::string inside = std::string(249, 'x') + "reaper";
  EXPECT_EQ(MatchHostName(inside.c_str()), 1);
}

TEST(HostIdentification, DecimalVersions) {
  EXPECT_EQ(HostVersionFromDecimal(50301), 0x50301);
  EXPECT_EQ(HostVersionFromDecimal(2400), 0x1800);
  EXPECT_EQ(HostVersionFromDecimal(10300), 0x10300);
  EXPECT_EQ(HostVersionFromDecimal(0), 0);
}
