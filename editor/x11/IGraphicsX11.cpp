#include "editor/x11/IGraphicsX11.h"

#include <X11/Xlib.h>

#include <cstdint>

#include "editor/x11/PopupMenuPicture.h"
#include "editor/x11/X11ErrorTrap.h"
#include "editor/x11/X11PopupMenu.h"
#include "raster/LICE_SysBitmap.h"

namespace {

// The menu's text size in the layout's units.
constexpr int kMenuTextSize = 13;

}  // namespace

IGraphicsX11::IGraphicsX11(IPlugBase* plug, int width, int height, int frameRate)
    : IGraphicsHeadless(plug, width, height, frameRate),
      tickClock(frameRate > 0 ? 1000 / frameRate : 40) {}

IGraphicsX11::~IGraphicsX11() { CloseEditorWindow(); }

void* IGraphicsX11::OpenEditorWindow(void* parent) {
  CloseEditorWindow();
  const auto parentId = static_cast<unsigned long>(reinterpret_cast<std::uintptr_t>(parent));
  // The desktop's text scale is the scale of last resort; taking it may
  // change the size, so the window opens at whatever size that gives.
  if (parentId == 0 || !window.Open(parentId, Width(), Height())) return nullptr;
  SetSystemScale(window.DesktopTextScale());
  translator.Reset();
  tickClock.Restart();
  MarkAllControlsChanged();
  return WindowHandle();
}

void IGraphicsX11::CloseEditorWindow() { window.Close(); }

void IGraphicsX11::ResizeWindow() { window.Resize(Width(), Height()); }

void* IGraphicsX11::WindowHandle() const {
  return reinterpret_cast<void*>(static_cast<std::uintptr_t>(window.Id()));
}

void IGraphicsX11::PaintToScreen(const Rect& area) {
  LICE_SysBitmap* buffer = BackBuffer();
  if (!buffer) return;
  window.Put(buffer->Bits(), buffer->RowSpan(), buffer->Width(), buffer->Height(), area);
}

int IGraphicsX11::ShowPopupMenu(const PopupMenu& menu, const Rect& rect) {
  if (!window.Exists() || menu.NItems() == 0) return -1;
  TextStyle style;
  style.size = kMenuTextSize;
  PopupMenuPicture picture(menu, FindFont(style), Scale());
  const int chosen = X11PopupMenu::Run(window.Connection(), window.Id(), rect.left, rect.bottom, picture);
  RedrawAll();
  return chosen;
}

bool IGraphicsX11::OpenWebPage(const char* address, const char*, const char*, const char*) {
  return webPages.Open(address);
}

void IGraphicsX11::Idle() {
  webPages.Reap();
  if (!window.IsOpen()) return;
  const bool tick = tickClock.Due(EditorTickClock::Clock::now());
  // Most idle calls fall between ticks with nothing queued: they cost one
  // look at the connection and no round trip to the server.
  if (!tick && !window.HasEvents()) return;
  // Everything sent from here is waited for inside the trap, so no error of
  // ours can surface later outside it.
  X11ErrorTrap trap(window.Connection());
  Rect exposed;
  XEvent event;
  while (window.NextEvent(&event)) Handle(translator.Translate(event), &exposed);
  if (!window.Exists()) return;
  // Exposures of one pump are painted together, as one paint request.
  if (!exposed.Empty()) RedrawPixels(exposed);
  if (tick) Tick();
}

void IGraphicsX11::Handle(const EditorInput& input, Rect* exposed) {
  switch (input.kind) {
    case EditorInput::Kind::kExpose:
      *exposed = exposed->Union(input.area);
      break;
    case EditorInput::Kind::kPress:
      MouseDown(input.x, input.y, input.mods);
      break;
    case EditorInput::Kind::kDoubleClick:
      MouseDoubleClick(input.x, input.y, input.mods);
      break;
    case EditorInput::Kind::kRelease:
      MouseUp(input.x, input.y, input.mods);
      break;
    case EditorInput::Kind::kDrag:
      MouseDrag(input.x, input.y, input.mods);
      break;
    case EditorInput::Kind::kMove:
      MouseOver(input.x, input.y, input.mods);
      break;
    case EditorInput::Kind::kWheel:
      MouseWheel(input.x, input.y, input.mods, input.notches);
      break;
    case EditorInput::Kind::kNothing:
      break;
  }
}
