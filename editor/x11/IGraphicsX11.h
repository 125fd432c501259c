#pragma once

#include "editor/IGraphicsHeadless.h"
#include "editor/x11/EditorTickClock.h"
#include "editor/x11/WebPageLauncher.h"
#include "editor/x11/X11EditorWindow.h"
#include "editor/x11/X11EventTranslator.h"

// The Linux window layer: the editor as an X11 child of the window id the
// host passes at editor open. There is no thread or timer of our own; the
// host's editor-idle calls pump the window's events and run the timer tick.
// X is touched only once a window opens, so the plug-in works without any
// X server until then, as the headless core it builds on: that core's tick
// is the window's timer tick, and its back buffer is what the window shows.
class IGraphicsX11 : public IGraphicsHeadless {
 public:
  IGraphicsX11(IPlugBase* plug, int width, int height, int frameRate);
  ~IGraphicsX11() override;

  // parent is the host's X11 window id carried in the pointer value.
  void* OpenEditorWindow(void* parent) override;
  void CloseEditorWindow() override;
  void ResizeWindow() override;
  void PaintToScreen(const Rect& area) override;
  bool EditorWindowIsOpen() const override { return window.Exists(); }
  void* WindowHandle() const override;
  const char* DrawingApiName() const override { return "X11"; }
  bool OpenWebPage(const char* address, const char* title, const char* confirmText,
                   const char* errorText) override;

  // The menu the editor draws itself, in a window of its own at the
  // rect's bottom left; the editor is drawn whole again once it closes.
  int ShowPopupMenu(const PopupMenu& menu, const Rect& rect) override;
  // No control of this product enables its value prompt, so the text entry
  // is never asked for.
  void OpenTextEntry(IControl*, const TextStyle&, const Rect&, const char*, PlugParam*) override {}
  void CancelTextEntry() override {}

  void Idle() override;
  int EventFileDescriptor() const override { return window.ConnectionFd(); }

 private:
  void Handle(const EditorInput& input, Rect* exposed);

  X11EditorWindow window;
  X11EventTranslator translator;
  EditorTickClock tickClock;
  WebPageLauncher webPages;
};
