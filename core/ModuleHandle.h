#pragma once

// The operating system's handle of the plug-in library itself, kept when the
// library is loaded. The Windows editor registers its window class and finds
// its images through it; elsewhere it stays null.
void SetThisModule(void* module);
void* ThisModule();
