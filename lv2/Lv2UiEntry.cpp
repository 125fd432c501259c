// The user-interface binary's one export: the descriptors LV2 hosts look up,
// the editor as an X11 user interface and as a Gtk 3 one.
#include <cstdint>
#include <memory>
#include <string_view>

#include "lv2/Gtk3EditorWidget.h"
#include "lv2/TovraneLv2Ui.h"

namespace {

TovraneLv2Ui* Ui(LV2UI_Handle handle) { return static_cast<TovraneLv2Ui*>(handle); }

LV2UI_Handle Instantiate(const LV2UI_Descriptor*, const char*, const char*,
                         LV2UI_Write_Function write, LV2UI_Controller controller,
                         LV2UI_Widget* widget, const LV2_Feature* const* features) {
  // Nothing may be thrown across the host's C interface.
  try {
    auto* ui = new TovraneLv2Ui(write, controller, features);
    void* window = ui->OpenWidget();
    if (!window) {
      delete ui;
      return nullptr;
    }
    if (widget) *widget = window;
    return ui;
  } catch (...) {
    return nullptr;
  }
}

void Cleanup(LV2UI_Handle handle) {
  Ui(handle)->CloseWidget();
  delete Ui(handle);
}

void PortEvent(LV2UI_Handle handle, uint32_t port, uint32_t size, uint32_t format,
               const void* buffer) {
  Ui(handle)->PortEvent(port, size, format, buffer);
}

int Idle(LV2UI_Handle handle) { return Ui(handle)->IdleAndShowReadout(); }

const LV2UI_Idle_Interface kIdleInterface = {Idle};

// The options interface of a user interface whose handle leads to its
// binding through Of.
template <TovraneLv2Ui& (*Of)(LV2UI_Handle)>
constexpr LV2_Options_Interface kOptionsInterface = {
    [](LV2_Handle handle, LV2_Options_Option* options) { return Of(handle).GetOptions(options); },
    [](LV2_Handle handle, const LV2_Options_Option* options) {
      return Of(handle).SetOptions(options);
    }};

bool Names(const char* uri, const char* name) { return std::string_view(uri ? uri : "") == name; }

TovraneLv2Ui& X11Binding(LV2UI_Handle handle) { return *Ui(handle); }

const void* ExtensionData(const char* uri) {
  if (Names(uri, LV2_UI__idleInterface)) return &kIdleInterface;
  if (Names(uri, LV2_OPTIONS__interface)) return &kOptionsInterface<X11Binding>;
  return nullptr;
}

const LV2UI_Descriptor kDescriptor = {TovraneLv2Ui::kUri, Instantiate, Cleanup, PortEvent,
                                      ExtensionData};

// The editor in a Gtk 3 widget, for Gtk 3 hosts, some of which cannot wrap
// an X11 user interface. Its window opens when the host shows the widget
// and closes when the host takes it down.
class Gtk3Ui final : private Gtk3EditorWidget::Client {
 public:
  Gtk3Ui(LV2UI_Write_Function write, LV2UI_Controller controller,
         const LV2_Feature* const* features)
      : ui(write, controller, features) {}
  ~Gtk3Ui() {
    ui.FollowSize(nullptr);
    widget.reset();
    ui.CloseWidget();
  }

  bool Make() {
    if (!ui.Editor()) return false;
    widget = Gtk3EditorWidget::Create(this, ui.Editor()->Width(), ui.Editor()->Height());
    if (!widget) return false;
    ui.FollowSize([this](int width, int height) { widget->Resize(width, height); });
    ui.ReportSize();
    return true;
  }
  void* Widget() const { return widget->Widget(); }
  TovraneLv2Ui& Ui() { return ui; }

 private:
  bool OpenIn(unsigned long window) override {
    return ui.OpenWidgetIn(reinterpret_cast<void*>(static_cast<std::uintptr_t>(window)));
  }
  void Close() override { ui.CloseWidget(); }
  void Idle() override { ui.IdleAndShowReadout(); }

  TovraneLv2Ui ui;
  std::unique_ptr<Gtk3EditorWidget> widget;
};

Gtk3Ui* GtkUi(LV2UI_Handle handle) { return static_cast<Gtk3Ui*>(handle); }

LV2UI_Handle InstantiateGtk3(const LV2UI_Descriptor*, const char*, const char*,
                             LV2UI_Write_Function write, LV2UI_Controller controller,
                             LV2UI_Widget* widget, const LV2_Feature* const* features) {
  try {
    auto ui = std::make_unique<Gtk3Ui>(write, controller, features);
    if (!ui->Make()) return nullptr;
    if (widget) *widget = ui->Widget();
    return ui.release();
  } catch (...) {
    return nullptr;
  }
}

void CleanupGtk3(LV2UI_Handle handle) { delete GtkUi(handle); }

void PortEventGtk3(LV2UI_Handle handle, uint32_t port, uint32_t size, uint32_t format,
                   const void* buffer) {
  GtkUi(handle)->Ui().PortEvent(port, size, format, buffer);
}

TovraneLv2Ui& Gtk3Binding(LV2UI_Handle handle) { return GtkUi(handle)->Ui(); }

// No idle interface: the widget drives itself, and an idle call before the
// host shows it would find no window and tell the host the editor closed.
const void* ExtensionDataGtk3(const char* uri) {
  if (Names(uri, LV2_OPTIONS__interface)) return &kOptionsInterface<Gtk3Binding>;
  return nullptr;
}

const LV2UI_Descriptor kGtk3Descriptor = {TovraneLv2Ui::kGtk3Uri, InstantiateGtk3, CleanupGtk3,
                                          PortEventGtk3, ExtensionDataGtk3};

}  // namespace

extern "C" LV2_SYMBOL_EXPORT const LV2UI_Descriptor* lv2ui_descriptor(uint32_t index) {
  switch (index) {
    case 0:
      return &kDescriptor;
    case 1:
      return &kGtk3Descriptor;
    default:
      return nullptr;
  }
}
