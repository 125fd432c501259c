// The built Kestravon.dll's editor in a window of this program, as a Windows
// host shows it: loaded with LoadLibrary, opened, driven and closed through
// the effect record only, and checked by reading the window's pixels back
// through GDI and by the calls the library makes to the host.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "PluginLibrary.h"
#include "Win32TestSupport.h"
#include "ReadoutInk.h"
#include "SilentBlock.h"
#include "editor/IGraphicsHeadless.h"
#include "vst2/Tovrane.h"
#include "raster/LICE_MemBitmap.h"
#include "raster/PngDecoder.h"
#include "raster/PngWriter.h"
#include "raster/Win32Api.h"

namespace {

constexpr int kWidth = 1000;
constexpr int kHeight = 420;
constexpr int kTickMs = 40;
// The host's windows sit away from the screen's corner, so that screen and
// window coordinates differ, and one above the other, so that neither hides
// the other's editor.
constexpr int kHostX = 40;
constexpr int kHostY = 30;
constexpr int kLowerHostY = 490;
constexpr int kHostWidth = 1040;
constexpr int kHostHeight = 440;
const Rect kWhole(0, 0, kWidth, kHeight);
const Rect kWowKnob(408, 268, 472, 332);
const Rect kBackgroundBands[] = {Rect(0, 40, kWidth, 90), Rect(0, 200, kWidth, 250)};
// The readout's text is drawn by GDI from the system's fonts. Its rect is
// left out of every pixel-by-pixel comparison; where the readout has text,
// the test asks only for green ink beyond the artwork's own.
const Rect kReadout(663, 368, 773, 399);

LICE_pixel& At(LICE_IBitmap& bitmap, int x, int y) {
  return bitmap.Bits()[y * bitmap.RowSpan() + x];
}

// A window's pixels have no alpha to speak of: colours only.
uint32_t Rgb(LICE_pixel p) { return p & 0xffffff; }

std::vector<uint32_t> PixelsOf(LICE_IBitmap& bitmap, const Rect& area) {
  std::vector<uint32_t> pixels;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) pixels.push_back(Rgb(At(bitmap, x, y)));
  }
  return pixels;
}

// Empty when both agree in colour over area, outside skip; otherwise how many
// pixels differ and the first of them.
std::string Differences(LICE_IBitmap& shown, LICE_IBitmap& drawn, const Rect& area,
                        const Rect& skip = Rect()) {
  int count = 0;
  std::string first;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      if (x >= skip.left && x < skip.right && y >= skip.top && y < skip.bottom) continue;
      const uint32_t a = Rgb(At(shown, x, y));
      const uint32_t b = Rgb(At(drawn, x, y));
      if (a == b) continue;
      if (count++ == 0) {
        char text[96];
        std::snprintf(text, sizeof text, "(%d, %d): shown %06x, drawn %06x", x, y,
                      static_cast<unsigned>(a), static_cast<unsigned>(b));
        first = text;
      }
    }
  }
  return count == 0 ? std::string() : std::to_string(count) + " pixels differ, first " + first;
}


// What the window shows, copied out of its device context.
std::unique_ptr<LICE_SysBitmap> Shown(HWND editor) {
  auto shot = std::make_unique<LICE_SysBitmap>(kWidth, kHeight);
  HDC screen = GetDC(editor);
  BitBlt(static_cast<HDC>(shot->DeviceContext()), 0, 0, kWidth, kHeight, screen, 0, 0, SRCCOPY);
  ReleaseDC(editor, screen);
  GdiFlush();
  return shot;
}

// An image as the library carries it, decoded here rather than through the
// library's own loading and bitmap cache.
std::unique_ptr<LICE_MemBitmap> LibraryImage(void* library, int id) {
  HMODULE module = static_cast<HMODULE>(library);
  HRSRC info = FindResourceA(module, MAKEINTRESOURCEA(id), "PNG");
  if (!info) return nullptr;
  const auto* bytes = static_cast<const unsigned char*>(LockResource(LoadResource(module, info)));
  if (!bytes) return nullptr;
  return std::unique_ptr<LICE_MemBitmap>(DecodePngFromMemory(bytes, SizeofResource(module, info)));
}

