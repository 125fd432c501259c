#include "tools/render/ParameterSetter.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "tools/render/PluginHost.h"
#include "tools/render/TextCompare.h"

namespace {

constexpr int kSearchSteps = 1000;
constexpr int kRefineSteps = 40;

}  // namespace

bool ParameterSetter::Apply(const std::string& assignment, std::string* error) {
  const size_t equals = assignment.find('=');
  if (equals == std::string::npos) {
    *error = "--set needs NAME=VALUE, got '" + assignment + "'";
    return false;
  }
  const std::string name = Trim(assignment.substr(0, equals));
  const std::string value = Trim(assignment.substr(equals + 1));
  ParameterCatalog catalog(host);
  const int index = catalog.Find(name);
  if (index < 0) {
    *error = "unknown parameter '" + name + "'; the parameters are " + catalog.NameList();
    return false;
  }
  if (value.empty()) {
    *error = "no value given for '" + name + "'";
    return false;
  }
  if (value.rfind("n:", 0) == 0) return SetNormalized(index, value.substr(2), error);
  if (SetValue(catalog.Values(index), index, value, error)) return true;
  *error = "--set " + assignment + ": " + *error;
  return false;
}

bool ParameterSetter::SetNormalized(int index, const std::string& text, std::string* error) {
  double normalized = 0.0;
  std::string numberText, rest;
  if (!ReadNumber(text, &normalized, &numberText, &rest) || !rest.empty() ||
      !(normalized >= 0.0 && normalized <= 1.0)) {
    *error = "normalised value for '" + host.ParamName(index) +
             "' must be a number from 0 to 1, got '" + text + "'";
    return false;
  }
  host.SetParam(index, static_cast<float>(normalized));
  return true;
}

bool ParameterSetter::SetValue(const ParameterValues& values, int index, const std::string& value,
                               std::string* error) {
  const ParameterTarget target = values.Match(value);
  switch (target.kind) {
    case ParameterTarget::Kind::kNormalized:
      host.SetParam(index, static_cast<float>(target.normalized));
      return true;
    case ParameterTarget::Kind::kNumber:
      if (host.SetParamFromText(index, target.text) || SearchDisplay(index, target.text)) {
        return true;
      }
      break;
    case ParameterTarget::Kind::kPluginText:
      if (host.SetParamFromText(index, target.text)) return true;
      *error = "the plug-in does not read '" + value + "' (n:0 to 1 sets the normalised value)";
      return false;
    case ParameterTarget::Kind::kRefused:
      break;
  }
  *error = Trim(host.ParamName(index)) + " takes " + values.Text();
  return false;
}

bool ParameterSetter::SearchDisplay(int index, const std::string& value) {
  const float original = host.GetParam(index);
  double bestDistance = std::numeric_limits<double>::infinity();
  int bestStep = -1;
  for (int step = 0; step <= kSearchSteps; ++step) {
    host.SetParam(index, static_cast<float>(step) / kSearchSteps);
    const double distance = Distance(host.ParamDisplay(index), value);
    if (distance < bestDistance) {
      bestDistance = distance;
      bestStep = step;
    }
  }
  if (bestStep < 0) {
    host.SetParam(index, original);
    return false;
  }
  // Narrow down between the neighbours of the best step, assuming the
  // display is monotonic there.
  double low = std::max(0, bestStep - 1) / static_cast<double>(kSearchSteps);
  double high = std::min(kSearchSteps, bestStep + 1) / static_cast<double>(kSearchSteps);
  double best = bestStep / static_cast<double>(kSearchSteps);
  for (int i = 0; i < kRefineSteps && bestDistance > 0.0; ++i) {
    const double lowerMid = low + (high - low) / 3.0;
    const double upperMid = high - (high - low) / 3.0;
    host.SetParam(index, static_cast<float>(lowerMid));
    const double lowerDistance = Distance(host.ParamDisplay(index), value);
    host.SetParam(index, static_cast<float>(upperMid));
    const double upperDistance = Distance(host.ParamDisplay(index), value);
    if (lowerDistance < bestDistance) {
      bestDistance = lowerDistance;
      best = lowerMid;
    }
    if (upperDistance < bestDistance) {
      bestDistance = upperDistance;
      best = upperMid;
    }
    if (lowerDistance <= upperDistance)
      high = upperMid;
    else
      low = lowerMid;
  }
  host.SetParam(index, static_cast<float>(best));
  return true;
}

double ParameterSetter::Distance(const std::string& display, const std::string& wanted) {
  if (SameText(display, wanted)) return 0.0;
  double shown = 0.0, target = 0.0;
  std::string numberText, rest;
  if (ReadNumber(display, &shown, &numberText, &rest) &&
      ReadNumber(wanted, &target, &numberText, &rest)) {
    return std::fabs(shown - target);
  }
  return std::numeric_limits<double>::infinity();
}
