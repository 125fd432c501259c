// The parameters as CLAP hosts list, show and automate them: in each
// parameter's own range, named and written as the VST 2 plug-in shows them.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <mutex>

#include "clap/IPlugCLAP.h"

namespace {

using Guard = std::lock_guard<std::recursive_mutex>;

// The longest value text the plug-in writes.
constexpr int kTextBound = 128;

}  // namespace

PlugParam* IPlugCLAP::HostParam(clap::clap_id id) const {
  return id <= static_cast<clap::clap_id>(INT32_MAX) && IsHostParam(static_cast<int>(id))
             ? GetParam(static_cast<int>(id))
             : nullptr;
}

bool IPlugCLAP::IsHostParam(int index) const {
  return std::find(hostParams.begin(), hostParams.end(), index) != hostParams.end();
}

bool IPlugCLAP::ParamInfo(uint32_t index, clap::clap_param_info* info) {
  if (index >= hostParams.size() || info == nullptr) return false;
  Guard guard(Lock());
  const int param = hostParams[index];
  const PlugParam* p = GetParam(param);
  *info = clap::clap_param_info{};
  info->id = static_cast<clap::clap_id>(param);
  info->flags = clap::CLAP_PARAM_IS_AUTOMATABLE;
  if (p->IsIntegerKind()) info->flags |= clap::CLAP_PARAM_IS_STEPPED;
  if (param == bypassParam) {
    info->flags |= clap::CLAP_PARAM_IS_BYPASS;
  } else if (p->IsIntegerKind()) {
    info->flags |= clap::CLAP_PARAM_IS_ENUM;
  }
  std::snprintf(info->name, sizeof info->name, "%s", p->Name());
  info->min_value = p->Min();
  info->max_value = p->Max();
  info->default_value = p->Default();
  return true;
}

bool IPlugCLAP::ParamValue(clap::clap_id id, double* value) {
  Guard guard(Lock());
  const PlugParam* param = HostParam(id);
  if (param == nullptr || value == nullptr) return false;
  *value = param->Value();
  return true;
}

// The text of the value the parameter would take, as the VST 2 display
// shows it once set.
bool IPlugCLAP::ValueToText(clap::clap_id id, double value, char* text, uint32_t capacity) {
  if (text == nullptr || capacity == 0 || !std::isfinite(value)) return false;
  Guard guard(Lock());
  const PlugParam* param = HostParam(id);
  if (param == nullptr) return false;
  char written[kTextBound] = "";
  param->FormatValue(param->OnGrid(value), false, written, kTextBound, true);
  std::snprintf(text, capacity, "%s", written);
  return true;
}

bool IPlugCLAP::TextToValue(clap::clap_id id, const char* text, double* value) {
  if (text == nullptr || value == nullptr) return false;
  Guard guard(Lock());
  const PlugParam* param = HostParam(id);
  double parsed = 0.0;
  if (param == nullptr || !param->ParseValueText(text, &parsed)) return false;
  *value = param->OnGrid(parsed);
  return true;
}