// Where a window sits inside its parent.
Rect PlaceInParent(HWND window) {
  RECT onScreen{};
  GetWindowRect(window, &onScreen);
  POINT topLeft{onScreen.left, onScreen.top};
  POINT bottomRight{onScreen.right, onScreen.bottom};
  ScreenToClient(GetParent(window), &topLeft);
  ScreenToClient(GetParent(window), &bottomRight);
  return Rect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y);
}

std::string ProgramFolder() {
  char path[1024] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  std::string folder(path, length);
  const std::size_t slash = folder.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
}

// The same engine linked into this program and drawn without a window, from
// this program's copy of the images: what the library's window must show
// once the same host calls reached both.
class HeadlessTwin {
 public:
  AEffect* Effect() { return plug.Effect(); }
  LICE_IBitmap& Drawing() {
    auto* graphics = dynamic_cast<IGraphicsHeadless*>(plug.Product().Graphics());
    graphics->Tick();
    graphics->RedrawAll();
    return *graphics->BackBuffer();
  }

 private:
  Tovrane plug;
};

class PluginEditorWin : public PluginLibrary {
 protected:
  void SetUp() override {
    PluginLibrary::SetUp();
    if (HasFatalFailure()) return;
    Both([](AEffect* e) { e->dispatcher(e, effOpen, 0, 0, nullptr, 0.0f); });
  }

  // The same host call to the library's effect and to the twin.
  void Both(const std::function<void(AEffect*)>& call) {
    call(effect);
    call(twin.Effect());
  }
  void SetParameter(int index, float value) {
    Both([&](AEffect* e) { e->setParameter(e, index, value); });
  }
  float Parameter(int index) { return effect->getParameter(effect, index); }

  static HWND EditorIn(HWND parent) {
    return FindWindowExA(parent, nullptr, "IPlugWndClass", nullptr);
  }
  HWND Open(const TestHostWindow& host, AEffect* which = nullptr) {
    which = which ? which : effect;
    if (!which->dispatcher(which, effEditOpen, 0, 0, host.Handle(), 0.0f)) return nullptr;
    return EditorIn(host.Handle());
  }
  bool ClassRegistered() {
    WNDCLASSA info{};
    return GetClassInfoA(static_cast<HINSTANCE>(library), "IPlugWndClass", &info) != 0;
  }
  static void Send(HWND editor, UINT message, WPARAM wParam, int x, int y) {
    SendMessageA(editor, message, wParam, MakeLParam(x, y));
  }
  // Runs the message loop until done holds, for at most a few seconds: the
  // first paint may be slow on a busy machine.
  static bool PumpUntil(const std::function<bool()>& done) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (!done() && std::chrono::steady_clock::now() < end) PumpMessages(10);
    return done();
  }
  std::string DifferencesFromTwin(HWND editor, const Rect& area = kWhole) {
    return Differences(*Shown(editor), twin.Drawing(), area, kReadout);
  }
  bool ShowsTwin(HWND editor, const Rect& area = kWhole) {
    return DifferencesFromTwin(editor, area).empty();
  }
  // The edit calls (begin, automate, end) the host saw for one parameter, in
  // order.
  std::vector<int32_t> EditCalls(int index) const {
    std::vector<int32_t> calls;
    for (const FakeHost::Call& call : host.calls) {
      if (call.index == index &&
          (call.opcode == audioMasterBeginEdit || call.opcode == audioMasterAutomate ||
           call.opcode == audioMasterEndEdit)) {
        calls.push_back(call.opcode);
      }
    }
    return calls;
  }
  int CountOf(int32_t opcode, int index) const {
    const std::vector<int32_t> calls = EditCalls(index);
    return static_cast<int>(std::count(calls.begin(), calls.end(), opcode));
  }

  HeadlessTwin twin;
  TestHostWindow window{kHostX, kHostY, kHostWidth, kHostHeight};
};

}  // namespace

