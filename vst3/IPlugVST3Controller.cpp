// The edit controller: the parameters and programs as hosts list, show and
// automate them, and the editor's gestures sent to the host.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <mutex>
#include <new>

#include "vst3/FixedText.h"
#include "vst3/IPlugVST3.h"
#include "vst3/Vst3EditorView.h"

namespace {

using Guard = std::lock_guard<std::recursive_mutex>;

// The longest text a parameter's value or name is written into.
constexpr int kTextBound = 128;
constexpr const char* kProgramParamTitle = "Program";
constexpr const char* kProgramListName = "Factory programs";
constexpr const char* kRootUnitName = "Root";

// A host's text as the plug-in's own: ASCII only, since every value text
// the plug-in writes or reads is ASCII. False for any other character.
bool AsciiOf(const vst3::TChar* text, char (&into)[kTextBound]) {
  if (text == nullptr) return false;
  int i = 0;
  for (; text[i] != 0; ++i) {
    if (i + 1 >= kTextBound || text[i] > 0x7F) return false;
    into[i] = static_cast<char>(text[i]);
  }
  into[i] = '\0';
  return true;
}

}  // namespace

PlugParam* IPlugVST3::HostParam(vst3::ParamID id) const {
  return IsHostParam(static_cast<int>(id)) ? GetParam(static_cast<int>(id)) : nullptr;
}

bool IPlugVST3::IsHostParam(int index) const {
  return std::find(hostParams.begin(), hostParams.end(), index) != hostParams.end();
}

double IPlugVST3::ProgramToNormalized(int program) const {
  const int last = ProgramCount() - 1;
  return last > 0 ? static_cast<double>(program) / last : 0.0;
}

int IPlugVST3::ProgramOfNormalized(double normalized) const {
  const int last = ProgramCount() - 1;
  return std::clamp(static_cast<int>(std::floor(normalized * last + 0.5)), 0, std::max(last, 0));
}

// Hosts send the program's value again and again (with every value of an
// automation lane, say); only a different program is loaded.
void IPlugVST3::SwitchProgram(int program) {
  if (program != CurrentPreset()) SwitchPreset(program);
}

vst3::int32 IPlugVST3::getParameterCount() {
  return static_cast<vst3::int32>(hostParams.size()) + 1;
}

vst3::tresult IPlugVST3::getParameterInfo(vst3::int32 paramIndex, vst3::ParameterInfo& info) {
  const vst3::int32 count = static_cast<vst3::int32>(hostParams.size());
  if (paramIndex < 0 || paramIndex > count) return vst3::kInvalidArgument;
  Guard guard(Lock());
  info.unitId = vst3::kRootUnitId;
  if (paramIndex == count) {
    info.id = kProgramParamId;
    kestravon_vst3::CopyText(info.title, kProgramParamTitle);
    kestravon_vst3::CopyText(info.shortTitle, kProgramParamTitle);
    kestravon_vst3::CopyText(info.units, "");
    info.stepCount = std::max(ProgramCount() - 1, 0);
    info.defaultNormalizedValue = 0.0;
    info.flags = vst3::ParameterInfo::kCanAutomate | vst3::ParameterInfo::kIsList |
                 vst3::ParameterInfo::kIsProgramChange;
    return vst3::kResultOk;
  }
  const int index = hostParams[static_cast<size_t>(paramIndex)];
  const PlugParam* param = GetParam(index);
  info.id = static_cast<vst3::ParamID>(index);
  kestravon_vst3::CopyText(info.title, param->Name());
  kestravon_vst3::CopyText(info.shortTitle, param->Name());
  kestravon_vst3::CopyText(info.units, param->UnitLabel());
  info.stepCount =
      param->IsIntegerKind() ? static_cast<vst3::int32>(std::lround(param->Max() - param->Min())) : 0;
  info.defaultNormalizedValue = param->ToNormalized(param->Default());
  info.flags = vst3::ParameterInfo::kCanAutomate;
  if (index == bypassParam) {
    info.flags |= vst3::ParameterInfo::kIsBypass;
  } else if (param->IsIntegerKind()) {
    info.flags |= vst3::ParameterInfo::kIsList;
  }
  return vst3::kResultOk;
}

