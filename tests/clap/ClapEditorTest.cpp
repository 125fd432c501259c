// The CLAP module's editor in a host's X11 window on a private server,
// driven only by the host's timer and its watch on the editor's X
// connection, as a Linux CLAP host drives it; a real drag on a knob reaches
// the host as a gesture in the events of its next process or flush.
// clang-format off
// GoogleTest and the host before Xlib, whose macros (None, Bool) clash
// with their names.
#include "XvfbTest.h"
#include "host/ClapHost.h"
#include <X11/Xlib.h>
// clang-format on

#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "SharedLibrary.h"
#include "TestHostWindow.h"

namespace {

constexpr uint32_t kWidth = 1000;
constexpr uint32_t kHeight = 420;
constexpr clap::clap_id kWow = 4;
// The "Wow" knob's middle.
constexpr int kWowX = 440;
constexpr int kWowY = 300;

// No zoom a user of this machine chose: the editor starts at 1.0 and
// follows the host's scale.
[[maybe_unused]] const bool kNoUserZoom =
    setenv("XDG_CONFIG_HOME", "/nonexistent/kestravon-tests", 1) == 0;

class ClapEditor : public XvfbTest {
 protected:
  // The module stays loaded to the program's end, as the libraries the
  // editor brings in (fontconfig's start-up leak among them) must for the
  // leak checker to know them.
  static void SetUpTestSuite() {
    [[maybe_unused]] static void* resident = OpenSharedLibrary(KESTRAVON_CLAP_MODULE_PATH);
  }

  void SetUp() override {
    XvfbTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    window = std::make_unique<TestHostWindow>(kWidth, kHeight);
    ASSERT_TRUE(window->Ok());
    clap = std::make_unique<ClapHost>();
    ASSERT_EQ(clap->Failure(), "");
    gui = clap->PluginExtension<clap::clap_plugin_gui>(clap::CLAP_EXT_GUI);
    ASSERT_NE(gui, nullptr);
    plugin = clap->Plugin();
  }
  void TearDown() override {
    clap.reset();
    window.reset();
  }

  bool Embed() {
    clap::clap_window parent{};
    parent.api = clap::CLAP_WINDOW_API_X11;
    parent.x11 = window->Id();
    return gui->create(plugin, clap::CLAP_WINDOW_API_X11, false) &&
           gui->set_parent(plugin, &parent);
  }
  std::vector<Window> Children() {
    XSync(window->Connection(), False);
    return window->Children();
  }
  std::pair<uint32_t, uint32_t> Size() {
    uint32_t width = 0, height = 0;
    gui->get_size(plugin, &width, &height);
    return {width, height};
  }
  std::pair<int, int> ChildWindowSize() {
    const std::vector<Window> children = Children();
    XWindowAttributes attributes{};
    if (children.size() != 1 ||
        !XGetWindowAttributes(window->Connection(), children[0], &attributes)) {
      return {0, 0};
    }
    return {attributes.width, attributes.height};
  }
  // The gestures in the last call's output events for `id`: "b" begin,
  // "v" value (runs of them as one), "e" end.
  std::string Gestures(clap::clap_id id, double* lastValue) {
    std::string kinds;
    const OutputEvents& out = clap->Out();
    for (uint32_t e = 0; e < out.Size(); ++e) {
      const clap::clap_event_header& header = out.At(e);
      char kind = 0;
      if (header.type == clap::CLAP_EVENT_PARAM_VALUE) {
        const auto& value = out.As<clap::clap_event_param_value>(e);
        if (value.param_id != id) continue;
        *lastValue = value.value;
        kind = 'v';
      } else if (header.type == clap::CLAP_EVENT_PARAM_GESTURE_BEGIN ||
                 header.type == clap::CLAP_EVENT_PARAM_GESTURE_END) {
        if (out.As<clap::clap_event_param_gesture>(e).param_id != id) continue;
        kind = header.type == clap::CLAP_EVENT_PARAM_GESTURE_BEGIN ? 'b' : 'e';
      }
      if (kind != 0 && (kinds.empty() || kinds.back() != kind)) kinds += kind;
    }
    return kinds;
  }
  // Every event of the last call, for a failure's message.
  std::string AllEvents() {
    std::string text;
    const OutputEvents& out = clap->Out();
    for (uint32_t e = 0; e < out.Size(); ++e) {
      const clap::clap_event_header& header = out.At(e);
      text += std::to_string(header.type) + ":" +
              std::to_string(out.As<clap::clap_event_param_gesture>(e).param_id);
      if (header.type == clap::CLAP_EVENT_PARAM_VALUE) {
        text += "=" + std::to_string(out.As<clap::clap_event_param_value>(e).value);
      }
      text += " ";
    }
    return text;
  }
  // Drags the knob up by 20 pixels, the host's loop turning between moves.
  void DragWowUp() {
    const Window editor = Children().at(0);
    ASSERT_TRUE(window->MovePointer(editor, kWowX, kWowY));
    ASSERT_TRUE(window->Button(Button1, true));
    clap->Host().Run(10);
    for (int step = 1; step <= 4; ++step) {
      window->MovePointer(editor, kWowX, kWowY - 5 * step);
      clap->Host().Run(10);
    }
    window->Button(Button1, false);
  }

