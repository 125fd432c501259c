#include "editor/IGraphics.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "core/IPlugBase.h"
#include "core/PlugParam.h"
#include "editor/BitmapCache.h"
#include "editor/ITextControl.h"
#include "editor/ZoomSettings.h"
#include "raster/LICE_Blit.h"
#include "raster/LICE_CachedFont.h"
#include "raster/LICE_FontCache.h"
#include "raster/LICE_MemBitmap.h"
#include "raster/LICE_SysBitmap.h"

namespace {

constexpr int kPromptTextSize = 64;

int BlitModeFor(const BlendMode* blend) {
  if (!blend) return kBlitModeCopy | kBlitUseSourceAlpha;
  switch (blend->method) {
    case kBlendCopy:
      return kBlitModeCopy;
    case kBlendAdd:
      return kBlitModeAdd | kBlitUseSourceAlpha;
    case kBlendDodge:
      return kBlitModeDodge | kBlitUseSourceAlpha;
    default:
      return kBlitModeCopy | kBlitUseSourceAlpha;
  }
}

int TextAlignFor(int alignment) {
  switch (alignment) {
    case kAlignCentre:
      return kTextAlignCentre;
    case kAlignRight:
      return kTextAlignRight;
    default:
      return kTextAlignLeft;
  }
}

// Widens rect to a measured extent of width x height after the alignment.
void FitToExtent(Rect& rect, int alignment, int width, int height) {
  if (alignment == kAlignRight) {
    rect.left = rect.right - width;
  } else if (alignment == kAlignCentre) {
    rect.left = (rect.left + rect.right - width) / 2;
    rect.right = rect.left + width;
  } else {
    rect.right = rect.left + width;
  }
  rect.bottom = rect.top + height;
}

// The surface comes uninitialised; start from transparent black so that
// every editor begins from the same picture.
void ClearToTransparent(LICE_IBitmap& bitmap) {
  if (LICE_pixel* bits = bitmap.Bits()) {
    std::fill(bits, bits + static_cast<std::size_t>(bitmap.RowSpan()) * bitmap.Height(),
              LICE_pixel{0});
  }
}

// Auto, or a zoom held to the scales the editor draws at.
int UserZoomOf(int quarters) {
  return quarters == ZoomSettings::kAuto ? quarters : EditorScale::FromQuarters(quarters).Quarters();
}

bool PromptsWithMenu(const PlugParam& param) {
  return param.Kind() == KindEnum || (param.Kind() == KindBool && param.DisplayTextCount() > 0);
}

}  // namespace

IGraphics::IGraphics(IPlugBase* plug, int width, int height, int frameRate)
    : plug(plug), width(width), height(height), frameRate(frameRate) {}

IGraphics::~IGraphics() = default;

void IGraphics::AddControl(IControl* control) {
  if (!control) return;
  control->SetGraphics(this);
  controls.emplace_back(control);
}

void IGraphics::SetBackground(IControl* control) {
  if (!control) return;
  control->SetGraphics(this);
  controls.emplace(controls.begin(), control);
}

IControl* IGraphics::GetControl(int index) const {
  if (index < 0 || index >= NControls()) return nullptr;
  return controls[static_cast<std::size_t>(index)].get();
}

int IGraphics::HeldParameter() const {
  const IControl* held = GetControl(capture);
  return held ? held->ParamIdx() : -1;
}

void IGraphics::CreateSurfaces() {
  backBuffer = std::make_unique<LICE_SysBitmap>(Width(), Height());
  ClearToTransparent(*backBuffer);
  spareBitmap = std::make_unique<LICE_MemBitmap>();
  // From here on other threads may call in, so the mailboxes take over; the
  // control list is complete by now.
  handOff = std::make_unique<HostHandOff>(plug ? plug->NParams() : 0, NControls());
}

bool IGraphics::SetScale(const EditorScale& newScale) {
  if (newScale == scale) return false;
  scale = newScale;
  ResizeBackBuffer();
  ResizeWindow();
  for (auto& control : controls) control->MarkChanged(false);
  return true;
}

EditorScale IGraphics::ChosenScale() const {
  if (userZoom != ZoomSettings::kAuto) return EditorScale::FromQuarters(userZoom);
  if (hostScale > 0.0) return EditorScale::FromFactor(hostScale);
  if (systemScale > 0.0) return EditorScale::FromFactor(systemScale);
  return EditorScale();
}