vst3::tresult IPlugVST3::getParamStringByValue(vst3::ParamID id, vst3::ParamValue valueNormalized,
                                               vst3::String128 string) {
  if (string == nullptr || !std::isfinite(valueNormalized)) return vst3::kInvalidArgument;
  const double normalized = std::clamp(valueNormalized, 0.0, 1.0);
  Guard guard(Lock());
  if (id == kProgramParamId) {
    kestravon_vst3::CopyText(string, 128, PresetNameAt(ProgramOfNormalized(normalized)));
    return vst3::kResultOk;
  }
  const PlugParam* param = HostParam(id);
  if (param == nullptr) return vst3::kInvalidArgument;
  // The text of the value the parameter would take, as the VST 2 display
  // shows it once set.
  char text[kTextBound] = "";
  param->FormatValue(param->ValueOfNormalized(normalized), false, text, kTextBound, true);
  kestravon_vst3::CopyText(string, 128, text);
  return vst3::kResultOk;
}

vst3::tresult IPlugVST3::getParamValueByString(vst3::ParamID id, vst3::TChar* string,
                                               vst3::ParamValue& valueNormalized) {
  char text[kTextBound];
  if (!AsciiOf(string, text)) return vst3::kResultFalse;
  Guard guard(Lock());
  if (id == kProgramParamId) {
    for (int p = 0; p < ProgramCount(); ++p) {
      if (std::strcmp(PresetNameAt(p), text) == 0) {
        valueNormalized = ProgramToNormalized(p);
        return vst3::kResultOk;
      }
    }
    return vst3::kResultFalse;
  }
  const PlugParam* param = HostParam(id);
  double plain = 0.0;
  if (param == nullptr || !param->ParseValueText(text, &plain)) return vst3::kResultFalse;
  valueNormalized = std::clamp(param->ToNormalized(plain), 0.0, 1.0);
  return vst3::kResultOk;
}

vst3::ParamValue IPlugVST3::normalizedParamToPlain(vst3::ParamID id,
                                                   vst3::ParamValue valueNormalized) {
  Guard guard(Lock());
  if (id == kProgramParamId) return ProgramOfNormalized(valueNormalized);
  const PlugParam* param = HostParam(id);
  if (param == nullptr || !std::isfinite(valueNormalized)) return 0.0;
  return param->ValueOfNormalized(valueNormalized);
}

vst3::ParamValue IPlugVST3::plainParamToNormalized(vst3::ParamID id, vst3::ParamValue plainValue) {
  Guard guard(Lock());
  if (id == kProgramParamId) return ProgramToNormalized(static_cast<int>(std::lround(plainValue)));
  const PlugParam* param = HostParam(id);
  return param != nullptr ? param->ToNormalized(plainValue) : 0.0;
}

vst3::ParamValue IPlugVST3::getParamNormalized(vst3::ParamID id) {
  Guard guard(Lock());
  if (id == kProgramParamId) return ProgramToNormalized(CurrentPreset());
  const PlugParam* param = HostParam(id);
  return param != nullptr ? param->ToNormalized() : 0.0;
}

// The controller's values are the plug-in's own, so a host that sets one
// here (its own slider, say) sets what is played as well.
vst3::tresult IPlugVST3::setParamNormalized(vst3::ParamID id, vst3::ParamValue value) {
  if (!std::isfinite(value)) return vst3::kInvalidArgument;
  const double normalized = std::clamp(value, 0.0, 1.0);
  Guard guard(Lock());
  if (id == kProgramParamId) {
    SwitchProgram(ProgramOfNormalized(normalized));
    return vst3::kResultOk;
  }
  if (HostParam(id) == nullptr) return vst3::kInvalidArgument;
  SetParameterFromHost(static_cast<int>(id), normalized);
  return vst3::kResultOk;
}

