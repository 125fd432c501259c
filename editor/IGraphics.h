#pragma once

#include <memory>
#include <vector>

#include "core/EditorLink.h"
#include "editor/BitmapStrip.h"
#include "editor/BlendMode.h"
#include "editor/EditorScale.h"
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
// Units: the controls, their rectangles and the areas to redraw are in the
// layout's own units; the window, the back buffer, the mouse positions a
// platform passes in and the rectangles it is given back are in pixels. The
// editor's scale maps one to the other, here and nowhere else.
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
  // The window's size in pixels.
  int Width() const override { return scale.ToPixels(width); }
  int Height() const override { return scale.ToPixels(height); }
  void ShowNormalizedValue(int paramIndex, double normalized) override;
  void CreateSurfaces() override;
  void SetParameterFromHost(int paramIndex, double value, bool normalized) override;
  void SetGreyed(int controlIndex, bool greyed) override;
  void SetControlText(int controlIndex, const char* text) override;
  void MarkAllControlsChanged() override;
  // Draws at the host's scale, telling the plug-in when the size changed.
  void SetHostScale(double factor) override;
  void ConstrainSize(int* width, int* height) const override;
  bool TakeWindowSize(int width, int height) override;

  // Platform operations.
  void* OpenEditorWindow(void* parent) override = 0;
  void CloseEditorWindow() override = 0;
  // Copies area of the back buffer to the window.
  virtual void PaintToScreen(const Rect& area) = 0;
  // The back buffer took a new size: an open window takes it too.
  virtual void ResizeWindow() {}
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
  int LayoutWidth() const { return width; }
  int LayoutHeight() const { return height; }

  const EditorScale& Scale() const { return scale; }
  // Draws at a new scale from here on: the back buffer takes the new size
  // and every control is drawn again. Returns whether the scale changed.
  bool SetScale(const EditorScale& newScale);
  // Where the scale comes from, first one that says: the user's zoom (in
  // quarters, or ZoomSettings::kAuto), the host's scale, the system's. Each
  // change is applied at once and a new size told to the plug-in.
  void SetUserZoom(int quarters);
  int UserZoom() const { return userZoom; }
  void SetSystemScale(double factor);
  // Reads the user's zoom from the settings file, telling nobody: for an
  // editor being made, before the host asks its size.
  void LoadUserZoom();
  // The zoom menu, opened at a window point; the choice is applied and
  // kept in the settings file.
  void ShowZoomMenu(int pixelX, int pixelY);

  // The control list: drawing order bottom to top, index 0 the background.
  // The graphics object owns every control it is given.
  void AddControl(IControl* control);
  void SetBackground(IControl* control);
  int NControls() const { return static_cast<int>(controls.size()); }
  // Null for an index outside the list.
  IControl* GetControl(int index) const;

  // Bitmaps and drawing.
  BitmapStrip LoadBitmapStrip(int id, const char* name, int frames);
  // Rects and source offsets in layout units. Frames count from 1; blend
  // null means normal at full weight.
  bool DrawBitmapFrame(const BitmapStrip& strip, const Rect& rect, int frame,
                       const BlendMode* blend);
  bool DrawBitmapRegion(const BitmapStrip& strip, const Rect& rect, int srcX, int srcY,
                        const BlendMode* blend);
  bool DrawText(TextStyle& style, const char* text, Rect& rect, bool measureOnly = false);
  LICE_CachedFont* FindFont(TextStyle& style);
  // Null until the surfaces exist; in pixels.
  LICE_SysBitmap* BackBuffer() const { return backBuffer.get(); }
  const Rect& DrawArea() const { return drawArea; }

  // The drawing cycle. Redraw draws every visible control touching area (in
  // layout units) into the back buffer and ends in PaintToScreen, which is
  // given the pixels drawn. RedrawPixels redraws what covers a window area.
  void Redraw(const Rect& area);
  void RedrawPixels(const Rect& pixels);
  // The union of the rects of all controls that need drawing; false (and an
  // empty area) when none does.
  bool CollectDirtyArea(Rect* area) const;
  // Applies what host and audio threads posted since the last call.
  void DrainHostHandOff();

  // The value prompt behind a control's right-click.
  void PromptForValue(IControl* control, int paramIndex, const Rect& rect);

  // Mouse routing, from window pixels. MouseDown and MouseUp bracket the
  // gesture with the plug-in's parameter-edit calls; drag, double-click and
  // wheel do not.
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
  // The top-most control that is visible, not greyed and contains the point
  // (in layout units), or -1.
  int FindControlAt(int x, int y) const;

  int Capture() const { return capture; }
  // The parameter of the control the mouse holds, or -1: a value shown from
  // elsewhere must not move a control under the user's hand.
  int HeldParameter() const;
  void SetCapture(int index) { capture = index; }
  int MouseOverIndex() const { return mouseOver; }
  // The last mouse position in layout units.
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
  void ResizeBackBuffer();
  EditorScale ChosenScale() const;
  void ApplyChosenScale();
  // A source offset in layout units as a pixel offset into the scaled image
  // of a strip whose frames are framePitch units apart (0: not along frames).
  int ScaledSourceOffset(int offset, int framePitch) const;
  // A copy of style with its font at this scale's size.
  TextStyle ScaledStyle(const TextStyle& style) const;
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
  EditorScale scale;
  int userZoom = 0;
  double hostScale = 0.0;
  double systemScale = 0.0;
  Rect drawArea;
  // drawArea in pixels: what drawing is clipped to.
  Rect drawPixels;
  // Made with the surfaces, once the control list is complete.
  std::unique_ptr<HostHandOff> handOff;
};
