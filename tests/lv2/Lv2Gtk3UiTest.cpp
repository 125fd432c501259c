// The bundle's user interface in a host whose windows are Gtk 3 widgets and
// which cannot wrap an X11 user interface, as Debian 12's Audacity 3.2 is:
// it points suil's module folder at an empty name before loading any user
// interface, so that suil finds none of its wrapping modules; it takes the
// first user interface that suil calls supported in a Gtk 3 container; it
// offers the features below; and it calls a user interface's idle only when
// its own event queue runs dry, so the tests here never call it.
#include <gtest/gtest.h>

// After the test framework, whose names the X11 headers' macros clash with.
#include <gdk/gdkx.h>
#include <gtk/gtk.h>
#include <lv2/atom/atom.h>
#include <lv2/buf-size/buf-size.h>
#include <lv2/data-access/data-access.h>
#include <lv2/instance-access/instance-access.h>
#include <lv2/log/log.h>
#include <lv2/options/options.h>
#include <lv2/parameters/parameters.h>
#include <lv2/ui/ui.h>
#include <suil/suil.h>

#include <chrono>
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "Lv2TestHost.h"
#include "TestHostWindow.h"
#include "UiHostRecorder.h"
#include "XvfbServer.h"

// Gtk and its libraries keep what they set up once for the life of the
// process; the sanitizer build's leak checker is told to ignore it.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\nleak:libglib-2.0.so\nleak:libgobject-2.0.so\n"
         "leak:libgtk-3.so\nleak:libgdk-3.so\nleak:libpango\nleak:libcairo.so\n";
}

