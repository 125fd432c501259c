#include "lv2/Gtk3EditorWidget.h"

#include <dlfcn.h>

namespace {

// GLib's and Gtk's values for what is used here.
constexpr int kConnectAfter = 1 << 0;  // G_CONNECT_AFTER
constexpr int kMatchData = 1 << 4;     // G_SIGNAL_MATCH_DATA
constexpr int kSourceContinue = 1;     // G_SOURCE_CONTINUE

// The editor's ticks keep their own rate whatever the idle calls' rate;
// sixty calls a second answer the mouse within a screen refresh.
constexpr unsigned int kIdlePeriodMs = 16;

using Callback = void (*)();

}  // namespace

// Gtk 3's functions as the host's process has them, through the Gtk 3
// library it loaded: a Gtk 2 host's functions of the same names are never
// taken for them. GObject, GdkWindow and GdkDisplay pointers are void*,
// GType is gsize, gboolean is int.
struct Gtk3EditorWidget::Gtk {
  Gtk() = default;
  Gtk(const Gtk&) = delete;
  Gtk& operator=(const Gtk&) = delete;
  ~Gtk() {
    if (library) dlclose(library);
  }

  // False when no Gtk 3 is loaded or it lacks one of the functions.
  bool Load() {
    library = dlopen("libgtk-3.so.0", RTLD_LAZY | RTLD_NOLOAD);
    return library && Find(&drawing_area_new, "gtk_drawing_area_new") &&
           Find(&widget_set_size_request, "gtk_widget_set_size_request") &&
           Find(&widget_get_window, "gtk_widget_get_window") &&
           Find(&window_ensure_native, "gdk_window_ensure_native") &&
           Find(&window_get_display, "gdk_window_get_display") &&
           Find(&display_sync, "gdk_display_sync") &&
           Find(&display_get_default, "gdk_display_get_default") &&
           Find(&x11_display_get_type, "gdk_x11_display_get_type") &&
           Find(&x11_window_get_type, "gdk_x11_window_get_type") &&
           Find(&x11_window_get_xid, "gdk_x11_window_get_xid") &&
           Find(&type_check_instance_is_a, "g_type_check_instance_is_a") &&
           Find(&signal_connect_data, "g_signal_connect_data") &&
           Find(&signal_handlers_disconnect_matched, "g_signal_handlers_disconnect_matched") &&
           Find(&timeout_add, "g_timeout_add") && Find(&source_remove, "g_source_remove") &&
           Find(&object_ref_sink, "g_object_ref_sink") && Find(&object_unref, "g_object_unref");
  }

  // Whether object is a GObject of the type this function returns.
  bool Is(void* object, unsigned long (*type)()) const {
    return object && type_check_instance_is_a(object, type()) != 0;
  }

  void* library = nullptr;
  void* (*drawing_area_new)() = nullptr;
  void (*widget_set_size_request)(void*, int, int) = nullptr;
  void* (*widget_get_window)(void*) = nullptr;
  int (*window_ensure_native)(void*) = nullptr;
  void* (*window_get_display)(void*) = nullptr;
  void (*display_sync)(void*) = nullptr;
  void* (*display_get_default)() = nullptr;
  unsigned long (*x11_display_get_type)() = nullptr;
  unsigned long (*x11_window_get_type)() = nullptr;
  unsigned long (*x11_window_get_xid)(void*) = nullptr;
  int (*type_check_instance_is_a)(void*, unsigned long) = nullptr;
  unsigned long (*signal_connect_data)(void*, const char*, Callback, void*, void (*)(void*, void*),
                                       int) = nullptr;
  unsigned int (*signal_handlers_disconnect_matched)(void*, int, unsigned int, unsigned int, void*,
                                                     void*, void*) = nullptr;
  unsigned int (*timeout_add)(unsigned int, int (*)(void*), void*) = nullptr;
  int (*source_remove)(unsigned int) = nullptr;
  void* (*object_ref_sink)(void*) = nullptr;
  void (*object_unref)(void*) = nullptr;

 private:
  template <typename Function>
  bool Find(Function* function, const char* name) {
    *function = reinterpret_cast<Function>(dlsym(library, name));
    return *function != nullptr;
  }
};

std::unique_ptr<Gtk3EditorWidget> Gtk3EditorWidget::Create(Client* client, int width, int height) {
  auto gtk = std::make_unique<Gtk>();
  if (!client || !gtk->Load()) return nullptr;
  // The editor's window is an X11 window: a host drawing through another
  // backend has no window to hold it.
  if (!gtk->Is(gtk->display_get_default(), gtk->x11_display_get_type)) return nullptr;
  std::unique_ptr<Gtk3EditorWidget> made(new Gtk3EditorWidget(std::move(gtk), client));
  if (!made->area) return nullptr;
  made->gtk->widget_set_size_request(made->area, width, height);
  return made;
}

Gtk3EditorWidget::Gtk3EditorWidget(std::unique_ptr<Gtk> functions, Client* client)
    : gtk(std::move(functions)), client(client) {
  void* made = gtk->drawing_area_new();
  if (!made) return;
  // A reference of its own keeps the widget valid until cleanup, whenever
  // the host destroys it.
  area = gtk->object_ref_sink(made);
  gtk->signal_connect_data(area, "realize", reinterpret_cast<Callback>(&Realized), this, nullptr,
                           kConnectAfter);
  gtk->signal_connect_data(area, "unrealize", reinterpret_cast<Callback>(&Unrealizing), this,
                           nullptr, 0);
  timer = gtk->timeout_add(kIdlePeriodMs, &Tick, this);
}

Gtk3EditorWidget::~Gtk3EditorWidget() {
  if (timer) gtk->source_remove(timer);
  if (!area) return;
  // Matched by data, not by id: a widget the host destroyed has dropped
  // its handlers already.
  gtk->signal_handlers_disconnect_matched(area, kMatchData, 0, 0, nullptr, nullptr, this);
  gtk->object_unref(area);
}

void Gtk3EditorWidget::Resize(int width, int height) {
  if (area) gtk->widget_set_size_request(area, width, height);
}

// After Gtk's own handler, so that the widget has its window.
void Gtk3EditorWidget::Realized(void* widget, void* data) {
  auto* self = static_cast<Gtk3EditorWidget*>(data);
  const Gtk& gtk = *self->gtk;
  void* window = gtk.widget_get_window(widget);
  // Gtk draws child widgets into their top-level's X11 window unless asked
  // for one of their own.
  if (!gtk.Is(window, gtk.x11_window_get_type) || !gtk.window_ensure_native(window)) return;
  // Created on Gtk's connection; it must reach the server before the
  // editor's own connection names it as a parent.
  gtk.display_sync(gtk.window_get_display(window));
  self->client->OpenIn(gtk.x11_window_get_xid(window));
}

// Before Gtk's own handler destroys the window the editor's lives in.
void Gtk3EditorWidget::Unrealizing(void*, void* data) {
  static_cast<Gtk3EditorWidget*>(data)->client->Close();
}

int Gtk3EditorWidget::Tick(void* data) {
  static_cast<Gtk3EditorWidget*>(data)->client->Idle();
  return kSourceContinue;
}
