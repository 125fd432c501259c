// The VST 3 module's parameters and programs as a host lists them, held to
// the VST 2 library's: names, units, value texts, flags and program names.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/ComponentHandler.h"
#include "host/Vst3Host.h"
#include "product/HostParameters.h"
#include "tests/vst2/PluginLibrary.h"

namespace {

constexpr vst3::ParamID kProgramChangeId = 1000;
constexpr int kPrograms = 16;

std::string Ascii(const vst3::char16* text) {
  std::string out;
  for (; *text; ++text) out += *text < 0x80 ? static_cast<char>(*text) : '?';
  return out;
}

std::u16string Utf16(const std::string& text) { return std::u16string(text.begin(), text.end()); }

// Values at and between the steps of every kind of parameter, all exact in
// single precision, as the VST 2 library takes them.
const float kSweep[] = {0.0f, 0.125f, 0.2f, 0.25f, 0.3125f, 0.5f, 0.6f, 0.75f, 0.875f, 0.99f, 1.0f};

class Vst3Parameters : public PluginLibrary {
 protected:
  void SetUp() override {
    PluginLibrary::SetUp();
    Dispatch(effOpen);
    ASSERT_EQ(host.Failure(), "");
    controller = host.Controller();
  }

  std::string StringByValue(vst3::ParamID id, double value) {
    vst3::String128 text{};
    EXPECT_EQ(controller->getParamStringByValue(id, value, text), vst3::kResultOk) << id;
    return Ascii(text);
  }

  Vst3Host host{KESTRAVON_VST3_MODULE_PATH};
  vst3::IEditController* controller = nullptr;
};

}  // namespace

TEST_F(Vst3Parameters, TheNamedSettingsAndTheProgramAreListed) {
  ASSERT_EQ(controller->getParameterCount(), kHostParameterCount + 1);
  ASSERT_EQ(kHostParameterCount, 18);
  for (int i = 0; i < kHostParameterCount; ++i) {
    vst3::ParameterInfo info{};
    ASSERT_EQ(controller->getParameterInfo(i, info), vst3::kResultOk);
    const int id = kHostParameters[i];
    SCOPED_TRACE(Text(effGetParamName, id));
    EXPECT_EQ(info.id, static_cast<vst3::ParamID>(id));
    EXPECT_EQ(Ascii(info.title), Text(effGetParamName, id));
    EXPECT_EQ(Ascii(info.units), Text(effGetParamLabel, id));
    EXPECT_EQ(info.unitId, vst3::kRootUnitId);
    const bool list = id == kProfile || id == kNoiseType;
    EXPECT_EQ((info.flags & vst3::ParameterInfo::kIsList) != 0, list);
    EXPECT_EQ((info.flags & vst3::ParameterInfo::kIsBypass) != 0, id == kPower);
    EXPECT_EQ(info.flags & vst3::ParameterInfo::kIsProgramChange, 0);
    EXPECT_NE(info.flags & vst3::ParameterInfo::kCanAutomate, 0);
    if (id == kProfile) {
      EXPECT_EQ(info.stepCount, 3);
    }
    if (id == kNoiseType) {
      EXPECT_EQ(info.stepCount, 4);
    }
    if (id == kPower) {
      EXPECT_EQ(info.stepCount, 1);
    }
  }
  vst3::ParameterInfo program{};
  ASSERT_EQ(controller->getParameterInfo(kHostParameterCount, program), vst3::kResultOk);
  EXPECT_EQ(program.id, kProgramChangeId);
  EXPECT_EQ(program.stepCount, kPrograms - 1);
  EXPECT_EQ(program.unitId, vst3::kRootUnitId);
  EXPECT_NE(program.flags & vst3::ParameterInfo::kIsProgramChange, 0);
  EXPECT_NE(program.flags & vst3::ParameterInfo::kIsList, 0);
  vst3::ParameterInfo beyond{};
  EXPECT_NE(controller->getParameterInfo(kHostParameterCount + 1, beyond), vst3::kResultOk);
  EXPECT_NE(controller->getParameterInfo(-1, beyond), vst3::kResultOk);
}

