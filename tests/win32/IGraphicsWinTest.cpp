// The Win32 platform class with real windows: the class's use count, the
// timer and paint cycle, mouse and keys, the text entry and the popup menu.
#include <gtest/gtest.h>

#include <memory>

#include "Win32TestSupport.h"
#include "editor/win32/IGraphicsWin.h"
#include "tests/editor/EditorTestSupport.h"

namespace {

using Log = std::vector<std::string>;

bool ClassRegistered() {
  WNDCLASSA info{};
  return GetClassInfoA(GetModuleHandleA(nullptr), Win32EditorWindow::kClassName, &info) != 0;
}

std::string Text(HWND window) {
  char text[32] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

class IGraphicsWinTest : public ::testing::Test {
 protected:
  void SetUp() override {
    graphics.AddControl(background = new ProbeControl(&plug, Rect(0, 0, 1000, 420), -1,
                                                       LICE_RGBA(20, 30, 40, 255)));
    graphics.AddControl(probe = new ProbeControl(&plug, Rect(100, 100, 200, 200), 0,
                                                 LICE_RGBA(200, 60, 10, 255)));
    graphics.CreateSurfaces();
    // The first value from the host only initialises a control.
    graphics.SetParameterFromHost(0, 0.5, true);
    ASSERT_NE(graphics.OpenEditorWindow(host.Handle()), nullptr);
    window = static_cast<HWND>(graphics.WindowHandle());
  }

  void Send(UINT message, WPARAM wParam, int x = 0, int y = 0) {
    SendMessageA(window, message, wParam, MakeLParam(x, y));
  }
  void Tick() { Send(WM_TIMER, Win32EditorWindow::kTimerId); }
  COLORREF ScreenPixel(int x, int y) {
    HDC dc = GetDC(window);
    const COLORREF pixel = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return pixel;
  }
  void OpenEntry(const char* text, PlugParam* param) {
    graphics.OpenTextEntry(probe, probe->GetTextStyle(), Rect(120, 140, 180, 160), text, param);
    field = graphics.TextEntry().Handle();
    ASSERT_NE(field, nullptr);
  }
  void Type(const char* characters) {
    for (const char* c = characters; *c; ++c) SendMessageA(field, WM_CHAR, *c, 0);
  }

  TestHostWindow host;
  EditorTestPlug plug;
  IGraphicsWin graphics{&plug, 1000, 420, 25};
  ProbeControl* background = nullptr;
  ProbeControl* probe = nullptr;
  HWND window = nullptr;
  HWND field = nullptr;
};

}  // namespace

TEST(IGraphicsWin, TwoEditorsShareOneClassInEitherClosingOrder) {
  TestHostWindow host;
  for (bool firstClosesFirst : {true, false}) {
    IGraphicsWin a(nullptr, 1000, 420, 25);
    IGraphicsWin b(nullptr, 1000, 420, 25);
    ASSERT_FALSE(ClassRegistered());
    ASSERT_NE(a.OpenEditorWindow(host.Handle()), nullptr);
    ASSERT_NE(b.OpenEditorWindow(host.Handle()), nullptr);
    EXPECT_EQ(Win32EditorWindow::ClassUseCount(), 2);
    IGraphicsWin& first = firstClosesFirst ? a : b;
    IGraphicsWin& second = firstClosesFirst ? b : a;
    first.CloseEditorWindow();
    EXPECT_TRUE(ClassRegistered());
    EXPECT_TRUE(IsWindow(static_cast<HWND>(second.WindowHandle())));
    second.CloseEditorWindow();
    EXPECT_FALSE(ClassRegistered());
    EXPECT_EQ(Win32EditorWindow::ClassUseCount(), 0);
  }
}

TEST(IGraphicsWin, EveryWayOfClosingGivesTheClassBack) {
  TestHostWindow host;
  {
    IGraphicsWin graphics(nullptr, 1000, 420, 25);
    HWND window = static_cast<HWND>(graphics.OpenEditorWindow(host.Handle()));
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(graphics.EditorWindowIsOpen());
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(Win32EditorWindow::ClassUseCount(), 0);
    ASSERT_NE(graphics.OpenEditorWindow(host.Handle()), nullptr);
  }  // destroyed with the window open
  EXPECT_FALSE(ClassRegistered());

  IGraphicsWin graphics(nullptr, 1000, 420, 25);
  ASSERT_NE(graphics.OpenEditorWindow(host.Handle()), nullptr);
  host.Destroy();  // the host drops its window with the editor inside
  EXPECT_FALSE(graphics.EditorWindowIsOpen());
  EXPECT_EQ(Win32EditorWindow::ClassUseCount(), 0);
  TestHostWindow another;
  EXPECT_NE(graphics.OpenEditorWindow(another.Handle()), nullptr) << "the class is usable again";
  graphics.CloseEditorWindow();
  EXPECT_EQ(graphics.OpenEditorWindow(nullptr), nullptr) << "a child needs a parent";
  EXPECT_EQ(Win32EditorWindow::ClassUseCount(), 0);
}

TEST_F(IGraphicsWinTest, TheWindowIsAVisibleChildAtTheParentsOrigin) {
  EXPECT_STREQ(graphics.DrawingApiName(), "Windows GDI");
  EXPECT_EQ(graphics.TimerPeriod(), 40);
  EXPECT_EQ(GetParent(window), host.Handle());
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(Text(window), "IPlug");
  RECT onScreen{};
  GetWindowRect(window, &onScreen);
  POINT origin{0, 0};
  ClientToScreen(host.Handle(), &origin);
  EXPECT_EQ(onScreen.left, origin.x);
  EXPECT_EQ(onScreen.top, origin.y);
  EXPECT_EQ(onScreen.right - onScreen.left, 1000);
  EXPECT_EQ(onScreen.bottom - onScreen.top, 420);

  // Opening again replaces the window.
  ASSERT_NE(graphics.OpenEditorWindow(host.Handle()), nullptr);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(Win32EditorWindow::ClassUseCount(), 1);
}

TEST_F(IGraphicsWinTest, TheTimerPaintsDirtyControlsFromTheBackBuffer) {
  PumpMessages(150);
  EXPECT_EQ(probe->draws, 1) << "everything is drawn once after opening";
  EXPECT_EQ(ScreenPixel(150, 150), MakeColorRef(200, 60, 10));
  EXPECT_EQ(ScreenPixel(50, 50), MakeColorRef(20, 30, 40));

  const int backgroundDraws = background->draws;
  probe->colour = LICE_RGBA(0, 255, 0, 255);
  graphics.SetParameterFromHost(0, 0.75, true);  // as from a host thread
  PumpMessages(120);
  EXPECT_GE(probe->draws, 2) << "redrawn within a few ticks";
  EXPECT_GT(background->draws, backgroundDraws) << "what lies under it, too";
  EXPECT_EQ(ScreenPixel(150, 150), MakeColorRef(0, 255, 0));
  EXPECT_TRUE(plug.log.empty()) << "nothing is sent back to the plug-in";
}

TEST_F(IGraphicsWinTest, MouseMessagesReachTheControlUnderThePoint) {
  Send(WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, 120, 130);
  EXPECT_EQ(GetCapture(), window);
  EXPECT_TRUE(probe->lastMods.left && probe->lastMods.shift);
  Send(WM_MOUSEMOVE, MK_LBUTTON, 125, 120);
  Send(WM_MOUSEMOVE, MK_LBUTTON, 125, 120);
  Send(WM_MOUSEMOVE, MK_LBUTTON, 400, 300);  // outside the control, still captured
  Send(WM_LBUTTONUP, 0, 400, 300);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(plug.log, (Log{"begin 0", "end 0"}));

  Send(WM_LBUTTONDBLCLK, MK_LBUTTON, 150, 150);
  RECT onScreen{};
  GetWindowRect(window, &onScreen);
  Send(WM_MOUSEWHEEL, WPARAM{60} << 16, onScreen.left + 110, onScreen.top + 190);
  Send(WM_MOUSEWHEEL, WPARAM{static_cast<WORD>(-120)} << 16, onScreen.left + 110,
       onScreen.top + 190);
  EXPECT_EQ(probe->log, (Log{"down 120,130", "drag 125,120 by 5,-10", "drag 400,300 by 275,180",
                             "up 400,300", "double 150,150", "wheel 110,190 d 0",
                             "wheel 110,190 d -1"}));
  EXPECT_EQ(plug.log.size(), 2u) << "double-clicks and wheels are not bracketed as edits";
  EXPECT_TRUE(background->log.empty());
}

TEST_F(IGraphicsWinTest, KeysNobodyTakesReachTheHostsMainWindow) {
  Send(WM_KEYDOWN, 'A');
  Send(WM_KEYUP, 'A');
  Send(WM_KEYDOWN, VK_RETURN);
  ASSERT_EQ(TestHostWindow::Keys().size(), 3u);
  EXPECT_EQ(TestHostWindow::Keys()[0].code, WPARAM{'A'});
  EXPECT_EQ(TestHostWindow::Keys()[1].message, UINT{WM_KEYUP});
  EXPECT_EQ(TestHostWindow::Keys()[2].code, WPARAM{VK_RETURN});

  // A captured control that uses keys keeps them.
  probe->takesKeys = true;
  Send(WM_LBUTTONDOWN, MK_LBUTTON, 150, 150);
  Send(WM_KEYDOWN, 'z');
  EXPECT_EQ(TestHostWindow::Keys().size(), 3u);
  EXPECT_EQ(probe->log.back(), "key 40");
  Send(WM_LBUTTONUP, 0, 150, 150);
}

TEST_F(IGraphicsWinTest, TheEntryCommitsOnEnterOrAClickInTheEditorOnTheNextTick) {
  PlugParam* level = plug.GetParam(0);
  for (bool byClick : {false, true}) {
    OpenEntry("50.00", level);
    EXPECT_EQ(GetParent(field), window);
    Type("1xe,2.5");  // the first character replaces the selected text
    EXPECT_EQ(Text(field), "12.5");
    if (byClick) {
      Send(WM_LBUTTONDOWN, MK_LBUTTON, 150, 150);
      Send(WM_LBUTTONUP, 0, 150, 150);
      EXPECT_TRUE(probe->log.empty()) << "the click is the entry's";
    } else {
      SendMessageA(field, WM_KEYDOWN, VK_RETURN, 0);
    }
    EXPECT_TRUE(plug.log.empty()) << "applied on the timer only";
    Tick();
    EXPECT_FALSE(graphics.TextEntry().IsOpen());
    EXPECT_FALSE(IsWindow(field));
    EXPECT_DOUBLE_EQ(level->Value(), 12.5);
    EXPECT_EQ(plug.log, (Log{"set 0=0.125"}));
    plug.log.clear();
    probe->SetValue(0.5);
  }
}

TEST_F(IGraphicsWinTest, EscapeTheWheelAndCancelTextEntryDiscardTheEntry) {
  PlugParam* mode = plug.GetParam(2);
  for (int how = 0; how < 3; ++how) {
    OpenEntry("1", mode);
    Type("3.");  // no decimal point for an integer
    EXPECT_EQ(Text(field), "3");
    if (how == 0) SendMessageA(field, WM_KEYDOWN, VK_ESCAPE, 0);
    if (how == 1) Send(WM_MOUSEWHEEL, WPARAM{120} << 16);
    if (how == 2) graphics.CancelTextEntry();
    Tick();
    EXPECT_FALSE(graphics.TextEntry().IsOpen());
    EXPECT_TRUE(plug.log.empty());
    EXPECT_TRUE(probe->log.empty());
  }
}

TEST_F(IGraphicsWinTest, AnEntryWithoutParameterHandsItsTextToTheControl) {
  OpenEntry("Tape 1", nullptr);
  graphics.OpenTextEntry(probe, probe->GetTextStyle(), Rect(0, 0, 50, 20), "second", nullptr);
  EXPECT_EQ(graphics.TextEntry().Handle(), field) << "one entry at a time";
  SendMessageA(field, WM_KEYDOWN, VK_RETURN, 0);
  Tick();
  EXPECT_EQ(probe->entered, (Log{"Tape 1"}));
}

TEST(Win32TextEntry, InputsBecomeParameterValues) {
  PlugParam number;
  number.InitNumeric("Level", 0.0, -100.0, 100.0, 0.01);
  EXPECT_DOUBLE_EQ(Win32TextEntry::ValueFromInput(number, "-12.5"), -12.5);
  EXPECT_DOUBLE_EQ(Win32TextEntry::ValueFromInput(number, ""), 0.0) << "unparsable is 0";
  number.SetNegateDisplay(true);
  EXPECT_DOUBLE_EQ(Win32TextEntry::ValueFromInput(number, "6"), -6.0);
  EXPECT_TRUE(Win32TextEntry::Accepts(nullptr, 'q')) << "no parameter, no filter";
  EXPECT_TRUE(Win32TextEntry::Accepts(&number, VK_BACK));
  EXPECT_FALSE(Win32TextEntry::Accepts(&number, ' '));
}

namespace {

int downKeys = 0;

// Runs inside the menu's own message loop.
void SteerMenu(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  if (downKeys == 0) {
    EndMenu();
    return;
  }
  for (int i = 0; i < downKeys; ++i) PostMessageA(GetFocus(), WM_KEYDOWN, VK_DOWN, 0);
  PostMessageA(GetFocus(), WM_KEYDOWN, VK_RETURN, 0);
}

}  // namespace

TEST_F(IGraphicsWinTest, PopupMenuReturnsTheChosenItemOrNothing) {
  PopupMenu menu;
  menu.AddItem("one");
  menu.AddItem("two", true);
  menu.AddItem("three");
  graphics.SetCapture(1);
  downKeys = 0;
  SetTimer(nullptr, 0, 100, &SteerMenu);
  EXPECT_EQ(graphics.ShowPopupMenu(menu, Rect(100, 100, 200, 120)), -1);
  EXPECT_EQ(graphics.Capture(), -1);
  downKeys = 2;
  SetTimer(nullptr, 0, 100, &SteerMenu);
  EXPECT_EQ(graphics.ShowPopupMenu(menu, Rect(100, 100, 200, 120)), 1);
  EXPECT_EQ(graphics.ShowPopupMenu(PopupMenu(), Rect()), -1) << "an empty menu";
}
