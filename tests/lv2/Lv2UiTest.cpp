// The bundle's user interface as an LV2 host shows it: found through lilv,
// instantiated by suil inside a window of the host's own on a private X
// server, fed port values and driven with the real mouse.
#include <gtest/gtest.h>
#include <suil/suil.h>
#include <lv2/options/options.h>
#include <lv2/ui/ui.h>
// Before the X11 headers, whose macros clash with its names.
#include <lv2/atom/forge.h>

#include <X11/Xlib.h>
#include <stdlib.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <cmath>
#include <thread>
#include <vector>

#include "Lv2TestHost.h"
#include "PageEndBuffer.h"
#include "TestHostWindow.h"
#include "UiHostRecorder.h"
#include "XvfbTest.h"
#include "lv2/EditorMessages.h"
#include <lv2/atom/util.h>

namespace {

constexpr const char* kPluginUri = "urn:ostrelle:kestravon";
// The parameter index of "Wow", as hosts and the settings messages number it.
constexpr size_t kWowIndex = 4;

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

    suilHost = suil_host_new(UiHostRecorder::Write, nullptr, nullptr, nullptr);
    resize = {&recorder, UiHostRecorder::Resize};
    parentFeature = {LV2_UI__parent, host->Handle()};
    idleFeature = {LV2_UI__idleInterface, nullptr};
    resizeFeature = {LV2_UI__resize, &resize};
    mapFeature = {LV2_URID__map, world->MapFeature()};
    optionsFeature = {LV2_OPTIONS__options, options.data()};
    const LV2_Feature* features[] = {&parentFeature, &idleFeature,    &resizeFeature,
                                     &mapFeature,    &optionsFeature, nullptr};
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

  // What a host does between blocks: the editor's port writes and messages
  // go to the plug-in, its replies to the editor; a few rounds, with idle
  // calls between, so that answers to answers arrive too.
  void Shuttle(Lv2Instance& dsp) {
    const uint32_t editorOut = dsp.PortIndex("editor_out");
    const LV2_URID transfer = world->Map(LV2_ATOM__eventTransfer);
    for (int round = 0; round < 4; ++round) {
      Idle(30);
      for (const PortWrite& write : recorder.writes) {
        if (write.protocol == 0) {
          if (float* control = ControlAt(dsp, write.port)) *control = write.value;
        } else if (write.protocol == transfer) {
          dsp.SendEditorMessage(write.bytes);
        }
      }
      recorder.writes.clear();
      std::vector<float> silence(256, 0.0f), left, right;
      dsp.Render(silence, silence, &left, &right, {256});
      for (const std::vector<uint8_t>& reply : dsp.TakeEditorReplies()) {
        suil_instance_port_event(instance, editorOut, static_cast<uint32_t>(reply.size()),
                                 transfer, reply.data());
        ReadSettings(reply);
      }
    }
    Idle(30);
  }

  // The host and the editor agree on "Wow" before a test turns it.
  void StartWithWow(Lv2Instance& dsp, float wow) {
    *dsp.Control("wow") = wow;
    SetPort("wow", wow);
    Shuttle(dsp);
  }

  // A click on the undo button, carried to the processing side and back.
  void ClickUndo(Lv2Instance& dsp) {
    ASSERT_TRUE(host->MovePointer(EditorWindow(), 30, 20));
    ASSERT_TRUE(host->Button(Button1, true));
    Idle(20);
    host->Button(Button1, false);
    Shuttle(dsp);
  }

  float* ControlAt(Lv2Instance& dsp, uint32_t port) {
    const LilvPort* p = lilv_plugin_get_port_by_index(plugin, port);
    if (!p) return nullptr;
    return dsp.Control(lilv_node_as_string(lilv_port_get_symbol(plugin, p)));
  }

