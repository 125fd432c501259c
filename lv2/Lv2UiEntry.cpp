// The user-interface binary's one export: the descriptor LV2 hosts look up.
#include <string_view>

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

const void* ExtensionData(const char* uri) {
  if (std::string_view(uri ? uri : "") == LV2_UI__idleInterface) return &kIdleInterface;
  return nullptr;
}

const LV2UI_Descriptor kDescriptor = {TovraneLv2Ui::kUri, Instantiate, Cleanup, PortEvent,
                                      ExtensionData};

}  // namespace

extern "C" LV2_SYMBOL_EXPORT const LV2UI_Descriptor* lv2ui_descriptor(uint32_t index) {
  return index == 0 ? &kDescriptor : nullptr;
}
