#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "ImageResources.h"
#include "LoadPlatformBitmap.h"

namespace {

TEST(ImageResources, ExtensionSelectsTheDecoder) {
  EXPECT_TRUE(HasPngExtension("resources/img/undo1.png"));
  EXPECT_TRUE(HasPngExtension("UNDO1.PNG"));
  EXPECT_TRUE(HasPngExtension("a.b.Png"));
  EXPECT_FALSE(HasPngExtension("undo1.jpg"));
  EXPECT_FALSE(HasPngExtension("png"));
  EXPECT_FALSE(HasPngExtension("undo1.png.bak"));
  EXPECT_FALSE(HasPngExtension("undo1.pngx"));
  EXPECT_FALSE(HasPngExtension("dir.png/file"));
  EXPECT_FALSE(HasPngExtension(nullptr));
}

TEST(ImageResources, MissingIdsGiveNoBitmap) {
  EXPECT_EQ(FindImageResource(0), nullptr);
  EXPECT_EQ(FindImageResource(109), nullptr);
  EXPECT_EQ(LoadPlatformBitmap(109, "missing.png"), nullptr);
}

}  // namespace
