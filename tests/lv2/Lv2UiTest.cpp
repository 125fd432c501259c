// The bundle's user interface as an LV2 host shows it: found through lilv,
// instantiated by suil inside a window of the host's own on a private X
// server, fed port values and driven with the real mouse.
#include <gtest/gtest.h>
#include <suil/suil.h>
#include <lv2/ui/ui.h>

#include <chrono>
#include <memory>
#include <string>
#include <cmath>
#include <thread>
#include <vector>

#include "Lv2TestHost.h"
#include "TestHostWindow.h"
#include "XvfbTest.h"

namespace {

constexpr const char* kPluginUri = "urn:ostrelle:kestravon";

struct PortWrite {
  uint32_t port;
  uint32_t protocol;
  float value;
};

// What the host hears from the user interface.
struct Recorder {
  std::vector<PortWrite> writes;
  int width = 0;
  int height = 0;

  static void Write(SuilController controller, uint32_t port, uint32_t size, uint32_t protocol,
                    const void* buffer) {
    auto* self = static_cast<Recorder*>(controller);
    if (size != sizeof(float)) return;
    self->writes.push_back({port, protocol, *static_cast<const float*>(buffer)});
  }
  static int Resize(LV2UI_Feature_Handle handle, int w, int h) {
    auto* self = static_cast<Recorder*>(handle);
    self->width = w;
    self->height = h;
    return 0;
  }
};

std::string FilePath(const LilvNode* uri) {
  char* path = lilv_file_uri_parse(lilv_node_as_uri(uri), nullptr);
  std::string text = path ? path : "";
  lilv_free(path);
  return text;
}

class Lv2Ui : public XvfbTest {
 protected:
  void SetUp() override {
    XvfbTest::SetUp();
    if (HasFatalFailure() || IsSkipped()) return;
    world = std::make_unique<Lv2World>(KESTRAVON_LV2_PATH);
    plugin = world->Plugin(kPluginUri);
    ASSERT_NE(plugin, nullptr);
    host = std::make_unique<TestHostWindow>(1000, 420);
    ASSERT_TRUE(host->Ok());
  }
  void TearDown() override {
    if (instance) suil_instance_free(instance);
    if (suilHost) suil_host_free(suilHost);
    host.reset();
  }

  // The plug-in's X11 user interface, as lilv describes it.
  const LilvUI* X11Ui(LilvUIs* uis) {
    LilvNode* x11 = world->Uri(LV2_UI__X11UI);
    const LilvUI* found = nullptr;
    LILV_FOREACH(uis, it, uis) {
      const LilvUI* ui = lilv_uis_get(uis, it);
      if (lilv_ui_is_a(ui, x11)) found = ui;
    }
    lilv_node_free(x11);
    return found;
  }

  void Open() {
    LilvUIs* uis = lilv_plugin_get_uis(plugin);
    const LilvUI* ui = X11Ui(uis);
    ASSERT_NE(ui, nullptr) << "no X11 user interface in the bundle";
    const std::string uiUri = lilv_node_as_uri(lilv_ui_get_uri(ui));
    const std::string bundle = FilePath(lilv_ui_get_bundle_uri(ui));
    const std::string binary = FilePath(lilv_ui_get_binary_uri(ui));
    lilv_uis_free(uis);

    suilHost = suil_host_new(Recorder::Write, nullptr, nullptr, nullptr);
    resize = {&recorder, Recorder::Resize};
    parentFeature = {LV2_UI__parent, host->Handle()};
    idleFeature = {LV2_UI__idleInterface, nullptr};
    resizeFeature = {LV2_UI__resize, &resize};
    mapFeature = {LV2_URID__map, world->MapFeature()};
    const LV2_Feature* features[] = {&parentFeature, &idleFeature, &resizeFeature, &mapFeature,
                                     nullptr};
    instance = suil_instance_new(suilHost, &recorder, LV2_UI__X11UI, kPluginUri, uiUri.c_str(),
                                 LV2_UI__X11UI, bundle.c_str(), binary.c_str(), features);
    ASSERT_NE(instance, nullptr);
    idle = static_cast<const LV2UI_Idle_Interface*>(
        suil_instance_extension_data(instance, LV2_UI__idleInterface));
    ASSERT_NE(idle, nullptr);
  }