namespace {

constexpr const char* kPluginUri = "urn:ostrelle:kestravon";
constexpr int kEditorWidth = 1000;
constexpr int kEditorHeight = 420;

// The host's side of two features it offers, by their layouts.
struct UriMap {
  void* data;
  uint32_t (*uri_to_id)(void*, const char*, const char*);
};
struct ExternalUiHost {
  void (*ui_closed)(LV2UI_Controller);
  const char* plugin_human_id;
};

int LogPrintf(LV2_Log_Handle, LV2_URID, const char*, ...) { return 0; }
int LogVPrintf(LV2_Log_Handle, LV2_URID, const char*, va_list) { return 0; }

// One private X server and one Gtk on it for the whole program: Gtk keeps
// its display for the life of the process. False, with a reason, when
// either does not start.
bool StartGtk(std::string* why) {
  static XvfbServer server;
  static std::string error;
  static const bool started = [] {
    if (!server.Start(24, &error)) return false;
    setenv("NO_AT_BRIDGE", "1", 1);
    if (gtk_init_check(nullptr, nullptr)) return true;
    error = "Gtk did not start";
    return false;
  }();
  *why = error;
  return started;
}

class Lv2UiInAGtk3Host : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string why;
    if (!XvfbServer::Installed()) GTEST_SKIP() << "Xvfb is not installed";
    ASSERT_TRUE(StartGtk(&why)) << why;
    g_log_set_default_handler(Complaint, &complaints);
    // As the host sets it before it loads any user interface.
    setenv("SUIL_MODULE_DIR", "", 1);
    world = std::make_unique<Lv2World>(KESTRAVON_LV2_PATH);
    plugin = world->Plugin(kPluginUri);
    ASSERT_NE(plugin, nullptr);
    dsp = std::make_unique<Lv2Instance>(*world, plugin, 44100.0);
    ASSERT_TRUE(dsp->Ok());
    // The test's own connection, to look at the editor and move the mouse.
    probe = std::make_unique<TestHostWindow>(1, 1);
    ASSERT_TRUE(probe->Ok());
  }
  void TearDown() override {
    if (instance) suil_instance_free(instance);
    if (dialog) gtk_widget_destroy(dialog);
    if (suilHost) suil_host_free(suilHost);
    Pump(20);
    unsetenv("SUIL_MODULE_DIR");
    g_log_set_default_handler(g_log_default_handler, nullptr);
    // Gtk warns of what is done to widgets and signals that should not be.
    for (const std::string& complaint : complaints) ADD_FAILURE() << complaint;
  }

  static void Complaint(const gchar* domain, GLogLevelFlags level, const gchar* message,
                        gpointer list) {
    if (level & (G_LOG_LEVEL_ERROR | G_LOG_LEVEL_CRITICAL | G_LOG_LEVEL_WARNING)) {
      static_cast<std::vector<std::string>*>(list)->push_back(std::string(domain ? domain : "") +
                                                              ": " + message);
    }
  }

  // What the host does to show the effect's editor: a dialog holding a
  // realised container, the user interface made with the container as its
  // parent, and its widget packed and shown.
  void Open() {
    dialog = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    GtkWidget* box = gtk_box_new(GTK_ORIENTATION_VERTICAL, 0);
    gtk_container_add(GTK_CONTAINER(dialog), box);
    gtk_widget_realize(box);

    LilvUIs* uis = lilv_plugin_get_uis(plugin);
    LilvNode* container = world->Uri(LV2_UI__Gtk3UI);
    const LilvUI* ui = nullptr;
    const LilvNode* type = nullptr;
    LILV_FOREACH(uis, it, uis) {
      if (lilv_ui_is_supported(lilv_uis_get(uis, it), suil_ui_supported, container, &type)) {
        ui = lilv_uis_get(uis, it);
        break;
      }
    }
    lilv_node_free(container);
    if (!ui) lilv_uis_free(uis);
    ASSERT_NE(ui, nullptr) << "no user interface a Gtk 3 host can show";
    uiType = lilv_node_as_uri(type);
    const std::string uiUri = lilv_node_as_uri(lilv_ui_get_uri(ui));
    const std::string bundle = FilePath(lilv_ui_get_bundle_uri(ui));
    const std::string binary = FilePath(lilv_ui_get_binary_uri(ui));
    lilv_uis_free(uis);

    suilHost = suil_host_new(UiHostRecorder::Write, nullptr, nullptr, nullptr);
    const std::vector<LV2_Feature*> features = AudacityFeatures(box);
    instance = suil_instance_new(suilHost, &recorder, LV2_UI__Gtk3UI, kPluginUri, uiUri.c_str(),
                                 uiType.c_str(), bundle.c_str(), binary.c_str(), features.data());
    ASSERT_NE(instance, nullptr) << "the " << uiType << " user interface in a Gtk 3 container";
    widget = static_cast<GtkWidget*>(suil_instance_get_widget(instance));
    ASSERT_TRUE(GTK_IS_WIDGET(widget));
    gtk_widget_show_all(widget);
    gtk_box_pack_start(GTK_BOX(box), widget, FALSE, FALSE, 0);
    gtk_widget_show_all(dialog);
    Pump(300);
  }

  // Every feature the host offers a user interface, in its order.
  std::vector<LV2_Feature*> AudacityFeatures(GtkWidget* parent) {
    uriMap = {this, [](void* data, const char*, const char* uri) {
                return static_cast<Lv2UiInAGtk3Host*>(data)->world->Map(uri);
              }};
    log = {nullptr, LogPrintf, LogVPrintf};
    const LV2_URID intType = world->Map(LV2_ATOM__Int);
    options = {{LV2_OPTIONS_INSTANCE, 0, world->Map(LV2_BUF_SIZE__sequenceSize), sizeof(int32_t),
                intType, &sequenceSize},
               {LV2_OPTIONS_INSTANCE, 0, world->Map(LV2_BUF_SIZE__minBlockLength), sizeof(int32_t),
                intType, &minBlock},
               {LV2_OPTIONS_INSTANCE, 0, world->Map(LV2_BUF_SIZE__maxBlockLength), sizeof(int32_t),
                intType, &maxBlock},
               {LV2_OPTIONS_INSTANCE, 0, world->Map(LV2_BUF_SIZE__nominalBlockLength),
                sizeof(int32_t), intType, &maxBlock},
               {LV2_OPTIONS_INSTANCE, 0, world->Map(LV2_PARAMETERS__sampleRate), sizeof(float),
                world->Map(LV2_ATOM__Float), &sampleRate},
               {LV2_OPTIONS_INSTANCE, 0, 0, 0, 0, nullptr}};
    if (scaleFactor > 0.0f) options.insert(options.begin(), ScaleOption(&scaleFactor));
    resize = {&recorder, UiHostRecorder::Resize};
    dataAccess = {lilv_instance_get_descriptor(dsp->Instance())->extension_data};
    externalHost = {[](LV2UI_Controller) {}, "Kestravon"};
    features = {
        {LV2_UI__noUserResize, nullptr},
        {LV2_UI__fixedSize, nullptr},
        {LV2_UI__idleInterface, nullptr},
        {LV2_UI_PREFIX "makeResident", nullptr},
        {LV2_BUF_SIZE__boundedBlockLength, nullptr},
        {LV2_BUF_SIZE__fixedBlockLength, nullptr},
        {"http://lv2plug.in/ns/ext/uri-map", &uriMap},
        {LV2_URID__map, world->MapFeature()},
        {LV2_URID__unmap, world->UnmapFeature()},
        {LV2_LOG__log, &log},
        {"http://kxstudio.sf.net/ns/lv2ext/external-ui#Widget", nullptr},
        {LV2_OPTIONS__options, options.data()},
        {LV2_UI__resize, &resize},
        {LV2_DATA_ACCESS_URI, &dataAccess},
        {"http://kxstudio.sf.net/ns/lv2ext/external-ui#Host", &externalHost},
        {"http://lv2plug.in/ns/extensions/ui#external", &externalHost},
        {LV2_INSTANCE_ACCESS_URI, lilv_instance_get_handle(dsp->Instance())},
        {LV2_UI__parent, parent},
    };
    std::vector<LV2_Feature*> list;
    for (LV2_Feature& feature : features) list.push_back(&feature);
    list.push_back(nullptr);
    return list;
  }

  LV2_Options_Option ScaleOption(const float* factor) {
    return {LV2_OPTIONS_INSTANCE, 0, world->Map(LV2_UI__scaleFactor), sizeof *factor,
            world->Map(LV2_ATOM__Float), factor};
  }

  // The host's main loop, and nothing else, for ms milliseconds.
  void Pump(int ms) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    do {
      if (!g_main_context_iteration(nullptr, FALSE)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
      }
    } while (std::chrono::steady_clock::now() < end);
  }

  // The editor's window: the one window of its size inside the dialog's
  // that is not one of the host's own.
  Window EditorWindow() const {
    if (!dialog || !gtk_widget_get_window(dialog)) return 0;
    std::vector<Window> found;
    FindEditorWindows(gdk_x11_window_get_xid(gtk_widget_get_window(dialog)), &found);
    return found.size() == 1 ? found[0] : 0;
  }
  void FindEditorWindows(Window window, std::vector<Window>* found) const {
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(probe->Connection(), window, &root, &parent, &children, &count)) return;
    for (unsigned int i = 0; i < count; ++i) {
      XWindowAttributes attributes;
      const bool gtks = gdk_x11_window_lookup_for_display(gdk_display_get_default(), children[i]);
      if (!gtks && XGetWindowAttributes(probe->Connection(), children[i], &attributes) &&
          attributes.width == kEditorWidth && attributes.height == kEditorHeight &&
          attributes.map_state == IsViewable) {
        found->push_back(children[i]);
      }
      FindEditorWindows(children[i], found);
    }
    if (children) XFree(children);
  }

  void SetPort(const char* symbol, float value) {
    suil_instance_port_event(instance, dsp->PortIndex(symbol), sizeof value, 0, &value);
  }

  std::unique_ptr<Lv2World> world;
  const LilvPlugin* plugin = nullptr;
  std::unique_ptr<Lv2Instance> dsp;
  std::unique_ptr<TestHostWindow> probe;
  GtkWidget* dialog = nullptr;
  GtkWidget* widget = nullptr;
  std::string uiType;
  UiHostRecorder recorder;
  std::vector<std::string> complaints;
  SuilHost* suilHost = nullptr;
  SuilInstance* instance = nullptr;

  UriMap uriMap{};
  LV2_Log_Log log{};
  int32_t sequenceSize = 8192, minBlock = 1, maxBlock = 1024;
  float sampleRate = 44100.0f;
  // The host's ui:scaleFactor, offered when above 0.
  float scaleFactor = 0.0f;
  std::vector<LV2_Options_Option> options;
  LV2UI_Resize resize{};
  LV2_Extension_Data_Feature dataAccess{};
  ExternalUiHost externalHost{};
  std::vector<LV2_Feature> features;
};

