// What the X11 window layer costs on a private Xvfb: one full-editor copy to
// the window, and the idle calls between ticks that hosts make many times a
// second.
// clang-format off
// The benchmark library before Xlib, whose macros (None, Bool) clash.
#include <benchmark/benchmark.h>
#include <X11/Xlib.h>
// clang-format on

#include <cstdint>
#include <string>
#include <vector>

#include "XvfbServer.h"
#include "editor/x11/IGraphicsX11.h"
#include "editor/x11/X11EditorWindow.h"

namespace {

constexpr int kWidth = 1000;
constexpr int kHeight = 420;

// A server and a host window for one benchmark run.
struct HostDesk {
  HostDesk() {
    std::string error;
    if (!XvfbServer::Installed() || !server.Start(24, &error)) return;
    display = XOpenDisplay(nullptr);
    if (!display) return;
    window =
        XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, kWidth, kHeight, 0, 0, 0);
    XMapWindow(display, window);
    XSync(display, False);
  }
  ~HostDesk() {
    if (display) XCloseDisplay(display);
  }
  bool Ready() const { return window != 0; }

  XvfbServer server;
  Display* display = nullptr;
  Window window = 0;
};

void BM_FullEditorPaint(benchmark::State& state) {
  HostDesk desk;
  X11EditorWindow editor;
  if (!desk.Ready() || !editor.Open(desk.window, kWidth, kHeight)) {
    state.SkipWithError("no Xvfb");
    return;
  }
  std::vector<LICE_pixel> pixels(static_cast<size_t>(kWidth) * kHeight, LICE_RGBA(1, 2, 3, 255));
  for (auto _ : state) {
    editor.Put(pixels.data(), kWidth, kWidth, kHeight, Rect(0, 0, kWidth, kHeight));
    editor.Sync();
  }
  state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}
BENCHMARK(BM_FullEditorPaint)->Unit(benchmark::kMicrosecond);

void BM_IdleBetweenTicks(benchmark::State& state) {
  HostDesk desk;
  IGraphicsX11 graphics(nullptr, kWidth, kHeight, 25);
  if (!desk.Ready() ||
      !graphics.OpenEditorWindow(reinterpret_cast<void*>(std::uintptr_t{desk.window}))) {
    state.SkipWithError("no Xvfb");
    return;
  }
  graphics.Idle();  // the first tick and the exposure
  for (auto _ : state) graphics.Idle();
}
BENCHMARK(BM_IdleBetweenTicks)->Unit(benchmark::kMicrosecond);

}  // namespace
