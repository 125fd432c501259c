#pragma once

#include <cstdint>

// The system services behind opening a web page; tests put their own in.
class WebPageSystem {
 public:
  virtual ~WebPageSystem() = default;
  // Whether the system reports an internet connection.
  virtual bool Connected();
  // Opens address with its default handler; the shell's result, above 32 on
  // success.
  virtual std::intptr_t Launch(void* owner, const char* address);
  // A Yes/No question; true for Yes.
  virtual bool Confirm(void* owner, const char* text, const char* title);
  virtual void Tell(void* owner, const char* text, const char* title);
};

// Opens the maker's web page: an optional confirmation, a connectivity check,
// the shell's "open" and an optional error box. The link control passes
// neither text, so then nothing is ever shown and a failure is silent.
class WebPageOpenerWin {
 public:
  // system null: the real one.
  explicit WebPageOpenerWin(WebPageSystem* system = nullptr);

  // owner is the window message boxes belong to (an HWND, may be null).
  bool Open(void* owner, const char* address, const char* title, const char* confirmText,
            const char* errorText);

 private:
  WebPageSystem* system;
};