// The knob under the mouse turns with no idle call from the host, and the
// port write the host gets carries the dragged value.
TEST_F(Lv2UiInAGtk3Host, TheEditorAppearsInTheDialogAndItsKnobsTurn) {
  Open();
  ASSERT_FALSE(HasFatalFailure());
  EXPECT_EQ(recorder.width, kEditorWidth);
  EXPECT_EQ(recorder.height, kEditorHeight);
  GtkAllocation allocation;
  gtk_widget_get_allocation(widget, &allocation);
  EXPECT_EQ(allocation.width, kEditorWidth);
  EXPECT_EQ(allocation.height, kEditorHeight);
  const Window editor = EditorWindow();
  ASSERT_NE(editor, 0u) << "no editor window in the dialog";

  const Rect knob{408, 268, 408 + 64, 268 + 64};
  const std::vector<uint32_t> atZero = probe->Pixels(editor, knob);
  SetPort("wow", 25.0f);
  Pump(100);
  EXPECT_NE(probe->Pixels(editor, knob), atZero) << "the host's value did not reach the knob";

  recorder.writes.clear();
  ASSERT_TRUE(probe->MovePointer(editor, 440, 300));
  ASSERT_TRUE(probe->Button(Button1, true));
  Pump(40);
  for (int step = 1; step <= 4; ++step) {
    probe->MovePointer(editor, 440, 300 - 5 * step);
    Pump(40);
  }
  probe->Button(Button1, false);
  Pump(100);
  std::vector<float> wow;
  for (const PortWrite& write : recorder.writes) {
    if (write.protocol == 0 && write.port == dsp->PortIndex("wow")) wow.push_back(write.value);
  }
  ASSERT_FALSE(wow.empty()) << "the drag wrote no port";
  // Knobs are 64 pixels tall with gearing 4: 20 pixels up add 20 / 256 of the range.
  EXPECT_NEAR(wow.back(), 25.0 + 100.0 * 20.0 / 256.0, 1e-3);
}