  std::unique_ptr<TestHostWindow> window;
  std::unique_ptr<ClapHost> clap;
  const clap::clap_plugin_gui* gui = nullptr;
  const clap::clap_plugin* plugin = nullptr;
};

}  // namespace

TEST_F(ClapEditor, EmbedsInX11WindowsAtTheEditorsSize) {
  EXPECT_TRUE(gui->is_api_supported(plugin, clap::CLAP_WINDOW_API_X11, false));
  EXPECT_FALSE(gui->is_api_supported(plugin, clap::CLAP_WINDOW_API_X11, true)) << "floating";
  EXPECT_FALSE(gui->is_api_supported(plugin, clap::CLAP_WINDOW_API_WIN32, false));
  EXPECT_FALSE(gui->is_api_supported(plugin, clap::CLAP_WINDOW_API_WAYLAND, false));
  const char* api = nullptr;
  bool floating = true;
  ASSERT_TRUE(gui->get_preferred_api(plugin, &api, &floating));
  EXPECT_STREQ(api, clap::CLAP_WINDOW_API_X11);
  EXPECT_FALSE(floating);
  EXPECT_FALSE(gui->create(plugin, clap::CLAP_WINDOW_API_X11, true));
  ASSERT_TRUE(gui->create(plugin, clap::CLAP_WINDOW_API_X11, false));
  EXPECT_FALSE(gui->create(plugin, clap::CLAP_WINDOW_API_X11, false)) << "created already";
  uint32_t width = 0, height = 0;
  ASSERT_TRUE(gui->get_size(plugin, &width, &height));
  EXPECT_EQ(width, kWidth);
  EXPECT_EQ(height, kHeight);
  uint32_t w = 300, h = 200;
  EXPECT_TRUE(gui->adjust_size(plugin, &w, &h));
  EXPECT_EQ(w, kWidth);
  EXPECT_EQ(h, kHeight);
  EXPECT_TRUE(gui->set_size(plugin, kWidth, kHeight));
  EXPECT_FALSE(gui->set_size(plugin, kWidth + 1, kHeight));
  gui->destroy(plugin);
}

