#include "editor/PlatformGraphics.h"
#include "editor/win32/IGraphicsWin.h"

IGraphics* CreatePlatformGraphics(IPlugBase* plug, int width, int height, int frameRate) {
  return new IGraphicsWin(plug, width, height, frameRate);
}