// A host that scales its windows: the widget asks the dialog's layout for
// the editor's size at the host's factor, and for the new one when the host
// sets another, as ui:resize tells the host too.
TEST_F(Lv2UiInAGtk3Host, TheWidgetFollowsTheHostsScaleFactor) {
  const auto none = std::filesystem::temp_directory_path() / "kestravon-no-config";
  setenv("XDG_CONFIG_HOME", none.c_str(), 1);
  scaleFactor = 2.0f;
  Open();
  ASSERT_FALSE(HasFatalFailure());
  auto requested = [&] {
    int width = 0, height = 0;
    gtk_widget_get_size_request(widget, &width, &height);
    return std::make_pair(width, height);
  };
  EXPECT_EQ(requested(), std::make_pair(2000, 840));
  EXPECT_EQ(std::make_pair(recorder.width, recorder.height), std::make_pair(2000, 840));

  const auto* interface = static_cast<const LV2_Options_Interface*>(
      suil_instance_extension_data(instance, LV2_OPTIONS__interface));
  ASSERT_NE(interface, nullptr);
  const float smaller = 1.5f;
  const LV2_Options_Option set[] = {ScaleOption(&smaller), {}};
  EXPECT_EQ(interface->set(suil_instance_get_handle(instance), set), LV2_OPTIONS_SUCCESS);
  Pump(100);
  EXPECT_EQ(requested(), std::make_pair(1500, 630));
  EXPECT_EQ(std::make_pair(recorder.width, recorder.height), std::make_pair(1500, 630));
  unsetenv("XDG_CONFIG_HOME");
}

// Closing the dialog destroys the widget while the user interface lives
// on: it still hears the host's values, and is then freed without touching
// what Gtk has destroyed (no crash, no complaint from Gtk).
TEST_F(Lv2UiInAGtk3Host, ClosingTheDialogFirstLeavesTheUserInterfaceToBeFreed) {
  Open();
  ASSERT_FALSE(HasFatalFailure());
  ASSERT_NE(EditorWindow(), 0u);
  gtk_widget_destroy(dialog);
  dialog = nullptr;
  Pump(100);
  SetPort("wow", 40.0f);
  Pump(50);
  suil_instance_free(instance);
  instance = nullptr;
  Pump(50);
  EXPECT_TRUE(complaints.empty());
}

// Freed while the dialog stays open, the user interface takes its window out
// of the dialog and stops working on it.
TEST_F(Lv2UiInAGtk3Host, FreedWhileTheDialogIsOpenItsWindowLeavesTheDialog) {
  Open();
  ASSERT_FALSE(HasFatalFailure());
  ASSERT_NE(EditorWindow(), 0u);
  suil_instance_free(instance);
  instance = nullptr;
  Pump(100);
  EXPECT_EQ(EditorWindow(), 0u);
}

}  // namespace
