// The programs: "init" with the parameter defaults, then the factory presets.
#include <array>
#include <iterator>

#include "product/ParameterTable.h"
#include "product/TovraneProduct.h"

namespace {

struct FactoryPreset {
  const char* name;
  // One value per column of the parameter table; every other parameter is 0.
  std::array<double, kPresetColumns> values;
};

constexpr FactoryPreset kFactoryPresets[] = {
    {"Bass guitar heavy",
     {67.19, 0, 0, 78.13, 0, 0, 100, 46.88, 28.13, 0, 0, 0, 1, 34.38, 0, 19.53, 100}},
    {"Drum loop cassette",
     {57.42, 0, 66.02, 47.66, 36.33, 73.83, 96.25, 62.81, 23.44, 40.23, 92.58, 37.89, 1, 45.63,
      10.94, 0, 76.17}},
    {"Drum loop lo-fi",
     {57.42, 2, 51.56, 100, 92.58, 97.66, 96.25, 97.19, 33.2, 71.88, 83.59, 91.8, 1, 51.17, 18.36,
      100, 80.47}},
    {"Drum loop vinyl",
     {57.42, 1, 58.2, 47.66, 36.33, 73.83, 96.25, 97.19, 21.48, 60.94, 28.13, 23.44, 2, 39.38,
      21.09, 10.94, 46.48}},
    {"Enhance drums",
     {44.92, 1, 0, 100, 37.89, 0, 57.81, 0, 20, 47.27, 0, 15.63, 1, 47.5, 0, 34.77, 71.48}},
    {"Kestravon tape",
     {50, 0, 0, 43.36, 32.19, 22.27, 100, 28.91, 24.61, 38.67, 17.97, 43.75, 1, 50, 0, 50, 100}},
    {"Overdrive", {100, 0, 0, 0, 0, 0, 100, 100, 0.78, 74.61, 0, 0, 0, 47.73, 0, 50, 100}},
    {"Synth enhancer",
     {50, 0, 0, 0, 39.06, 25.78, 42.19, 41.8, 12.5, 39.45, 0, 17.97, 1, 50, 0, 55.08, 79.69}},
    {"Synth quad",
     {50, 0, 0, 100, 0, 10.94, 100, 21.48, 67.58, 54.69, 0, 100, 0, 50, 88.28, 51.73, 100}},
    {"Synth widener", {50, 3, 0, 25.39, 75.39, 10.94, 100, 0, 25, 50, 0, 100, 0, 50, 0, 50, 100}},
    {"Vinyl rain piano",
     {50, 1, 9.77, 28.52, 100, 12.89, 100, 99.22, 71.48, 74.61, 42.19, 100, 3, 50, 100, 50, 81.25}},
    {"Warm rhodes",
     {50, 1, 29.69, 49.61, 47.66, 3.13, 100, 28.13, 37.89, 55.47, 72.27, 15.63, 0, 50, 10.94, 60.16,
      100}},
    {"Warm rhodes 2",
     {50, 2, 29.69, 42.58, 47.66, 3.13, 100, 28.13, 37.89, 55.47, 67.19, 15.63, 0, 50, 10.94, 15.63,
      0}},
    {"Wide drums", {50, 3, 0, 20, 20, 20, 20.31, 20, 20, 20, 20, 20, 0, 44.14, 59.38, 23.05, 100}},
    {"Wide rich overdrive",
     {100, 0, 0, 20, 71.95, 20, 100, 100, 20, 20, 20, 100, 0, 40.23, 50, 100, 100}},
};

// The first program: every parameter at its default.
constexpr const char* kInitProgramName = "init";
constexpr int kFactoryPresetCount = static_cast<int>(std::size(kFactoryPresets));

std::array<double, kNumTovraneParams> AllParameterValues(const FactoryPreset& preset) {
  std::array<double, kNumTovraneParams> all{};
  for (const ParameterRow& row : kParameterTable) {
    if (row.presetColumn >= 0) all[row.index] = preset.values[row.presetColumn];
  }
  return all;
}

}  // namespace

void TovraneProduct::MakePresets() {
  // "init" takes the first free slot and the values as they are right now:
  // every parameter still holds its default.
  plug.FillFreePresets(kInitProgramName, 1);
  for (const FactoryPreset& preset : kFactoryPresets) {
    const auto values = AllParameterValues(preset);
    plug.AddPresetValues(preset.name, values);
  }
}

int TovraneProduct::FactoryProgramCount() { return 1 + kFactoryPresetCount; }

const char* TovraneProduct::FactoryProgramName(int index) {
  if (index == 0) return kInitProgramName;
  if (index < 1 || index > kFactoryPresetCount) return nullptr;
  return kFactoryPresets[index - 1].name;
}
