#include "tools/render/ParameterValues.h"

#include <algorithm>
#include <iterator>
#include <unordered_map>

#include "tools/render/TextCompare.h"

namespace {

bool IsNumber(const std::string& text) {
  double number = 0.0;
  std::string numberText, rest;
  return ReadNumber(text, &number, &numberText, &rest);
}

// A number typed for a choice shown as a number: "2" and "2.0" are both 2.
bool SameNumber(const std::string& typed, const std::string& shown) {
  double a = 0.0, b = 0.0;
  std::string aText, bText, aRest, bRest;
  return ReadNumber(typed, &a, &aText, &aRest) && aRest.empty() &&
         ReadNumber(shown, &b, &bText, &bRest) && bRest.empty() && a == b;
}

}  // namespace

ParameterValues::ParameterValues(const std::vector<std::string>& displays, bool stepped,
                                 const std::string& label, const std::vector<std::string>& names) {
  const std::vector<Choice> shown = DistinctTexts(displays);
  std::vector<Choice> words;
  std::copy_if(shown.begin(), shown.end(), std::back_inserter(words),
               [](const Choice& choice) { return !IsNumber(choice.text); });
  if (stepped && shown.size() <= kMaxChoices) {
    choices = shown;
  } else if (words.size() <= kMaxChoices &&
             (words.size() == shown.size() || FindRange(displays, label))) {
    choices = words;  // names only, or names beside a range such as "Off" before "1 ms"
  } else if (shown.size() <= kMaxChoices) {
    choices = shown;  // numbers in several units: each as it is shown
  }
  if (names.size() == choices.size()) {
    for (size_t i = 0; i < choices.size(); ++i) choices[i].name = names[i];
  }
}

// Each text once, in the order of the values that show it, with the lowest
// value that shows it: where a plug-in shows a stepped value by cutting off
// its fraction but sets it by rounding, that is the one that sets it.
std::vector<ParameterValues::Choice> ParameterValues::DistinctTexts(
    const std::vector<std::string>& displays) {
  std::vector<Choice> distinct;
  std::unordered_map<std::string, size_t> seen;
  const double last = static_cast<double>(std::max<size_t>(displays.size(), 2) - 1);
  for (size_t i = 0; i < displays.size(); ++i) {
    const std::string text = Trim(displays[i]);
    if (text.empty() || !seen.emplace(text, distinct.size()).second) continue;
    distinct.push_back({text, "", static_cast<double>(i) / last});
  }
  return distinct;
}

// The numbers shown form a range when they share one unit.
bool ParameterValues::FindRange(const std::vector<std::string>& displays,
                                const std::string& label) {
  bool first = true;
  std::string sharedUnit;
  for (const std::string& display : displays) {
    double number = 0.0;
    std::string numberText, rest;
    if (!ReadNumber(display, &number, &numberText, &rest)) continue;
    if (first) sharedUnit = rest;
    if (rest != sharedUnit) return false;
    if (first || number < low) {
      low = number;
      lowText = numberText;
    }
    if (first || number > high) {
      high = number;
      highText = numberText;
    }
    first = false;
  }
  hasRange = !first;
  unit = sharedUnit.empty() ? Trim(label) : sharedUnit;
  return hasRange;
}

ParameterTarget ParameterValues::Match(const std::string& value) const {
  ParameterTarget target;
  if (const Choice* choice = FindChoice(value)) {
    target.kind = ParameterTarget::Kind::kNormalized;
    target.normalized = choice->normalized;
    return target;
  }
  double number = 0.0;
  std::string numberText, rest;
  if (hasRange && ReadNumber(value, &number, &numberText, &rest) && InRange(number, rest)) {
    target.kind = ParameterTarget::Kind::kNumber;
    target.text = numberText;
  } else if (choices.empty() && !hasRange) {
    target.kind = ParameterTarget::Kind::kPluginText;
    target.text = Trim(value);
  }
  return target;
}

const ParameterValues::Choice* ParameterValues::FindChoice(const std::string& value) const {
  for (const Choice& choice : choices) {
    if (SameText(value, choice.text) || (!choice.name.empty() && SameText(value, choice.name))) {
      return &choice;
    }
  }
  for (const Choice& choice : choices) {
    if (SameNumber(value, choice.text)) return &choice;
  }
  return nullptr;
}

bool ParameterValues::InRange(double number, const std::string& typedUnit) const {
  return (typedUnit.empty() || SameText(typedUnit, unit)) && number >= low && number <= high;
}

std::string ParameterValues::Text() const {
  std::string text;
  for (const Choice& choice : choices) {
    if (!text.empty()) text += ", ";
    text += choice.name.empty() ? choice.text : choice.name + " (" + choice.text + ")";
  }
  if (hasRange) {
    if (!text.empty()) text += ", ";
    text += lowText + " to " + highText + (unit.empty() ? "" : " " + unit);
  }
  return text.empty() ? "any text the plug-in reads" : text;
}
