// The editor layout: one fixed-size window of bitmap controls over a
// full-size background, built once inside the plug-in's constructor.
#include "editor/IBitmapControl.h"
#include "editor/IGraphics.h"
#include "editor/ISwitchControl.h"
#include "editor/ITextControl.h"
#include "editor/IURLControl.h"
#include "editor/PlatformGraphics.h"
#include "product/MyIContactControl.h"
#include "product/MyIKnobMultiControl.h"
#include "product/MyIRadioButtonsControl.h"
#include "product/MyISwitchControl.h"
#include "product/TovraneProduct.h"
#include "resources/EditorImages.h"

namespace {

constexpr int kEditorWidth = 1000;
constexpr int kEditorHeight = 420;
constexpr int kEditorFrameRate = 25;
constexpr double kKnobGearing = 4.0;

struct KnobPlace {
  int x;
  int y;
  int paramIndex;
};

// Knobs in list order; LF boost, HF boost and Age are greyed by the product.
constexpr KnobPlace kKnobsBeforeToneKnobs[] = {
    {28, 108, kInputGain},     {888, 108, kOutputGain}, {148, 254, kNoiseAmp},
    {268, 254, kNoiseDynamic}, {208, 332, kSpeed},      {408, 268, kWow},
    {528, 268, kScratch},      {148, 108, kHarmonics},  {268, 108, kTubeDrive},
};
constexpr KnobPlace kLfBoostKnob{528, 108, kLfBoost};
constexpr KnobPlace kHfBoostKnob{648, 108, kHfBoost};
constexpr KnobPlace kAgeKnob{768, 108, kAge};
constexpr KnobPlace kKnobsAfterToneKnobs[] = {
    {648, 268, kWide}, {768, 268, kQuadMix}, {888, 268, kQuadDelay}};

TextStyle ReadoutStyle() {
  return TextStyle("Arial", 15, Colour(255, 0, 255, 0), kTextStyleNormal, kAlignCentre, 0, 0,
                   Colour(255, 255, 255, 255), Colour(255, 0, 0, 0));
}

BitmapStrip LoadImage(IGraphics* graphics, int id) {
  const EditorImage* image = FindEditorImage(id);
  return graphics->LoadBitmapStrip(id, image->file, image->frames);
}

}  // namespace

IGraphics* TovraneProduct::Graphics() const { return dynamic_cast<IGraphics*>(plug.Editor()); }

void TovraneProduct::BuildEditor() {
  IGraphics* graphics =
      CreatePlatformGraphics(&plug, kEditorWidth, kEditorHeight, kEditorFrameRate);

  const BitmapStrip background = LoadImage(graphics, kBackgroundImage);
  graphics->SetBackground(new IBitmapControl(&plug, 0, 0, -1, background, {kBlendCopy, 1.0f}));

  const BitmapStrip knob = LoadImage(graphics, kKnobImage);
  const BitmapStrip button = LoadImage(graphics, kRadioButtonImage);
  const BitmapStrip power = LoadImage(graphics, kPowerSwitchImage);
  const BitmapStrip undo = LoadImage(graphics, kUndoImage);
  const BitmapStrip redo = LoadImage(graphics, kRedoImage);
  const BitmapStrip ab = LoadImage(graphics, kAbImage);
  const BitmapStrip copy = LoadImage(graphics, kCopyImage);

  graphics->AddControl(new MyIContactControl(this, 18, 8, kUndo, undo));
  graphics->AddControl(new MyIContactControl(this, 68, 8, kRedo, redo));
  graphics->AddControl(new MyIContactControl(this, 168, 8, kCopy, copy));
  graphics->AddControl(new MyISwitchControl(this, 118, 8, kAB, ab));
  graphics->AddControl(new IURLControl(&plug, Rect(880, 0, 1000, 40), TovraneProduct::kWebPage));
  graphics->AddControl(
      new MyIRadioButtonsControl(this, Rect(91, 260, 125, 390), kNoiseType, 5, button));
  graphics->AddControl(
      new MyIRadioButtonsControl(this, Rect(456, 93, 490, 193), kProfile, 4, button));

  auto addKnob = [&](const KnobPlace& place) {
    graphics->AddControl(
        new MyIKnobMultiControl(this, place.x, place.y, place.paramIndex, knob, kKnobGearing));
    return graphics->NControls() - 1;
  };
  for (const KnobPlace& place : kKnobsBeforeToneKnobs) addKnob(place);
  const int lfBoostIndex = addKnob(kLfBoostKnob);
  const int hfBoostIndex = addKnob(kHfBoostKnob);
  const int ageIndex = addKnob(kAgeKnob);
  for (const KnobPlace& place : kKnobsAfterToneKnobs) addKnob(place);

  graphics->AddControl(new ISwitchControl(&plug, 932, 359, kPower, power));
  graphics->AddControl(new ITextControl(&plug, Rect(663, 368, 773, 399), ReadoutStyle()));
  const int readoutIndex = graphics->NControls() - 1;

  SetEditorControlIndexes(readoutIndex, lfBoostIndex, hfBoostIndex, ageIndex);
  graphics->LoadUserZoom();
  plug.AttachEditor(graphics);
}
