#include <gtest/gtest.h>
#include <png.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "ImageResources.h"
#include "LoadPlatformBitmap.h"
#include "resources/EditorImages.h"

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

// Every image of every set, 1x, 2x and 3x, is carried byte for byte as
// committed, under its set's resource id, and decodes to the set's size.
TEST(ImageResources, EveryImageOfEverySetIsEmbeddedAsCommittedAndDecodes) {
  for (const EditorImage& image : kEditorImages) {
    for (int factor : kImageSetFactors) {
      const std::string file = ImageSetFile(image.file, factor);
      const int id = ImageResourceId(image.id, factor);
      SCOPED_TRACE(file);
      const EmbeddedResource* resource = FindImageResource(id);
      ASSERT_NE(resource, nullptr) << id;
      const std::string path = std::string(KESTRAVON_SOURCE_DIR) + "/resources/img/" + file;
      std::ifstream in(path, std::ios::binary);
      const std::vector<unsigned char> onDisk{std::istreambuf_iterator<char>(in), {}};
      ASSERT_FALSE(onDisk.empty());
      EXPECT_TRUE(std::equal(onDisk.begin(), onDisk.end(), resource->Bytes(),
                             resource->Bytes() + resource->Size()));
      std::unique_ptr<LICE_IBitmap> bitmap(LoadPlatformBitmap(id, file.c_str()));
      ASSERT_TRUE(bitmap);
      EXPECT_EQ(bitmap->Width(), image.width * factor);
      EXPECT_EQ(bitmap->Height(), image.height * factor);
    }
  }
}

TEST(ImageResources, NameOnlySelectsTheDecoder) {
  std::unique_ptr<LICE_IBitmap> upper(LoadPlatformBitmap(120, "OTHER.PNG"));
  ASSERT_TRUE(upper);
  EXPECT_EQ(upper->Width(), 25);
  EXPECT_EQ(LoadPlatformBitmap(120, "resources/img/undo1.bmp"), nullptr);
}

// The knob strip decodes to exactly what libpng's own simplified reader gives
// as blue, green, red, alpha bytes, and its 101 frames of 64 rows differ in
// turn, so frame n begins at row 64 * (n - 1).
TEST(ImageResources, KnobStripFrames) {
  std::unique_ptr<LICE_IBitmap> strip(LoadPlatformBitmap(101, "knob.png"));
  ASSERT_TRUE(strip);
  ASSERT_EQ(strip->Width(), 64);
  ASSERT_EQ(strip->Height(), 6464);

  const EmbeddedResource* resource = FindImageResource(101);
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  ASSERT_TRUE(png_image_begin_read_from_memory(&image, resource->Bytes(), resource->Size()));
  image.format = PNG_FORMAT_BGRA;
  std::vector<unsigned char> reference(PNG_IMAGE_SIZE(image));
  ASSERT_TRUE(png_image_finish_read(&image, nullptr, reference.data(), 0, nullptr));
  for (int y = 0; y < 6464; ++y) {
    ASSERT_EQ(std::memcmp(strip->Bits() + y * strip->RowSpan(), &reference[y * 64 * 4], 64 * 4), 0)
        << "row " << y;
  }

  const auto frame = [&](int n) { return strip->Bits() + 64 * (n - 1) * strip->RowSpan(); };
  const std::size_t frameBytes = 64 * 64 * sizeof(LICE_pixel);
  for (int n = 1; n < 101; ++n) {
    EXPECT_NE(std::memcmp(frame(n), frame(n + 1), frameBytes), 0)
        << "frames " << n << ", " << n + 1;
  }
}

}  // namespace
