#include "lv2/IPlugLV2Ui.h"

#include <array>
#include <cmath>
#include <cstring>
#include <mutex>

#include <lv2/atom/util.h>

#include "lv2/AtomWalk.h"
#include "lv2/IPlugLV2.h"
#include "lv2/Lv2Features.h"

IPlugLV2Ui::IPlugLV2Ui(const PlugIdentity& identity, std::span<const int> controlParams,
                       LV2UI_Write_Function write, LV2UI_Controller controller,
                       const LV2_Feature* const* features)
    : IPlugBase(identity),
      controlParams(controlParams.begin(), controlParams.end()),
      write(write),
      controller(controller) {
  parent = FindLv2Feature(features, LV2_UI__parent);
  resize = static_cast<const LV2UI_Resize*>(FindLv2Feature(features, LV2_UI__resize));
  touch = static_cast<const LV2UI_Touch*>(FindLv2Feature(features, LV2_UI__touch));
  auto* map = static_cast<LV2_URID_Map*>(FindLv2Feature(features, LV2_URID__map));
  if (!map) return;
  urids.emplace(map);
  lv2_atom_forge_init(&forge, map);
  scaleFactorKey = map->map(map->handle, LV2_UI__scaleFactor);
  floatType = map->map(map->handle, LV2_ATOM__Float);
  SetOptions(
      static_cast<const LV2_Options_Option*>(FindLv2Feature(features, LV2_OPTIONS__options)));
}

uint32_t IPlugLV2Ui::SetOptions(const LV2_Options_Option* options) {
  const void* value =
      scaleFactorKey ? FindLv2Option(options, scaleFactorKey, floatType, sizeof(float)) : nullptr;
  if (!value) return LV2_OPTIONS_ERR_BAD_KEY;
  float factor;
  std::memcpy(&factor, value, sizeof factor);
  if (!std::isfinite(factor) || factor <= 0.0f) return LV2_OPTIONS_ERR_BAD_VALUE;
  scaleFactor = factor;
  if (Editor()) Editor()->SetHostScale(scaleFactor);
  return LV2_OPTIONS_SUCCESS;
}

uint32_t IPlugLV2Ui::GetOptions(LV2_Options_Option* options) {
  if (!options) return LV2_OPTIONS_ERR_UNKNOWN;
  uint32_t status = LV2_OPTIONS_SUCCESS;
  for (LV2_Options_Option* o = options; o->key || o->value; ++o) {
    if (!scaleFactorKey || o->key != scaleFactorKey || scaleFactor <= 0.0f) {
      status |= LV2_OPTIONS_ERR_BAD_KEY;
      continue;
    }
    o->type = floatType;
    o->size = sizeof scaleFactor;
    o->value = &scaleFactor;
  }
  return status;
}

void IPlugLV2Ui::AttachEditor(IEditorLink* newEditor) {
  IPlugBase::AttachEditor(newEditor);
  if (Editor() && scaleFactor > 0.0f) Editor()->SetHostScale(scaleFactor);
}

// The first report comes when the user interface is made; a size change
// before then is in that report.
void IPlugLV2Ui::EditorSizeChanged() {
  if (!Editor()) return;
  if (sizeFollower) sizeFollower(Editor()->Width(), Editor()->Height());
  if (sizeReported) ReportSize();
}

void IPlugLV2Ui::SendMessage(editor_messages::Kind kind, int32_t parameter) {
  if (!urids || !write) return;
  alignas(8) std::array<uint8_t, 128> buffer{};
  lv2_atom_forge_set_buffer(&forge, buffer.data(), buffer.size());
  const LV2_URID type = kind == editor_messages::Kind::Command  ? urids->command
                        : kind == editor_messages::Kind::Record ? urids->record
                                                                : urids->request;
  LV2_Atom_Forge_Frame object;
  auto* atom = reinterpret_cast<LV2_Atom*>(lv2_atom_forge_object(&forge, &object, 0, type));
  if (kind == editor_messages::Kind::Command) {
    lv2_atom_forge_key(&forge, urids->parameter);
    lv2_atom_forge_int(&forge, parameter);
  }
  lv2_atom_forge_pop(&forge, &object);
  write(controller, EditorInPort(controlParams.size()), lv2_atom_total_size(atom),
        urids->eventTransfer, atom);
}

