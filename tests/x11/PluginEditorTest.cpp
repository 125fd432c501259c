// The built plug-in's editor in a host's X11 window: loaded through its
// entry point, opened, idled and closed only through the effect record, and
// checked through the X server as a user would see it.
// clang-format off
// GoogleTest before Xlib, whose macros (None, Bool) clash with its names.
#include "XvfbTest.h"
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
// clang-format on

#include <dlfcn.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <thread>
#include <cstring>
#include <vector>

#include "FakeHost.h"
#include "TestHostWindow.h"
#include "raster/PngDecoder.h"

namespace {

constexpr int kWidth = 1000;
constexpr int kHeight = 420;
constexpr int kWowParam = 4;
constexpr int kTickMs = 40;
// Where the "Wow" knob sits, and two bands of the editor that only the
// background covers.
const Rect kWowKnob(408, 268, 472, 332);
const Rect kBackgroundBands[] = {Rect(0, 40, kWidth, 90), Rect(0, 200, kWidth, 250)};

class PluginEditor : public XvfbTest {
 protected:
  static void SetUpTestSuite() {
    library = dlopen(KESTRAVON_PLUGIN_PATH, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    entry = reinterpret_cast<VstPluginMainProc>(dlsym(library, "VSTPluginMain"));
  }
  static void TearDownTestSuite() {
    if (library) dlclose(library);
    library = nullptr;
  }

  void SetUp() override {
    XvfbTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    ASSERT_NE(entry, nullptr);
    host = std::make_unique<TestHostWindow>(kWidth, kHeight);
    ASSERT_TRUE(host->Ok());
    effect = NewEffect();
  }
  void TearDown() override {
    for (AEffect* e : {effect, second}) {
      if (e) Dispatch(e, effClose);
    }
    host.reset();
  }

  AEffect* NewEffect() {
    AEffect* e = entry(FakeHost::Callback);
    if (e) Dispatch(e, effOpen);
    return e;
  }
  static VstIntPtr Dispatch(AEffect* e, int32_t opcode, void* ptr = nullptr) {
    return e->dispatcher(e, opcode, 0, 0, ptr, 0.0f);
  }
  // Idle calls as a host makes them, many a second, for about ms.
  void Idle(int ms) { IdleAll(ms, {effect}); }
  // Idles until done holds, for at most a few seconds: events from the
  // server may take a while to arrive on a busy machine.
  bool IdleUntil(const std::function<bool()>& done) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (!done() && std::chrono::steady_clock::now() < end) Idle(5);
    return done();
  }
  void IdleAll(int ms, const std::vector<AEffect*>& effects) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    do {
      for (AEffect* e : effects) Dispatch(e, effEditIdle);
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    } while (std::chrono::steady_clock::now() < end);
    if (host) XSync(host->Connection(), False);
  }
  Window EditorWindow() const {
    const std::vector<Window> children = host->Children();
    return children.size() == 1 ? children[0] : 0;
  }
  std::vector<uint32_t> Shown(const Rect& area) { return host->Pixels(EditorWindow(), area); }
  void Drag(Window window, int x, int y, int dy) {
    ASSERT_TRUE(host->MovePointer(window, x, y));
    ASSERT_TRUE(host->Button(Button1, true));
    Idle(10);
    for (int step = 1; step <= 4; ++step) {
      host->MovePointer(window, x, y + dy * step / 4);
      Idle(10);
    }
    host->Button(Button1, false);
    IdleUntil([&] { return recorder.Count(audioMasterEndEdit) > 0; });
  }

  static inline void* library = nullptr;
  static inline VstPluginMainProc entry = nullptr;
  FakeHost recorder;
  std::unique_ptr<TestHostWindow> host;
  AEffect* effect = nullptr;
  AEffect* second = nullptr;
};

std::vector<uint32_t> BackgroundImage(const Rect& area) {
  std::ifstream file(KESTRAVON_SOURCE_DIR "/resources/img/Kestravon38exp.png", std::ios::binary);
  const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(file), {}};
  std::unique_ptr<LICE_MemBitmap> image(DecodePngFromMemory(bytes.data(), bytes.size()));
  std::vector<uint32_t> pixels;
  if (!image) return pixels;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      pixels.push_back(image->Bits()[y * image->RowSpan() + x] & 0xffffff);
    }
  }
  return pixels;
}

