// The X11 platform class in-process: X stays untouched until a window opens.
// clang-format off
// GoogleTest before Xlib, whose macros (None, Bool) clash with its names.
#include "XvfbTest.h"
#include <X11/Xlib.h>
// clang-format on

#include <cstdint>
#include <cstdlib>
#include <memory>

#include "TestHostWindow.h"
#include "editor/x11/IGraphicsX11.h"

namespace {

class IGraphicsX11Window : public XvfbTest {};

}  // namespace

TEST(IGraphicsX11, WorksWithoutAnyXServerUntilAWindowOpens) {
  const char* display = std::getenv("DISPLAY");
  const std::string saved = display ? display : "";
  unsetenv("DISPLAY");
  IGraphicsX11 graphics(nullptr, 1000, 420, 25);
  EXPECT_STREQ(graphics.DrawingApiName(), "X11");
  EXPECT_FALSE(graphics.EditorWindowIsOpen());
  EXPECT_EQ(graphics.WindowHandle(), nullptr);
  graphics.Idle();
  graphics.CloseEditorWindow();
  EXPECT_EQ(graphics.OpenEditorWindow(reinterpret_cast<void*>(std::uintptr_t{42})), nullptr);
  EXPECT_EQ(graphics.ShowPopupMenu(PopupMenu(), Rect(0, 0, 10, 10)), -1) << "nothing chosen";
  if (display) setenv("DISPLAY", saved.c_str(), 1);
}

TEST_F(IGraphicsX11Window, HandleIsTheChildWindowUntilItGoes) {
  auto host = std::make_unique<TestHostWindow>(1000, 420);
  IGraphicsX11 graphics(nullptr, 1000, 420, 25);
  EXPECT_EQ(graphics.OpenEditorWindow(nullptr), nullptr);
  void* handle = graphics.OpenEditorWindow(host->Handle());
  ASSERT_NE(handle, nullptr);
  ASSERT_EQ(host->Children().size(), 1u);
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(handle), host->Children()[0]);
  EXPECT_TRUE(graphics.EditorWindowIsOpen());

  host.reset();  // the host drops its window with the editor still in it
  for (int i = 0; i < 100 && graphics.EditorWindowIsOpen(); ++i) graphics.Idle();
  EXPECT_FALSE(graphics.EditorWindowIsOpen());
  graphics.CloseEditorWindow();
  EXPECT_EQ(graphics.WindowHandle(), nullptr);
}
