#include <gtest/gtest.h>

#include "editor/x11/XftDpiScale.h"

TEST(XftDpiScale, TheDesktopsTextResolutionOver96) {
  EXPECT_DOUBLE_EQ(XftDpiScale("Xft.antialias:\t1\nXft.dpi:\t192\nXft.hinting:\t1\n"), 2.0);
  EXPECT_DOUBLE_EQ(XftDpiScale("Xft.dpi: 144"), 1.5);
  EXPECT_EQ(XftDpiScale(nullptr), 0.0);
  EXPECT_EQ(XftDpiScale("Xft.hinting:\t1\n"), 0.0);
  EXPECT_EQ(XftDpiScale("Xft.dpi:\tlarge\n"), 0.0);
  EXPECT_EQ(XftDpiScale("Xft.dpi:\t-96\n"), 0.0);
  EXPECT_EQ(XftDpiScale("Foo.Xft.dpi:\t192\n"), 0.0) << "another resource's name";
}
