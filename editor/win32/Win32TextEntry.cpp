#include "editor/win32/Win32TextEntry.h"

#include <cstdlib>
#include <cstring>

#include "core/ModuleHandle.h"
#include "core/PlugParam.h"
#include "editor/IControl.h"

namespace {

COLORREF ColourRef(const Colour& colour) {
  return MakeColorRef(colour.red, colour.green, colour.blue);
}

DWORD AlignmentStyle(int alignment) {
  if (alignment == kAlignCentre) return ES_CENTER;
  if (alignment == kAlignRight) return ES_RIGHT;
  return ES_LEFT;
}

}  // namespace

bool Win32TextEntry::Open(HWND parent, IControl* control, const TextStyle& style,
                          const Rect& rect, const char* text, PlugParam* param) {
  if (!parent || !control || IsOpen()) return false;
  const DWORD fieldStyle =
      WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOHSCROLL | AlignmentStyle(style.alignment);
  field = CreateWindowExA(0, "EDIT", text ? text : "", fieldStyle, rect.left, rect.top,
                          rect.W() + 1, rect.H() + 1, parent,
                          reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kChildId)),
                          static_cast<HINSTANCE>(ThisModule()), nullptr);
  if (!field) return false;

  char face[kFontNameSize + 1] = {};
  std::memcpy(face, style.fontName, kFontNameSize);
  font = CreateFontA(style.size, 0, 0, 0, style.style == kTextStyleBold ? FW_BOLD : FW_DONTCARE,
                     style.style == kTextStyleItalic ? 1 : 0, 0, 0, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, face);
  if (font) SendMessageA(field, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
  SendMessageA(field, EM_LIMITTEXT, static_cast<WPARAM>(control->TextEntryLength()), 0);
  SendMessageA(field, EM_SETSEL, 0, -1);
  SetFocus(field);

  this->control = control;
  this->param = param;
  SetWindowLongPtrA(field, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  savedProcedure = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FieldProcedure)));
  return true;
}

void Win32TextEntry::Apply() {
  if (!field || !control) return;
  char input[kMaxInput + 1] = {};
  GetWindowTextA(field, input, sizeof input);
  if (param) {
    control->ValueFromUser(param->ToNormalized(ValueFromInput(*param, input)));
  } else {
    control->TextFromEntry(input);
  }
}

void Win32TextEntry::Close() {
  if (field) {
    SetWindowLongPtrA(field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(savedProcedure));
    SetWindowLongPtrA(field, GWLP_USERDATA, 0);
    DestroyWindow(field);
  }
  Clear();
}

void Win32TextEntry::Forget() { Clear(); }

void Win32TextEntry::Clear() {
  // Only after the field is gone: a font still in use must not be deleted.
  if (font) DeleteObject(reinterpret_cast<HGDIOBJ>(font));
  field = nullptr;
  font = nullptr;
  savedProcedure = nullptr;
  control = nullptr;
  param = nullptr;
  state = kIdle;
}

LRESULT Win32TextEntry::Colours(HDC dc) const {
  if (!control) return 0;
  const TextStyle& style = control->GetTextStyle();
  SetBkColor(dc, ColourRef(style.entryBackground));
  SetTextColor(dc, ColourRef(style.entryText));
  SetBkMode(dc, OPAQUE);
  SetDCBrushColor(dc, ColourRef(style.entryBackground));
  return reinterpret_cast<LRESULT>(GetStockObject(DC_BRUSH));
}

bool Win32TextEntry::Accepts(const PlugParam* param, WPARAM character) {
  if (!param || character == VK_BACK) return true;
  if (character > '9') return false;
  if (character >= '0' || character == '+' || character == '-') return true;
  return character == '.' && param->Kind() == KindDouble;
}

double Win32TextEntry::ValueFromInput(const PlugParam& param, const char* input) {
  if (param.Kind() == KindBool || param.Kind() == KindEnum) {
    for (int i = 0; i < param.DisplayTextCount(); ++i) {
      const DisplayText* shown = param.DisplayTextAt(i);
      if (std::strcmp(shown->text, input) == 0) return shown->value;
    }
    return 0.0;
  }
  const double value = std::strtod(input, nullptr);
  return param.NegateDisplay() ? -value : value;
}

LRESULT Win32TextEntry::FieldProcedure(HWND window, UINT message, WPARAM wParam,
                                       LPARAM lParam) {
  auto* entry = reinterpret_cast<Win32TextEntry*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!entry || entry->field != window) return DefWindowProcA(window, message, wParam, lParam);
  return entry->HandleMessage(window, message, wParam, lParam);
}

LRESULT Win32TextEntry::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SETFOCUS:
      state = kFocused;
      break;
    case WM_KILLFOCUS:
      state = kCommit;
      break;
    case WM_KEYDOWN:
      if (wParam == VK_RETURN) {
        state = kCommit;
        return 0;
      }
      if (wParam == VK_ESCAPE) {
        state = kCancel;
        return 0;
      }
      break;
    case WM_CHAR:
      if (!Accepts(param, wParam)) return 0;
      break;
    case WM_GETDLGCODE: {
      // A field without a parameter takes Enter itself rather than letting a
      // dialog see it.
      const auto* pending = reinterpret_cast<const MSG*>(lParam);
      if (!param && pending && pending->message == WM_KEYDOWN && pending->wParam == VK_RETURN) {
        return DLGC_WANTALLKEYS;
      }
      break;
    }
    default:
      break;
  }
  return CallWindowProcA(savedProcedure, window, message, wParam, lParam);
}