TEST_F(PluginEditorWin, OpensAtItsSizeInsideTheHostWindowAndShowsTheEngineDrawing) {
  ERect* rect = nullptr;
  ASSERT_EQ(Dispatch(effEditGetRect, 0, 0, &rect), 1);
  ASSERT_NE(rect, nullptr);
  EXPECT_EQ(rect->top, 0);
  EXPECT_EQ(rect->left, 0);
  EXPECT_EQ(rect->bottom, kHeight);
  EXPECT_EQ(rect->right, kWidth);

  HWND editor = Open(window);
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(GetParent(editor), window.Handle());
  EXPECT_TRUE(IsWindowVisible(editor));
  EXPECT_EQ(PlaceInParent(editor), kWhole);
  EXPECT_TRUE(ClassRegistered()) << "registered in the library's own module";

  EXPECT_TRUE(PumpUntil([&] { return ShowsTwin(editor); })) << DifferencesFromTwin(editor);
  std::unique_ptr<LICE_SysBitmap> shown = Shown(editor);

  // The twin draws from this program's copy of the images; the library's own
  // images, decoded here, pin the picture down where they are opaque.
  std::unique_ptr<LICE_MemBitmap> background = LibraryImage(library, 103);
  std::unique_ptr<LICE_MemBitmap> knob = LibraryImage(library, 101);
  ASSERT_TRUE(background && knob);
  for (const Rect& band : kBackgroundBands) {
    EXPECT_EQ(Differences(*shown, *background, band), "") << "band at y " << band.top;
  }
  // "Input Gain" starts at 50 %: frame 50 of the strip, from row 3200.
  int opaque = 0;
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) {
      const LICE_pixel source = At(*knob, x, 3200 + y);
      if (LICE_GetA(source) != 255) continue;
      ASSERT_EQ(Rgb(At(*shown, 28 + x, 108 + y)), Rgb(source)) << x << "," << y;
      ++opaque;
    }
  }
  EXPECT_GT(opaque, 100) << "the knob has an opaque body";

  Dispatch(effEditClose);
  EXPECT_FALSE(IsWindow(editor));
  EXPECT_EQ(EditorIn(window.Handle()), nullptr);
  EXPECT_FALSE(ClassRegistered());
}

TEST_F(PluginEditorWin, AKnobTheHostTurnsIsRedrawnWithinTwoTicks) {
  SetParameter(kWow, 0.0f);
  HWND editor = Open(window);
  ASSERT_NE(editor, nullptr);
  ASSERT_TRUE(PumpUntil([&] { return ShowsTwin(editor); })) << DifferencesFromTwin(editor);
  const std::vector<uint32_t> atZero = PixelsOf(*Shown(editor), kWowKnob);

  SetParameter(kWow, 0.8f);
  PumpMessages(2 * kTickMs + 20);
  std::unique_ptr<LICE_SysBitmap> shown = Shown(editor);
  EXPECT_NE(PixelsOf(*shown, kWowKnob), atZero);
  EXPECT_EQ(Differences(*shown, twin.Drawing(), kWowKnob), "");

  SetParameter(kWow, 0.0f);
  PumpMessages(2 * kTickMs + 20);
  EXPECT_EQ(PixelsOf(*Shown(editor), kWowKnob), atZero) << "the same value looks the same";
}