  void ReadSettings(const std::vector<uint8_t>& reply) {
    const auto* atom = reinterpret_cast<const LV2_Atom*>(reply.data());
    if (atom->type != world->Map(LV2_ATOM__Object)) return;
    const auto* object = reinterpret_cast<const LV2_Atom_Object*>(atom);
    if (object->body.otype != world->Map(editor_messages::kSettings)) return;
    const LV2_Atom* values = nullptr;
    lv2_atom_object_get(object, world->Map(editor_messages::kValues), &values, 0);
    if (!values) return;
    const auto* vector = reinterpret_cast<const LV2_Atom_Vector*>(values);
    const auto* first = reinterpret_cast<const double*>(&vector->body + 1);
    lastSettings.assign(first, first + (values->size - sizeof(LV2_Atom_Vector_Body)) / sizeof(double));
  }

  // A settings message as the processing side's, but with the values last,
  // so that a values part running past the message's end is still found.
  std::vector<uint8_t> SettingsWithValuesLast(const std::vector<double>& values) {
    std::vector<uint64_t> buffer(64 + values.size());
    LV2_Atom_Forge forge;
    lv2_atom_forge_init(&forge, world->MapFeature());
    lv2_atom_forge_set_buffer(&forge, reinterpret_cast<uint8_t*>(buffer.data()),
                              buffer.size() * sizeof(uint64_t));
    LV2_Atom_Forge_Frame frame;
    const auto* atom = reinterpret_cast<const LV2_Atom*>(
        lv2_atom_forge_object(&forge, &frame, 0, world->Map(editor_messages::kSettings)));
    lv2_atom_forge_key(&forge, world->Map(editor_messages::kAbSelection));
    lv2_atom_forge_int(&forge, 0);
    lv2_atom_forge_key(&forge, world->Map(editor_messages::kValues));
    lv2_atom_forge_vector(&forge, sizeof(double), world->Map(LV2_ATOM__Double),
                          static_cast<uint32_t>(values.size()), values.data());
    lv2_atom_forge_pop(&forge, &frame);
    const auto* bytes = reinterpret_cast<const uint8_t*>(atom);
    return {bytes, bytes + lv2_atom_total_size(atom)};
  }

  // The message in a buffer ending where a page no one may read begins, so
  // that reading past it crashes.
  void Deliver(const std::vector<uint8_t>& message) {
    Lv2Instance probe(*world, plugin, 48000.0);
    suil_instance_port_event(instance, probe.PortIndex("editor_out"),
                             static_cast<uint32_t>(message.size()),
                             world->Map(LV2_ATOM__eventTransfer), pageEnd.Place(message));
    Idle(30);
  }

  std::unique_ptr<Lv2World> world;
  std::vector<double> lastSettings;
  PageEndBuffer pageEnd;
  const LilvPlugin* plugin = nullptr;
  std::unique_ptr<TestHostWindow> host;
  UiHostRecorder recorder;
  SuilHost* suilHost = nullptr;
  SuilInstance* instance = nullptr;
  const LV2UI_Idle_Interface* idle = nullptr;
  LV2UI_Resize resize{};
  LV2_Feature parentFeature{}, idleFeature{}, resizeFeature{}, mapFeature{}, optionsFeature{};
  // The host's options at instantiation: none but the list's end unless a
  // test adds some in front.
  std::vector<LV2_Options_Option> options{LV2_Options_Option{}};
};

TEST_F(Lv2Ui, OpensInsideTheHostWindowAtTheEditorsSize) {
  Open();
  ASSERT_FALSE(HasFatalFailure());
  Idle(100);
  EXPECT_NE(EditorWindow(), 0u);
  EXPECT_EQ(recorder.width, 1000);
  EXPECT_EQ(recorder.height, 420);
}

// A host that scales its windows gives ui:scaleFactor among its options and
// may set a new one later: the editor's window takes the size at once, and
// the host hears it through ui:resize.
class Lv2UiScale : public Lv2Ui {
 protected:
  void SetUp() override {
    // No user zoom of a settings file stands in the host's way.
    const auto none = std::filesystem::temp_directory_path() / "kestravon-no-config";
    setenv("XDG_CONFIG_HOME", none.c_str(), 1);
    Lv2Ui::SetUp();
  }
  void TearDown() override {
    Lv2Ui::TearDown();
    unsetenv("XDG_CONFIG_HOME");
  }