TEST_F(ClapEditor, FollowsTheHostsScaleAndAsksTheHostForTheNewSize) {
  EXPECT_FALSE(gui->set_scale(plugin, 2.0)) << "no editor created yet";
  EXPECT_FALSE(gui->can_resize(plugin));
  ASSERT_TRUE(gui->create(plugin, clap::CLAP_WINDOW_API_X11, false));
  clap->Host().ForgetCalls();

  EXPECT_TRUE(gui->set_scale(plugin, 1.5));
  EXPECT_EQ(Size(), std::make_pair(1500u, 630u));
  EXPECT_EQ(clap->Host().Calls(), std::vector<std::string>{"gui.request_resize:1500x630"});
  EXPECT_TRUE(gui->set_scale(plugin, 1.5));
  EXPECT_EQ(clap->Host().Calls().size(), 1u) << "no new size, nothing to ask";
  for (double wrong : {0.0, -1.0, std::nan(""), HUGE_VAL}) {
    EXPECT_FALSE(gui->set_scale(plugin, wrong)) << wrong;
  }
  EXPECT_EQ(Size(), std::make_pair(1500u, 630u));

  // A corner drag keeps the editor's proportions, in its own steps.
  EXPECT_TRUE(gui->can_resize(plugin));
  clap::clap_gui_resize_hints hints{};
  ASSERT_TRUE(gui->get_resize_hints(plugin, &hints));
  EXPECT_TRUE(hints.can_resize_horizontally);
  EXPECT_TRUE(hints.can_resize_vertically);
  EXPECT_TRUE(hints.preserve_aspect_ratio);
  EXPECT_EQ(uint64_t{hints.aspect_ratio_width} * kHeight,
            uint64_t{hints.aspect_ratio_height} * kWidth);
  uint32_t w = 1700, h = 900;
  EXPECT_TRUE(gui->adjust_size(plugin, &w, &h));
  EXPECT_EQ(std::make_pair(w, h), std::make_pair(1500u, 630u));
  w = 2100, h = 5000;
  EXPECT_TRUE(gui->adjust_size(plugin, &w, &h));
  EXPECT_EQ(std::make_pair(w, h), std::make_pair(2000u, 840u));
  EXPECT_EQ(Size(), std::make_pair(1500u, 630u)) << "adjusting changes nothing";
  EXPECT_TRUE(gui->set_size(plugin, 2000, 840));
  EXPECT_EQ(Size(), std::make_pair(2000u, 840u));
  EXPECT_FALSE(gui->set_size(plugin, 1700, 900)) << "not one of the editor's sizes";
  EXPECT_EQ(Size(), std::make_pair(1500u, 630u)) << "the fitting one taken";
  EXPECT_EQ(clap->Host().Calls().size(), 1u) << "the host made these sizes: nothing to ask";

  gui->destroy(plugin);
  EXPECT_FALSE(gui->set_scale(plugin, 1.0));
  EXPECT_EQ(clap->Host().Calls().size(), 1u);
  EXPECT_EQ(clap->Host().WrongThreadCalls(), std::vector<std::string>{});
}

TEST_F(ClapEditor, TheChildWindowTakesTheHostsScale) {
  // The scale a host gives between create and set_parent opens the window
  // at that size; one given later resizes it.
  ASSERT_TRUE(gui->create(plugin, clap::CLAP_WINDOW_API_X11, false));
  ASSERT_TRUE(gui->set_scale(plugin, 2.0));
  clap::clap_window parent{};
  parent.api = clap::CLAP_WINDOW_API_X11;
  parent.x11 = window->Id();
  ASSERT_TRUE(gui->set_parent(plugin, &parent));
  EXPECT_EQ(ChildWindowSize(), std::make_pair(2000, 840));
  ASSERT_TRUE(gui->set_scale(plugin, 1.5));
  EXPECT_EQ(ChildWindowSize(), std::make_pair(1500, 630));
  EXPECT_EQ(clap->Host().Count("gui.request_resize:1500x630"), 1);
  clap->Host().Run(50);
  gui->destroy(plugin);
  EXPECT_EQ(clap->Host().WrongThreadCalls(), std::vector<std::string>{});
}

