#include "editor/IGraphicsHeadless.h"

IGraphicsHeadless::IGraphicsHeadless(IPlugBase* plug, int width, int height, int frameRate)
    : IGraphics(plug, width, height, frameRate) {}

void* IGraphicsHeadless::OpenEditorWindow(void*) { return nullptr; }

void IGraphicsHeadless::Tick() {
  DrainHostHandOff();
  Rect dirty;
  if (CollectDirtyArea(&dirty)) Redraw(dirty);
}

void IGraphicsHeadless::RedrawAll() { Redraw(Rect(0, 0, LayoutWidth(), LayoutHeight())); }