  void SetPort(const char* symbol, float value) {
    Lv2Instance probe(*world, plugin, 48000.0);
    suil_instance_port_event(instance, probe.PortIndex(symbol), sizeof value, 0, &value);
  }

  void Idle(int ms) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    do {
      EXPECT_EQ(idle->idle(suil_instance_get_handle(instance)), 0);
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    } while (std::chrono::steady_clock::now() < end);
    XSync(host->Connection(), False);
  }

  Window EditorWindow() const {
    const std::vector<Window> children = host->Children();
    return children.size() == 1 ? children[0] : 0;
  }

  void Drag(Window window, int x, int y, int dy) {
    ASSERT_TRUE(host->MovePointer(window, x, y));
    ASSERT_TRUE(host->Button(Button1, true));
    Idle(20);
    for (int step = 1; step <= 4; ++step) {
      host->MovePointer(window, x, y + dy * step / 4);
      Idle(20);
    }
    host->Button(Button1, false);
    Idle(100);
  }

  std::unique_ptr<Lv2World> world;
  const LilvPlugin* plugin = nullptr;
  std::unique_ptr<TestHostWindow> host;
  Recorder recorder;
  SuilHost* suilHost = nullptr;
  SuilInstance* instance = nullptr;
  const LV2UI_Idle_Interface* idle = nullptr;
  LV2UI_Resize resize{};
  LV2_Feature parentFeature{}, idleFeature{}, resizeFeature{}, mapFeature{};
};

TEST_F(Lv2Ui, OpensInsideTheHostWindowAtTheEditorsSize) {
  Open();
  ASSERT_FALSE(HasFatalFailure());
  Idle(100);
  EXPECT_NE(EditorWindow(), 0u);
  EXPECT_EQ(recorder.width, 1000);
  EXPECT_EQ(recorder.height, 420);
}

// The host's value reaches the knob, the drag turns it from there, and the
// port write the host gets changes what the plug-in plays.
TEST_F(Lv2Ui, DraggingAKnobWritesItsPortAndThePluginFollows) {
  Open();
  ASSERT_FALSE(HasFatalFailure());
  SetPort("wow", 25.0f);
  Idle(100);
  recorder.writes.clear();
  Drag(EditorWindow(), 440, 300, -20);

  Lv2Instance dsp(*world, plugin, 48000.0);
  const uint32_t wowPort = dsp.PortIndex("wow");
  ASSERT_FALSE(recorder.writes.empty());
  for (const PortWrite& write : recorder.writes) {
    EXPECT_EQ(write.port, wowPort);
    EXPECT_EQ(write.protocol, 0u);
  }
  // Knobs are 64 pixels tall with gearing 4: 20 pixels up add 20 / 256 of the range.
  const float dragged = recorder.writes.back().value;
  EXPECT_NEAR(dragged, 25.0 + 100.0 * 20.0 / 256.0, 1e-3);

  std::vector<float> in(4800);
  for (size_t i = 0; i < in.size(); ++i) in[i] = 0.3f * std::sin(0.02f * i);
  std::vector<float> beforeL, beforeR, afterL, afterR;
  *dsp.Control("wow") = 25.0f;
  dsp.Render(in, in, &beforeL, &beforeR, {4800});
  Lv2Instance moved(*world, plugin, 48000.0);
  *moved.Control("wow") = dragged;
  moved.Render(in, in, &afterL, &afterR, {4800});
  EXPECT_NE(beforeL, afterL);
}

}  // namespace