int CountOf(const FakeHost& recorder, int32_t opcode, int32_t index) {
  return static_cast<int>(std::count_if(
      recorder.calls.begin(), recorder.calls.end(),
      [&](const FakeHost::Call& call) { return call.opcode == opcode && call.index == index; }));
}

// The first viewable window without decorations of a window manager's at
// the top of the screen: a menu. 0 when none shows within three seconds.
Window WaitForMenu(Display* display, XWindowAttributes* where) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(3);
  while (std::chrono::steady_clock::now() < end) {
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    Window menu = 0;
    if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count)) {
      for (unsigned int i = 0; i < count && menu == 0; ++i) {
        if (XGetWindowAttributes(display, children[i], where) && where->override_redirect &&
            where->map_state == IsViewable) {
          menu = children[i];
        }
      }
    }
    if (children) XFree(children);
    if (menu != 0) return menu;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return 0;
}

// Clicks, as a user on another connection would, the row of the menu that
// shows next, counting rows of equal height.
void ClickMenuRow(int row, int rows, bool* clicked) {
  Display* display = XOpenDisplay(nullptr);
  if (!display) return;
  XWindowAttributes menu{};
  if (WaitForMenu(display, &menu) != 0) {
    const int rowHeight = (menu.height - 2) / rows;
    XTestFakeMotionEvent(display, -1, menu.x + menu.width / 2,
                         menu.y + 1 + row * rowHeight + rowHeight / 2, 0);
    XTestFakeButtonEvent(display, Button1, True, 0);
    XTestFakeButtonEvent(display, Button1, False, 0);
    XSync(display, False);
    *clicked = true;
  }
  XCloseDisplay(display);
}

}  // namespace

// A right click on the panel opens the zoom menu; "200 %" chosen with a
// click doubles the editor, tells the host, and is what the next editor
// opens at.
TEST_F(PluginEditor, TheZoomChosenFromTheMenuResizesTheEditorAndIsKept) {
  const std::filesystem::path config =
      std::filesystem::temp_directory_path() / ("kestravon-zoom-x11-" + std::to_string(getpid()));
  std::filesystem::remove_all(config);
  setenv("XDG_CONFIG_HOME", config.c_str(), 1);
  ASSERT_EQ(Dispatch(effect, effEditOpen, host->Handle()), 1);
  Idle(2 * kTickMs);
  const Window window = EditorWindow();
  ASSERT_TRUE(host->MovePointer(window, 500, 60));
  bool clicked = false;
  std::thread user(ClickMenuRow, 5, 8, &clicked);
  host->Button(Button3, true);
  host->Button(Button3, false);
  XWindowAttributes attributes{};
  IdleUntil([&] {
    return XGetWindowAttributes(host->Connection(), window, &attributes) && attributes.width == 2000;
  });
  user.join();
  EXPECT_TRUE(clicked) << "the menu showed";
  EXPECT_EQ(attributes.width, 2000);
  EXPECT_EQ(attributes.height, 840);
  EXPECT_EQ(CountOf(recorder, audioMasterSizeWindow, 2000), 1);

  std::ifstream file(config / "kestravon" / "settings");
  const std::string text{std::istreambuf_iterator<char>(file), {}};
  EXPECT_EQ(text, "zoom=200\n");
  second = NewEffect();
  ERect* rect = nullptr;
  ASSERT_EQ(Dispatch(second, effEditGetRect, &rect), 1);
  EXPECT_EQ(rect->right, 2000);
  EXPECT_EQ(rect->bottom, 840);
  unsetenv("XDG_CONFIG_HOME");
  std::filesystem::remove_all(config);
}

