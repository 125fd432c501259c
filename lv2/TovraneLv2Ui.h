#pragma once
#include <algorithm>
#include <cmath>

#include "lv2/IPlugLV2Ui.h"
#include "lv2/TovranePorts.h"
#include "product/TovraneProduct.h"

// The product's editor as an LV2 user interface: the product on a plug-in
// base of the interface's own, fed by the host's port values.
class TovraneLv2Ui : public IPlugLV2Ui, private EditorCommandTarget {
 public:
  static constexpr const char* kUri = "urn:ostrelle:kestravon#ui";
  // The same editor as a Gtk 3 widget. lilv lists a plug-in's user
  // interfaces by URI, so a host that takes the first it can embed meets
  // this one before the X11 one: a Gtk 3 host needs no module to wrap it.
  static constexpr const char* kGtk3Uri = "urn:ostrelle:kestravon#gtk3ui";

  TovraneLv2Ui(LV2UI_Write_Function write, LV2UI_Controller controller,
               const LV2_Feature* const* features)
      : IPlugLV2Ui(TovraneProduct::Identity(), kControlPortParams, write, controller, features) {
    product.Build();
    // The history lives with the processing; without messages (a host that
    // maps no URIDs) the editor keeps one of its own.
    if (CanMessage()) product.ForwardEditorCommands(this);
  }

  void OnParamChanged(int index) override { product.OnParamChanged(index); }
  void OnStateRestored() override { product.OnStateRestored(); }

  // The readout follows the last touched parameter, as the processing
  // side's blocks show it in the VST 2 editor.
  int IdleAndShowReadout() {
    // An editor opened on a running plug-in shows what it plays, which
    // after an undo is not what the ports hold.
    if (!settingsRequested && CanMessage()) SendMessage(editor_messages::Kind::Request);
    settingsRequested = true;
    product.BlockDone(product.TakeBlockSettings());
    return Idle();
  }

 protected:
  void OnSettingsFromProcessing(std::span<const double> values, int abSelection) override {
    EngineSnapshot settings = product.LiveSnapshot();
    for (const ParameterRow& row : kParameterTable) {
      const auto index = static_cast<size_t>(row.index);
      const PlugParam* param = GetParam(row.index);
      if (index >= values.size() || !param || !std::isfinite(values[index])) continue;
      // The message comes from outside this process's memory: a value is
      // held to its parameter's range before it is shown, as a port's is.
      const double value =
          std::clamp(ParameterValueOfField(row, values[index]), param->Min(), param->Max());
      SetSnapshotField(row, FieldOfParameterValue(row, value), &settings);
    }
    product.ShowSettings(settings, abSelection < 0 || abSelection > 1 ? 0 : abSelection);
  }

 private:
  void EditorCommand(int index) override { SendMessage(editor_messages::Kind::Command, index); }
  void RecordSnapshotIfChanged() override { SendMessage(editor_messages::Kind::Record); }

  TovraneProduct product{*this};
  bool settingsRequested = false;
};
