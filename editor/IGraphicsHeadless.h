#pragma once

#include "editor/IGraphics.h"

// The graphics core without a window: everything is drawn into the back
// buffer, which tests and the render host read. No dialog ever opens.
class IGraphicsHeadless : public IGraphics {
 public:
  IGraphicsHeadless(IPlugBase* plug, int width, int height, int frameRate);

  void* OpenEditorWindow(void* parent) override;
  void CloseEditorWindow() override {}
  void PaintToScreen(const Rect&) override {}
  void CancelTextEntry() override {}
  bool EditorWindowIsOpen() const override { return false; }
  const char* DrawingApiName() const override { return "Headless"; }
  int ShowPopupMenu(const PopupMenu&, const Rect&) override { return -1; }
  void OpenTextEntry(IControl*, const TextStyle&, const Rect&, const char*, PlugParam*) override {}
  bool OpenWebPage(const char*, const char*, const char*, const char*) override { return false; }
  void* WindowHandle() const override { return nullptr; }

  // Runs one timer tick: applies what other threads posted and redraws the
  // union of the dirty controls.
  void Tick();
  // Draws the whole editor.
  void RedrawAll();
};
