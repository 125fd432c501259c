#pragma once

#include "editor/Rect.h"
#include "editor/TextStyle.h"
#include "raster/Win32Api.h"

class IControl;
class PlugParam;

// The edit field in which a value is typed: an "EDIT" child of the editor
// window whose procedure is replaced while it is open. Its keys and focus
// only set the state; the editor's timer applies or discards the text and
// closes the field, so nothing happens inside the field's own messages.
class Win32TextEntry {
 public:
  enum State : int {
    kIdle = 0,
    kFocused = 1,    // the field has the keyboard focus
    kRefreshed = 2,  // open, and the editor was drawn around it
    kCancel = 3,
    kCommit = 4,
  };
  static constexpr int kChildId = 99;
  // Longest input read back, in characters.
  static constexpr int kMaxInput = 31;

  Win32TextEntry() = default;
  ~Win32TextEntry() { Close(); }
  Win32TextEntry(const Win32TextEntry&) = delete;
  Win32TextEntry& operator=(const Win32TextEntry&) = delete;

  // Opens the field over rect of parent, holding text, focused and selected.
  // param null: the text goes to the control's TextFromEntry.
  bool Open(HWND parent, IControl* control, const TextStyle& style, const Rect& rect,
            const char* text, PlugParam* param);
  // Gives the typed text to the control (through param when there is one).
  void Apply();
  // Puts the field's own procedure back and destroys it.
  void Close();
  // For a field the system destroyed with its parent.
  void Forget();

  bool IsOpen() const { return field != nullptr; }
  HWND Handle() const { return field; }
  IControl* Control() const { return control; }
  int GetState() const { return state; }
  void SetState(int newState) { state = newState; }
  // Answers WM_CTLCOLOREDIT with the control style's entry colours.
  LRESULT Colours(HDC dc) const;

  // Whether a typed character reaches a field that edits param.
  static bool Accepts(const PlugParam* param, WPARAM character);
  // The parameter value an input stands for: the value of the display text
  // it equals for Boolean and enumerated parameters (0 when none), else its
  // decimal number (0 when there is none), negated for negated displays.
  static double ValueFromInput(const PlugParam& param, const char* input);

 private:
  static LRESULT FieldProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Clear();

  HWND field = nullptr;
  HFONT font = nullptr;
  WNDPROC savedProcedure = nullptr;
  IControl* control = nullptr;
  PlugParam* param = nullptr;
  int state = kIdle;
};
