// The CLAP module's state and preset loading: the session chunk (the VST 2
// library's bank, then the program played) through host streams whole or
// a few bytes a call; bad states refused with nothing changed; a factory
// program by its load key as VST 2's effSetProgram selects it.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "ClapRenders.h"
#include "product/TovraneParams.h"

using namespace validation;

namespace {

class ClapState : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(clap.Failure(), ""); }
  ClapHost clap;
};

}  // namespace

TEST_F(ClapState, IsTheVst2BankThenTheProgramPlayed) {
  EXPECT_EQ(clap.SaveState(), SessionStateOf(0));
  const std::vector<uint8_t> eleven = SessionStateOf(11);
  ASSERT_FALSE(eleven.empty());
  ASSERT_TRUE(clap.LoadState(eleven));
  EXPECT_EQ(clap.SaveState(), eleven);
  EXPECT_EQ(clap.Host().Count("params.rescan:" + std::to_string(clap::CLAP_PARAM_RESCAN_VALUES)), 1)
      << "the host reads the values the state set";
}

// Hosts and file streams may move a few bytes a call; the state must not
// depend on it.
TEST_F(ClapState, StreamsMovingAFewBytesACallCarryTheSameState) {
  const std::vector<uint8_t> seven = SessionStateOf(7);
  const std::vector<uint8_t> zero = SessionStateOf(0);
  for (uint64_t perCall = 1; perCall <= 7; ++perCall) {
    SCOPED_TRACE(perCall);
    ASSERT_TRUE(clap.LoadState(seven, perCall));
    EXPECT_EQ(clap.SaveState(perCall), seven);
    ASSERT_TRUE(clap.LoadState(zero, perCall));
    EXPECT_EQ(clap.SaveState(perCall), zero);
  }
}

TEST_F(ClapState, BadStatesAreRefusedAndChangeNothing) {
  ASSERT_TRUE(clap.LoadState(SessionStateOf(4)));
  const std::vector<uint8_t> kept = clap.SaveState();
  double wowBefore = -1.0;
  ASSERT_TRUE(clap.Params()->get_value(clap.Plugin(), kWow, &wowBefore));
  const std::vector<uint8_t> other = SessionStateOf(12);
  std::vector<std::pair<std::string, std::vector<uint8_t>>> bad;
  for (size_t length :
       {size_t{0}, size_t{1}, size_t{8}, other.size() / 2, other.size() - 9, other.size() - 1}) {
    bad.push_back({"cut to " + std::to_string(length) + " bytes",
                   std::vector<uint8_t>(other.begin(), other.begin() + length)});
  }
  std::vector<uint8_t> garbage(other.size());
  uint32_t seed = 99;
  for (uint8_t& byte : garbage)
    byte = static_cast<uint8_t>((seed = seed * 1664525u + 1013904223u) >> 24);
  bad.push_back({"random bytes", garbage});
  std::vector<uint8_t> renamed = other;
  for (size_t i = 0; i < 4; ++i) renamed[i] ^= 0x20;
  bad.push_back({"first four bytes changed", renamed});
  std::vector<uint8_t> noProgram = other;
  noProgram[noProgram.size() - 8] ^= 0x01;
  bad.push_back({"the program record's code changed", noProgram});
  std::vector<uint8_t> longer = other;
  longer.push_back(0);
  bad.push_back({"a byte after the program record", longer});
  clap.Host().ForgetCalls();
  for (const auto& [what, bytes] : bad) {
    SCOPED_TRACE(what);
    EXPECT_FALSE(clap.LoadState(bytes, 3));
    EXPECT_EQ(clap.SaveState(), kept);
  }
  double wow = -1.0;
  ASSERT_TRUE(clap.Params()->get_value(clap.Plugin(), kWow, &wow));
  EXPECT_EQ(wow, wowBefore);
  EXPECT_TRUE(clap.Host().Calls().empty()) << "the host was told of no change";
  EXPECT_FALSE(clap.State()->load(clap.Plugin(), nullptr));
  EXPECT_FALSE(clap.State()->save(clap.Plugin(), nullptr));
}

// A program loaded by its load key leaves the plug-in as VST 2's
// effSetProgram leaves the VST 2 effect: the same bank and program.
TEST_F(ClapState, EachProgramLoadsByItsKeyAsEffSetProgram) {
  for (int program = 0; program < kNumPrograms; ++program) {
    SCOPED_TRACE(program);
    clap.Host().ForgetCalls();
    ASSERT_TRUE(clap.LoadProgram(program));
    EXPECT_EQ(clap.SaveState(), SessionStateOf(program));
    EXPECT_EQ(clap.Host().Count("preset_load.loaded:program:" + std::to_string(program)), 1);
  }
  const auto* load =
      clap.PluginExtension<clap::clap_plugin_preset_load>(clap::CLAP_EXT_PRESET_LOAD);
  EXPECT_EQ(clap.PluginExtension<clap::clap_plugin_preset_load>(clap::CLAP_EXT_PRESET_LOAD_COMPAT),
            load);
  const std::vector<uint8_t> kept = clap.SaveState();
  clap.Host().ForgetCalls();
  for (const char* key : {"program:16", "program:-1", "program:", "program:1x", "programs:1", ""}) {
    SCOPED_TRACE(key);
    EXPECT_FALSE(load->from_location(clap.Plugin(), clap::CLAP_PRESET_DISCOVERY_LOCATION_PLUGIN,
                                     nullptr, key));
    EXPECT_EQ(clap.Host().Count(std::string("preset_load.on_error:") + key), 1);
  }
  EXPECT_FALSE(load->from_location(clap.Plugin(), clap::CLAP_PRESET_DISCOVERY_LOCATION_FILE,
                                   "/tmp/program:1", "program:1"));
  EXPECT_EQ(clap.SaveState(), kept);
}