TEST_F(PluginEditorWin, DraggingAKnobTurnsItInsideOneEditOfTheHost) {
  SetParameter(kWow, 0.25f);
  HWND editor = Open(window);
  ASSERT_NE(editor, nullptr);
  PumpMessages(2 * kTickMs);
  host.calls.clear();

  // Between the "Input Gain" and "Harmonics" knobs only the background is hit.
  Send(editor, WM_LBUTTONDOWN, MK_LBUTTON, 100, 150);
  Send(editor, WM_MOUSEMOVE, MK_LBUTTON, 100, 120);
  Send(editor, WM_LBUTTONUP, 0, 100, 120);
  EXPECT_EQ(host.Count(audioMasterBeginEdit), 0);
  EXPECT_EQ(host.Count(audioMasterAutomate), 0);

  Send(editor, WM_LBUTTONDOWN, MK_LBUTTON, 440, 300);
  EXPECT_EQ(GetCapture(), editor);
  for (int step = 1; step <= 4; ++step) Send(editor, WM_MOUSEMOVE, MK_LBUTTON, 440, 300 - 5 * step);
  Send(editor, WM_LBUTTONUP, 0, 440, 280);
  EXPECT_EQ(GetCapture(), nullptr);

  // Knobs are 64 pixels tall with gearing 4: 20 pixels up add 20 / 256.
  const float turned = Parameter(kWow);
  EXPECT_FLOAT_EQ(turned, 0.25f + 20.0f / 256.0f);
  const std::vector<int32_t> calls = EditCalls(kWow);
  ASSERT_GE(calls.size(), 3u);
  EXPECT_EQ(calls.front(), audioMasterBeginEdit);
  EXPECT_EQ(calls.back(), audioMasterEndEdit);
  EXPECT_TRUE(std::all_of(calls.begin() + 1, calls.end() - 1,
                          [](int32_t opcode) { return opcode == audioMasterAutomate; }))
      << "one edit, automation inside it";
  const auto lastAutomate = std::find_if(host.calls.rbegin(), host.calls.rend(), [](auto& call) {
    return call.opcode == audioMasterAutomate && call.index == kWow;
  });
  ASSERT_NE(lastAutomate, host.calls.rend());
  EXPECT_FLOAT_EQ(lastAutomate->opt, turned) << "the host hears the value it will read";

  twin.Effect()->setParameter(twin.Effect(), kWow, turned);
  PumpMessages(2 * kTickMs + 20);
  EXPECT_EQ(DifferencesFromTwin(editor, kWowKnob), "") << "the knob shows its new value";
}

TEST_F(PluginEditorWin, AWholeWheelNotchTurnsAKnobAndHalfANotchNothing) {
  SetParameter(kWow, 0.5f);
  HWND editor = Open(window);
  ASSERT_NE(editor, nullptr);
  PumpMessages(2 * kTickMs);
  host.calls.clear();
  // Wheel messages carry screen coordinates.
  POINT at{440, 300};
  ClientToScreen(editor, &at);
  ASSERT_NE(at.x, 440) << "the editor must sit away from the screen's corner";
  auto wheel = [&](int delta) {
    Send(editor, WM_MOUSEWHEEL, WPARAM{static_cast<WORD>(delta)} << 16, at.x, at.y);
  };

  wheel(WHEEL_DELTA);
  EXPECT_NEAR(Parameter(kWow), 0.51, 1e-6);
  EXPECT_GE(CountOf(audioMasterAutomate, kWow), 1);
  EXPECT_EQ(CountOf(audioMasterBeginEdit, kWow), 0) << "wheel turns are not bracketed";

  // Half a notch is no notch: the knob keeps its value (and hands the same
  // value on to the host, as every wheel turn does).
  host.calls.clear();
  wheel(WHEEL_DELTA / 2);
  EXPECT_NEAR(Parameter(kWow), 0.51, 1e-6);
  for (const FakeHost::Call& call : host.calls) {
    if (call.opcode == audioMasterAutomate) {
      EXPECT_NEAR(call.opt, 0.51, 1e-6) << call.index;
    }
  }

  wheel(-WHEEL_DELTA);
  EXPECT_NEAR(Parameter(kWow), 0.50, 1e-6);
}

TEST_F(PluginEditorWin, EveryKeyPressedOverTheEditorReachesTheHostsMainWindow) {
  HWND editor = Open(window);
  ASSERT_NE(editor, nullptr);
  PumpMessages(kTickMs);
  host.calls.clear();
  TestHostWindow::Keys().clear();

  // Space and the letters are keys a control could take, Escape is not;
  // in this product no control takes any.
  const std::vector<TestHostWindow::Key> keys = {
      {WM_KEYDOWN, VK_SPACE}, {WM_KEYUP, VK_SPACE}, {WM_KEYDOWN, 'A'},
      {WM_KEYDOWN, VK_ESCAPE}, {WM_KEYDOWN, VK_LEFT}, {WM_KEYUP, VK_LEFT}};
  for (const TestHostWindow::Key& key : keys) SendMessageA(editor, key.message, key.code, 0);
  PostMessageA(editor, WM_KEYDOWN, 'B', 0);
  PumpMessages(20);

  const std::vector<TestHostWindow::Key>& received = TestHostWindow::Keys();
  ASSERT_EQ(received.size(), keys.size() + 1);
  for (std::size_t i = 0; i < keys.size(); ++i) {
    EXPECT_EQ(received[i].message, keys[i].message) << i;
    EXPECT_EQ(received[i].code, keys[i].code) << i;
  }
  EXPECT_EQ(received.back().code, WPARAM{'B'}) << "a queued key too";
  EXPECT_EQ(host.Count(audioMasterAutomate), 0);
}

