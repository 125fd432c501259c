#pragma once

#include "raster/Win32Api.h"

// The dots per inch a window is shown at: its monitor's, where the system
// keeps one per monitor (Windows 10 1607 and later, looked up at run time so
// the plug-in still loads on older systems), else the screen's. 96 is 100 %;
// 0 when neither answers. A host that is not aware of the monitor's scale
// is told 96 by the system, which stretches its windows itself.
int MonitorDpi(HWND window);

inline constexpr int kStandardDpi = 96;
