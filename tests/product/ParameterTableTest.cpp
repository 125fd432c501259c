// The product on a plug-in base of no particular format, as any binding
// carries it: its parameters, programs, live settings and readout must be
// what the parameter table says.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "FakeEditor.h"
#include "core/IPlugBase.h"
#include "product/ParameterTable.h"
#include "product/TovraneProduct.h"

namespace {

constexpr int kReadoutControl = 40;

// The least a binding does: hand parameter changes to the product.
class BarePlug : public IPlugBase {
 public:
  BarePlug() : IPlugBase(TovraneProduct::Identity()) { product.Build(); }
  void OnParamChanged(int index) override { product.OnParamChanged(index); }

  TovraneProduct product{*this};
};

ParamKind KindOf(ParamForm form) {
  switch (form) {
    case ParamForm::Percent:
      return KindDouble;
    case ParamForm::Whole:
      return KindInt;
    case ParamForm::Command:
      break;
  }
  return KindNone;
}

// The live settings hold what each row maps its parameter's value to.
void ExpectSettingsFollowTheParameters(const BarePlug& plug) {
  const EngineSnapshot& live = plug.product.LiveSnapshot();
  for (const ParameterRow& row : kParameterTable) {
    SCOPED_TRACE(row.index);
    const PlugParam* param = plug.GetParam(row.index);
    if (row.fraction) {
      EXPECT_EQ(live.*row.fraction, param->Value() / 100.0);
    }
    if (row.whole) {
      EXPECT_EQ(live.*row.whole, param->IntValue());
    }
  }
}

}  // namespace

TEST(ParameterTable, EveryParameterIsDefinedAsItsRowSays) {
  auto plug = std::make_unique<BarePlug>();
  ASSERT_EQ(plug->NParams(), static_cast<int>(kParameterTable.size()));
  for (const ParameterRow& row : kParameterTable) {
    SCOPED_TRACE(row.index);
    const PlugParam* param = plug->GetParam(row.index);
    EXPECT_EQ(param->Kind(), KindOf(row.form));
    EXPECT_STREQ(param->Name(), row.form == ParamForm::Command ? "" : row.name);
    EXPECT_EQ(param->Min(), 0.0);
    EXPECT_EQ(param->Max(), row.maxValue);
    EXPECT_EQ(param->Step(), row.step);
    EXPECT_STREQ(param->Label(), row.label);
    EXPECT_EQ(param->Default(), row.defaultValue);
    EXPECT_EQ(param->Value(), row.defaultValue);
    EXPECT_EQ(param->Shape(), 1.0);
  }
  ExpectSettingsFollowTheParameters(*plug);
}

TEST(ParameterTable, ProgramsSetTheirColumnsAndLeaveEveryOtherParameterAtZero) {
  auto plug = std::make_unique<BarePlug>();
  // Program 0 holds the defaults; the factory programs follow.
  for (int program = 1; program < plug->NPresets(); ++program) {
    SCOPED_TRACE(plug->PresetNameAt(program));
    ASSERT_TRUE(plug->LoadPreset(program));
    for (const ParameterRow& row : kParameterTable) {
      if (row.presetColumn < 0) {
        EXPECT_EQ(plug->GetParam(row.index)->Value(), 0.0) << row.index;
      }
    }
    ExpectSettingsFollowTheParameters(*plug);
  }
}

TEST(ParameterTable, TheReadoutShowsEachParameterInItsRowsForm) {
  auto plug = std::make_unique<BarePlug>();
  auto* editor = new FakeEditor;
  plug->product.SetEditorControlIndexes(kReadoutControl, 1, 2, 3);
  plug->AttachEditor(editor);
  for (const ParameterRow& row : kParameterTable) {
    SCOPED_TRACE(row.index);
    editor->texts[kReadoutControl] = "before";
    plug->GetParam(row.index)->Set(row.maxValue);
    plug->OnParamChanged(row.index);
    plug->product.BlockDone(plug->product.TakeBlockSettings());
    const std::string text = editor->texts[kReadoutControl];
    const std::string head = std::string(row.name) + " \n";
    switch (row.readout) {
      case ReadoutForm::None:
        EXPECT_EQ(text, "before");
        break;
      case ReadoutForm::Percent:
        EXPECT_EQ(text, head + "100.000000 %");
        break;
      case ReadoutForm::Decibels:
        EXPECT_EQ(text, head + "12.000000 dB");
        break;
      case ReadoutForm::Names:
        EXPECT_EQ(text, head + row.valueNames[static_cast<int>(row.maxValue)]);
        break;
      case ReadoutForm::Power:
        EXPECT_EQ(text, head + "Off");
        break;
    }
  }
}
