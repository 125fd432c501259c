#include "editor/IControl.h"

#include <cmath>
#include <cstdio>

#include "core/IPlugBase.h"
#include "editor/IGraphics.h"
#include "editor/ITextControl.h"

namespace {

// The prompt for a value without display texts is a small box in the middle.
constexpr int kPromptHalfWidth = 20;
constexpr int kPromptHalfHeight = 8;

}  // namespace

IControl::IControl(IPlugBase* plug, const Rect& rect, int paramIndex, const BlendMode& blend)
    : plug(plug), rect(rect), targetRect(rect), paramIndex(paramIndex), blend(blend) {}

IControl::~IControl() = default;

void IControl::MouseDown(int, int, const MouseMods& mods) {
  if (mods.right) PromptForValue();
}

void IControl::MouseUp(int, int, const MouseMods&) {}

void IControl::MouseDrag(int, int, int, int, const MouseMods&) {}

void IControl::MouseDoubleClick(int, int, const MouseMods&) {
  if (defaultValue < 0.0) return;
  value = defaultValue;
  MarkChanged(true);
}

void IControl::MouseWheel(int, int, const MouseMods&, int) {}

bool IControl::KeyDown(int, int, int) { return false; }

void IControl::MouseOver(int, int, const MouseMods&) {}

void IControl::MouseOut() {}

void IControl::ValueFromHost(double v) {
  // The first value from the host only initialises; the control is still
  // dirty from construction.
  if (defaultValue < 0.0) {
    value = defaultValue = v;
    return;
  }
  if (v != value || std::isnan(v) || std::isnan(value)) {
    value = v;
    MarkChanged(false);
    redrawPending = true;
  }
}

void IControl::ValueFromUser(double v) {
  if (v == value) return;
  value = v;
  MarkChanged(true);
  redrawPending = true;
}

void IControl::TextFromEntry(const char*) {}

void IControl::SetHidden(bool hide) {
  hidden = hide;
  redrawPending = true;
  MarkChanged(false);
}

void IControl::SetGreyed(bool grey) {
  greyed = grey;
  blend.weight = grey ? kGreyedWeight : 1.0f;
  MarkChanged(false);
}

bool IControl::Contains(int x, int y) const {
  if (targetRect.Empty()) return false;
  return x >= targetRect.left && x < targetRect.right && y >= targetRect.top &&
         y < targetRect.bottom;
}

void IControl::MarkChanged(bool pushToPlugin) {
  value = value < clampLow ? clampLow : (value > clampHigh ? clampHigh : value);
  dirty = true;
  if (!pushToPlugin || !plug || paramIndex < 0) return;
  plug->SetParameterFromEditor(paramIndex, value);
  PushToDisplays();
}

void IControl::PushToDisplays() {
  const PlugParam* param = plug->GetParam(paramIndex);
  if (!param) return;
  if (valueDisplay) {
    char formatted[kParamTextSize] = "";
    param->FormatValue(param->Value(), false, formatted, kParamTextSize, true);
    char label[kParamTextSize] = "";
    CopyText(label, kParamTextSize, param->UnitLabel());
    char text[2 * kParamTextSize + 2];
    std::snprintf(text, sizeof text, "%s %s", formatted, label);
    valueDisplay->SetText(text);
  }
  if (nameDisplay) nameDisplay->SetText(param->Name());
}

void IControl::MarkDrawn() {
  dirty = redrawPending;
  redrawPending = false;
}

bool IControl::NeedsRedraw() const { return dirty; }

void IControl::AuxValueFromHost(int auxIndex, double v) {
  if (auxIndex < 0 || auxIndex >= NAuxParams()) return;
  AuxParam& aux = auxParams[static_cast<std::size_t>(auxIndex)];
  if (aux.value == v) return;
  aux.value = v;
  MarkChanged(false);
  redrawPending = true;
}

const AuxParam* IControl::GetAuxParam(int auxIndex) const {
  if (auxIndex < 0 || auxIndex >= NAuxParams()) return nullptr;
  return &auxParams[static_cast<std::size_t>(auxIndex)];
}

void IControl::PromptForValue() {
  if (paramIndex < 0 || promptDisabled || !plug || !graphics) return;
  const PlugParam* param = plug->GetParam(paramIndex);
  if (!param) return;
  Rect area = rect;
  if (param->DisplayTextCount() == 0) {
    const int cx = static_cast<int>((rect.left + rect.right) * 0.5);
    const int cy = static_cast<int>((rect.top + rect.bottom) * 0.5);
    area = Rect(cx - kPromptHalfWidth, cy - kPromptHalfHeight, cx + kPromptHalfWidth,
                cy + kPromptHalfHeight);
  }
  graphics->PromptForValue(this, paramIndex, area);
  redrawPending = true;
}