TEST_F(PluginEditor, OpensAChildOfTheHostWindowShowingTheEditor) {
  ERect* rect = nullptr;
  ASSERT_EQ(Dispatch(effect, effEditGetRect, &rect), 1);
  ASSERT_NE(rect, nullptr);
  EXPECT_EQ(rect->right - rect->left, kWidth);
  EXPECT_EQ(rect->bottom - rect->top, kHeight);

  ASSERT_EQ(Dispatch(effect, effEditOpen, host->Handle()), 1);
  const Window window = EditorWindow();
  ASSERT_NE(window, 0UL);
  XWindowAttributes attributes{};
  ASSERT_TRUE(XGetWindowAttributes(host->Connection(), window, &attributes));
  EXPECT_EQ(attributes.width, kWidth);
  EXPECT_EQ(attributes.height, kHeight);

  for (const Rect& band : kBackgroundBands) {
    const std::vector<uint32_t> expected = BackgroundImage(band);
    ASSERT_FALSE(expected.empty());
    IdleUntil([&] { return Shown(band) == expected; });
    EXPECT_EQ(Shown(band), expected) << "band at y " << band.top;
  }
  EXPECT_NE(Shown(kWowKnob), BackgroundImage(kWowKnob)) << "the knob is drawn over it";
}

TEST_F(PluginEditor, KnobFollowsTheHostWithinTwoTicks) {
  effect->setParameter(effect, kWowParam, 0.0f);
  ASSERT_EQ(Dispatch(effect, effEditOpen, host->Handle()), 1);
  const std::vector<uint32_t> background = BackgroundImage(kBackgroundBands[0]);
  ASSERT_TRUE(IdleUntil([&] { return Shown(kBackgroundBands[0]) == background; }));
  const std::vector<uint32_t> atZero = Shown(kWowKnob);
  EXPECT_NE(atZero, BackgroundImage(kWowKnob));

  effect->setParameter(effect, kWowParam, 0.8f);
  Idle(2 * kTickMs + 5);
  const std::vector<uint32_t> atEight = Shown(kWowKnob);
  EXPECT_NE(atEight, atZero);

  effect->setParameter(effect, kWowParam, 0.0f);
  Idle(2 * kTickMs + 5);
  EXPECT_EQ(Shown(kWowKnob), atZero) << "the same value looks the same";
}

TEST_F(PluginEditor, DraggingAKnobUpTurnsItAndBracketsTheEdit) {
  effect->setParameter(effect, kWowParam, 0.25f);
  ASSERT_EQ(Dispatch(effect, effEditOpen, host->Handle()), 1);
  Idle(2 * kTickMs);
  recorder.calls.clear();

  Drag(EditorWindow(), 440, 300, -20);
  // Knobs are 64 pixels tall with gearing 4: 20 pixels up add 20 / 256.
  EXPECT_NEAR(effect->getParameter(effect, kWowParam), 0.25 + 20.0 / 256.0, 1e-6);
  EXPECT_EQ(CountOf(recorder, audioMasterBeginEdit, kWowParam), 1);
  EXPECT_GE(CountOf(recorder, audioMasterAutomate, kWowParam), 1);
  EXPECT_EQ(CountOf(recorder, audioMasterEndEdit, kWowParam), 1);
  auto position = [&](int32_t opcode) {
    return std::find_if(recorder.calls.begin(), recorder.calls.end(),
                        [&](const FakeHost::Call& call) { return call.opcode == opcode; });
  };
  EXPECT_LT(position(audioMasterBeginEdit), position(audioMasterAutomate));
  EXPECT_LT(position(audioMasterAutomate), position(audioMasterEndEdit));
}

TEST_F(PluginEditor, WheelNotchMovesAKnobByAHundredth) {
  effect->setParameter(effect, kWowParam, 0.5f);
  ASSERT_EQ(Dispatch(effect, effEditOpen, host->Handle()), 1);
  Idle(2 * kTickMs);
  ASSERT_TRUE(host->MovePointer(EditorWindow(), 440, 300));
  host->Button(4, true);
  host->Button(4, false);
  IdleUntil([&] { return effect->getParameter(effect, kWowParam) > 0.5f; });
  EXPECT_NEAR(effect->getParameter(effect, kWowParam), 0.51, 1e-6);
  host->Button(5, true);
  host->Button(5, false);
  host->Button(5, true);
  host->Button(5, false);
  IdleUntil([&] { return effect->getParameter(effect, kWowParam) < 0.5f; });
  EXPECT_NEAR(effect->getParameter(effect, kWowParam), 0.49, 1e-6);
  EXPECT_EQ(CountOf(recorder, audioMasterBeginEdit, kWowParam), 0) << "wheel turns unbracketed";
}

