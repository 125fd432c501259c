#pragma once

#include <string>
#include <vector>

#include "editor/AuxParam.h"
#include "editor/BlendMode.h"
#include "editor/MouseMods.h"
#include "editor/Rect.h"
#include "editor/TextStyle.h"

class IGraphics;
class IPlugBase;
class ITextControl;

inline constexpr int kDefaultTextEntryLength = 7;
inline constexpr float kGreyedWeight = 0.25f;

// One element of the editor: a rectangle with a normalised value, optionally
// bound to a plug-in parameter. Controls run on the editor's thread only;
// values from other threads reach them through the graphics core.
class IControl {
 public:
  IControl(IPlugBase* plug, const Rect& rect, int paramIndex = -1,
           const BlendMode& blend = BlendMode());
  virtual ~IControl();
  IControl(const IControl&) = delete;
  IControl& operator=(const IControl&) = delete;

  virtual void MouseDown(int x, int y, const MouseMods& mods);
  virtual void MouseUp(int x, int y, const MouseMods& mods);
  virtual void MouseDrag(int x, int y, int dX, int dY, const MouseMods& mods);
  virtual void MouseDoubleClick(int x, int y, const MouseMods& mods);
  // d is in whole notches.
  virtual void MouseWheel(int x, int y, const MouseMods& mods, int d);
  // True when the key was used.
  virtual bool KeyDown(int x, int y, int key);
  virtual void MouseOver(int x, int y, const MouseMods& mods);
  virtual void MouseOut();
  virtual bool Draw(IGraphics* graphics) = 0;
  virtual void ValueFromHost(double v);
  virtual void ValueFromUser(double v);
  virtual void TextFromEntry(const char* text);
  virtual void SetHidden(bool hide);
  virtual void SetGreyed(bool grey);
  virtual bool Contains(int x, int y) const;
  // Clamps the value and marks the control dirty; with pushToPlugin the
  // value goes to the bound parameter and the displays.
  virtual void MarkChanged(bool pushToPlugin);
  virtual void MarkDrawn();
  virtual bool NeedsRedraw() const;
  virtual void AuxValueFromHost(int auxIndex, double v);

  // Opens the graphics core's value prompt, unless prompting is disabled.
  void PromptForValue();

  // Set by the graphics core when it takes the control.
  void SetGraphics(IGraphics* owner) { graphics = owner; }
  IGraphics* Graphics() const { return graphics; }
  IPlugBase* Plug() const { return plug; }

  int ParamIdx() const { return paramIndex; }
  double Value() const { return value; }
  void SetValue(double v) { value = v; }
  double DefaultValue() const { return defaultValue; }
  const Rect& GetRect() const { return rect; }
  const Rect& TargetRect() const { return targetRect; }
  void SetTargetRect(const Rect& r) { targetRect = r; }
  bool IsHidden() const { return hidden; }
  bool IsGreyed() const { return greyed; }
  const BlendMode& Blend() const { return blend; }
  TextStyle& GetTextStyle() { return textStyle; }
  void SetTextStyle(const TextStyle& style) { textStyle = style; }
  int TextEntryLength() const { return textEntryLength; }
  void SetTextEntryLength(int length) { textEntryLength = length; }
  void SetClamp(double low, double high) {
    clampLow = low;
    clampHigh = high;
  }
  bool PromptDisabled() const { return promptDisabled; }
  void SetPromptDisabled(bool off) { promptDisabled = off; }
  bool DoubleClickActsAsPress() const { return doubleClickAsPress; }
  void SetDoubleClickActsAsPress(bool on) { doubleClickAsPress = on; }
  bool MouseOverWhenGreyed() const { return mouseOverWhenGreyed; }
  void SetMouseOverWhenGreyed(bool on) { mouseOverWhenGreyed = on; }
  void SetValueDisplay(ITextControl* display) { valueDisplay = display; }
  void SetNameDisplay(ITextControl* display) { nameDisplay = display; }
  const std::string& Tooltip() const { return tooltip; }
  void SetTooltip(const char* text) { tooltip = text ? text : ""; }

  void AddAuxParam(int index) { auxParams.push_back(AuxParam{0.0, index}); }
  int NAuxParams() const { return static_cast<int>(auxParams.size()); }
  // Null for an index outside the list.
  const AuxParam* GetAuxParam(int auxIndex) const;

 protected:
  void SetRedrawPending() { redrawPending = true; }

 private:
  void PushToDisplays();

  int textEntryLength = kDefaultTextEntryLength;
  TextStyle textStyle;
  IPlugBase* plug;
  IGraphics* graphics = nullptr;
  Rect rect;
  Rect targetRect;
  int paramIndex;
  std::vector<AuxParam> auxParams;
  double value = 0.0;
  double defaultValue = -1.0;
  double clampLow = 0.0;
  double clampHigh = 1.0;
  bool dirty = true;
  bool hidden = false;
  bool greyed = false;
  bool redrawPending = false;
  bool promptDisabled = true;
  bool doubleClickAsPress = false;
  bool mouseOverWhenGreyed = false;
  BlendMode blend;
  ITextControl* valueDisplay = nullptr;
  ITextControl* nameDisplay = nullptr;
  std::string tooltip;
};
