#pragma once
#include "dsp/Maths.h"
#include "lv2/IPlugLV2.h"
#include "lv2/TovranePorts.h"
#include "product/TovranePlug.h"

// The product as an LV2 plug-in, on the product's own maths like the VST 2
// plug-in, so the two sound the same. The undo history and the A/B slots
// live here, with the settings played; the editor sends its commands.
class TovraneLv2 : public TovranePlug<IPlugLV2, ProductMaths> {
 public:
  static constexpr const char* kUri = "urn:ostrelle:kestravon";

  TovraneLv2(double sampleRate, const LV2_Feature* const* features)
      : TovranePlug(kControlPortParams, sampleRate, features) {}

 protected:
  bool OnEditorMessage(const editor_messages::Message& message) override {
    switch (message.kind) {
      case editor_messages::Kind::Command:
        if (!ParameterAt(message.parameter)) return false;
        Product().EditorCommand(message.parameter);
        return TovraneProduct::CommandChangesSettings(message.parameter);
      case editor_messages::Kind::Record:
        Product().RecordSnapshotIfChanged();
        return false;
      default:
        return false;
    }
  }

  int EditorSettings(std::span<double> values) override {
    for (const ParameterRow& row : kParameterTable) {
      if (static_cast<size_t>(row.index) < values.size()) {
        values[row.index] = SnapshotField(row, Product().LiveSnapshot());
      }
    }
    return Product().AbSelector();
  }
};
