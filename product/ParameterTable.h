#pragma once
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>

#include "core/PlugParam.h"
#include "engine/EngineSnapshot.h"
#include "product/TovraneParams.h"

// Every fact of every parameter, in one row each: the plug-in's parameter
// records, the live settings they drive, the factory programs' columns, the
// editor's readout and the editor's values after undo are all derived from
// this table.

// How a parameter is defined on the plug-in base.
enum class ParamForm {
  Percent,  // 0..max in steps of 0.01, labelled "%"
  Whole,    // whole numbers 0..max
  Command,  // a button's momentary value, never given a range or a name
};

// What the editor's readout shows once the parameter was touched last.
enum class ReadoutForm {
  None,      // the readout keeps its text
  Percent,   // the percentage
  Decibels,  // a gain of -12..+12 dB over the percentage 0..100
  Names,     // the name of the whole value
  Power,     // the power switch's state, by its value's name
};

struct ParameterRow {
  int index;
  const char* name;
  ParamForm form;
  double defaultValue;
  double maxValue;  // the minimum is 0 for every parameter
  double step;
  const char* label;
  // The live settings' field the value sets: a percentage as a fraction of
  // one, a whole number as it is; neither for the parameters that set none.
  double EngineSnapshot::*fraction;
  int32_t EngineSnapshot::*whole;
  // The column of the factory programs' values; -1 where they leave it at 0.
  int presetColumn;
  ReadoutForm readout;
  // The name of each whole value, for the choices and the power switch.
  std::array<const char*, 5> valueNames;
};

namespace parameter_rows {

constexpr ParameterRow Percent(int index, const char* name, double defaultValue,
                               double EngineSnapshot::*fraction, int presetColumn,
                               ReadoutForm readout = ReadoutForm::Percent) {
  return {index,    name,    ParamForm::Percent, defaultValue, 100.0, 0.01, "%",
          fraction, nullptr, presetColumn,       readout,      {}};
}

// Whole values 0..n-1, one for each of the n names given.
constexpr ParameterRow Choice(int index, const char* name, int32_t EngineSnapshot::*whole,
                              int presetColumn, std::array<const char*, 5> valueNames) {
  int count = 0;
  while (count < static_cast<int>(valueNames.size()) && valueNames[count]) ++count;
  return {index,
          name,
          ParamForm::Whole,
          0.0,
          static_cast<double>(count - 1),
          1.0,
          "",
          nullptr,
          whole,
          presetColumn,
          ReadoutForm::Names,
          valueNames};
}

// A slot kept for the state chunks' sake: defined, but driving nothing.
constexpr ParameterRow Spare(int index, ParamForm form, double defaultValue, double maxValue) {
  const bool percent = form == ParamForm::Percent;
  return {
      index,   "",      form, defaultValue,      maxValue, percent ? 0.01 : 1.0, percent ? "%" : "",
      nullptr, nullptr, -1,   ReadoutForm::None, {}};
}

constexpr ParameterRow Switch(int index, const char* name, ReadoutForm readout,
                              std::array<const char*, 5> valueNames = {}) {
  return {index, name, ParamForm::Whole, 0.0, 1.0, 1.0, "", nullptr, nullptr, -1, readout,
          valueNames};
}

constexpr ParameterRow Command(int index) {
  return {index,   "", ParamForm::Command, 0.0, 1.0, 1.0, "", nullptr,
          nullptr, -1, ReadoutForm::None,  {}};
}

}  // namespace parameter_rows

