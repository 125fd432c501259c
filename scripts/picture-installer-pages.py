#!/usr/bin/python3
"""Walks through the Windows installer's pages as a user who accepts every
default would, under Wine on the current X display, and saves a picture of
each page, so that the pages can be looked at without Windows.

  xvfb-run -a -s "-screen 0 1024x768x24 -br" /usr/bin/python3 \\
      scripts/picture-installer-pages.py INSTALLER OUT_FOLDER

Each page is pictured once the screen has stopped changing; then Return
presses the page's default button (Next, I Agree, Install, Finish). The Wine
prefix is a fresh one under build/windows/. Needs Debian's python3-pil and
libxtst6 (the X test extension, to press the key).
"""
import ctypes
import os
import shutil
import subprocess
import sys
import time
from pathlib import Path

from PIL import ImageChops, ImageGrab

XK_RETURN = 0xFF0D


class Keyboard:
    """Presses keys on the X display through the X test extension."""

    def __init__(self):
        self.x11 = ctypes.CDLL("libX11.so.6")
        self.xtst = ctypes.CDLL("libXtst.so.6")
        self.x11.XOpenDisplay.restype = ctypes.c_void_p
        self.x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.x11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        self.x11.XFlush.argtypes = [ctypes.c_void_p]
        self.xtst.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int,
                                                ctypes.c_ulong]
        self.xtst.XTestFakeMotionEvent.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int,
                                                   ctypes.c_int, ctypes.c_ulong]
        self.display = self.x11.XOpenDisplay(None)
        if not self.display:
            sys.exit("picture-installer-pages: no X display")

    def point_at(self, x, y):
        # With no window manager the keyboard goes to the window under the
        # pointer.
        self.xtst.XTestFakeMotionEvent(self.display, -1, x, y, 0)
        self.x11.XFlush(self.display)

    def press(self, keysym):
        code = self.x11.XKeysymToKeycode(self.display, keysym)
        for down in (1, 0):
            self.xtst.XTestFakeKeyEvent(self.display, code, down, 0)
            self.x11.XFlush(self.display)
            time.sleep(0.1)


def settled_screen(previous, process, timeout=60.0):
    """The screen once it has stayed the same for two seconds, shows
    something (the root window is black) and differs from the previous page's, or as it is when the installer has exited or
    the time runs out."""
    deadline = time.monotonic() + timeout
    last = ImageGrab.grab()
    still_since = time.monotonic()
    while time.monotonic() < deadline and process.poll() is None:
        time.sleep(0.5)
        now = ImageGrab.grab()
        if ImageChops.difference(now, last).getbbox():
            last, still_since = now, time.monotonic()
        elif time.monotonic() - still_since >= 2.0 and now.getbbox() and (
                previous is None or ImageChops.difference(now, previous).getbbox()):
            return now
    return last


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    installer = Path(sys.argv[1]).resolve()
    out = Path(sys.argv[2])
    out.mkdir(parents=True, exist_ok=True)
    root = Path(__file__).resolve().parent.parent
    prefix = root / "build" / "windows" / "installer-pages-prefix"
    shutil.rmtree(prefix, ignore_errors=True)
    env = dict(os.environ, WINEPREFIX=str(prefix), WINEDEBUG="-all",
               WINEDLLOVERRIDES="mscoree,mshtml=")
    wine = "/usr/lib/wine/wine64"
    subprocess.run([wine, "wineboot", "--init"], env=env, check=True, timeout=300)
    subprocess.run(["/usr/lib/wine/wineserver", "-w"], env=env, timeout=300)

    keyboard = Keyboard()
    process = subprocess.Popen([wine, str(installer)], env=env)
    previous = None
    try:
        for page in range(1, 11):
            screen = settled_screen(previous, process)
            if process.poll() is not None:
                break
            box = screen.getbbox() or (0, 0, screen.width, screen.height)
            picture = out / f"page-{page}.png"
            screen.crop(box).save(picture)
            print(f"picture-installer-pages: {picture} ({box[2] - box[0]}x{box[3] - box[1]})")
            previous = screen
            keyboard.point_at((box[0] + box[2]) // 2, (box[1] + box[3]) // 2)
            keyboard.press(XK_RETURN)
        process.wait(timeout=60)
    finally:
        if process.poll() is None:
            process.kill()
        subprocess.run(["/usr/lib/wine/wineserver", "-k"], env=env)
        shutil.rmtree(prefix, ignore_errors=True)
    print(f"picture-installer-pages: the installer exited with {process.returncode}")


if __name__ == "__main__":
    main()
