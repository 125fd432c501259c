#include "editor/x11/X11PopupMenu.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <poll.h>

#include <algorithm>
#include <chrono>

#include "editor/x11/PopupMenuPicture.h"
#include "editor/x11/X11ErrorTrap.h"
#include "editor/x11/X11PutPixels.h"

namespace {

constexpr long kMenuEvents = ExposureMask | ButtonPressMask | ButtonReleaseMask |
                             PointerMotionMask | KeyPressMask;
constexpr unsigned int kPointerEvents = ButtonPressMask | ButtonReleaseMask | PointerMotionMask;
constexpr int kPollMs = 50;
constexpr int kGrabTries = 20;

// The open menu: its window, what the pointer did, and the outcome.
struct MenuState {
  Display* display;
  Window window;
  GC gc;
  PopupMenuPicture& picture;
  int lit = -1;
  bool pressedInside = false;
  bool moved = false;
  bool done = false;
  int chosen = -1;
};

void Show(MenuState& menu) {
  const int screen = DefaultScreen(menu.display);
  LICE_MemBitmap& bitmap = menu.picture.Bitmap();
  PutPixels(menu.display, menu.window, menu.gc, DefaultVisual(menu.display, screen),
            DefaultDepth(menu.display, screen), bitmap.Bits(), bitmap.RowSpan(), bitmap.Width(),
            bitmap.Height(), Rect(0, 0, bitmap.Width(), bitmap.Height()));
}

void Light(MenuState& menu, int item) {
  if (item == menu.lit) return;
  menu.lit = item;
  menu.picture.Draw(item);
  Show(menu);
}

bool Inside(const MenuState& menu, int x, int y) {
  return x >= 0 && y >= 0 && x < menu.picture.Width() && y < menu.picture.Height();
}

void Handle(MenuState& menu, XEvent& event) {
  switch (event.type) {
    case Expose:
      Show(menu);
      break;
    case MotionNotify:
      menu.moved = true;
      Light(menu, menu.picture.ItemAt(event.xmotion.x, event.xmotion.y));
      break;
    case ButtonPress:
      if (Inside(menu, event.xbutton.x, event.xbutton.y)) {
        menu.pressedInside = true;
      } else {
        menu.done = true;
      }
      break;
    case ButtonRelease: {
      const int item = menu.picture.ItemAt(event.xbutton.x, event.xbutton.y);
      if (menu.pressedInside || (menu.moved && item >= 0)) {
        menu.chosen = item;
        menu.done = true;
      }
      break;
    }
    case KeyPress: {
      const KeySym key = XLookupKeysym(&event.xkey, 0);
      if (key == XK_Escape) menu.done = true;
      if (key == XK_Return && menu.lit >= 0) {
        menu.chosen = menu.lit;
        menu.done = true;
      }
      break;
    }
    default:
      break;
  }
}

// The press that opened the menu may still hold the pointer for the
// editor's window: this client's own grab replaces it.
bool GrabInput(Display* display, Window window) {
  for (int i = 0; i < kGrabTries; ++i) {
    if (XGrabPointer(display, window, False, kPointerEvents, GrabModeAsync, GrabModeAsync, None,
                     None, CurrentTime) == GrabSuccess) {
      XGrabKeyboard(display, window, False, GrabModeAsync, GrabModeAsync, CurrentTime);
      return true;
    }
    poll(nullptr, 0, 5);
  }
  return false;
}

void RunLoop(MenuState& menu) {
  using Clock = std::chrono::steady_clock;
  auto lastEvent = Clock::now();
  pollfd connection{ConnectionNumber(menu.display), POLLIN, 0};
  while (!menu.done) {
    while (!menu.done && XPending(menu.display) > 0) {
      XEvent event;
      XNextEvent(menu.display, &event);
      lastEvent = Clock::now();
      // What comes for the editor's own window meanwhile is dropped: the
      // editor is drawn whole again once the menu closes.
      if (event.xany.window == menu.window) Handle(menu, event);
    }
    if (menu.done) break;
    if (Clock::now() - lastEvent > std::chrono::milliseconds(X11PopupMenu::kGiveUpMs)) break;
    poll(&connection, 1, kPollMs);
  }
}

}  // namespace

int X11PopupMenu::Run(Display* display, unsigned long editorWindow, int x, int y,
                      PopupMenuPicture& picture) {
  if (!display || editorWindow == 0 || picture.Width() < 1 || picture.Height() < 1) return -1;
  X11ErrorTrap trap(display);
  const int screen = DefaultScreen(display);
  const Window root = RootWindow(display, screen);
  int rootX = 0, rootY = 0;
  Window child = 0;
  if (!XTranslateCoordinates(display, editorWindow, root, x, y, &rootX, &rootY, &child)) return -1;
  // Kept on the screen, as far as it fits.
  rootX = std::max(0, std::min(rootX, DisplayWidth(display, screen) - picture.Width()));
  rootY = std::max(0, std::min(rootY, DisplayHeight(display, screen) - picture.Height()));

  XSetWindowAttributes settings{};
  settings.override_redirect = True;
  settings.background_pixmap = None;
  settings.event_mask = kMenuEvents;
  const Window window = XCreateWindow(
      display, root, rootX, rootY, static_cast<unsigned>(picture.Width()),
      static_cast<unsigned>(picture.Height()), 0, CopyFromParent, InputOutput, CopyFromParent,
      CWOverrideRedirect | CWBackPixmap | CWEventMask, &settings);
  if (window == 0) return -1;
  MenuState menu{display, window, XCreateGC(display, window, 0, nullptr), picture};
  picture.Draw(-1);
  XMapRaised(display, window);
  XSync(display, False);
  if (GrabInput(display, window)) RunLoop(menu);
  XUngrabKeyboard(display, CurrentTime);
  XUngrabPointer(display, CurrentTime);
  XFreeGC(display, menu.gc);
  XDestroyWindow(display, window);
  XSync(display, False);
  return menu.chosen;
}
