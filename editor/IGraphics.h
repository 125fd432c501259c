#pragma once

#include <memory>
#include <vector>

#include "core/EditorLink.h"
#include "editor/BitmapStrip.h"
#include "editor/BlendMode.h"
#include "editor/HostHandOff.h"
#include "editor/IControl.h"
#include "editor/MouseMods.h"
#include "editor/PopupMenu.h"
#include "editor/Rect.h"
#include "editor/TextStyle.h"

class IPlugBase;
class LICE_CachedFont;
class LICE_MemBitmap;
class LICE_SysBitmap;
class PlugParam;

// The platform-neutral half of the editor: owns the controls, loads bitmaps
// and fonts through the process-wide caches, draws into the back buffer,
// routes mouse events and carries parameter values to the controls. A
// platform class supplies the window, its timer and the system dialogs.
//
// Threads: everything runs on the editor's thread except the IEditorLink
// calls SetParameterFromHost, SetGreyed and SetControlText, which may come
// from host and audio threads. Those only post to fixed mailboxes; the
// editor thread applies them in DrainHostHandOff, which each timer tick,
// Redraw and mouse entry point runs first.
class IGraphics : public IEditorLink {
 public:
  IGraphics(IPlugBase* plug, int width, int height, int frameRate);
  ~IGraphics() override;
  IGraphics(const IGraphics&) = delete;
  IGraphics& operator=(const IGraphics&) = delete;

  // What the plug-in, its host binding and its engine call.
  int Width() const override { return width; }
  int Height() const override { return height; }
  void ShowNormalizedValue(int paramIndex, double normalized) override;
  void CreateSurfaces() override;
  void SetParameterFromHost(int paramIndex, double value, bool normalized) override;
  void SetGreyed(int controlIndex, bool greyed) override;
  void SetControlText(int controlIndex, const char* text) override;
  void MarkAllControlsChanged() override;

  // Platform operations.
  void* OpenEditorWindow(void* parent) override = 0;
  void CloseEditorWindow() override = 0;
  // Copies area of the back buffer to the window.
  virtual void PaintToScreen(const Rect& area) = 0;
  virtual void CancelTextEntry() = 0;
  virtual bool EditorWindowIsOpen() const = 0;
  virtual const char* DrawingApiName() const = 0;
  // The chosen item's index, or -1 when nothing was chosen.
  virtual int ShowPopupMenu(const PopupMenu& menu, const Rect& rect) = 0;
  virtual void OpenTextEntry(IControl* control, const TextStyle& style, const Rect& rect,
                             const char* text, PlugParam* param) = 0;
  virtual bool OpenWebPage(const char* address, const char* title, const char* confirmText,
                           const char* errorText) = 0;
  virtual void* WindowHandle() const = 0;

  IPlugBase* Plug() const { return plug; }
  int FrameRate() const { return frameRate; }

  // The control list: drawing order bottom to top, index 0 the background.
  // The graphics object owns every control it is given.
  void AddControl(IControl* control);
  void SetBackground(IControl* control);
  int NControls() const { return static_cast<int>(controls.size()); }
  // Null for an index outside the list.
  IControl* GetControl(int index) const;

  // Bitmaps and drawing.
  BitmapStrip LoadBitmapStrip(int id, const char* name, int frames);
  // Frames count from 1; blend null means normal at full weight.
  bool DrawBitmapFrame(const BitmapStrip& strip, const Rect& rect, int frame,
                       const BlendMode* blend);
  bool DrawBitmapRegion(const BitmapStrip& strip, const Rect& rect, int srcX, int srcY,
                        const BlendMode* blend);
  bool DrawText(TextStyle& style, const char* text, Rect& rect, bool measureOnly = false);
  LICE_CachedFont* FindFont(TextStyle& style);
  // Null until the surfaces exist.
  LICE_SysBitmap* BackBuffer() const { return backBuffer.get(); }
  const Rect& DrawArea() const { return drawArea; }

  // The drawing cycle. Redraw draws every visible control touching area into
  // the back buffer and ends in PaintToScreen.
  void Redraw(const Rect& area);
  // The union of the rects of all controls that need drawing; false (and an
  // empty area) when none does.
  bool CollectDirtyArea(Rect* area) const;
  // Applies what host and audio threads posted since the last call.
  void DrainHostHandOff();

  // The value prompt behind a control's right-click.
  void PromptForValue(IControl* control, int paramIndex, const Rect& rect);

  // Mouse routing. MouseDown and MouseUp bracket the gesture with the
  // plug-in's parameter-edit calls; drag, double-click and wheel do not.
  void MouseDown(int x, int y, const MouseMods& mods);
  void MouseUp(int x, int y, const MouseMods& mods);
  bool MouseOver(int x, int y, const MouseMods& mods);
  // Delivers a drag to the captured control when the point moved.
  void MouseDrag(int x, int y, const MouseMods& mods);
  // True when the control took the double-click as a press (it then holds
  // the capture until the release).
  bool MouseDoubleClick(int x, int y, const MouseMods& mods);
  void MouseWheel(int x, int y, const MouseMods& mods, int notches);
  // Returns true when a control or the keyboard control used the key;
  // false means it belongs to the host.
  bool KeyDown(int x, int y, int key);
  // The top-most control that is visible, not greyed and contains the point,
  // or -1.
  int FindControlAt(int x, int y) const;

  int Capture() const { return capture; }
  // The parameter of the control the mouse holds, or -1: a value shown from
  // elsewhere must not move a control under the user's hand.
  int HeldParameter() const;
  void SetCapture(int index) { capture = index; }
  int MouseOverIndex() const { return mouseOver; }
  void SetMouseOverIndex(int index) { mouseOver = index; }
  int LastMouseX() const { return lastMouseX; }
  int LastMouseY() const { return lastMouseY; }
  void SetLastMouse(int x, int y) {
    lastMouseX = x;
    lastMouseY = y;
  }
  bool HandlesMouseOver() const { return handlesMouseOver; }
  void SetHandlesMouseOver(bool on) { handlesMouseOver = on; }
  bool TooltipsEnabled() const { return tooltips; }
  IControl* KeyboardControl() const { return keyboardControl; }
  void SetKeyboardControl(IControl* control) { keyboardControl = control; }

 private:
  void ApplyValue(int paramIndex, double normalized);
  void ApplyText(int controlIndex, const char* text);
  void ReleaseCapture();
  bool CanTakeMouse(const IControl* control) const;

  std::vector<std::unique_ptr<IControl>> controls;
  IPlugBase* plug;
  std::unique_ptr<LICE_SysBitmap> backBuffer;
  std::unique_ptr<LICE_MemBitmap> spareBitmap;
  int width;
  int height;
  int frameRate;
  int capture = -1;
  int mouseOver = -1;
  int lastMouseX = 0;
  int lastMouseY = 0;
  bool handlesMouseOver = false;
  bool tooltips = false;
  IControl* keyboardControl = nullptr;
  Rect drawArea;
  // Made with the surfaces, once the control list is complete.
  std::unique_ptr<HostHandOff> handOff;
};
