// The editor as a CLAP host embeds it: the editor window inside the host's,
// at the host's scale and the sizes the editor takes, and on Linux driven
// by the host's timer and its watch on the editor's X connection, since the
// host gives no idle calls.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <mutex>

#include "clap/IPlugCLAP.h"

namespace {

using Guard = std::lock_guard<std::recursive_mutex>;

#if defined(_WIN32)
constexpr const char* kWindowApi = clap::CLAP_WINDOW_API_WIN32;
#else
constexpr const char* kWindowApi = clap::CLAP_WINDOW_API_X11;
#endif

// Half the editor's 40 ms frame period, so that a timer a little early
// never makes the editor wait a whole frame for its next tick.
constexpr uint32_t kTimerPeriodMs = 20;

void* ParentOf(const clap::clap_window& window) {
#if defined(_WIN32)
  return window.win32;
#else
  return reinterpret_cast<void*>(static_cast<uintptr_t>(window.x11));
#endif
}

// A size the host passes, as the editor counts pixels.
int Pixels(uint32_t length) { return static_cast<int>(std::min<uint32_t>(length, INT32_MAX)); }

}  // namespace

// Only embedded: the editor has no window of its own to float in.
bool IPlugCLAP::GuiApiSupported(const char* api, bool isFloating) const {
  return Editor() != nullptr && api != nullptr && std::strcmp(api, kWindowApi) == 0 && !isFloating;
}

bool IPlugCLAP::GuiPreferredApi(const char** api, bool* isFloating) const {
  if (Editor() == nullptr || api == nullptr || isFloating == nullptr) return false;
  *api = kWindowApi;
  *isFloating = false;
  return true;
}

bool IPlugCLAP::GuiCreate(const char* api, bool isFloating) {
  if (guiCreated || !GuiApiSupported(api, isFloating)) return false;
  guiCreated = true;
  return true;
}

void IPlugCLAP::GuiDestroy() {
  if (!guiCreated) return;
  StopEditorWork();
  if (guiOpen) {
    Guard guard(Lock());
    EditorClosed();
    Editor()->CloseEditorWindow();
    guiOpen = false;
  }
  guiCreated = false;
}

bool IPlugCLAP::GuiSize(uint32_t* width, uint32_t* height) const {
  if (!guiCreated || width == nullptr || height == nullptr) return false;
  *width = static_cast<uint32_t>(Editor()->Width());
  *height = static_cast<uint32_t>(Editor()->Height());
  return true;
}

// X11 and Win32 windows are in pixels, so the host's scale is the editor's
// to apply. Unless the user chose a zoom, the editor follows it and asks the
// host for its new size (EditorSizeChanged). Called without the plug-in's
// lock: the request goes to the host.
bool IPlugCLAP::GuiSetScale(double scale) {
  if (!guiCreated || !std::isfinite(scale) || scale <= 0.0) return false;
  Editor()->SetHostScale(scale);
  return true;
}

void IPlugCLAP::EditorSizeChanged() {
  uint32_t width = 0;
  uint32_t height = 0;
  if (GuiSize(&width, &height)) host.RequestResize(width, height);
}

// The window's corner may be dragged either way; the editor keeps its
// proportions, which its size at any scale shows.
bool IPlugCLAP::GuiResizeHints(clap::clap_gui_resize_hints* hints) const {
  uint32_t width = 0;
  uint32_t height = 0;
  if (hints == nullptr || !GuiSize(&width, &height)) return false;
  hints->can_resize_horizontally = true;
  hints->can_resize_vertically = true;
  hints->preserve_aspect_ratio = true;
  hints->aspect_ratio_width = width;
  hints->aspect_ratio_height = height;
  return true;
}

// The largest size the editor takes within the host's proposal.
bool IPlugCLAP::GuiAdjustSize(uint32_t* width, uint32_t* height) const {
  if (!guiCreated || width == nullptr || height == nullptr) return false;
  int w = Pixels(*width);
  int h = Pixels(*height);
  Editor()->ConstrainSize(&w, &h);
  *width = static_cast<uint32_t>(w);
  *height = static_cast<uint32_t>(h);
  return true;
}

// The size the host gave the window is the editor's scale from then on (the
// fitting one); true only when it is exactly one the editor takes.
bool IPlugCLAP::GuiSetSize(uint32_t width, uint32_t height) {
  if (!guiCreated) return false;
  return Editor()->TakeWindowSize(Pixels(width), Pixels(height));
}

bool IPlugCLAP::GuiSetParent(const clap::clap_window* window) {
  if (!guiCreated || guiOpen || window == nullptr || window->api == nullptr ||
      std::strcmp(window->api, kWindowApi) != 0 || ParentOf(*window) == nullptr) {
    return false;
  }
  {
    Guard guard(Lock());
    if (Editor()->OpenEditorWindow(ParentOf(*window)) == nullptr) return false;
    EditorOpened();
    guiOpen = true;
  }
  // Without the host's timer the window is shown but neither painted nor
  // answering input until the host gives one; nothing else goes wrong.
  clap::clap_id timer = clap::CLAP_INVALID_ID;
  if (host.RegisterTimer(kTimerPeriodMs, &timer)) editorTimer = timer;
  const int fd = Editor()->EventFileDescriptor();
  if (fd >= 0 && host.RegisterReadableFd(fd)) editorFd = fd;
  return true;
}

void IPlugCLAP::StopEditorWork() {
  if (editorTimer != clap::CLAP_INVALID_ID) host.UnregisterTimer(editorTimer);
  if (editorFd >= 0) host.UnregisterFd(editorFd);
  editorTimer = clap::CLAP_INVALID_ID;
  editorFd = -1;
}

// The editor's drawing and event work runs without the plug-in's lock, as
// a window's timer does; what it changes in the plug-in takes the lock.
void IPlugCLAP::OnTimer(clap::clap_id timerId) {
  if (guiOpen && timerId == editorTimer) Editor()->Idle();
}

void IPlugCLAP::OnFd(int fd, uint32_t /*flags*/) {
  if (guiOpen && fd == editorFd) Editor()->Idle();
}
