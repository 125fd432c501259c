#include "tools/render/ParameterCatalog.h"

#include "tools/render/KestravonValueNames.h"
#include "tools/render/PluginHost.h"
#include "tools/render/TextCompare.h"

ParameterCatalog::ParameterCatalog(PluginHost& host) : host(host) {
  for (int i = 0; i < host.NumParams(); ++i) names.push_back(host.ParamName(i));
  isKestravon = KestravonValueNames::Describes(names);
}

int ParameterCatalog::Find(const std::string& name) const {
  if (Trim(name).empty()) return -1;
  for (size_t i = 0; i < names.size(); ++i) {
    if (SameText(names[i], name)) return static_cast<int>(i);
  }
  return -1;
}

std::string ParameterCatalog::NameList() const {
  std::string list;
  for (const std::string& name : names) {
    if (Trim(name).empty()) continue;
    list += (list.empty() ? "" : ", ") + Trim(name);
  }
  return list;
}

ParameterValues ParameterCatalog::Values(int index) {
  return ParameterValues(Displays(index), host.ParamIsStepped(index), host.ParamLabel(index),
                         isKestravon ? KestravonValueNames::Of(index) : std::vector<std::string>{});
}

// Asked without moving the parameter where the plug-in can format values it
// does not hold; otherwise each value is set and read back, and the
// parameter put back as it was.
std::vector<std::string> ParameterCatalog::Displays(int index) {
  std::vector<std::string> texts(kSteps + 1);
  auto at = [](int step) { return static_cast<float>(step) / kSteps; };
  if (host.ParamDisplayAt(index, at(0), &texts[0])) {
    for (int step = 1; step <= kSteps; ++step) host.ParamDisplayAt(index, at(step), &texts[step]);
    return texts;
  }
  const float original = host.GetParam(index);
  for (int step = 0; step <= kSteps; ++step) {
    host.SetParam(index, at(step));
    texts[step] = host.ParamDisplay(index);
  }
  host.SetParam(index, original);
  return texts;
}
