// The built Kestravon.dll's editor, opened and closed through the effect
// record in a window of this program, as a Windows host does.
#include <memory>

#include "PluginLibrary.h"
#include "Win32TestSupport.h"
#include "raster/LoadPlatformBitmap.h"
#include "raster/Win32Api.h"

namespace {

class PluginEditorWin : public PluginLibrary {
 protected:
  HWND EditorIn(HWND parent) { return FindWindowExA(parent, nullptr, "IPlugWndClass", nullptr); }
  bool ClassRegistered() {
    WNDCLASSA info{};
    return GetClassInfoA(static_cast<HINSTANCE>(library), "IPlugWndClass", &info) != 0;
  }

  TestHostWindow window;
};

}  // namespace

TEST_F(PluginEditorWin, OpensShowsTheBackgroundAndCloses) {
  ERect* rect = nullptr;
  Dispatch(effEditGetRect, 0, 0, &rect);
  ASSERT_NE(rect, nullptr);
  EXPECT_EQ(rect->right - rect->left, 1000);
  EXPECT_EQ(rect->bottom - rect->top, 420);

  ASSERT_NE(Dispatch(effEditOpen, 0, 0, window.Handle()), 0);
  HWND editor = EditorIn(window.Handle());
  ASSERT_NE(editor, nullptr);
  EXPECT_TRUE(ClassRegistered()) << "registered in the library's own module";
  PumpMessages(200);
  for (int i = 0; i < 5; ++i) Dispatch(effEditIdle);

  // The background image, from this program's copy of the resources.
  std::unique_ptr<LICE_IBitmap> background(LoadPlatformBitmap(103, "Kestravon38exp.png"));
  ASSERT_NE(background, nullptr);
  HDC screen = GetDC(editor);
  for (const POINT& at : {POINT{3, 3}, POINT{996, 416}, POINT{500, 4}}) {
    const LICE_pixel p = background->Bits()[at.y * background->RowSpan() + at.x];
    EXPECT_EQ(GetPixel(screen, at.x, at.y), MakeColorRef(LICE_GetR(p), LICE_GetG(p), LICE_GetB(p)))
        << at.x << "," << at.y;
  }
  ReleaseDC(editor, screen);

  SendMessageA(editor, WM_KEYDOWN, VK_SPACE, 0);
  ASSERT_EQ(TestHostWindow::Keys().size(), 1u) << "keys belong to the host";
  EXPECT_EQ(TestHostWindow::Keys()[0].code, static_cast<WPARAM>(VK_SPACE));

  Dispatch(effEditClose);
  EXPECT_FALSE(IsWindow(editor));
  EXPECT_EQ(EditorIn(window.Handle()), nullptr);
  EXPECT_FALSE(ClassRegistered());
}

TEST_F(PluginEditorWin, TwoInstancesShareTheClassUntilTheLastCloses) {
  AEffect* other = entry(FakeHost::Callback);
  ASSERT_NE(other, nullptr);
  TestHostWindow otherWindow;
  ASSERT_NE(Dispatch(effEditOpen, 0, 0, window.Handle()), 0);
  ASSERT_NE(other->dispatcher(other, effEditOpen, 0, 0, otherWindow.Handle(), 0.0f), 0);

  Dispatch(effEditClose);
  EXPECT_TRUE(ClassRegistered());
  EXPECT_NE(EditorIn(otherWindow.Handle()), nullptr);
  other->dispatcher(other, effEditClose, 0, 0, nullptr, 0.0f);
  EXPECT_FALSE(ClassRegistered());
  other->dispatcher(other, effClose, 0, 0, nullptr, 0.0f);
}

TEST_F(PluginEditorWin, ClosingThePlugInWithTheEditorOpenTakesTheWindow) {
  ASSERT_NE(Dispatch(effEditOpen, 0, 0, window.Handle()), 0);
  HWND editor = EditorIn(window.Handle());
  Dispatch(effClose);
  effect = nullptr;
  EXPECT_FALSE(IsWindow(editor));
  EXPECT_FALSE(ClassRegistered());
}
