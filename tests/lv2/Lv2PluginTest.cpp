// The LV2 bundle as an LV2 host finds it, held against the VST 2 library:
// the same parameters, programs and sound.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include <lv2/atom/atom.h>
#include <lv2/atom/util.h>
#include <lv2/presets/presets.h>

#include "Lv2TestHost.h"
#include "lv2/IPlugLV2.h"
#include "lv2/TovranePorts.h"
#include "tests/vst2/PluginLibrary.h"

namespace {

constexpr const char* kPluginUri = "urn:ostrelle:kestravon";
constexpr double kRate = 48000.0;
constexpr int kFrames = 24000;
// Block sizes a host may well give, none of them a multiple of another.
const std::vector<int> kIrregularBlocks = {1, 37, 512, 4096, 3, 960, 127, 64};
const std::vector<int> kVstBlocks = {512};

struct Stereo {
  std::vector<float> left, right;
};

Stereo TestSignal(bool withBursts) {
  Stereo s;
  uint32_t state = 12345;
  for (int i = 0; i < kFrames; ++i) {
    state = state * 1664525u + 1013904223u;
    const float noise = static_cast<float>(state >> 8) / 16777216.0f - 0.5f;
    s.left.push_back(0.4f * std::sin(0.031f * i) + 0.1f * noise);
    s.right.push_back(0.3f * std::sin(0.017f * i + 1.0f) - 0.1f * noise);
  }
  if (withBursts) {
    // Non-finite samples, which both plug-ins must heal from the same way.
    for (int i = 3000; i < 3010; ++i) s.left[i] = std::numeric_limits<float>::quiet_NaN();
    s.right[9000] = std::numeric_limits<float>::infinity();
  }
  return s;
}

bool SameBits(const Stereo& a, const Stereo& b) {
  return a.left.size() == b.left.size() && a.right.size() == b.right.size() &&
         std::memcmp(a.left.data(), b.left.data(), a.left.size() * sizeof(float)) == 0 &&
         std::memcmp(a.right.data(), b.right.data(), a.right.size() * sizeof(float)) == 0;
}

std::string FirstDifference(const Stereo& a, const Stereo& b) {
  for (size_t i = 0; i < a.left.size() && i < b.left.size(); ++i) {
    if (a.left[i] != b.left[i] || a.right[i] != b.right[i]) {
      return "first difference at frame " + std::to_string(i) + ": " + std::to_string(a.left[i]) +
             " vs " + std::to_string(b.left[i]);
    }
  }
  return "same samples, different lengths or bits";
}

class Lv2Plugin : public PluginLibrary {
 protected:
  static void SetUpTestSuite() {
    PluginLibrary::SetUpTestSuite();
    world = new Lv2World(KESTRAVON_LV2_PATH);
  }
  static void TearDownTestSuite() {
    delete world;
    world = nullptr;
    PluginLibrary::TearDownTestSuite();
  }

  const LilvPlugin* Plugin() {
    const LilvPlugin* plugin = world->Plugin(kPluginUri);
    EXPECT_NE(plugin, nullptr) << "no plug-in " << kPluginUri << " in " << KESTRAVON_LV2_PATH;
    return plugin;
  }

  // Each render makes its plug-in on a thread of its own: the noise sources
  // draw from a generator per thread, which starts alike on every new one.
  template <class Work>
  static void OnFreshThread(Work work) {
    std::thread(work).join();
  }

  Stereo RenderVst(int program, const Stereo& in, const std::vector<int>& blocks, int* latency) {
    Stereo out;
    OnFreshThread([&] {
      AEffect* e = entry(FakeHost::Callback);
      auto dispatch = [e](int32_t op, int32_t index, VstIntPtr value, float opt) {
        return e->dispatcher(e, op, index, value, nullptr, opt);
      };
      dispatch(effOpen, 0, 0, 0.0f);
      dispatch(effSetSampleRate, 0, 0, static_cast<float>(kRate));
      dispatch(effSetBlockSize, 0, 4096, 0.0f);
      dispatch(effSetProgram, 0, program, 0.0f);
      dispatch(effMainsChanged, 0, 1, 0.0f);
      *latency = e->initialDelay;
      out.left.assign(in.left.size(), 0.0f);
      out.right.assign(in.right.size(), 0.0f);
      size_t done = 0;
      for (size_t b = 0; done < in.left.size(); ++b) {
        const size_t n = std::min<size_t>(blocks[b % blocks.size()], in.left.size() - done);
        std::vector<float> l(in.left.begin() + done, in.left.begin() + done + n);
        std::vector<float> r(in.right.begin() + done, in.right.begin() + done + n);
        float* ins[2] = {l.data(), r.data()};
        float* outs[2] = {out.left.data() + done, out.right.data() + done};
        e->processReplacing(e, ins, outs, static_cast<int32_t>(n));
        done += n;
      }
      dispatch(effMainsChanged, 0, 0, 0.0f);
      dispatch(effClose, 0, 0, 0.0f);
    });
    return out;
  }