void IGraphics::ApplyChosenScale() {
  if (SetScale(ChosenScale()) && plug) plug->EditorSizeChanged();
}

void IGraphics::SetUserZoom(int quarters) {
  userZoom = UserZoomOf(quarters);
  ApplyChosenScale();
}

// Before the host has asked for a size there is nobody to tell.
void IGraphics::LoadUserZoom() {
  userZoom = UserZoomOf(ZoomSettings::Load());
  SetScale(ChosenScale());
}

void IGraphics::SetHostScale(double factor) {
  if (!std::isfinite(factor) || factor <= 0.0) return;
  hostScale = factor;
  ApplyChosenScale();
}

void IGraphics::SetSystemScale(double factor) {
  if (!std::isfinite(factor) || factor <= 0.0) return;
  systemScale = factor;
  ApplyChosenScale();
}

void IGraphics::ShowZoomMenu(int pixelX, int pixelY) {
  PopupMenu menu;
  for (int quarters : ZoomSettings::kChoices) {
    menu.AddItem(ZoomSettings::ChoiceName(quarters).c_str(), quarters == userZoom);
  }
  const int chosen = ShowPopupMenu(menu, Rect(pixelX, pixelY, pixelX + 1, pixelY + 1));
  if (chosen < 0 || chosen >= menu.NItems()) return;
  const int quarters = ZoomSettings::kChoices[chosen];
  ZoomSettings::Save(quarters);
  SetUserZoom(quarters);
}

// A size the user drags the window to is the host's scale from then on;
// while the user's own zoom holds, the editor keeps its size.
void IGraphics::ConstrainSize(int* width, int* height) const {
  const EditorScale fitting = userZoom != ZoomSettings::kAuto
                                  ? scale
                                  : EditorScale::FittingIn(*width, *height, this->width, this->height);
  *width = fitting.ToPixels(this->width);
  *height = fitting.ToPixels(this->height);
}

bool IGraphics::TakeWindowSize(int windowWidth, int windowHeight) {
  if (userZoom == ZoomSettings::kAuto) {
    hostScale = EditorScale::FittingIn(windowWidth, windowHeight, width, height).Factor();
    SetScale(ChosenScale());
  }
  return Width() == windowWidth && Height() == windowHeight;
}

void IGraphics::ResizeBackBuffer() {
  if (!backBuffer) return;
  backBuffer->Resize(Width(), Height());
  ClearToTransparent(*backBuffer);
}

void IGraphics::ShowNormalizedValue(int paramIndex, double normalized) {
  if (!std::isfinite(normalized)) return;
  if (handOff) {
    handOff->PostValue(paramIndex, normalized);
  } else {
    ApplyValue(paramIndex, normalized);
  }
}

void IGraphics::SetParameterFromHost(int paramIndex, double value, bool normalized) {
  double v = value;
  if (!normalized) {
    const PlugParam* param = plug ? plug->GetParam(paramIndex) : nullptr;
    if (!param) return;
    v = param->ToNormalized(value);
  }
  // A value no control can show (NaN from a host, a parameter with no range)
  // is dropped rather than drawn as an undefined frame.
  if (!std::isfinite(v)) return;
  if (handOff) {
    handOff->PostValue(paramIndex, v);
  } else {
    ApplyValue(paramIndex, v);
  }
}

void IGraphics::SetGreyed(int controlIndex, bool greyed) {
  if (handOff) {
    handOff->PostGreyed(controlIndex, greyed);
  } else if (IControl* control = GetControl(controlIndex)) {
    control->SetGreyed(greyed);
  }
}

void IGraphics::SetControlText(int controlIndex, const char* text) {
  if (handOff) {
    handOff->PostText(controlIndex, text);
  } else {
    ApplyText(controlIndex, text);
  }
}

void IGraphics::MarkAllControlsChanged() {
  if (handOff) {
    handOff->PostMarkAll();
    return;
  }
  for (auto& control : controls) control->MarkChanged(false);
}

