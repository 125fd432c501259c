#include "core/PlugParam.h"

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

void CopyText(char* field, int size, const char* text) {
  if (size <= 0) return;
  if (!text) text = "";
  const size_t length = std::strlen(text);
  const size_t kept =
      length < static_cast<size_t>(size - 1) ? length : static_cast<size_t>(size - 1);
  std::memcpy(field, text, kept);
  field[kept] = '\0';
}

int TruncateToInt(double v) {
  if (std::isnan(v)) return 0;
  if (v >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (v <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(v);
}

void PlugParam::InitNumeric(const char* newName, double newDefault, double newMin, double newMax,
                            double newStep, const char* newLabel, const char* /*group*/,
                            double newShape) {
  if (kind == KindNone) kind = KindDouble;
  CopyText(name, kParamTextSize, newName);
  CopyText(label, kParamTextSize, newLabel);
  group[0] = '\0';
  minValue = newMin;
  value = defaultValue = newDefault;
  step = newStep;
  displayPrecision = 0;
  maxValue = newMax > newMin + newStep ? newMax : newMin + newStep;

  // Decimals in the value text follow the step: 0.01 shows two, 1 shows none.
  double working = newStep;
  while (working != std::floor(working) && displayPrecision < 6) {
    ++displayPrecision;
    working *= 10.0;
  }
  if (newShape != 0.0) shape = newShape;
}

void PlugParam::InitInteger(const char* newName, double newDefault, double newMin, double newMax,
                            const char* newLabel) {
  if (kind == KindNone) kind = KindInt;
  InitNumeric(newName, newDefault, newMin, newMax, 1.0, newLabel, "", 1.0);
}

bool PlugParam::AddDisplayText(int textValue, const char* text) {
  DisplayText entry{};
  entry.value = textValue;
  CopyText(entry.text, kParamTextSize, text);
  return displayTexts.Append(&entry, static_cast<int>(sizeof entry));
}

int PlugParam::DisplayTextCount() const {
  return displayTexts.Size() / static_cast<int>(sizeof(DisplayText));
}

const DisplayText* PlugParam::DisplayTextAt(int index) const {
  if (index < 0 || index >= DisplayTextCount()) return nullptr;
  return static_cast<const DisplayText*>(displayTexts.Data()) + index;
}

const DisplayText* PlugParam::DisplayTextFor(double v) const {
  const int key = TruncateToInt(v);
  for (int i = 0; i < DisplayTextCount(); ++i) {
    const DisplayText* entry = DisplayTextAt(i);
    if (entry->value == key) return entry;
  }
  return nullptr;
}

double PlugParam::ToNormalized(double v) const {
  const double c = v < minValue ? minValue : (v < maxValue ? v : maxValue);
  return std::pow((c - minValue) / (maxValue - minValue), 1.0 / shape);
}

double PlugParam::FromNormalized(double n) const {
  return minValue + (maxValue - minValue) * std::pow(n, shape);
}

double PlugParam::ValueOfNormalized(double n) const {
  // A host or editor that sends a non-finite value must not move the
  // parameter to a value no range can hold.
  if (!std::isfinite(n)) return std::numeric_limits<double>::quiet_NaN();
  // Hosts send values outside 0..1 (overshooting automation curves,
  // scripts): they are held at the ends of the range, like any other entry.
  n = n < 0.0 ? 0.0 : (n < 1.0 ? n : 1.0);
  double v = FromNormalized(n);
  if (kind != KindDouble) v = std::floor(v / step + 0.5) * step;
  if (std::isnan(v)) return v;
  return v < minValue ? minValue : (v < maxValue ? v : maxValue);
}

double PlugParam::OnGrid(double v) const {
  if (!std::isfinite(v)) v = defaultValue;
  v = std::fmax(minValue, std::fmin(maxValue, v));
  // A step of 0.01 is a hundredth: dividing the whole count of steps gives
  // the double nearest the decimal, as a program's written value is.
  const double stepsPerUnit = std::round(1.0 / step);
  if (!(stepsPerUnit >= 1.0)) return v;
  return std::floor(v * stepsPerUnit + 0.5) / stepsPerUnit;
}

void PlugParam::SetFromNormalized(double n) {
  const double v = ValueOfNormalized(n);
  if (!std::isnan(v)) value = v;
}

void PlugParam::SetClamped(double v) {
  if (std::isnan(v)) return;
  value = v < minValue ? minValue : (v < maxValue ? v : maxValue);
}

int PlugParam::IntValue() const { return TruncateToInt(value); }

void PlugParam::FormatValue(double v, bool vIsNormalized, char* out, int outSize,
                            bool useDisplayTexts) const {
  if (!out || outSize <= 0) return;
  if (vIsNormalized) v = FromNormalized(v);
  if (useDisplayTexts) {
    const DisplayText* entry = DisplayTextFor(v);
    if (entry && entry->text[0]) {
      CopyText(out, outSize, entry->text);
      return;
    }
  }
  if (negateDisplay) v = -v;
  if (displayPrecision == 0) {
    std::snprintf(out, outSize, "%d", TruncateToInt(v));
  } else {
    std::snprintf(out, outSize, "%.*f", static_cast<int>(displayPrecision), v);
  }
}

const char* PlugParam::UnitLabel() const {
  const DisplayText* entry = DisplayTextFor(value);
  if (entry && entry->text[0]) return "";
  return label;
}

bool PlugParam::ParseValueText(const char* text, double* result) const {
  if (!text) return false;
  if (DisplayTextCount() > 0) {
    for (int i = 0; i < DisplayTextCount(); ++i) {
      const DisplayText* entry = DisplayTextAt(i);
      if (std::strcmp(text, entry->text) == 0) {
        *result = entry->value;
        return true;
      }
    }
    return false;
  }
  double parsed = std::atof(text);
  if (negateDisplay) parsed = -parsed;
  *result = parsed;
  return true;
}
