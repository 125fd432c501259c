#pragma once
#include <cstdint>

#include "core/GrowBuffer.h"

enum ParamKind : int32_t { KindNone = 0, KindBool = 1, KindInt = 2, KindEnum = 3, KindDouble = 4 };

inline constexpr int kParamTextSize = 32;

// A text shown for one particular value of a parameter.
struct DisplayText {
  int32_t value;
  char text[kParamTextSize];
};
static_assert(sizeof(DisplayText) == 36);

// One automatable setting: a real value inside a range, mapped onto 0..1 for
// the host and the editor by value = min + (max - min) * n^shape.
class PlugParam {
 public:
  void InitNumeric(const char* name, double defaultValue, double minValue, double maxValue,
                   double step, const char* label = "", const char* group = "", double shape = 1.0);
  void InitInteger(const char* name, double defaultValue, double minValue, double maxValue,
                   const char* label = "");
  void SetShapeExponent(double newShape) { shape = newShape; }
  bool AddDisplayText(int value, const char* text);

  double ToNormalized(double v) const;
  double ToNormalized() const { return ToNormalized(value); }
  // Real value for a normalised one, without step rounding or limiting.
  double FromNormalized(double n) const;
  // The value SetFromNormalized(n) sets: held to the range and, for whole
  // kinds, to the nearest step; NaN for a non-finite n, which sets nothing.
  double ValueOfNormalized(double n) const;
  // A value that came through single precision (an LV2 port, a VST 2 host's
  // normalised value) brought back to the parameter's own grid: held to the
  // range, the default for a non-finite value, then the nearest step. The
  // settings it gives are the double-precision values a program holds.
  double OnGrid(double v) const;
  void SetFromNormalized(double n);
  void SetClamped(double v);
  void Set(double v) { value = v; }

  // Writes the value text into out (outSize bytes, always terminated).
  void FormatValue(double v, bool vIsNormalized, char* out, int outSize,
                   bool useDisplayTexts) const;
  const char* UnitLabel() const;
  bool ParseValueText(const char* text, double* result) const;

  ParamKind Kind() const { return kind; }
  double Value() const { return value; }
  int IntValue() const;
  double Min() const { return minValue; }
  double Max() const { return maxValue; }
  double Step() const { return step; }
  double Shape() const { return shape; }
  double Default() const { return defaultValue; }
  int DisplayPrecision() const { return displayPrecision; }
  const char* Name() const { return name; }
  const char* Label() const { return label; }
  const char* Group() const { return group; }
  bool NegateDisplay() const { return negateDisplay; }
  void SetNegateDisplay(bool on) { negateDisplay = on; }
  int DisplayTextCount() const;
  const DisplayText* DisplayTextAt(int index) const;
  bool IsIntegerKind() const { return kind == KindBool || kind == KindInt || kind == KindEnum; }

 private:
  const DisplayText* DisplayTextFor(double v) const;

  ParamKind kind = KindNone;
  double value = 0.0;
  double minValue = 0.0;
  double maxValue = 1.0;
  double step = 1.0;
  double shape = 1.0;
  double defaultValue = 0.0;
  int32_t displayPrecision = 0;
  char name[kParamTextSize] = "";
  char label[kParamTextSize] = "";
  char group[kParamTextSize] = "";
  bool negateDisplay = false;
  GrowBuffer displayTexts{GrowBuffer::kDefaultGranularity};
};

// Copies text into a fixed field of size bytes, cutting it and always terminating.
void CopyText(char* field, int size, const char* text);

// Truncates toward zero to an int; NaN gives 0 and values beyond the int range
// are held at its ends, so no input is undefined behaviour.
int TruncateToInt(double v);
