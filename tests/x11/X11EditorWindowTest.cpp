// The editor's child window on a private X server.
// clang-format off
// GoogleTest before Xlib, whose macros (None, Bool) clash with its names.
#include "XvfbTest.h"
#include <X11/Xlib.h>
// clang-format on

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

#include "TestHostWindow.h"
#include "editor/x11/X11EditorWindow.h"

namespace {

constexpr int kWidth = 1000;
constexpr int kHeight = 420;

class X11EditorWindowTest : public XvfbTest {};

std::vector<LICE_pixel> Filled(LICE_pixel colour) {
  return std::vector<LICE_pixel>(static_cast<size_t>(kWidth) * kHeight, colour);
}

bool AllEqual(const std::vector<uint32_t>& pixels, uint32_t value) {
  return !pixels.empty() &&
         std::all_of(pixels.begin(), pixels.end(), [&](uint32_t p) { return p == value; });
}

}  // namespace

TEST_F(X11EditorWindowTest, OpensAMappedChildOfTheHostWindowThatTakesNoKeys) {
  TestHostWindow host(kWidth, kHeight);
  ASSERT_TRUE(host.Ok());
  X11EditorWindow window;
  ASSERT_TRUE(window.Open(host.Id(), kWidth, kHeight));
  window.Sync();
  ASSERT_EQ(host.Children(), std::vector<Window>{window.Id()});

  XWindowAttributes attributes{};
  ASSERT_TRUE(XGetWindowAttributes(host.Connection(), window.Id(), &attributes));
  EXPECT_EQ(attributes.x, 0);
  EXPECT_EQ(attributes.y, 0);
  EXPECT_EQ(attributes.width, kWidth);
  EXPECT_EQ(attributes.height, kHeight);
  EXPECT_EQ(attributes.map_state, IsViewable);
  const long wanted = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask;
  EXPECT_EQ(attributes.all_event_masks & wanted, wanted);
  EXPECT_EQ(attributes.all_event_masks & (KeyPressMask | KeyReleaseMask), 0);

  window.Close();
  EXPECT_FALSE(window.IsOpen());
  EXPECT_EQ(window.Id(), 0UL);
  EXPECT_TRUE(host.Children().empty());
}

TEST_F(X11EditorWindowTest, KeysPressedOverTheEditorReachTheHost) {
  TestHostWindow host(kWidth, kHeight);
  X11EditorWindow window;
  ASSERT_TRUE(window.Open(host.Id(), kWidth, kHeight));
  window.Sync();
  // With the focus following the pointer, as on a server without a window
  // manager, a key goes to the window under the pointer and is passed up to
  // the first ancestor that asked for keys.
  XSetInputFocus(host.Connection(), PointerRoot, RevertToPointerRoot, CurrentTime);
  ASSERT_TRUE(host.MovePointer(window.Id(), 500, 200));
  ASSERT_TRUE(host.TypeSpace());
  EXPECT_TRUE(host.ReceivedKeyPress());
  XEvent event;
  window.Sync();
  while (window.NextEvent(&event)) EXPECT_NE(event.type, KeyPress);
}

TEST_F(X11EditorWindowTest, PutShowsTheBackBufferPixelsOfTheArea) {
  TestHostWindow host(kWidth, kHeight);
  X11EditorWindow window;
  ASSERT_TRUE(window.Open(host.Id(), kWidth, kHeight));
  const std::vector<LICE_pixel> grey = Filled(LICE_RGBA(40, 50, 60, 255));
  window.Put(grey.data(), kWidth, kWidth, kHeight, Rect(0, 0, kWidth, kHeight));

  // A surface wider than the editor, as the back buffer may be, with a
  // pattern that tells rows, columns and channels apart.
  const int rowSpan = kWidth + 24;
  std::vector<LICE_pixel> pattern(static_cast<size_t>(rowSpan) * kHeight);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < rowSpan; ++x) pattern[y * rowSpan + x] = LICE_RGBA(x & 255, y & 255, 7, 0);
  }
  const Rect area(300, 100, 420, 180);
  window.Put(pattern.data(), rowSpan, kWidth, kHeight, area);
  window.Sync();

  const std::vector<uint32_t> inside = host.Pixels(window.Id(), area);
  ASSERT_EQ(inside.size(), static_cast<size_t>(area.W() * area.H()));
  for (int y = 0; y < area.H(); ++y) {
    for (int x = 0; x < area.W(); ++x) {
      const int sx = area.left + x, sy = area.top + y;
      ASSERT_EQ(inside[y * area.W() + x], pattern[sy * rowSpan + sx] & 0xffffff)
          << "at " << sx << "," << sy;
    }
  }
  EXPECT_TRUE(AllEqual(host.Pixels(window.Id(), Rect(0, 0, kWidth, 100)), 0x28323c));
  EXPECT_TRUE(AllEqual(host.Pixels(window.Id(), Rect(420, 100, kWidth, 180)), 0x28323c));

  // Areas reaching outside the surface are cut to it.
  window.Put(grey.data(), kWidth, kWidth, kHeight, Rect(-50, -50, 2000, 2000));
  window.Sync();
  EXPECT_TRUE(AllEqual(host.Pixels(window.Id(), Rect(0, 0, kWidth, kHeight)), 0x28323c));
}

TEST_F(X11EditorWindowTest, RefusesMissingParentsAndDisplaysWithoutEndingTheProcess) {
  X11EditorWindow window;
  EXPECT_FALSE(window.Open(0, kWidth, kHeight));
  EXPECT_FALSE(window.IsOpen());
  // An id no window has: the server's error must not reach Xlib's default
  // handler, which would exit.
  EXPECT_FALSE(window.Open(0x3fffffff, kWidth, kHeight));
  EXPECT_FALSE(window.IsOpen());

  TestHostWindow host(kWidth, kHeight);
  const std::string display = std::getenv("DISPLAY");
  unsetenv("DISPLAY");
  EXPECT_FALSE(window.Open(host.Id(), kWidth, kHeight));
  setenv("DISPLAY", display.c_str(), 1);
  EXPECT_TRUE(window.Open(host.Id(), kWidth, kHeight));
}

TEST_F(X11EditorWindowTest, ParentDestroyedBeforeTheEditorCloses) {
  for (bool eventsRead : {true, false}) {
    auto host = std::make_unique<TestHostWindow>(kWidth, kHeight);
    X11EditorWindow window;
    ASSERT_TRUE(window.Open(host->Id(), kWidth, kHeight));
    window.Sync();
    host.reset();
    if (eventsRead) {
      window.Sync();
      XEvent event;
      while (window.NextEvent(&event)) {
      }
      EXPECT_FALSE(window.Exists());
    }
    const std::vector<LICE_pixel> grey = Filled(0);
    window.Put(grey.data(), kWidth, kWidth, kHeight, Rect(0, 0, kWidth, kHeight));
    window.Close();
    EXPECT_FALSE(window.IsOpen());
  }
}

TEST(X11EditorWindowVisual, RefusesAParentWhosePixelsAreNot32Bits) {
  if (!XvfbServer::Installed()) GTEST_SKIP() << "Xvfb is not installed";
  XvfbServer server;
  std::string error;
  ASSERT_TRUE(server.Start(16, &error)) << error;
  TestHostWindow host(kWidth, kHeight);
  ASSERT_TRUE(host.Ok());
  X11EditorWindow window;
  EXPECT_FALSE(window.Open(host.Id(), kWidth, kHeight));
  EXPECT_FALSE(window.IsOpen());
  EXPECT_TRUE(host.Children().empty());
}
