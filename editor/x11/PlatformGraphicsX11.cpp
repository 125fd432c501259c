#include "editor/PlatformGraphics.h"
#include "editor/x11/IGraphicsX11.h"

IGraphics* CreatePlatformGraphics(IPlugBase* plug, int width, int height, int frameRate) {
  return new IGraphicsX11(plug, width, height, frameRate);
}