void IPlugLV2Ui::ReadProcessingMessage(const LV2_Atom* atom) {
  if (!urids || atom->type != urids->atomObject || atom->size < sizeof(LV2_Atom_Object_Body)) {
    return;
  }
  const auto* object = reinterpret_cast<const LV2_Atom_Object*>(atom);
  if (object->body.otype != urids->settings) return;
  // Found only wholly within the message: sizes come from the host's
  // buffer and are not taken on trust.
  const LV2_Atom* values = atom_walk::FindProperty(object, urids->values);
  const LV2_Atom* ab = atom_walk::FindProperty(object, urids->abSelection);
  if (!values || values->type != urids->atomVector ||
      values->size < sizeof(LV2_Atom_Vector_Body)) {
    return;
  }
  if (!ab || ab->type != urids->atomInt || ab->size != sizeof(int32_t)) return;
  const auto* vector = reinterpret_cast<const LV2_Atom_Vector*>(values);
  if (vector->body.child_type != urids->atomDouble || vector->body.child_size != sizeof(double)) {
    return;
  }
  const size_t count = (values->size - sizeof(LV2_Atom_Vector_Body)) / sizeof(double);
  const auto* first = reinterpret_cast<const double*>(&vector->body + 1);
  OnSettingsFromProcessing(std::span<const double>(first, count),
                           reinterpret_cast<const LV2_Atom_Int*>(ab)->body);
}

void* IPlugLV2Ui::OpenWidget() {
  if (!OpenWidgetIn(parent)) return nullptr;
  ReportSize();
  return widget;
}

void* IPlugLV2Ui::OpenWidgetIn(void* window) {
  if (!Editor() || !window) return nullptr;
  widget = Editor()->OpenEditorWindow(window);
  return widget;
}

void IPlugLV2Ui::ReportSize() {
  sizeReported = true;
  if (Editor() && resize) resize->ui_resize(resize->handle, Editor()->Width(), Editor()->Height());
}

void IPlugLV2Ui::CloseWidget() {
  if (Editor() && widget) Editor()->CloseEditorWindow();
  widget = nullptr;
}

void IPlugLV2Ui::PortEvent(uint32_t port, uint32_t size, uint32_t format, const void* buffer) {
  if (urids && format == urids->eventTransfer && port == EditorOutPort(controlParams.size()) &&
      buffer) {
    const auto* atom = static_cast<const LV2_Atom*>(buffer);
    if (atom_walk::FitsIn(atom, size)) ReadProcessingMessage(atom);
    return;
  }
  if (format != 0 || size != sizeof(float) || !buffer || port < kFirstControlPort) return;
  const uint32_t control = port - kFirstControlPort;
  if (control >= controlParams.size()) return;
  const int index = controlParams[control];
  float value;
  std::memcpy(&value, buffer, sizeof value);
  {
    std::lock_guard<std::recursive_mutex> guard(Lock());
    PlugParam* param = GetParam(index);
    if (!param) return;
    param->Set(ParameterValueOfPort(*param, value));
    OnParamChanged(index);
    // Shown, never sent back: the host already has the value.
    if (Editor()) Editor()->SetParameterFromHost(index, param->Value(), false);
  }
}

int IPlugLV2Ui::Idle() {
  if (!Editor() || !widget) return 1;
  Editor()->Idle();
  return 0;
}

void IPlugLV2Ui::NotifyParamValue(int index, double) { WritePort(index); }

void IPlugLV2Ui::BeginParameterEdit(int index) { Touch(index, true); }

void IPlugLV2Ui::EndParameterEdit(int index) { Touch(index, false); }

void IPlugLV2Ui::WritePort(int index) {
  const int port = ControlPortOf(controlParams, index);
  const PlugParam* param = GetParam(index);
  if (port < 0 || !param || !write) return;
  const float value = static_cast<float>(param->Value());
  write(controller, static_cast<uint32_t>(port), sizeof value, 0, &value);
}

// Hosts that record automation want to know when a gesture starts and ends.
void IPlugLV2Ui::Touch(int index, bool grabbed) {
  const int port = ControlPortOf(controlParams, index);
  if (port >= 0 && touch) touch->touch(touch->handle, static_cast<uint32_t>(port), grabbed);
}