TEST_F(PluginEditor, ClickOnTheBackgroundChangesNothing) {
  ASSERT_EQ(Dispatch(effect, effEditOpen, host->Handle()), 1);
  Idle(2 * kTickMs);
  recorder.calls.clear();
  ASSERT_TRUE(host->MovePointer(EditorWindow(), 100, 150));
  host->Button(Button1, true);
  host->Button(Button1, false);
  Idle(20);
  EXPECT_EQ(recorder.Count(audioMasterAutomate), 0);
  EXPECT_EQ(recorder.Count(audioMasterBeginEdit), 0);
}

TEST_F(PluginEditor, TwoInstancesOpenAtOnceCloseInEitherOrder) {
  for (bool firstClosesFirst : {true, false}) {
    second = NewEffect();
    ASSERT_NE(second, nullptr);
    TestHostWindow otherHost(kWidth, kHeight);
    ASSERT_EQ(Dispatch(effect, effEditOpen, host->Handle()), 1);
    ASSERT_EQ(Dispatch(second, effEditOpen, otherHost.Handle()), 1);
    IdleAll(2 * kTickMs, {effect, second});
    EXPECT_EQ(host->Children().size(), 1u);
    EXPECT_EQ(otherHost.Children().size(), 1u);

    AEffect* order[] = {firstClosesFirst ? effect : second, firstClosesFirst ? second : effect};
    EXPECT_EQ(Dispatch(order[0], effEditClose), 1);
    IdleAll(kTickMs, {effect, second});
    EXPECT_EQ(Dispatch(order[1], effEditClose), 1);
    EXPECT_TRUE(host->Children().empty());
    EXPECT_TRUE(otherHost.Children().empty());
    Dispatch(second, effClose);
    second = nullptr;
  }
}

TEST_F(PluginEditor, ReopensAfterCloseAndOpeningTwiceKeepsOneWindow) {
  ASSERT_EQ(Dispatch(effect, effEditOpen, host->Handle()), 1);
  Idle(kTickMs);
  ASSERT_EQ(Dispatch(effect, effEditClose), 1);
  EXPECT_TRUE(host->Children().empty());
  Idle(kTickMs);  // idle without a window does nothing

  ASSERT_EQ(Dispatch(effect, effEditOpen, host->Handle()), 1);
  ASSERT_EQ(Dispatch(effect, effEditOpen, host->Handle()), 1);
  EXPECT_EQ(host->Children().size(), 1u);
  const std::vector<uint32_t> expected = BackgroundImage(kBackgroundBands[0]);
  EXPECT_TRUE(IdleUntil([&] { return Shown(kBackgroundBands[0]) == expected; }));
}

TEST_F(PluginEditor, RefusedParentsAndMissingDisplaysFailTheOpen) {
  EXPECT_EQ(Dispatch(effect, effEditOpen, nullptr), 0);
  EXPECT_EQ(Dispatch(effect, effEditOpen, reinterpret_cast<void*>(0x3fffffff)), 0);
  const std::string display = std::getenv("DISPLAY");
  unsetenv("DISPLAY");
  EXPECT_EQ(Dispatch(effect, effEditOpen, host->Handle()), 0);
  setenv("DISPLAY", display.c_str(), 1);
  Idle(kTickMs);
  EXPECT_TRUE(host->Children().empty());
  EXPECT_EQ(Dispatch(effect, effEditOpen, host->Handle()), 1);
}

TEST_F(PluginEditor, ClosingTheEffectWithTheEditorOpenRemovesTheWindow) {
  ASSERT_EQ(Dispatch(effect, effEditOpen, host->Handle()), 1);
  Idle(kTickMs);
  Dispatch(effect, effClose);
  effect = nullptr;
  XSync(host->Connection(), False);
  EXPECT_TRUE(host->Children().empty());
}

TEST_F(PluginEditor, HostWindowDestroyedUnderTheOpenEditor) {
  ASSERT_EQ(Dispatch(effect, effEditOpen, host->Handle()), 1);
  Idle(kTickMs);
  host.reset();
  Idle(kTickMs);
  EXPECT_EQ(Dispatch(effect, effEditClose), 1);
}