TEST_F(Vst3Parameters, ValueTextsAreTheVst2Displays) {
  for (int id : kHostParameters) {
    for (float value : kSweep) {
      effect->setParameter(effect, id, value);
      EXPECT_EQ(StringByValue(id, value), Text(effGetParamDisplay, id))
          << Text(effGetParamName, id) << " at " << value;
    }
  }
  for (int p = 0; p < kPrograms; ++p) {
    EXPECT_EQ(StringByValue(kProgramChangeId, static_cast<double>(p) / (kPrograms - 1)),
              Text(effGetProgramNameIndexed, p));
  }
}

// A text the controller showed reads back as a value that shows the same text.
TEST_F(Vst3Parameters, ValueTextsReadBack) {
  std::vector<vst3::ParamID> ids(kHostParameters.begin(), kHostParameters.end());
  ids.push_back(kProgramChangeId);
  for (vst3::ParamID id : ids) {
    for (float value : kSweep) {
      const std::string text = StringByValue(id, value);
      std::u16string wide = Utf16(text);
      vst3::ParamValue read = -1.0;
      ASSERT_EQ(controller->getParamValueByString(id, wide.data(), read), vst3::kResultOk)
          << id << " \"" << text << "\"";
      EXPECT_GE(read, 0.0);
      EXPECT_LE(read, 1.0);
      EXPECT_EQ(StringByValue(id, read), text) << id << " read " << read;
    }
  }
}

TEST_F(Vst3Parameters, TheProgramListNamesTheVst2Programs) {
  auto* units = host.Query<vst3::IUnitInfo>();
  ASSERT_NE(units, nullptr);
  ASSERT_GE(units->getUnitCount(), 1);
  vst3::UnitInfo root{};
  ASSERT_EQ(units->getUnitInfo(0, root), vst3::kResultOk);
  EXPECT_EQ(root.id, vst3::kRootUnitId);
  EXPECT_EQ(root.parentUnitId, vst3::kNoParentUnitId);
  EXPECT_EQ(root.programListId, 1);
  ASSERT_EQ(units->getProgramListCount(), 1);
  vst3::ProgramListInfo list{};
  ASSERT_EQ(units->getProgramListInfo(0, list), vst3::kResultOk);
  EXPECT_EQ(list.id, 1);
  EXPECT_EQ(list.programCount, kPrograms);
  ASSERT_EQ(effect->numPrograms, kPrograms);
  for (int p = 0; p < kPrograms; ++p) {
    vst3::String128 name{};
    ASSERT_EQ(units->getProgramName(1, p, name), vst3::kResultOk);
    EXPECT_EQ(Ascii(name), Text(effGetProgramNameIndexed, p)) << p;
  }
  vst3::String128 name{};
  EXPECT_NE(units->getProgramName(1, kPrograms, name), vst3::kResultOk);
  EXPECT_NE(units->getProgramName(2, 0, name), vst3::kResultOk);
  units->release();
}

// The plug-in holds the host's handler while it has it and lets go of it when
// given another, as the reference counting rules ask.
TEST_F(Vst3Parameters, TheComponentHandlerIsHeldUntilReplaced) {
  ComponentHandler handler;
  ASSERT_EQ(controller->setComponentHandler(&handler), vst3::kResultOk);
  ComponentHandler next;
  ASSERT_EQ(controller->setComponentHandler(&next), vst3::kResultOk);
  EXPECT_EQ(handler.References(), 0u);
  ASSERT_EQ(controller->setComponentHandler(nullptr), vst3::kResultOk);
  EXPECT_EQ(next.References(), 0u);
  // Nothing was edited, so the host heard of no edit.
  EXPECT_TRUE(handler.Calls().empty());
}
