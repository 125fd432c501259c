#pragma once
#include <string>
#include <vector>

// How a value given for a parameter is set, once it is one the parameter takes.
struct ParameterTarget {
  enum class Kind { kRefused, kNormalized, kNumber, kPluginText };
  Kind kind = Kind::kRefused;
  double normalized = 0.0;  // kNormalized: the value to set
  std::string text;         // kNumber: the number alone; kPluginText: the value as given
};

// The values one parameter takes, read from the texts the plug-in shows
// across its range, displays[i] at the normalised value i / (size - 1):
// named choices, a range of numbers, or both. Where the texts show neither
// (too many names, numbers in several units, no text at all), reading a
// value is left to the plug-in.
class ParameterValues {
 public:
  static constexpr size_t kMaxChoices = 32;

  // stepped: the plug-in says the parameter moves in whole steps, so each
  // text it shows is a choice, numbers too. label: the plug-in's unit, for
  // numbers shown without one. names: another name for each choice, in the
  // order they appear; ignored unless there is one for every choice.
  ParameterValues(const std::vector<std::string>& displays, bool stepped, const std::string& label,
                  const std::vector<std::string>& names = {});

  // Matches choices and units without regard to case.
  ParameterTarget Match(const std::string& value) const;
  // What the parameter takes, as "0.00 to 100.00 %", "A (0), B (1)" or
  // "Off, 1 to 100 ms".
  std::string Text() const;

 private:
  struct Choice {
    std::string text;
    std::string name;
    double normalized;  // the lowest value that shows the text
  };

  static std::vector<Choice> DistinctTexts(const std::vector<std::string>& displays);
  bool FindRange(const std::vector<std::string>& displays, const std::string& label);
  const Choice* FindChoice(const std::string& value) const;
  bool InRange(double number, const std::string& unit) const;

  std::vector<Choice> choices;
  bool hasRange = false;
  double low = 0.0, high = 0.0;
  std::string lowText, highText, unit;
};
