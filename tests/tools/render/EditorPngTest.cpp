// kestravon-render --editor-png: the plug-in's editor pictured through a
// private X server.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <vector>

#include "RenderTestSupport.h"
#include "XvfbServer.h"
#include "raster/LICE_MemBitmap.h"
#include "raster/PngDecoder.h"

namespace {

struct Area {
  int left, top, right, bottom;
};
// Bands of the editor that only the background covers, and the "Wow" knob.
constexpr Area kBackgroundBands[] = {{0, 40, 1000, 90}, {0, 200, 1000, 250}};
constexpr Area kWowKnob = {408, 268, 472, 332};

std::unique_ptr<LICE_MemBitmap> LoadPng(const std::string& path) {
  const std::vector<unsigned char> bytes = ReadBytes(path);
  return std::unique_ptr<LICE_MemBitmap>(DecodePngFromMemory(bytes.data(), bytes.size()));
}

std::vector<LICE_pixel> Pixels(LICE_MemBitmap& image, const Area& area, LICE_pixel mask) {
  std::vector<LICE_pixel> pixels;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      pixels.push_back(image.Bits()[y * image.RowSpan() + x] & mask);
    }
  }
  return pixels;
}

class EditorPngTest : public testing::Test {
 protected:
  void SetUp() override {
    if (!XvfbServer::Installed()) GTEST_SKIP() << "Xvfb is not installed";
    std::string error;
    ASSERT_TRUE(server.Start(24, &error)) << error;
  }
  std::unique_ptr<LICE_MemBitmap> Picture(const std::vector<std::string>& extra,
                                          const std::string& name) {
    const std::string png = TempPath(name);
    std::vector<std::string> args = {"--plugin", KESTRAVON_PLUGIN, "--editor-png", png, "-q"};
    args.insert(args.end(), extra.begin(), extra.end());
    const RunResult run = RunRender(args);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    return LoadPng(png);
  }
  XvfbServer server;
};

}  // namespace

TEST_F(EditorPngTest, PictureShowsTheBackgroundOutsideTheControls) {
  std::unique_ptr<LICE_MemBitmap> picture = Picture({}, "editor.png");
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->Width(), 1000);
  EXPECT_EQ(picture->Height(), 420);
  std::unique_ptr<LICE_MemBitmap> background =
      LoadPng(KESTRAVON_SOURCE_DIR "/resources/img/Kestravon38exp.png");
  ASSERT_NE(background, nullptr);
  for (const Area& band : kBackgroundBands) {
    EXPECT_EQ(Pixels(*picture, band, 0xffffff), Pixels(*background, band, 0xffffff))
        << "band at y " << band.top;
    EXPECT_EQ(Pixels(*picture, band, 0xff000000),
              std::vector<LICE_pixel>(Pixels(*picture, band, 0).size(), 0xff000000))
        << "opaque";
  }
  EXPECT_NE(Pixels(*picture, kWowKnob, 0xffffff), Pixels(*background, kWowKnob, 0xffffff));
}

TEST_F(EditorPngTest, PictureFollowsProgramsAndSettings) {
  std::unique_ptr<LICE_MemBitmap> plain = Picture({}, "plain.png");
  std::unique_ptr<LICE_MemBitmap> set = Picture({"--set", "Wow=80"}, "wow.png");
  std::unique_ptr<LICE_MemBitmap> again = Picture({"--set", "Wow=80"}, "again.png");
  ASSERT_TRUE(plain && set && again);
  EXPECT_NE(Pixels(*set, kWowKnob, 0xffffff), Pixels(*plain, kWowKnob, 0xffffff));
  EXPECT_EQ(Pixels(*set, kWowKnob, 0xffffff), Pixels(*again, kWowKnob, 0xffffff));
  EXPECT_EQ(Pixels(*set, kBackgroundBands[0], 0xffffff),
            Pixels(*plain, kBackgroundBands[0], 0xffffff));
}

TEST_F(EditorPngTest, PluginWithoutEditorOrMissingDisplayIsAClearError) {
  const std::string png = TempPath("none.png");
  RunResult run = RunRender({"--plugin", FAKE_PLUGIN, "--editor-png", png});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("has no editor"), std::string::npos) << run.err;

  unsetenv("DISPLAY");
  run = RunRender({"--plugin", KESTRAVON_PLUGIN, "--editor-png", png});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(Lines(run.err).size(), 1u) << run.err;
  EXPECT_NE(run.err.find("DISPLAY"), std::string::npos) << run.err;
  EXPECT_FALSE(std::filesystem::exists(png));
}