  LV2_Options_Option ScaleOption(const float* factor) {
    return {LV2_OPTIONS_INSTANCE, 0, world->Map(LV2_UI__scaleFactor), sizeof *factor,
            world->Map(LV2_ATOM__Float), factor};
  }
  const LV2_Options_Interface* OptionsInterface() {
    return static_cast<const LV2_Options_Interface*>(
        suil_instance_extension_data(instance, LV2_OPTIONS__interface));
  }
  // The editor window's size as the X server has it.
  std::pair<unsigned, unsigned> EditorSize() {
    Window root;
    int x, y;
    unsigned width = 0, height = 0, border, depth;
    XGetGeometry(host->Connection(), EditorWindow(), &root, &x, &y, &width, &height, &border,
                 &depth);
    return {width, height};
  }
};

TEST_F(Lv2UiScale, TheHostsScaleFactorSizesTheEditorAndANewOneResizesIt) {
  const float twice = 2.0f;
  options.insert(options.begin(), ScaleOption(&twice));
  Open();
  ASSERT_FALSE(HasFatalFailure());
  Idle(50);
  ASSERT_NE(EditorWindow(), 0u);
  EXPECT_EQ(EditorSize(), std::make_pair(2000u, 840u));
  EXPECT_EQ(recorder.width, 2000);
  EXPECT_EQ(recorder.height, 840);

  const LV2_Options_Interface* interface = OptionsInterface();
  ASSERT_NE(interface, nullptr);
  const float smaller = 1.5f;
  const LV2_Options_Option set[] = {ScaleOption(&smaller), LV2_Options_Option{}};
  EXPECT_EQ(interface->set(suil_instance_get_handle(instance), set), LV2_OPTIONS_SUCCESS);
  Idle(50);
  EXPECT_EQ(EditorSize(), std::make_pair(1500u, 630u));
  EXPECT_EQ(recorder.width, 1500);
  EXPECT_EQ(recorder.height, 630);

  LV2_Options_Option get[] = {ScaleOption(nullptr), LV2_Options_Option{}};
  get[0].value = nullptr;
  get[0].size = 0;
  ASSERT_EQ(interface->get(suil_instance_get_handle(instance), get), LV2_OPTIONS_SUCCESS);
  ASSERT_EQ(get[0].size, sizeof(float));
  EXPECT_EQ(*static_cast<const float*>(get[0].value), 1.5f);

  // Nothing the editor can be drawn at changes nothing.
  const float nothing = 0.0f;
  const LV2_Options_Option bad[] = {ScaleOption(&nothing), LV2_Options_Option{}};
  EXPECT_EQ(interface->set(suil_instance_get_handle(instance), bad), LV2_OPTIONS_ERR_BAD_VALUE);
  Idle(20);
  EXPECT_EQ(EditorSize(), std::make_pair(1500u, 630u));
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
  std::vector<PortWrite> values;
  for (const PortWrite& write : recorder.writes) {
    if (write.protocol == 0) values.push_back(write);
  }
  ASSERT_FALSE(values.empty());
  for (const PortWrite& write : values) EXPECT_EQ(write.port, wowPort);
  // Knobs are 64 pixels tall with gearing 4: 20 pixels up add 20 / 256 of the range.
  const float dragged = values.back().value;
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

// The undo button's command goes to the processing side, which keeps the
// history with the settings it plays and sends back what it now plays; the
// editor shows that and writes it to the host's port, so that the host and
// a saved session hold what plays.
TEST_F(Lv2Ui, UndoTravelsToTheProcessingSideAndItsSettingsComeBack) {
  Open();
  ASSERT_FALSE(HasFatalFailure());
  Lv2Instance dsp(*world, plugin, 48000.0);
  ASSERT_TRUE(dsp.Ok());
  StartWithWow(dsp, 25.0f);
  const Rect knob{408, 268, 408 + 64, 268 + 64};
  const std::vector<uint32_t> atStart = host->Pixels(EditorWindow(), knob);

  Drag(EditorWindow(), 440, 300, -20);
  Shuttle(dsp);
  EXPECT_NEAR(*dsp.Control("wow"), 25.0 + 100.0 * 20.0 / 256.0, 1e-3);
  EXPECT_NE(host->Pixels(EditorWindow(), knob), atStart);
  lastSettings.clear();

  ClickUndo(dsp);
  ASSERT_FALSE(HasFatalFailure());
  ASSERT_FALSE(lastSettings.empty()) << "no settings came back from the processing side";
  EXPECT_EQ(lastSettings[kWowIndex], 0.25);
  EXPECT_EQ(host->Pixels(EditorWindow(), knob), atStart);
  EXPECT_EQ(*dsp.Control("wow"), 25.0f);
}

// An undo in the editor, then the session saved and opened again in a new
// instance: it plays what a new instance set to the undone value plays.
TEST_F(Lv2Ui, ASessionSavedAfterAnUndoReopensWhatWasHeard) {
  Open();
  ASSERT_FALSE(HasFatalFailure());
  Lv2Instance dsp(*world, plugin, 48000.0);
  ASSERT_TRUE(dsp.Ok());
  StartWithWow(dsp, 25.0f);
  Drag(EditorWindow(), 440, 300, -20);
  Shuttle(dsp);
  ClickUndo(dsp);
  ASSERT_FALSE(HasFatalFailure());
  LilvState* saved = dsp.SaveState();
  ASSERT_NE(saved, nullptr);

  std::vector<float> in(9600);
  for (size_t i = 0; i < in.size(); ++i) in[i] = 0.3f * std::sin(0.02f * i);
  // Each on a thread of its own, whose random generator starts as a new one.
  auto render = [&](const LilvState* state) {
    std::vector<float> left, right;
    std::thread([&] {
      Lv2Instance plug(*world, plugin, 48000.0);
      if (state) {
        plug.ApplyState(state);
      } else {
        *plug.Control("wow") = 25.0f;
      }
      plug.Render(in, in, &left, &right, {512});
    }).join();
    return left;
  };
  const std::vector<float> reopened = render(saved);
  const std::vector<float> fresh = render(nullptr);
  lilv_state_free(saved);
  EXPECT_EQ(reopened, fresh);
}

// A host carries the editor's writes to the processing side and the
// answers back a cycle later, while the mouse goes on: the knob under it
// goes on from where the drag has taken it, and its port only rises.
TEST_F(Lv2Ui, AKnobUnderTheMouseIsNotMovedBackByTheProcessingSide) {
  Open();
  ASSERT_FALSE(HasFatalFailure());
  Lv2Instance dsp(*world, plugin, 48000.0);
  ASSERT_TRUE(dsp.Ok());
  StartWithWow(dsp, 25.0f);
  recorder.writes.clear();
  const uint32_t wowPort = dsp.PortIndex("wow");
  const uint32_t editorOut = dsp.PortIndex("editor_out");
  const LV2_URID transfer = world->Map(LV2_ATOM__eventTransfer);
  std::vector<float> written;
  std::vector<std::vector<uint8_t>> late;
  ASSERT_TRUE(host->MovePointer(EditorWindow(), 440, 300));
  ASSERT_TRUE(host->Button(Button1, true));
  Idle(20);
  for (int step = 1; step <= 6; ++step) {
    host->MovePointer(EditorWindow(), 440, 300 - 5 * step);
    Idle(20);
    for (const PortWrite& write : recorder.writes) {
      if (write.protocol == 0 && write.port == wowPort) written.push_back(write.value);
      if (write.protocol == 0) {
        if (float* control = ControlAt(dsp, write.port)) *control = write.value;
      } else if (write.protocol == transfer) {
        dsp.SendEditorMessage(write.bytes);
      }
    }
    recorder.writes.clear();
    for (const std::vector<uint8_t>& reply : late) {
      suil_instance_port_event(instance, editorOut, static_cast<uint32_t>(reply.size()), transfer,
                               reply.data());
    }
    std::vector<float> silence(256, 0.0f), left, right;
    dsp.Render(silence, silence, &left, &right, {256});
    late = dsp.TakeEditorReplies();
  }
  host->Button(Button1, false);
  Idle(30);
  ASSERT_EQ(written.size(), 6u);
  for (size_t i = 1; i < written.size(); ++i) EXPECT_GT(written[i], written[i - 1]) << i;
  EXPECT_NEAR(written.back(), 25.0 + 100.0 * 30.0 / 256.0, 1e-3);
}

// The processing side's messages reach the editor through the host's
// buffers; one whose parts claim more than it holds is ignored, not read
// past its end.
TEST_F(Lv2Ui, SettingsMessagesThatDoNotHoldTogetherAreIgnored) {
  Open();
  ASSERT_FALSE(HasFatalFailure());
  Lv2Instance dsp(*world, plugin, 48000.0);
  ASSERT_TRUE(dsp.Ok());
  *dsp.Control("wow") = 60.0f;
  Shuttle(dsp);
  ASSERT_FALSE(lastSettings.empty()) << "the editor did not ask for the settings";
  const std::vector<double> wow60 = lastSettings;
  SetPort("wow", 25.0f);
  Idle(30);
  const Rect knob{408, 268, 408 + 64, 268 + 64};
  const std::vector<uint32_t> at25 = host->Pixels(EditorWindow(), knob);

  const std::vector<uint8_t> whole = SettingsWithValuesLast(wow60);
  const size_t valuesAt = whole.size() - (sizeof(LV2_Atom_Vector) + sizeof(double) * wow60.size());
  std::vector<uint8_t> vectorShorterThanItsHeader = whole;
  reinterpret_cast<LV2_Atom*>(vectorShorterThanItsHeader.data() + valuesAt)->size = 4;
  std::vector<uint8_t> valuesPastTheEnd = whole;
  reinterpret_cast<LV2_Atom*>(valuesPastTheEnd.data())->size -= 8;
  for (const std::vector<uint8_t>* broken : {&vectorShorterThanItsHeader, &valuesPastTheEnd}) {
    Deliver(*broken);
    EXPECT_EQ(host->Pixels(EditorWindow(), knob), at25);
  }
  Deliver(whole);
  // A busy machine may take a few idle calls to draw it.
  for (int wait = 0; wait < 50 && host->Pixels(EditorWindow(), knob) == at25; ++wait) Idle(20);
  EXPECT_NE(host->Pixels(EditorWindow(), knob), at25) << "the whole message was not taken";
}

// Sizes whose sum with a header's wraps to nothing in 32 bits claim that a
// part fits where it does not.
TEST_F(Lv2Ui, SettingsMessagesWhoseSizesWrapAreNotReadPastTheirBuffer) {
  Open();
  ASSERT_FALSE(HasFatalFailure());
  SetPort("wow", 25.0f);
  Idle(30);
  const Rect knob{408, 268, 408 + 64, 268 + 64};
  const std::vector<uint32_t> at25 = host->Pixels(EditorWindow(), knob);

  // 16 bytes, whose object claims 0xFFFFFFF8 bytes of body.
  const LV2_Atom_Object claimsAll{{0xFFFFFFF8u, world->Map(LV2_ATOM__Object)},
                                  {0, world->Map(editor_messages::kSettings)}};
  const auto* claimsAllBytes = reinterpret_cast<const uint8_t*>(&claimsAll);
  // 72 bytes, whole but for a values vector of one double claiming 0xFFFFFFF8 bytes.
  std::vector<uint8_t> valuesClaimAll = SettingsWithValuesLast({0.6});
  ASSERT_EQ(valuesClaimAll.size(), 72u);
  reinterpret_cast<LV2_Atom*>(valuesClaimAll.data() + 48)->size = 0xFFFFFFF8u;
  Deliver(std::vector<uint8_t>(claimsAllBytes, claimsAllBytes + sizeof claimsAll));
  Deliver(valuesClaimAll);
  EXPECT_EQ(host->Pixels(EditorWindow(), knob), at25);

  std::vector<double> wow60(kWowIndex + 1, std::nan(""));
  wow60[kWowIndex] = 0.6;
  Deliver(SettingsWithValuesLast(wow60));
  EXPECT_NE(host->Pixels(EditorWindow(), knob), at25) << "the whole message was not taken";
}

}  // namespace