inline constexpr std::array<ParameterRow, kNumTovraneParams> kParameterTable = {
    parameter_rows::Percent(kInputGain, "Input Gain", 50.0, &EngineSnapshot::inputGain, 0,
                            ReadoutForm::Decibels),
    parameter_rows::Choice(kProfile, "Profile", &EngineSnapshot::profile, 1,
                           {"A", "B", "C", "Off"}),
    parameter_rows::Percent(kNoiseAmp, "Noise amp", 0.0, &EngineSnapshot::noiseAmp, 2),
    parameter_rows::Percent(kNoiseDynamic, "Noise dynamic", 0.0, &EngineSnapshot::noiseDynamic, 3),
    parameter_rows::Percent(kWow, "Wow", 0.0, &EngineSnapshot::wow, 4),
    parameter_rows::Percent(kScratch, "Scratch", 0.0, &EngineSnapshot::scratch, 5),
    parameter_rows::Percent(kHarmonics, "Harmonics", 0.0, &EngineSnapshot::harmonics, 6),
    parameter_rows::Percent(kTubeDrive, "Tube drive", 0.0, &EngineSnapshot::tubeDrive, 7),
    parameter_rows::Percent(kLfBoost, "LF boost", 0.0, &EngineSnapshot::lfBoost, 8),
    parameter_rows::Percent(kHfBoost, "HF boost", 0.0, &EngineSnapshot::hfBoost, 9),
    parameter_rows::Percent(kAge, "Age", 0.0, &EngineSnapshot::age, 10),
    parameter_rows::Percent(kWide, "Wide", 20.0, &EngineSnapshot::wide, 11),
    parameter_rows::Choice(kNoiseType, "Noise type", &EngineSnapshot::noiseType, 12,
                           {"Noise 1", "Noise 2", "Vinyl 1", "Vinyl 2", "Brown"}),
    parameter_rows::Percent(kOutputGain, "Output Gain", 50.0, &EngineSnapshot::outputGain, 13,
                            ReadoutForm::Decibels),
    parameter_rows::Spare(kSpare14, ParamForm::Whole, 1.0, 1.0),
    parameter_rows::Spare(kSpare15, ParamForm::Whole, 0.0, 1.0),
    parameter_rows::Spare(kSpare16, ParamForm::Percent, 0.0, 1.0),
    parameter_rows::Spare(kSpare17, ParamForm::Percent, 0.0, 1.0),
    // Its 1 turns the processing off, as on every host's generic view.
    parameter_rows::Switch(kPower, "Power", ReadoutForm::Power, {"On", "Off"}),
    parameter_rows::Percent(kQuadMix, "Quad mix", 0.0, &EngineSnapshot::quadMix, 14),
    parameter_rows::Percent(kQuadDelay, "Quad delay", 50.0, &EngineSnapshot::quadDelay, 15),
    parameter_rows::Percent(kSpeed, "Speed", 100.0, &EngineSnapshot::speed, 16),
    parameter_rows::Command(kUndo),
    parameter_rows::Command(kRedo),
    parameter_rows::Switch(kAB, "AB", ReadoutForm::None),
    parameter_rows::Command(kCopy),
};

// The row of a parameter index, or null for an index out of range.
constexpr const ParameterRow* ParameterAt(int index) {
  if (index < 0 || index >= kNumTovraneParams) return nullptr;
  return &kParameterTable[index];
}

// The settings' field a parameter sets, as a double (a percentage as its
// fraction of one); NaN for a parameter that sets none.
inline double SnapshotField(const ParameterRow& row, const EngineSnapshot& settings) {
  if (row.fraction) return settings.*row.fraction;
  if (row.whole) return static_cast<double>(settings.*row.whole);
  return std::numeric_limits<double>::quiet_NaN();
}

// The settings' field a parameter value gives, as SnapshotField reads it.
inline double FieldOfParameterValue(const ParameterRow& row, double value) {
  if (row.fraction) return value / 100.0;
  if (row.whole) return static_cast<double>(TruncateToInt(value));
  return std::numeric_limits<double>::quiet_NaN();
}

inline double FieldOfParameter(const ParameterRow& row, const PlugParam& param) {
  return FieldOfParameterValue(row, param.Value());
}

// The parameter value that gives a field: for a percentage, the value on
// its 0.01 steps when one gives the field exactly, so that a setting comes
// back to the parameter as the value it was set to, not a neighbour of it.
inline double ParameterValueOfField(const ParameterRow& row, double field) {
  if (!row.fraction) return field;
  const double percent = field * 100.0;
  const double onStep = std::floor(percent * 100.0 + 0.5) / 100.0;
  return onStep / 100.0 == field ? onStep : percent;
}

// Sets the field back from SnapshotField's value; other parameters are left.
inline void SetSnapshotField(const ParameterRow& row, double value, EngineSnapshot* settings) {
  if (row.fraction) settings->*row.fraction = value;
  if (row.whole) settings->*row.whole = static_cast<int32_t>(value);
}

// The factory programs carry one value per column.
inline constexpr int kPresetColumns = 17;

constexpr bool RowsAreInIndexOrder() {
  for (int i = 0; i < kNumTovraneParams; ++i) {
    if (kParameterTable[i].index != i) return false;
  }
  return true;
}
static_assert(RowsAreInIndexOrder());

constexpr bool EveryColumnOnce() {
  std::array<int, kPresetColumns> uses{};
  for (const ParameterRow& row : kParameterTable) {
    if (row.presetColumn >= kPresetColumns) return false;
    if (row.presetColumn >= 0) ++uses[row.presetColumn];
  }
  for (int count : uses) {
    if (count != 1) return false;
  }
  return true;
}
static_assert(EveryColumnOnce());
