#pragma once

// Loads a plug-in library the way a host on this system does: dlopen on
// Linux, LoadLibrary on Windows. Null on failure; LastLoadError says why.
void* OpenSharedLibrary(const char* path);
void* FindLibrarySymbol(void* library, const char* name);
void CloseSharedLibrary(void* library);
const char* LastLoadError();
