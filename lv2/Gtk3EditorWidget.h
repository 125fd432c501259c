#pragma once
#include <memory>

// The editor as a Gtk 3 widget, for hosts that embed nothing but widgets of
// their own toolkit: a drawing area of the editor's size whose X11 window
// holds the editor's window once the host shows it. Only such a host
// instantiates the widget, and it has Gtk 3 loaded, so Gtk's functions are
// taken from the host's process: the binary neither links Gtk nor needs it
// to build. A timer of its own drives the editor, whether or not the host
// ever calls idle (a host that calls it only when its own events run dry
// would leave the editor still while the mouse moves over it, as those
// events go to the editor's connection, not to the host's).
class Gtk3EditorWidget {
 public:
  class Client {
   public:
    // Opens the editor's window as a child of this X11 window; false on
    // failure.
    virtual bool OpenIn(unsigned long window) = 0;
    // Closes it, before the window it lives in goes.
    virtual void Close() = 0;
    // The editor's events and drawing.
    virtual void Idle() = 0;

   protected:
    ~Client() = default;
  };

  // Null when the process has no Gtk 3 drawing on an X11 display.
  static std::unique_ptr<Gtk3EditorWidget> Create(Client* client, int width, int height);
  ~Gtk3EditorWidget();
  Gtk3EditorWidget(const Gtk3EditorWidget&) = delete;
  Gtk3EditorWidget& operator=(const Gtk3EditorWidget&) = delete;

  // The size the widget asks of the host's layout, as the editor's changes.
  void Resize(int width, int height);
  // The GtkWidget the host packs.
  void* Widget() const { return area; }

 private:
  struct Gtk;
  Gtk3EditorWidget(std::unique_ptr<Gtk> functions, Client* client);
  static void Realized(void* widget, void* self);
  static void Unrealizing(void* widget, void* self);
  static int Tick(void* self);

  std::unique_ptr<Gtk> gtk;
  Client* client;
  void* area = nullptr;
  unsigned int timer = 0;
};
