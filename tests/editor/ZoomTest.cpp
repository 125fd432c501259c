#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "EditorTestSupport.h"
#include "editor/EditorScale.h"
#include "editor/IBitmapControl.h"
#include "editor/ZoomSettings.h"

namespace {

TEST(ZoomSettings, TheFileTextReadsBackAndDamageMeansAuto) {
  EXPECT_EQ(ZoomSettings::Parse(""), ZoomSettings::kAuto);
  EXPECT_EQ(ZoomSettings::Parse("zoom=150\n"), 6);
  EXPECT_EQ(ZoomSettings::Parse("theme=dark\r\nzoom=300\r\n"), 12);
  EXPECT_EQ(ZoomSettings::Parse("zoom=auto"), ZoomSettings::kAuto);
  for (const char* damaged : {"zoom=160", "zoom=", "zoom=-100", "zoom=2000", "zoom=150%",
                              "zoom=0", "zoom=225"}) {
    EXPECT_EQ(ZoomSettings::Parse(damaged), ZoomSettings::kAuto) << damaged;
  }
  EXPECT_EQ(ZoomSettings::WithZoom("theme=dark\nzoom=100\nzoom=200\n", 10),
            "theme=dark\nzoom=250\n")
      << "other lines kept, one zoom line";
  EXPECT_EQ(ZoomSettings::WithZoom("", ZoomSettings::kAuto), "zoom=auto\n");
  for (int quarters : ZoomSettings::kChoices) {
    EXPECT_EQ(ZoomSettings::Parse(ZoomSettings::WithZoom("", quarters)), quarters);
  }
  EXPECT_EQ(ZoomSettings::ChoiceName(7), "175 %");
}

// A folder of its own as the user's configuration folder, for one test.
class ConfigFolder {
 public:
  ConfigFolder() : path(std::filesystem::temp_directory_path() / ("kestravon-zoom-" + Unique())) {
    std::filesystem::remove_all(path);
    setenv("XDG_CONFIG_HOME", path.c_str(), 1);
  }
  ~ConfigFolder() {
    unsetenv("XDG_CONFIG_HOME");
    std::filesystem::remove_all(path);
  }
  std::filesystem::path File() const { return path / "kestravon" / "settings"; }

 private:
  static std::string Unique() { return std::to_string(::getpid()); }
  std::filesystem::path path;
};

// A 100 x 50 editor with an image-less background, the control at index 0.
struct ZoomEditor {
  ZoomEditor() : graphics(&plug, 100, 50) {
    BitmapStrip blank;
    blank.width = 100;
    blank.height = 50;
    graphics.SetBackground(new IBitmapControl(&plug, 0, 0, -1, blank));
    graphics.CreateSurfaces();
  }
  EditorTestPlug plug;
  RecordingGraphics graphics;
};

TEST(Zoom, AChoiceFromTheMenuIsAppliedKeptAndReadByTheNextEditor) {
  ConfigFolder folder;
  ZoomEditor first;
  first.graphics.SetHostScale(1.5);
  EXPECT_EQ(first.graphics.Width(), 150) << "Auto follows the host";
  MouseMods right;
  right.right = true;
  first.graphics.menuChoice = 5;  // "200 %"
  first.graphics.MouseDown(10, 10, right);
  ASSERT_EQ(first.graphics.menus.size(), 1u);
  EXPECT_EQ(first.graphics.menus[0].GetItem(0)->text, "Auto");
  EXPECT_TRUE(first.graphics.menus[0].GetItem(0)->checked);
  EXPECT_EQ(first.graphics.Width(), 200) << "the user's zoom comes before the host's";
  EXPECT_EQ(first.graphics.BackBuffer()->Width(), 200);
  first.graphics.SetHostScale(1.25);
  EXPECT_EQ(first.graphics.Width(), 200);

  std::ifstream file(folder.File());
  std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  EXPECT_EQ(text, "zoom=200\n");

  ZoomEditor second;
  second.graphics.LoadUserZoom();
  EXPECT_EQ(second.graphics.Width(), 200);
  EXPECT_EQ(second.graphics.Height(), 100);

  std::ofstream(folder.File()) << "zoom=what\n";
  ZoomEditor third;
  third.graphics.LoadUserZoom();
  third.graphics.SetSystemScale(1.75);
  EXPECT_EQ(third.graphics.Width(), 175) << "a damaged file means Auto, here the system's";
}

TEST(Zoom, AMenuClosedWithoutAChoiceLeavesTheZoomAndTheFileAlone) {
  ConfigFolder folder;
  ZoomEditor e;
  MouseMods right;
  right.right = true;
  e.graphics.menuChoice = -1;
  e.graphics.MouseDown(10, 10, right);
  EXPECT_EQ(e.graphics.Width(), 100);
  EXPECT_FALSE(std::filesystem::exists(folder.File())) << "nothing chosen, nothing written";
}

TEST(Zoom, DraggedWindowSizesKeepTheProportionsInQuarterSteps) {
  ConfigFolder folder;
  ZoomEditor e;
  int w = 170, h = 200;
  e.graphics.ConstrainSize(&w, &h);
  EXPECT_EQ(w, 150);
  EXPECT_EQ(h, 75);
  w = 10, h = 10;
  e.graphics.ConstrainSize(&w, &h);
  EXPECT_EQ(w, 100) << "never below 100 %";
  EXPECT_TRUE(e.graphics.TakeWindowSize(250, 125));
  EXPECT_EQ(e.graphics.Width(), 250);
  EXPECT_FALSE(e.graphics.TakeWindowSize(260, 125));
  EXPECT_EQ(e.graphics.Width(), 250);
  e.graphics.SetUserZoom(4);
  w = 300, h = 150;
  e.graphics.ConstrainSize(&w, &h);
  EXPECT_EQ(w, 100) << "the user's zoom holds the size";
}

}  // namespace