TEST_F(PluginEditorWin, TwoInstancesEditAtOnceAndCloseInEitherOrder) {
  for (bool firstClosesFirst : {true, false}) {
    SCOPED_TRACE(firstClosesFirst ? "first closes first" : "second closes first");
    AEffect* other = entry(FakeHost::Callback);
    ASSERT_NE(other, nullptr);
    other->dispatcher(other, effOpen, 0, 0, nullptr, 0.0f);
    TestHostWindow otherWindow(kHostX, kLowerHostY, kHostWidth, kHostHeight);
    effect->setParameter(effect, kWow, 0.0f);
    other->setParameter(other, kWow, 1.0f);
    HWND mine = Open(window);
    HWND theirs = Open(otherWindow, other);
    ASSERT_NE(mine, nullptr);
    ASSERT_NE(theirs, nullptr);

    // Each window shows its own instance.
    auto shows = [&](HWND editor, float wow) {
      twin.Effect()->setParameter(twin.Effect(), kWow, wow);
      return ShowsTwin(editor);
    };
    EXPECT_TRUE(PumpUntil([&] { return shows(mine, 0.0f) && shows(theirs, 1.0f); }));

    AEffect* closing = firstClosesFirst ? effect : other;
    AEffect* staying = firstClosesFirst ? other : effect;
    HWND closed = firstClosesFirst ? mine : theirs;
    HWND open = firstClosesFirst ? theirs : mine;
    closing->dispatcher(closing, effEditClose, 0, 0, nullptr, 0.0f);
    EXPECT_FALSE(IsWindow(closed));
    EXPECT_TRUE(ClassRegistered()) << "the other window still uses the class";

    // The remaining editor still runs its timer.
    staying->setParameter(staying, kWow, 0.5f);
    twin.Effect()->setParameter(twin.Effect(), kWow, 0.5f);
    PumpMessages(2 * kTickMs + 20);
    EXPECT_EQ(DifferencesFromTwin(open, kWowKnob), "");

    staying->dispatcher(staying, effEditClose, 0, 0, nullptr, 0.0f);
    EXPECT_FALSE(IsWindow(open));
    EXPECT_FALSE(ClassRegistered());
    EXPECT_EQ(EditorIn(window.Handle()), nullptr);
    EXPECT_EQ(EditorIn(otherWindow.Handle()), nullptr);
    other->dispatcher(other, effClose, 0, 0, nullptr, 0.0f);
  }
}

TEST_F(PluginEditorWin, ReopensAfterClosingAndASecondOpenKeepsOneWindow) {
  HWND first = Open(window);
  ASSERT_NE(first, nullptr);
  PumpMessages(kTickMs);
  Dispatch(effEditClose);
  EXPECT_FALSE(IsWindow(first));
  EXPECT_FALSE(ClassRegistered());
  PumpMessages(kTickMs);

  ASSERT_NE(Open(window), nullptr);
  EXPECT_TRUE(ClassRegistered());
  HWND replacing = Open(window);
  ASSERT_NE(replacing, nullptr);
  EXPECT_EQ(FindWindowExA(window.Handle(), replacing, "IPlugWndClass", nullptr), nullptr)
      << "one editor window";
  EXPECT_EQ(PlaceInParent(replacing), kWhole);
  EXPECT_TRUE(PumpUntil([&] { return ShowsTwin(replacing); })) << DifferencesFromTwin(replacing);

  Dispatch(effEditClose);
  EXPECT_EQ(EditorIn(window.Handle()), nullptr);
  EXPECT_FALSE(ClassRegistered());
}

