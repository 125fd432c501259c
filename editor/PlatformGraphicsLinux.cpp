#include "editor/IGraphicsHeadless.h"
#include "editor/PlatformGraphics.h"

IGraphics* CreatePlatformGraphics(IPlugBase* plug, int width, int height, int frameRate) {
  return new IGraphicsHeadless(plug, width, height, frameRate);
}