  // The preset's state as lilv reads it from the bundle.
  LilvState* PresetState(int program) {
    const std::string uri = std::string(kPluginUri) + ":preset:" + std::to_string(program);
    LilvNode* preset = world->Uri(uri.c_str());
    lilv_world_load_resource(world->World(), preset);
    LilvState* state = lilv_state_new_from_world(world->World(), world->MapFeature(), preset);
    lilv_node_free(preset);
    return state;
  }

  Stereo RenderLv2(const LilvState* state, const Stereo& in, const std::vector<int>& blocks,
                   float* latency = nullptr) {
    Stereo out;
    OnFreshThread([&] {
      Lv2Instance plug(*world, Plugin(), kRate);
      ASSERT_TRUE(plug.Ok());
      if (state) plug.ApplyState(state);
      plug.Render(in.left, in.right, &out.left, &out.right, blocks);
      if (latency) *latency = *plug.Control("latency");
    });
    return out;
  }

  static inline Lv2World* world = nullptr;
};

std::string NodeText(const LilvNode* node) {
  return node && lilv_node_is_string(node) ? lilv_node_as_string(node) : "";
}

TEST_F(Lv2Plugin, EveryPortDescribesItsParameter) {
  const LilvPlugin* plugin = Plugin();
  ASSERT_NE(plugin, nullptr);
  // The control inputs, then the editor's message ports in and out.
  ASSERT_EQ(lilv_plugin_get_num_ports(plugin), kFirstControlPort + kControlPortCount + 2);
  LilvNode* latency = world->Uri(LV2_CORE__latency);
  EXPECT_TRUE(lilv_plugin_has_latency(plugin));
  EXPECT_EQ(lilv_plugin_get_latency_port_index(plugin), kPortLatency);
  lilv_node_free(latency);

  LilvNode* toggled = world->Uri(LV2_CORE__toggled);
  LilvNode* enumeration = world->Uri(LV2_CORE__enumeration);
  for (int i = 0; i < kControlPortCount; ++i) {
    const ParameterRow& row = kParameterTable[kControlPortParams[i]];
    SCOPED_TRACE(row.name);
    const LilvPort* port = lilv_plugin_get_port_by_index(plugin, kFirstControlPort + i);
    ASSERT_NE(port, nullptr);
    LilvNode* name = lilv_port_get_name(plugin, port);
    // The name a VST 2 host shows for the same parameter.
    EXPECT_EQ(NodeText(name), Text(effGetParamName, row.index));
    lilv_node_free(name);
    LilvNode *def = nullptr, *min = nullptr, *max = nullptr;
    lilv_port_get_range(plugin, port, &def, &min, &max);
    EXPECT_EQ(lilv_node_as_float(def), static_cast<float>(row.defaultValue));
    EXPECT_EQ(lilv_node_as_float(min), 0.0f);
    EXPECT_EQ(lilv_node_as_float(max), static_cast<float>(row.maxValue));
    lilv_node_free(def);
    lilv_node_free(min);
    lilv_node_free(max);
    EXPECT_EQ(lilv_port_has_property(plugin, port, toggled), row.index == kPower);
    // The choices are enumerations; they and the power switch name their values.
    const bool named = row.valueNames[0] != nullptr;
    EXPECT_EQ(lilv_port_has_property(plugin, port, enumeration),
              row.readout == ReadoutForm::Names);
    LilvScalePoints* points = lilv_port_get_scale_points(plugin, port);
    std::set<std::string> labels;
    LILV_FOREACH(scale_points, it, points) {
      const LilvScalePoint* point = lilv_scale_points_get(points, it);
      const int value = static_cast<int>(lilv_node_as_float(lilv_scale_point_get_value(point)));
      labels.insert(std::to_string(value) + "=" + NodeText(lilv_scale_point_get_label(point)));
    }
    lilv_scale_points_free(points);
    std::set<std::string> expected;
    for (int v = 0; named && v < static_cast<int>(row.valueNames.size()) && row.valueNames[v]; ++v) {
      expected.insert(std::to_string(v) + "=" + row.valueNames[v]);
    }
    EXPECT_EQ(labels, expected);
  }
  lilv_node_free(toggled);
  lilv_node_free(enumeration);
}

TEST_F(Lv2Plugin, PresetsAreTheVst2Programs) {
  const LilvPlugin* plugin = Plugin();
  ASSERT_NE(plugin, nullptr);
  LilvNode* presetClass = world->Uri(LV2_PRESETS__Preset);
  LilvNodes* presets = lilv_plugin_get_related(plugin, presetClass);
  std::set<std::string> labels;
  LILV_FOREACH(nodes, it, presets) {
    const LilvNode* preset = lilv_nodes_get(presets, it);
    lilv_world_load_resource(world->World(), preset);
    LilvNode* label = world->Uri(LILV_NS_RDFS "label");
    LilvNodes* names = lilv_world_find_nodes(world->World(), preset, label, nullptr);
    if (names) labels.insert(NodeText(lilv_nodes_get_first(names)));
    lilv_nodes_free(names);
    lilv_node_free(label);
  }
  lilv_nodes_free(presets);
  lilv_node_free(presetClass);
  std::set<std::string> programs;
  const int count = effect->numPrograms;
  for (int p = 0; p < count; ++p) programs.insert(Text(effGetProgramNameIndexed, p));
  EXPECT_EQ(count, 16);
  EXPECT_EQ(labels, programs);
}

// With "Quad mix" at 0 the sound does not depend on how the host cuts the
// blocks; with it above 0 the quad stage follows the block, so the two are
// held to each other at the same blocks.
TEST_F(Lv2Plugin, EveryProgramSoundsAsInTheVst2Plugin) {
  const Stereo in = TestSignal(false);
  for (int program = 0; program < 16; ++program) {
    SCOPED_TRACE("program " + std::to_string(program));
    LilvState* state = PresetState(program);
    ASSERT_NE(state, nullptr);
    Dispatch(effSetProgram, 0, program);
    const bool quad = effect->getParameter(effect, kQuadMix) > 0.0f;
    const std::vector<int>& lv2Blocks = quad ? kVstBlocks : kIrregularBlocks;
    int vstLatency = -1;
    float lv2Latency = -1.0f;
    const Stereo vst = RenderVst(program, in, kVstBlocks, &vstLatency);
    const Stereo lv2 = RenderLv2(state, in, lv2Blocks, &lv2Latency);
    lilv_state_free(state);
    EXPECT_TRUE(SameBits(vst, lv2)) << FirstDifference(vst, lv2);
    EXPECT_EQ(lv2Latency, static_cast<float>(vstLatency));
  }
}

TEST_F(Lv2Plugin, NonFiniteInputHealsAsInTheVst2Plugin) {
  const Stereo in = TestSignal(true);
  LilvState* state = PresetState(5);
  int latency = 0;
  const Stereo vst = RenderVst(5, in, kVstBlocks, &latency);
  const Stereo lv2 = RenderLv2(state, in, kVstBlocks);
  lilv_state_free(state);
  EXPECT_TRUE(SameBits(vst, lv2));
  EXPECT_TRUE(std::isfinite(lv2.left.back()) && std::isfinite(lv2.right.back()));
}

// A session saved to text and opened again in a new instance plays as the
// instance it was saved from, including settings no port carries.
TEST_F(Lv2Plugin, SavedStateReopensTheSameSound) {
  const Stereo in = TestSignal(false);
  std::string saved;
  OnFreshThread([&] {
    Lv2Instance plug(*world, Plugin(), kRate);
    ASSERT_TRUE(plug.Ok());
    *plug.Control("wow") = 42.37f;
    *plug.Control("profile") = 2.0f;
    *plug.Control("noise_type") = 3.0f;
    *plug.Control("noise_amp") = 18.5f;
    Stereo warmUp;
    plug.Render(in.left, in.right, &warmUp.left, &warmUp.right, {256});
    LilvState* state = plug.SaveState();
    ASSERT_NE(state, nullptr);
    char* text = lilv_state_to_string(world->World(), world->MapFeature(), world->UnmapFeature(),
                                      state, "urn:ostrelle:test-session", nullptr);
    saved = text;
    lilv_free(text);
    lilv_state_free(state);
  });
  ASSERT_NE(saved.find("urn:ostrelle:kestravon#bank"), std::string::npos) << saved;

  LilvState* reopened =
      lilv_state_new_from_string(world->World(), world->MapFeature(), saved.c_str());
  ASSERT_NE(reopened, nullptr);
  const Stereo restored = RenderLv2(reopened, in, kIrregularBlocks);
  lilv_state_free(reopened);

  Stereo fresh;
  OnFreshThread([&] {
    Lv2Instance plug(*world, Plugin(), kRate);
    *plug.Control("wow") = 42.37f;
    *plug.Control("profile") = 2.0f;
    *plug.Control("noise_type") = 3.0f;
    *plug.Control("noise_amp") = 18.5f;
    plug.Render(in.left, in.right, &fresh.left, &fresh.right, kIrregularBlocks);
  });
  EXPECT_TRUE(SameBits(restored, fresh));
  // And not merely because nothing took: the default settings sound otherwise.
  EXPECT_FALSE(SameBits(restored, RenderLv2(nullptr, in, kIrregularBlocks)));
}

}  // namespace

