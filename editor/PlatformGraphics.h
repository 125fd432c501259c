#pragma once

class IGraphics;
class IPlugBase;

// The graphics object of the platform this library is built for: a window
// layer where one exists, otherwise the headless core. The caller owns it.
IGraphics* CreatePlatformGraphics(IPlugBase* plug, int width, int height, int frameRate);
