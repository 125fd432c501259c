#pragma once

// The scale a desktop asks text to be drawn at, from the X resource string
// it publishes (the root window's RESOURCE_MANAGER): its "Xft.dpi" over the
// 96 dots per inch of 100 %. 0 when the string is null or sets no positive
// Xft.dpi.
double XftDpiScale(const char* resources);