namespace {

std::vector<uint8_t> RequestForSettings(Lv2World& world) {
  LV2_Atom_Object request{};
  request.atom.size = sizeof(LV2_Atom_Object_Body);
  request.atom.type = world.Map(LV2_ATOM__Object);
  request.body.otype = world.Map("urn:ostrelle:kestravon#RequestSettings");
  const auto* bytes = reinterpret_cast<const uint8_t*>(&request);
  return std::vector<uint8_t>(bytes, bytes + sizeof request);
}

}  // namespace

TEST_F(Lv2Plugin, AnEditorAskingForTheSettingsGetsThem) {
  Lv2Instance plug(*world, Plugin(), kRate);
  *plug.Control("wow") = 30.0f;
  plug.SendEditorMessage(RequestForSettings(*world));
  Stereo out;
  const Stereo in = TestSignal(false);
  plug.Render(in.left, in.right, &out.left, &out.right, {256});
  const auto replies = plug.TakeEditorReplies();
  ASSERT_EQ(replies.size(), 1u);
  // The settings' fields in parameter order: "Wow" as its fraction of one.
  const auto* object = reinterpret_cast<const LV2_Atom_Object*>(replies[0].data());
  ASSERT_EQ(object->atom.type, world->Map(LV2_ATOM__Object));
  ASSERT_EQ(object->body.otype, world->Map("urn:ostrelle:kestravon#Settings"));
  const LV2_Atom* values = nullptr;
  lv2_atom_object_get(object, world->Map("urn:ostrelle:kestravon#values"), &values, 0);
  ASSERT_NE(values, nullptr);
  const auto* first = reinterpret_cast<const double*>(
      &reinterpret_cast<const LV2_Atom_Vector*>(values)->body + 1);
  EXPECT_EQ(first[kWow], 0.3);
  // Once answered, no more replies until asked again.
  plug.Render(in.left, in.right, &out.left, &out.right, {256});
  EXPECT_TRUE(plug.TakeEditorReplies().empty());
}