TEST_F(PluginEditor, SecondQuickClickIsADoubleClickWhichIsNotBracketed) {
  constexpr int kPowerParam = 18;
  ASSERT_EQ(Dispatch(effect, effEditOpen, host->Handle()), 1);
  Idle(2 * kTickMs);
  const float before = effect->getParameter(effect, kPowerParam);
  recorder.calls.clear();
  ASSERT_TRUE(host->MovePointer(EditorWindow(), 964, 391));
  for (int click = 0; click < 2; ++click) {
    host->Button(Button1, true);
    host->Button(Button1, false);
  }
  IdleUntil([&] { return CountOf(recorder, audioMasterAutomate, kPowerParam) >= 2; });
  Idle(20);
  // The power switch takes a double-click as one more press: it flips twice,
  // but only the first press opens an edit with the host.
  EXPECT_EQ(effect->getParameter(effect, kPowerParam), before);
  EXPECT_EQ(CountOf(recorder, audioMasterAutomate, kPowerParam), 2);
  EXPECT_EQ(CountOf(recorder, audioMasterBeginEdit, kPowerParam), 1);

  recorder.calls.clear();
  host->Button(Button1, true);
  host->Button(Button1, false);
  IdleUntil([&] { return CountOf(recorder, audioMasterEndEdit, kPowerParam) == 1; });
  Idle(450);
  host->Button(Button1, true);
  host->Button(Button1, false);
  IdleUntil([&] { return CountOf(recorder, audioMasterEndEdit, kPowerParam) == 2; });
  EXPECT_EQ(CountOf(recorder, audioMasterBeginEdit, kPowerParam), 2) << "too slow for a double";
}

// After an undo the host shows, and a saved session keeps, what plays: the
// restored value reaches the host as a gesture, and the program chunk is a
// fresh instance's with that value.
TEST_F(PluginEditor, UndoReachesTheHostAndTheSavedProgram) {
  effect->setParameter(effect, kWowParam, 0.25f);
  // The undo history starts from the settings the first block plays.
  std::vector<float> silence(64, 0.0f), outLeft(64), outRight(64);
  float* ins[2] = {silence.data(), silence.data()};
  float* outs[2] = {outLeft.data(), outRight.data()};
  effect->processReplacing(effect, ins, outs, 64);
  ASSERT_EQ(Dispatch(effect, effEditOpen, host->Handle()), 1);
  Idle(2 * kTickMs);
  Drag(EditorWindow(), 440, 300, -20);
  ASSERT_NEAR(effect->getParameter(effect, kWowParam), 0.25 + 20.0 / 256.0, 1e-6);
  recorder.calls.clear();

  ASSERT_TRUE(host->MovePointer(EditorWindow(), 30, 20));
  ASSERT_TRUE(host->Button(Button1, true));
  Idle(10);
  host->Button(Button1, false);
  // The undo button's own gesture ends with its release.
  constexpr int kUndoParam = 22;
  ASSERT_TRUE(IdleUntil([&] { return CountOf(recorder, audioMasterEndEdit, kUndoParam) > 0; }));
  EXPECT_EQ(effect->getParameter(effect, kWowParam), 0.25f);
  EXPECT_EQ(CountOf(recorder, audioMasterBeginEdit, kWowParam), 1);
  EXPECT_EQ(CountOf(recorder, audioMasterAutomate, kWowParam), 1);

  auto programChunk = [](AEffect* e) {
    void* data = nullptr;
    const VstIntPtr size = e->dispatcher(e, effGetChunk, 1, 0, &data, 0.0f);
    const auto* bytes = static_cast<const uint8_t*>(data);
    return size > 0 && data ? std::vector<uint8_t>(bytes, bytes + size) : std::vector<uint8_t>();
  };
  second = NewEffect();
  second->setParameter(second, kWowParam, 0.25f);
  const std::vector<uint8_t> undone = programChunk(effect);
  const std::vector<uint8_t> fresh = programChunk(second);
  ASSERT_EQ(undone.size(), fresh.size());
  for (size_t at = 8; at + 8 <= undone.size(); at += 8) {
    double a = 0.0, b = 0.0;
    std::memcpy(&a, undone.data() + at, 8);
    std::memcpy(&b, fresh.data() + at, 8);
    EXPECT_EQ(a, b) << "parameter " << (at - 8) / 8;
  }
}
