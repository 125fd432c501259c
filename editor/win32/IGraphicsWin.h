#pragma once

#include "editor/IGraphicsHeadless.h"
#include "editor/win32/WebPageOpenerWin.h"
#include "editor/win32/Win32EditorWindow.h"
#include "editor/win32/Win32MessageTranslator.h"
#include "editor/win32/Win32TextEntry.h"

// The Windows window layer: the editor as a child window of the window the
// host passes at editor open, driven by the window's messages and its 40 ms
// timer, on the thread that owns the host's window. It builds on the headless
// core: that core's back buffer, a DIB section with a device context, is what
// the window shows, and each paint is one copy from it. It is drawn at its
// monitor's scale unless the user or the host chose another, and follows the
// monitor when the host's window moves to another.
class IGraphicsWin : public IGraphicsHeadless {
 public:
  IGraphicsWin(IPlugBase* plug, int width, int height, int frameRate);
  ~IGraphicsWin() override;

  // parent is the host's HWND.
  void* OpenEditorWindow(void* parent) override;
  void CloseEditorWindow() override;
  void PaintToScreen(const Rect& area) override;
  void ResizeWindow() override { window.Resize(Width(), Height()); }
  void CancelTextEntry() override { textEntry.SetState(Win32TextEntry::kCancel); }
  bool EditorWindowIsOpen() const override { return window.IsOpen(); }
  const char* DrawingApiName() const override { return "Windows GDI"; }
  int ShowPopupMenu(const PopupMenu& menu, const Rect& rect) override;
  void OpenTextEntry(IControl* control, const TextStyle& style, const Rect& rect,
                     const char* text, PlugParam* param) override;
  bool OpenWebPage(const char* address, const char* title, const char* confirmText,
                   const char* errorText) override;
  void* WindowHandle() const override { return window.Handle(); }

  // The timer period in milliseconds: trunc(1000 / frame rate).
  int TimerPeriod() const;
  const Win32TextEntry& TextEntry() const { return textEntry; }
  // What timer 2 does: settles a text entry, or paints the dirty controls.
  void TimerTick();

  static LRESULT WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void Created(HWND hwnd);
  void Destroyed();
  // The monitor's scale as the system's, for when neither the user nor the
  // host chose one.
  void FollowMonitorScale();
  LRESULT Paint(HWND hwnd);
  LRESULT Mouse(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Key(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  Win32EditorWindow window;
  Win32TextEntry textEntry;
  WebPageOpenerWin webPages;
  // Set while WM_PAINT is answered, so PaintToScreen copies through
  // BeginPaint; painted tells whether it did.
  bool inPaintMessage = false;
  bool painted = false;
  // A press went to the text entry; its release is not a control's.
  bool pressSwallowed = false;
};