// Hosts run a new instance for a while with its defaults (to measure it)
// before they load the session into it and activate it again: what plays
// then is what a new instance with the session's settings plays, however
// hard the instance was driven before.
TEST_F(Lv2Plugin, ActivationStartsTheProcessingFromRest) {
  const Stereo in = TestSignal(false);
  for (int program : {7, 15}) {  // "Overdrive", "Wide rich overdrive"
    SCOPED_TRACE("program " + std::to_string(program));
    LilvState* state = PresetState(program);
    ASSERT_NE(state, nullptr);
    int latency = 0;
    const Stereo vst = RenderVst(program, in, kVstBlocks, &latency);
    Stereo lv2;
    OnFreshThread([&] {
      Lv2Instance plug(*world, Plugin(), kRate);
      ASSERT_TRUE(plug.Ok());
      // The first run on a thread of its own, so that its noise leaves this
      // thread's random generator where a new instance's would be.
      Stereo first;
      OnFreshThread([&] { plug.Render(in.left, in.right, &first.left, &first.right, kVstBlocks); });
      lilv_instance_deactivate(plug.Instance());
      plug.ApplyState(state);
      lilv_instance_activate(plug.Instance());
      plug.Render(in.left, in.right, &lv2.left, &lv2.right, kVstBlocks);
    });
    lilv_state_free(state);
    EXPECT_TRUE(SameBits(vst, lv2)) << FirstDifference(vst, lv2);
  }
}
