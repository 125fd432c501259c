#include "SharedLibrary.h"

#if defined(_WIN32)
#include <cstdio>

// The three kernel32 calls a host uses to load a plug-in, as documented.
extern "C" {
void* LoadLibraryA(const char* fileName);
void* GetProcAddress(void* module, const char* procName);
int FreeLibrary(void* module);
unsigned long GetLastError();
}

void* OpenSharedLibrary(const char* path) { return LoadLibraryA(path); }

void* FindLibrarySymbol(void* library, const char* name) {
  return library ? GetProcAddress(library, name) : nullptr;
}

void CloseSharedLibrary(void* library) {
  if (library) FreeLibrary(library);
}

const char* LastLoadError() {
  static char text[48];
  std::snprintf(text, sizeof text, "Windows error %lu", GetLastError());
  return text;
}
#else
#include <dlfcn.h>

void* OpenSharedLibrary(const char* path) { return dlopen(path, RTLD_NOW | RTLD_LOCAL); }

void* FindLibrarySymbol(void* library, const char* name) {
  return library ? dlsym(library, name) : nullptr;
}

void CloseSharedLibrary(void* library) {
  if (library) dlclose(library);
}

const char* LastLoadError() {
  const char* error = dlerror();
  return error ? error : "";
}
#endif
