#include "tools/render/ParameterSetter.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "tools/render/PluginHost.h"

namespace {

constexpr int kSearchSteps = 1000;
constexpr int kRefineSteps = 40;

std::string Trim(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

// The leading number of a text such as "-3.5 dB"; false when it has none.
bool LeadingNumber(const std::string& text, double* value) {
  const std::string trimmed = Trim(text);
  char* end = nullptr;
  *value = std::strtod(trimmed.c_str(), &end);
  return end != trimmed.c_str() && std::isfinite(*value);
}

}  // namespace

bool ParameterSetter::Apply(const std::string& assignment, std::string* error) {
  const size_t equals = assignment.find('=');
  if (equals == std::string::npos) {
    *error = "--set needs NAME=VALUE, got '" + assignment + "'";
    return false;
  }
  const std::string name = Trim(assignment.substr(0, equals));
  const std::string value = Trim(assignment.substr(equals + 1));
  const int index = FindParam(name);
  if (index < 0) {
    *error = "unknown parameter '" + name + "' (--list shows the names)";
    return false;
  }
  if (value.rfind("n:", 0) == 0) {
    char* end = nullptr;
    const double normalized = std::strtod(value.c_str() + 2, &end);
    if (end == value.c_str() + 2 || *end != '\0' || !(normalized >= 0.0 && normalized <= 1.0)) {
      *error = "normalised value for '" + name + "' must be a number from 0 to 1, got '" +
               value.substr(2) + "'";
      return false;
    }
    host.SetParam(index, static_cast<float>(normalized));
    return true;
  }
  if (value.empty()) {
    *error = "no value given for '" + name + "'";
    return false;
  }
  if (host.SetParamFromText(index, value) || SearchDisplay(index, value)) return true;
  *error = "'" + value + "' is not a value of '" + name + "'";
  return false;
}

int ParameterSetter::FindParam(const std::string& name) {
  const std::string wanted = Lower(Trim(name));
  for (int i = 0; i < host.NumParams(); ++i) {
    if (Lower(Trim(host.ParamName(i))) == wanted) return i;
  }
  return -1;
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
  if (Lower(Trim(display)) == Lower(wanted)) return 0.0;
  double shown = 0.0, target = 0.0;
  if (LeadingNumber(display, &shown) && LeadingNumber(wanted, &target)) {
    return std::fabs(shown - target);
  }
  return std::numeric_limits<double>::infinity();
}
