// The LV2 plug-in, loaded through its descriptor as a host loads it, given
// editor messages whose sizes claim what they do not hold. Each block must
// return, read nothing past the host's buffer (which ends here at a page no
// one may read), and leave the plug-in taking well-formed messages after.
#include <gtest/gtest.h>
#include <lv2/atom/util.h>
#include <lv2/core/lv2.h>
#include <lv2/urid/urid.h>

#include <chrono>
#include <cmath>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include "AtomBytes.h"
#include "PageEndBuffer.h"
#include "ReturnsWithin.h"
#include "SharedLibrary.h"
#include "lv2/EditorMessages.h"
#include "lv2/IPlugLV2.h"
#include "lv2/TovranePorts.h"
#include "product/TovraneParams.h"

namespace {

constexpr uint32_t kFrames = 64;
constexpr uint32_t kEditorIn = EditorInPort(kControlPortCount);
constexpr uint32_t kEditorOut = EditorOutPort(kControlPortCount);
// Far beyond a block's time, even with the sanitizers.
constexpr auto kLimit = std::chrono::seconds(10);

std::map<std::string, LV2_URID> uris;

LV2_URID Map(LV2_URID_Map_Handle, const char* uri) {
  return uris.emplace(uri, static_cast<LV2_URID>(uris.size() + 1)).first->second;
}

LV2_URID Urid(const char* uri) { return Map(nullptr, uri); }

// An object of this type and size, its body's bytes to follow.
AtomBytes Object(uint32_t size, const char* type) {
  AtomBytes object;
  object.Header(size, Urid(LV2_ATOM__Object)).Word(0).Word(Urid(type));
  return object;
}

std::vector<uint8_t> Command(int32_t parameter) {
  return Object(28, editor_messages::kCommand)
      .Word(Urid(editor_messages::kParameter))
      .Word(0)
      .Header(4, Urid(LV2_ATOM__Int))
      .Word(static_cast<uint32_t>(parameter))
      .Bytes();
}

class Lv2MalformedMessages : public ::testing::Test {
 protected:
  void SetUp() override {
    void* library = OpenSharedLibrary(KESTRAVON_LV2_BINARY);
    ASSERT_NE(library, nullptr) << LastLoadError();
    auto entry = reinterpret_cast<const LV2_Descriptor* (*)(uint32_t)>(
        FindLibrarySymbol(library, "lv2_descriptor"));
    ASSERT_NE(entry, nullptr);
    descriptor = entry(0);
    const LV2_Feature* features[] = {&mapFeature, nullptr};
    handle = descriptor->instantiate(descriptor, 48000.0, KESTRAVON_LV2_BUNDLE, features);
    ASSERT_NE(handle, nullptr);
    for (uint32_t port = kPortInLeft; port <= kPortOutRight; ++port) {
      descriptor->connect_port(handle, port, audio[port].data());
    }
    for (uint32_t port = kPortLatency; port < kEditorIn; ++port) {
      descriptor->connect_port(handle, port, &controls[port]);
    }
    descriptor->connect_port(handle, kEditorOut, editorOut.data());
    descriptor->activate(handle);
  }
  void TearDown() override {
    if (!handle) return;
    descriptor->deactivate(handle);
    descriptor->cleanup(handle);
  }

  float& Wow() { return controls[ControlPortOf(kControlPortParams, kWow)]; }

  // One block with this sequence on the editor's input port, in a buffer
  // padded to a whole atom.
  void RunBlockOnSequence(const std::vector<uint8_t>& sequence) {
    const std::vector<uint8_t> buffer = AtomBytes().Append(sequence).Pad().Bytes();
    descriptor->connect_port(handle, kEditorIn, editorIn.Place(buffer));
    auto* out = reinterpret_cast<LV2_Atom_Sequence*>(editorOut.data());
    out->atom.size = static_cast<uint32_t>(editorOut.size() * sizeof(uint64_t) - sizeof(LV2_Atom));
    RequireReturnsWithin(kLimit, [this] { descriptor->run(handle, kFrames); });
  }
  void RunBlock(const std::vector<std::vector<uint8_t>>& messages) {
    RunBlockOnSequence(SequenceOf(Urid(LV2_ATOM__Sequence), messages));
  }

  // The Wow field of the settings the last block sent back; NaN for none.
  double SentWow() {
    const auto* out = reinterpret_cast<const LV2_Atom_Sequence*>(editorOut.data());
    LV2_ATOM_SEQUENCE_FOREACH(out, event) {
      const auto* object = reinterpret_cast<const LV2_Atom_Object*>(&event->body);
      const LV2_Atom* values = nullptr;
      lv2_atom_object_get(object, Urid(editor_messages::kValues), &values, 0);
      if (!values) continue;
      return reinterpret_cast<const double*>(&reinterpret_cast<const LV2_Atom_Vector*>(values)->body + 1)[kWow];
    }
    return std::numeric_limits<double>::quiet_NaN();
  }

  const LV2_Descriptor* descriptor = nullptr;
  LV2_Handle handle = nullptr;
  LV2_URID_Map map{nullptr, Map};
  LV2_Feature mapFeature{LV2_URID__map, &map};
  std::vector<float> audio[4] = {std::vector<float>(kFrames), std::vector<float>(kFrames),
                                 std::vector<float>(kFrames), std::vector<float>(kFrames)};
  std::vector<float> controls = std::vector<float>(kEditorIn, 0.0f);
  PageEndBuffer editorIn;
  std::vector<uint64_t> editorOut = std::vector<uint64_t>(512, 0);
};

// A property's value claiming 0xFFFFFFE9 to 0xFFFFFFF0 bytes makes the
// 32-bit step to the next property 0. The undo history around it still works.
TEST_F(Lv2MalformedMessages, ACommandWhosePropertyWrapsItsStepLetsTheBlockReturn) {
  Wow() = 25.0f;
  RunBlock({});
  Wow() = 60.0f;
  RunBlock({Object(8, editor_messages::kRecord).Bytes()});
  for (uint32_t claimed : {0xFFFFFFE9u, 0xFFFFFFF0u}) {
    RunBlock({Object(24, editor_messages::kCommand)
                  .Word(Urid("urn:ostrelle:test#other"))
                  .Word(0)
                  .Header(claimed, Urid(LV2_ATOM__Int))
                  .Bytes()});
  }
  RunBlock({Command(kUndo)});
  EXPECT_EQ(SentWow(), 0.25);
}

TEST_F(Lv2MalformedMessages, EventsClaimingMoreThanTheSequenceHoldsAreNotReadPastIt) {
  Wow() = 30.0f;
  // An event's object whose body claims 0xFFFFFFF0 bytes, of which 8 are there.
  RunBlock({Object(0xFFFFFFF0u, editor_messages::kCommand).Bytes()});
  // A sequence ending after an event's time, before its atom's header.
  const LV2_URID sequence = Urid(LV2_ATOM__Sequence);
  RunBlockOnSequence(AtomBytes().Header(16, sequence).Word(0).Word(0).Word(0).Word(0).Bytes());
  RunBlock({Object(8, editor_messages::kRequest).Bytes()});
  EXPECT_EQ(SentWow(), 0.3) << "the settings asked for afterwards did not come";
}

}  // namespace