void IGraphics::DrainHostHandOff() {
  if (!handOff) return;
  for (int i = 0; i < handOff->NParams(); ++i) {
    double v = 0.0;
    if (handOff->TakeValue(i, &v)) ApplyValue(i, v);
  }
  const int n = handOff->NControls() < NControls() ? handOff->NControls() : NControls();
  for (int i = 0; i < n; ++i) {
    bool greyed = false;
    if (handOff->TakeGreyed(i, &greyed)) controls[static_cast<std::size_t>(i)]->SetGreyed(greyed);
    char text[TextMailbox::kCapacity];
    if (handOff->TakeText(i, text)) ApplyText(i, text);
  }
  if (handOff->TakeMarkAll()) {
    for (auto& control : controls) control->MarkChanged(false);
  }
}

void IGraphics::ApplyValue(int paramIndex, double normalized) {
  for (auto& control : controls) {
    if (control->ParamIdx() == paramIndex) control->ValueFromHost(normalized);
    for (int aux = 0; aux < control->NAuxParams(); ++aux) {
      if (control->GetAuxParam(aux)->paramIndex == paramIndex) {
        control->AuxValueFromHost(aux, normalized);
        break;
      }
    }
  }
}

void IGraphics::ApplyText(int controlIndex, const char* text) {
  if (auto* textControl = dynamic_cast<ITextControl*>(GetControl(controlIndex))) {
    textControl->SetText(text);
  }
}

BitmapStrip IGraphics::LoadBitmapStrip(int id, const char* name, int frames) {
  BitmapStrip strip;
  strip.bitmap = BitmapCache::Find(id, name);
  strip.id = id;
  strip.name = name;
  if (strip.bitmap) {
    strip.width = strip.bitmap->Width();
    strip.height = strip.bitmap->Height();
  }
  // A frame count below 1 would divide by zero wherever frames are sized.
  strip.frames = frames < 1 ? 1 : frames;
  return strip;
}

bool IGraphics::DrawBitmapFrame(const BitmapStrip& strip, const Rect& rect, int frame,
                                const BlendMode* blend) {
  int srcX = 0;
  int srcY = 0;
  const int n = strip.frames;
  if (n >= 2 && frame >= 2) {
    if (strip.framesHorizontal) {
      srcX = TruncateToInt(static_cast<double>(strip.width) * (frame - 1) / n + 0.5);
    } else {
      srcY = TruncateToInt(static_cast<double>(strip.height) * (frame - 1) / n + 0.5);
    }
  }
  return DrawBitmapRegion(strip, rect, srcX, srcY, blend);
}

bool IGraphics::DrawBitmapRegion(const BitmapStrip& strip, const Rect& rect, int srcX, int srcY,
                                 const BlendMode* blend) {
  // A missing image draws nothing.
  if (!strip.bitmap || !backBuffer) return false;
  LICE_IBitmap* image = BitmapCache::FindScaled(strip, scale);
  if (!image) return false;
  const Rect target = scale.ToPixels(rect);
  const Rect clip = target.Intersect(drawPixels);
  if (clip.Empty()) return true;
  const int pixelX = ScaledSourceOffset(srcX, strip.framesHorizontal ? strip.FrameWidth() : 0);
  const int pixelY = ScaledSourceOffset(srcY, strip.framesHorizontal ? 0 : strip.FrameHeight());
  const int fromX = pixelX + clip.left - target.left;
  const int fromY = pixelY + clip.top - target.top;
  const LICE_Rect source{fromX, fromY, fromX + clip.W(), fromY + clip.H()};
  const float weight = blend ? blend->weight : 1.0f;
  Blit(backBuffer.get(), image, clip.left, clip.top, &source, weight, BlitModeFor(blend));
  return true;
}

// Along the frames, an offset is a whole number of frames, each a pixel
// span of the scaled image, and the rest within the frame, scaled.
int IGraphics::ScaledSourceOffset(int offset, int framePitch) const {
  if (framePitch <= 0) return scale.ToPixels(offset);
  const int frame = offset / framePitch;
  return frame * scale.PixelSpan(framePitch) + scale.ToPixels(offset - frame * framePitch);
}

LICE_CachedFont* IGraphics::FindFont(TextStyle& style) {
  LICE_FontRequest request;
  CopyText(request.face, sizeof request.face, style.fontName);
  request.height = scale.ToPixels(style.size);
  request.orientation = style.orientation;
  request.style = style.style;
  request.quality = style.quality;
  LICE_CachedFont* font = LICE_FontCache::Find(request);
  if (font) {
    style.cachedFont = font;
    style.cachedFontHeight = request.height;
  }
  return font;
}