TEST_F(PluginEditorWin, ClosingThePlugInWithTheEditorOpenTakesTheWindowAndTheClass) {
  HWND editor = Open(window);
  ASSERT_NE(editor, nullptr);
  PumpMessages(kTickMs);
  Dispatch(effClose);
  effect = nullptr;
  EXPECT_FALSE(IsWindow(editor));
  EXPECT_EQ(EditorIn(window.Handle()), nullptr);
  EXPECT_FALSE(ClassRegistered());
  PumpMessages(2 * kTickMs);  // no timer is left to fire into the closed plug-in
}

// Leaves editor-under-wine.png next to this program, for a person to look at.
TEST_F(PluginEditorWin, PicturesAProgramWithItsReadout) {
  // "Wide drums": profile Off, which greys the three tone knobs.
  constexpr int kWideDrums = 14;
  Both([](AEffect* e) { e->dispatcher(e, effSetProgram, 0, kWideDrums, nullptr, 0.0f); });
  SetParameter(kWow, 0.75f);
  SetParameter(kNoiseType, 0.5f);
  SetParameter(kWide, 0.9f);  // the last one touched, so the readout shows it
  Both(RunSilentBlock);
  HWND editor = Open(window);
  ASSERT_NE(editor, nullptr);
  std::unique_ptr<LICE_MemBitmap> background = LibraryImage(library, 103);
  ASSERT_NE(background, nullptr);
  const int artworkInk = GreenPixelsIn(*background, kReadout);

  PumpUntil([&] {
    return ShowsTwin(editor) && GreenPixelsIn(*Shown(editor), kReadout) > artworkInk + 20;
  });
  std::unique_ptr<LICE_SysBitmap> shown = Shown(editor);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) At(*shown, x, y) |= 0xff000000;
  }
  const std::string path = ProgramFolder() + "editor-under-wine.png";
  EXPECT_TRUE(WritePng(shown.get(), path.c_str())) << path;

  EXPECT_EQ(Differences(*shown, twin.Drawing(), kWhole, kReadout), "");
  EXPECT_GT(GreenPixelsIn(*shown, kReadout), artworkInk + 20) << "the readout shows text";
}

namespace {

// A host that draws its windows at the monitor's scale says so to the
// system (user32, Windows Vista and later); the system then tells its
// windows the monitor's DPI rather than 96 and stretches nothing.
extern "C" BOOL SetProcessDPIAware();

// The DPI this test's system runs at: 96 unless the test is run in a Wine
// prefix of another LogPixels, which then names it in KESTRAVON_TEST_DPI.
int ExpectedDpi() {
  const char* named = std::getenv("KESTRAVON_TEST_DPI");
  return named ? std::atoi(named) : 96;
}

}  // namespace

// The editor takes its monitor's scale when it opens: at 96 DPI it stays at
// 1000 x 420 and asks the host for nothing; at 192 it opens at 2000 x 840 and
// asks the host's window for that size.
TEST_F(PluginEditorWin, OpensAtItsMonitorsScaleAndTellsTheHostTheSize) {
  SetProcessDPIAware();
  HDC screen = GetDC(nullptr);
  const int systemDpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  ASSERT_EQ(systemDpi, ExpectedDpi()) << "the system does not run at the DPI this test was given";
  ASSERT_TRUE(systemDpi == 96 || systemDpi == 192) << "sizes are known at 96 and 192 DPI only";
  const bool twice = systemDpi == 192;
  const Rect expected = twice ? Rect(0, 0, 2000, 840) : kWhole;

  HWND editor = Open(window);
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(PlaceInParent(editor), expected);
  ERect* rect = nullptr;
  ASSERT_EQ(Dispatch(effEditGetRect, 0, 0, &rect), 1);
  EXPECT_EQ(Rect(rect->left, rect->top, rect->right, rect->bottom), expected);
  ASSERT_EQ(host.Count(audioMasterSizeWindow), twice ? 1 : 0);
  for (const FakeHost::Call& call : host.calls) {
    if (call.opcode != audioMasterSizeWindow) continue;
    EXPECT_EQ(call.index, 2000);
    EXPECT_EQ(call.value, 840);
  }
  PumpMessages(2 * kTickMs);
  Dispatch(effEditClose);
  EXPECT_FALSE(IsWindow(editor));
}