vst3::IPlugView* IPlugVST3::createView(vst3::FIDString name) {
  if (name == nullptr || std::strcmp(name, vst3::ViewType::kEditor) != 0) return nullptr;
  if (Editor() == nullptr) return nullptr;
  try {
    return new kestravon_vst3::Vst3EditorView(*this, Unknown(), framedView);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

void IPlugVST3::EditorSizeChanged() {
  if (framedView != nullptr) framedView->EditorSizeChanged();
}

vst3::tresult IPlugVST3::getUnitInfo(vst3::int32 unitIndex, vst3::UnitInfo& info) {
  if (unitIndex != 0) return vst3::kInvalidArgument;
  info.id = vst3::kRootUnitId;
  info.parentUnitId = vst3::kNoParentUnitId;
  kestravon_vst3::CopyText(info.name, kRootUnitName);
  info.programListId = kProgramListId;
  return vst3::kResultOk;
}

vst3::tresult IPlugVST3::getProgramListInfo(vst3::int32 listIndex, vst3::ProgramListInfo& info) {
  if (listIndex != 0) return vst3::kInvalidArgument;
  info.id = kProgramListId;
  kestravon_vst3::CopyText(info.name, kProgramListName);
  info.programCount = ProgramCount();
  return vst3::kResultOk;
}

vst3::tresult IPlugVST3::getProgramName(vst3::ProgramListID listId, vst3::int32 programIndex,
                                        vst3::String128 name) {
  if (listId != kProgramListId || name == nullptr || programIndex < 0 ||
      programIndex >= ProgramCount()) {
    return vst3::kInvalidArgument;
  }
  Guard guard(Lock());
  kestravon_vst3::CopyText(name, 128, PresetNameAt(programIndex));
  return vst3::kResultOk;
}

vst3::tresult IPlugVST3::selectUnit(vst3::UnitID unitId) {
  return unitId == vst3::kRootUnitId ? vst3::kResultOk : vst3::kInvalidArgument;
}

vst3::tresult IPlugVST3::getUnitByBus(vst3::MediaType type, vst3::BusDirection /*dir*/,
                                      vst3::int32 busIndex, vst3::int32 /*channel*/,
                                      vst3::UnitID& unitId) {
  if (type != vst3::kAudio || busIndex != 0) return vst3::kInvalidArgument;
  unitId = vst3::kRootUnitId;
  return vst3::kResultOk;
}

// The editor's gestures, on the host's main thread and outside the lock.
// While one holds a parameter, the host's echo of it is not taken back.
// Hosts see every edit inside a gesture: a value the editor sets outside
// one (a double-click back to the default, a turn of the wheel) is sent as
// a gesture of its own, and a gesture's end closes only a gesture the host
// was told of.
void IPlugVST3::BeginParameterEdit(int index) {
  if (!IsHostParam(index)) return;
  heldByEditor[static_cast<size_t>(index)].store(true, std::memory_order_relaxed);
  if (handler != nullptr) handler->beginEdit(static_cast<vst3::ParamID>(index));
}

void IPlugVST3::NotifyParamValue(int index, double normalized) {
  if (!IsHostParam(index)) return;
  const bool inGesture = heldByEditor[static_cast<size_t>(index)].load(std::memory_order_relaxed);
  if (!inGesture) BeginParameterEdit(index);
  if (handler != nullptr) handler->performEdit(static_cast<vst3::ParamID>(index), normalized);
  if (!inGesture) EndParameterEdit(index);
}

void IPlugVST3::EndParameterEdit(int index) {
  if (!IsHostParam(index)) return;
  if (!heldByEditor[static_cast<size_t>(index)].exchange(false, std::memory_order_relaxed)) return;
  if (handler != nullptr) handler->endEdit(static_cast<vst3::ParamID>(index));
}