TextStyle IGraphics::ScaledStyle(const TextStyle& style) const {
  TextStyle scaled = style;
  scaled.size = scale.ToPixels(style.size);
  scaled.cachedFont = nullptr;
  return scaled;
}

bool IGraphics::DrawText(TextStyle& style, const char* text, Rect& rect, bool measureOnly) {
  if (!text || !text[0]) return true;
  // Text is set at the scaled size itself, never scaled as a picture.
  const bool cachedFits = style.cachedFont && style.cachedFontHeight == scale.ToPixels(style.size);
  LICE_CachedFont* font = cachedFits ? style.cachedFont : FindFont(style);
  if (!font) return false;
  // Styles differing only in colour share the font, so its colour is set per call.
  font->SetTextColour(style.colour.Packed());
  int flags = kTextNoClip | TextAlignFor(style.alignment);
  if (style.colour.alpha != 255) flags |= kTextUseForegroundAlpha;
  if (measureOnly) {
    LICE_Rect extent{0, 0, 0, 0};
    font->DrawText(nullptr, text, -1, &extent, flags | kTextMeasureOnly);
    FitToExtent(rect, style.alignment, scale.LayoutCovering(Rect(0, 0, extent.Width(), 1)).right,
                scale.LayoutCovering(Rect(0, 0, 1, extent.Height())).bottom);
    return true;
  }
  if (!backBuffer) return false;
  LICE_Rect area = scale.ToPixels(rect).ToLice();
  font->DrawText(backBuffer.get(), text, -1, &area, flags);
  return true;
}

void IGraphics::RedrawPixels(const Rect& pixels) { Redraw(scale.LayoutCovering(pixels)); }

void IGraphics::Redraw(const Rect& area) {
  DrainHostHandOff();
  drawArea = area;
  drawPixels = scale.ToPixels(area);
  if (controls.empty()) return;
  for (auto& control : controls) {
    if (!control->IsHidden() && !area.Empty() && area.Touches(control->GetRect())) {
      control->Draw(this);
    }
    control->MarkDrawn();
  }
  PaintToScreen(drawPixels);
}

bool IGraphics::CollectDirtyArea(Rect* area) const {
  Rect dirty;
  bool any = false;
  for (const auto& control : controls) {
    if (!control->NeedsRedraw()) continue;
    any = true;
    dirty = dirty.Union(control->GetRect());
  }
  if (area) *area = dirty;
  return any;
}

void IGraphics::PromptForValue(IControl* control, int paramIndex, const Rect& rect) {
  PlugParam* param = plug ? plug->GetParam(paramIndex) : nullptr;
  if (!control || !param) return;
  if (PromptsWithMenu(*param)) {
    char current[kParamTextSize] = "";
    param->FormatValue(param->Value(), false, current, kParamTextSize, true);
    PopupMenu menu;
    for (int i = 0; i < param->DisplayTextCount(); ++i) {
      const char* text = param->DisplayTextAt(i)->text;
      menu.AddItem(text, std::strcmp(text, current) == 0);
    }
    const int chosen = ShowPopupMenu(menu, scale.ToPixels(rect));
    if (chosen >= 0) control->ValueFromUser(param->ToNormalized(static_cast<double>(chosen)));
    return;
  }
  double v = param->Value();
  if (param->NegateDisplay()) v = -v;
  char text[kPromptTextSize];
  if (param->DisplayPrecision() > 0) {
    std::snprintf(text, sizeof text, "%.*f", param->DisplayPrecision(), v);
  } else {
    std::snprintf(text, sizeof text, "%d", TruncateToInt(v));
  }
  OpenTextEntry(control, ScaledStyle(control->GetTextStyle()), scale.ToPixels(rect), text, param);
}

bool IGraphics::CanTakeMouse(const IControl* control) const {
  return !control->IsHidden() && !control->IsGreyed();
}

int IGraphics::FindControlAt(int x, int y) const {
  for (int i = NControls() - 1; i >= 0; --i) {
    const IControl* control = controls[static_cast<std::size_t>(i)].get();
    if (CanTakeMouse(control) && control->Contains(x, y)) return i;
  }
  return -1;
}

