#include "editor/win32/IGraphicsWin.h"

#include "editor/win32/MonitorDpi.h"
#include "raster/LICE_SysBitmap.h"

namespace {

constexpr int kDefaultTimerPeriodMs = 40;

Win32InputContext ContextFor(HWND hwnd) {
  Win32InputContext context;
  context.altHeld = GetKeyState(VK_MENU) < 0;
  RECT onScreen{};
  if (GetWindowRect(hwnd, &onScreen)) {
    context.windowLeft = onScreen.left;
    context.windowTop = onScreen.top;
  }
  return context;
}

bool IsMouseMessage(UINT message) {
  return (message >= WM_MOUSEMOVE && message <= WM_MBUTTONDBLCLK) || message == WM_MOUSEWHEEL;
}

bool IsButtonPress(UINT message) {
  return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN ||
         message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDBLCLK ||
         message == WM_MBUTTONDBLCLK;
}

}  // namespace

IGraphicsWin::IGraphicsWin(IPlugBase* plug, int width, int height, int frameRate)
    : IGraphicsHeadless(plug, width, height, frameRate) {}

IGraphicsWin::~IGraphicsWin() { CloseEditorWindow(); }

int IGraphicsWin::TimerPeriod() const {
  return FrameRate() > 0 ? 1000 / FrameRate() : kDefaultTimerPeriodMs;
}

void* IGraphicsWin::OpenEditorWindow(void* parent) {
  Rect placement(0, 0, Width(), Height());
  if (window.IsOpen()) {
    placement = window.Placement();
    CloseEditorWindow();
  }
  if (!window.Open(static_cast<HWND>(parent), placement, &WindowProcedure, this)) return nullptr;
  // Taking the monitor's scale may change the size: the window opens at the
  // size it had and takes the new one at once.
  FollowMonitorScale();
  MarkAllControlsChanged();
  return window.Handle();
}

void IGraphicsWin::CloseEditorWindow() {
  if (!window.IsOpen()) return;
  HWND hwnd = window.Handle();
  KillTimer(hwnd, Win32EditorWindow::kTimerId);
  textEntry.Close();
  // The messages of the destruction itself find no graphics object.
  SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
  window.Close();
}

LRESULT IGraphicsWin::WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CREATE) {
    const auto* creation = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    auto* graphics = static_cast<IGraphicsWin*>(creation->lpCreateParams);
    if (graphics) graphics->Created(hwnd);
    return 0;
  }
  auto* graphics = reinterpret_cast<IGraphicsWin*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!graphics) return DefWindowProcA(hwnd, message, wParam, lParam);
  return graphics->HandleMessage(hwnd, message, wParam, lParam);
}

void IGraphicsWin::Created(HWND hwnd) {
  SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetTimer(hwnd, Win32EditorWindow::kTimerId, static_cast<UINT>(TimerPeriod()), nullptr);
  SetFocus(hwnd);
}

void IGraphicsWin::FollowMonitorScale() {
  const int dpi = MonitorDpi(window.Handle());
  if (dpi > 0) SetSystemScale(static_cast<double>(dpi) / kStandardDpi);
}

void IGraphicsWin::Destroyed() {
  // The host destroyed its window with ours inside, without closing the
  // editor: the edit field went with it.
  textEntry.Forget();
  window.Forget();
}

