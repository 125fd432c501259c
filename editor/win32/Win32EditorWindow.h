#pragma once

#include "editor/Rect.h"
#include "raster/Win32Api.h"

// The editor's child window of class "IPlugWndClass" inside the host's
// window. The class is registered by the first window of the process and
// unregistered when the last one closes; the window's procedure belongs to
// whoever opens it and finds its owner through the creation data.
class Win32EditorWindow {
 public:
  static constexpr const char* kClassName = "IPlugWndClass";
  static constexpr const char* kTitle = "IPlug";
  static constexpr UINT_PTR kTimerId = 2;

  Win32EditorWindow() = default;
  ~Win32EditorWindow() { Close(); }
  Win32EditorWindow(const Win32EditorWindow&) = delete;
  Win32EditorWindow& operator=(const Win32EditorWindow&) = delete;

  // Creates the visible child at placement inside parent; creationData
  // reaches the procedure's WM_CREATE. False, with the class use given back,
  // when the system refuses.
  bool Open(HWND parent, const Rect& placement, WNDPROC procedure, void* creationData);
  // Destroys the window and gives back its use of the class.
  void Close();
  // For a window the system destroyed with its parent: only the use of the
  // class is given back.
  void Forget();
  bool IsOpen() const { return window != nullptr; }
  HWND Handle() const { return window; }
  // Where the window sits inside its parent.
  Rect Placement() const;
  // Gives the window a new size, its top-left corner kept.
  void Resize(int width, int height);

  // Copies area of source to the same place in the window: Paint inside
  // WM_PAINT (which it answers), Put at any other time.
  void Paint(HDC source, const Rect& area);
  void Put(HDC source, const Rect& area);
  void Invalidate(const Rect& area);
  void Validate(const Rect& area);
  void UpdateNow();

  // Windows of the process that use the class.
  static int ClassUseCount();

 private:
  static bool AcquireClass(WNDPROC procedure);
  static void ReleaseClass();

  HWND window = nullptr;
};