TEST_F(ClapEditor, OpensAChildOfTheHostWindowOnTheHostsTimerAndFd) {
  ASSERT_TRUE(Embed());
  const std::vector<Window> children = Children();
  ASSERT_EQ(children.size(), 1u);
  XWindowAttributes attributes{};
  ASSERT_TRUE(XGetWindowAttributes(window->Connection(), children[0], &attributes));
  EXPECT_EQ(attributes.width, static_cast<int>(kWidth));
  EXPECT_EQ(attributes.height, static_cast<int>(kHeight));
  ASSERT_EQ(clap->Host().Timers().size(), 1u);
  EXPECT_EQ(clap->Host().Timers()[0].periodMs, 20u);
  ASSERT_EQ(clap->Host().Fds().size(), 1u);
  EXPECT_GE(clap->Host().Fds()[0].fd, 0);
  EXPECT_EQ(clap->Host().Fds()[0].flags, clap::CLAP_POSIX_FD_READ);

  // A second parent is refused, and nothing is registered twice.
  TestHostWindow other(kWidth, kHeight);
  clap::clap_window parent{};
  parent.api = clap::CLAP_WINDOW_API_X11;
  parent.x11 = other.Id();
  EXPECT_FALSE(gui->set_parent(plugin, &parent));
  EXPECT_TRUE(other.Children().empty());
  EXPECT_EQ(clap->Host().Timers().size(), 1u);
  EXPECT_EQ(clap->Host().Fds().size(), 1u);

  clap->Host().Run(50);
  EXPECT_GT(clap->Host().TimerCalls(), 0);
  gui->destroy(plugin);
  EXPECT_TRUE(clap->Host().Timers().empty());
  EXPECT_TRUE(clap->Host().Fds().empty());
  EXPECT_TRUE(Children().empty());
  EXPECT_EQ(clap->Host().WrongThreadCalls(), std::vector<std::string>{});
}

TEST_F(ClapEditor, ADragOnAKnobReachesTheHostAsAGestureInTheNextProcess) {
  ASSERT_TRUE(clap->Start(44100.0, 512));
  ASSERT_TRUE(Embed());
  clap->Host().Run(100);
  double before = -1.0;
  ASSERT_TRUE(clap->Params()->get_value(plugin, kWow, &before));
  const int fdCallsBefore = clap->Host().FdCalls();
  clap->Host().ForgetCalls();

  DragWowUp();
  EXPECT_TRUE(clap->Host().RunUntil([&] { return clap->Host().Count("state.mark_dirty") == 1; }))
      << "the end of the gesture marks the session dirty";
  EXPECT_GT(clap->Host().Count("params.request_flush"), 0);
  EXPECT_GT(clap->Host().FdCalls(), fdCallsBefore)
      << "input came in through the watched connection";

  std::vector<float> left(512, 0.0f), right(512, 0.0f);
  float* io[2] = {left.data(), right.data()};
  ASSERT_NE(clap->Process(io, io, 512, nullptr), clap::CLAP_PROCESS_ERROR);
  double sent = -1.0;
  EXPECT_EQ(Gestures(kWow, &sent), "bve") << AllEvents();
  // Knobs are 64 pixels tall with gearing 4: 20 pixels up add 20 / 256 of the range.
  EXPECT_NEAR(sent, before + 100.0 * 20.0 / 256.0, 0.01);
  double now = -1.0;
  ASSERT_TRUE(clap->Params()->get_value(plugin, kWow, &now));
  EXPECT_EQ(now, sent);
  ASSERT_NE(clap->Process(io, io, 512, nullptr), clap::CLAP_PROCESS_ERROR);
  EXPECT_EQ(clap->Out().Size(), 0u) << "each gesture goes out once";

  // Inactive, the gestures go out through the host's flush.
  clap->Stop();
  // Past the editor's double-click time, so that the press starts a new drag.
  clap->Host().Run(500);
  DragWowUp();
  EXPECT_TRUE(clap->Host().RunUntil([&] { return clap->Host().Count("state.mark_dirty") == 2; }));
  clap->ParamsFlush(nullptr);
  EXPECT_EQ(Gestures(kWow, &sent), "bve") << AllEvents();
  gui->destroy(plugin);
  EXPECT_EQ(clap->Host().WrongThreadCalls(), std::vector<std::string>{});
}