void IGraphics::ReleaseCapture() {
  capture = -1;
  SetLastMouse(-1, -1);
}

void IGraphics::MouseDown(int pixelX, int pixelY, const MouseMods& mods) {
  const int x = scale.ToLayout(pixelX);
  const int y = scale.ToLayout(pixelY);
  DrainHostHandOff();
  ReleaseCapture();
  const int index = FindControlAt(x, y);
  if (index == 0 && mods.right) {
    ShowZoomMenu(pixelX, pixelY);
    return;
  }
  if (index < 0) return;
  capture = index;
  SetLastMouse(x, y);
  IControl* control = GetControl(index);
  if (control->ParamIdx() >= 0 && plug) plug->BeginParameterEdit(control->ParamIdx());
  control->MouseDown(x, y, mods);
}

void IGraphics::MouseUp(int pixelX, int pixelY, const MouseMods& mods) {
  const int x = scale.ToLayout(pixelX);
  const int y = scale.ToLayout(pixelY);
  DrainHostHandOff();
  const int index = capture >= 0 ? capture : FindControlAt(x, y);
  ReleaseCapture();
  IControl* control = GetControl(index);
  if (!control) return;
  control->MouseUp(x, y, mods);
  if (control->ParamIdx() >= 0 && plug) plug->EndParameterEdit(control->ParamIdx());
}

bool IGraphics::MouseOver(int pixelX, int pixelY, const MouseMods& mods) {
  const int x = scale.ToLayout(pixelX);
  const int y = scale.ToLayout(pixelY);
  if (!handlesMouseOver) return false;
  int index = capture;
  if (index < 0) {
    for (int i = NControls() - 1; i >= 0; --i) {
      const IControl* control = controls[static_cast<std::size_t>(i)].get();
      if (!control->IsHidden() && control->Contains(x, y) &&
          (!control->IsGreyed() || control->MouseOverWhenGreyed())) {
        index = i;
        break;
      }
    }
  }
  SetLastMouse(x, y);
  if (IControl* control = GetControl(index)) control->MouseOver(x, y, mods);
  if (mouseOver != index) {
    if (IControl* previous = GetControl(mouseOver)) previous->MouseOut();
  }
  mouseOver = index;
  return true;
}

void IGraphics::MouseDrag(int pixelX, int pixelY, const MouseMods& mods) {
  const int x = scale.ToLayout(pixelX);
  const int y = scale.ToLayout(pixelY);
  IControl* control = GetControl(capture);
  if (!control || (x == lastMouseX && y == lastMouseY)) return;
  const int dX = x - lastMouseX;
  const int dY = y - lastMouseY;
  SetLastMouse(x, y);
  control->MouseDrag(x, y, dX, dY, mods);
}

bool IGraphics::MouseDoubleClick(int pixelX, int pixelY, const MouseMods& mods) {
  const int x = scale.ToLayout(pixelX);
  const int y = scale.ToLayout(pixelY);
  DrainHostHandOff();
  ReleaseCapture();
  const int index = FindControlAt(x, y);
  IControl* control = GetControl(index);
  if (!control) return false;
  if (control->DoubleClickActsAsPress()) {
    capture = index;
    SetLastMouse(x, y);
    control->MouseDown(x, y, mods);
    return true;
  }
  control->MouseDoubleClick(x, y, mods);
  return false;
}

void IGraphics::MouseWheel(int pixelX, int pixelY, const MouseMods& mods, int notches) {
  const int x = scale.ToLayout(pixelX);
  const int y = scale.ToLayout(pixelY);
  DrainHostHandOff();
  IControl* control = GetControl(capture >= 0 ? capture : FindControlAt(x, y));
  if (control) control->MouseWheel(x, y, mods, notches);
}

bool IGraphics::KeyDown(int pixelX, int pixelY, int key) {
  const int x = scale.ToLayout(pixelX);
  const int y = scale.ToLayout(pixelY);
  const int index = capture >= 0 ? capture : FindControlAt(x, y);
  // Keys over the background go to the keyboard control, if there is one.
  IControl* target = index > 0 ? GetControl(index) : keyboardControl;
  return target && target->KeyDown(x, y, key);
}