LRESULT IGraphicsWin::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    Destroyed();
    return DefWindowProcA(hwnd, message, wParam, lParam);
  }
  // While the field has the focus, a left or right press cancels it and
  // everything else but painting is the system's.
  if (textEntry.IsOpen() && textEntry.GetState() == Win32TextEntry::kFocused &&
      message != WM_PAINT) {
    if (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN) {
      textEntry.SetState(Win32TextEntry::kCancel);
      pressSwallowed = true;
      return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
  }
  if (IsMouseMessage(message)) return Mouse(hwnd, message, wParam, lParam);
  switch (message) {
    case WM_PAINT:
      return Paint(hwnd);
    case WM_TIMER:
      if (wParam != Win32EditorWindow::kTimerId) break;
      TimerTick();
      return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
      return Key(hwnd, message, wParam, lParam);
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      return 0;
    case WM_CLOSE:
      CloseEditorWindow();
      return 0;
    case WM_DPICHANGED_AFTERPARENT:
      // The host's window went to a monitor of another scale.
      FollowMonitorScale();
      return 0;
    case WM_CTLCOLOREDIT:
      if (textEntry.Control()) return textEntry.Colours(reinterpret_cast<HDC>(wParam));
      break;
    default:
      break;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT IGraphicsWin::Paint(HWND hwnd) {
  RECT update{};
  painted = false;
  if (GetUpdateRect(hwnd, &update, 0)) {
    inPaintMessage = true;
    RedrawPixels(Rect(update.left, update.top, update.right, update.bottom));
    inPaintMessage = false;
  }
  // Without controls or a back buffer nothing was copied; the area must
  // still be validated, or WM_PAINT would come back at once.
  if (!painted) {
    PAINTSTRUCT paint{};
    BeginPaint(hwnd, &paint);
    EndPaint(hwnd, &paint);
  }
  return 0;
}

void IGraphicsWin::PaintToScreen(const Rect& area) {
  LICE_SysBitmap* buffer = BackBuffer();
  if (!window.IsOpen() || !buffer) return;
  HDC source = static_cast<HDC>(buffer->DeviceContext());
  if (inPaintMessage) {
    if (painted) return;
    window.Paint(source, area);
    painted = true;
  } else {
    window.Put(source, area);
  }
}

void IGraphicsWin::TimerTick() {
  DrainHostHandOff();
  if (textEntry.IsOpen() && textEntry.GetState() != Win32TextEntry::kIdle) {
    switch (textEntry.GetState()) {
      case Win32TextEntry::kCancel:
        textEntry.Close();
        break;
      case Win32TextEntry::kCommit:
        textEntry.Apply();
        textEntry.Close();
        break;
      default:
        textEntry.SetState(Win32TextEntry::kIdle);
        break;
    }
    return;
  }
  Rect dirty;
  if (!CollectDirtyArea(&dirty)) return;
  window.Invalidate(Scale().ToPixels(dirty));
  if (textEntry.IsOpen()) {
    // The field is a child the editor would otherwise paint over.
    window.Validate(Scale().ToPixels(textEntry.Control()->GetRect()));
    textEntry.SetState(Win32TextEntry::kRefreshed);
  }
  window.UpdateNow();
}

LRESULT IGraphicsWin::Mouse(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  const Win32Input input =
      Win32MessageTranslator::Translate(message, wParam, lParam, ContextFor(hwnd));
  using Kind = Win32Input::Kind;
  if (textEntry.IsOpen()) {
    // A click anywhere in the editor commits the entry, the wheel cancels it;
    // neither reaches a control.
    if (IsButtonPress(message)) {
      textEntry.SetState(Win32TextEntry::kCommit);
      pressSwallowed = true;
      return 0;
    }
    if (input.kind == Kind::kWheel) {
      textEntry.SetState(Win32TextEntry::kCancel);
      return 0;
    }
  }
  // The release of a press that went to the entry ends no control's gesture.
  if (input.kind == Kind::kRelease && pressSwallowed) {
    pressSwallowed = false;
    ::ReleaseCapture();
    return 0;
  }
  switch (input.kind) {
    case Kind::kPress:
      SetFocus(hwnd);
      ::SetCapture(hwnd);
      MouseDown(input.x, input.y, input.mods);
      break;
    case Kind::kDoubleClick:
      if (MouseDoubleClick(input.x, input.y, input.mods)) ::SetCapture(hwnd);
      break;
    case Kind::kRelease:
      ::ReleaseCapture();
      MouseUp(input.x, input.y, input.mods);
      break;
    case Kind::kDrag:
      if (GetCapture() == hwnd && !textEntry.IsOpen()) MouseDrag(input.x, input.y, input.mods);
      break;
    case Kind::kMove:
      // Hover tracking and tooltips are off in this product, so there is
      // nothing to follow up when a control takes the move.
      MouseOver(input.x, input.y, input.mods);
      break;
    case Kind::kWheel:
      MouseWheel(input.x, input.y, input.mods, input.notches);
      break;
    default:
      return DefWindowProcA(hwnd, message, wParam, lParam);
  }
  return 0;
}

LRESULT IGraphicsWin::Key(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  const Win32Input input =
      Win32MessageTranslator::Translate(message, wParam, lParam, Win32InputContext());
  if (input.kind == Win32Input::Kind::kKeyDown && input.key >= 0) {
    POINT cursor{};
    GetCursorPos(&cursor);
    ScreenToClient(hwnd, &cursor);
    if (KeyDown(cursor.x, cursor.y, input.key)) return 0;
  }
  // Keys nobody here uses belong to the host: its main window gets them.
  HWND root = GetAncestor(hwnd, GA_ROOT);
  if (root && root != hwnd) SendMessageA(root, message, wParam, lParam);
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

int IGraphicsWin::ShowPopupMenu(const PopupMenu& menu, const Rect& rect) {
  SetCapture(-1);
  SetLastMouse(-1, -1);
  HWND hwnd = window.Handle();
  if (!hwnd || menu.NItems() == 0) return -1;
  HMENU popup = CreatePopupMenu();
  if (!popup) return -1;
  // Command ids start at 1: TrackPopupMenu reports "nothing chosen" as 0.
  for (int i = 0; i < menu.NItems(); ++i) {
    const PopupMenu::Item* item = menu.GetItem(i);
    UINT flags = MF_STRING;
    if (item->checked) flags |= MF_CHECKED;
    if (!item->enabled) flags |= MF_GRAYED;
    AppendMenuA(popup, flags, static_cast<UINT_PTR>(i + 1), item->text.c_str());
  }
  POINT at{rect.left, rect.bottom};
  ClientToScreen(hwnd, &at);
  // TPM_RETURNCMD hands back the chosen id directly, so there is no
  // WM_COMMAND to take from the queue afterwards.
  const int chosen =
      TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, at.x,
                     at.y, 0, hwnd, nullptr);
  DestroyMenu(popup);
  InvalidateRect(hwnd, nullptr, 0);
  return chosen > 0 && chosen <= menu.NItems() ? chosen - 1 : -1;
}

void IGraphicsWin::OpenTextEntry(IControl* control, const TextStyle& style, const Rect& rect,
                                 const char* text, PlugParam* param) {
  if (!control || textEntry.IsOpen() || !window.IsOpen()) return;
  textEntry.Open(window.Handle(), control, style, rect, text, param);
}

bool IGraphicsWin::OpenWebPage(const char* address, const char* title, const char* confirmText,
                               const char* errorText) {
  return webPages.Open(window.Handle(), address, title, confirmText, errorText);
}
