// The LV2 plug-in's run() never allocates, its first block on a new thread
// included, whatever the host sends it: control changes, the editor's
// commands and requests. The binary is loaded through its descriptor as a
// host does, with a URID map that only the instantiation calls.
#include <gtest/gtest.h>
#include <lv2/atom/atom.h>
#include <lv2/atom/forge.h>
#include <lv2/core/lv2.h>
#include <lv2/urid/urid.h>

#include <cmath>
#include <cstring>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "AllocationCounter.h"
#include "SharedLibrary.h"

namespace {

constexpr uint32_t kFrames = 256;
// The plug-in's ports: audio 0-3, latency 4, the controls, then the
// editor's message ports.
constexpr uint32_t kControls = 18;
constexpr uint32_t kEditorIn = 5 + kControls;
constexpr uint32_t kEditorOut = kEditorIn + 1;
constexpr uint32_t kPorts = kEditorOut + 1;
constexpr uint32_t kWowPort = 5 + 4;

std::map<std::string, LV2_URID> uris;

LV2_URID Map(LV2_URID_Map_Handle, const char* uri) {
  auto found = uris.find(uri);
  if (found != uris.end()) return found->second;
  const auto id = static_cast<LV2_URID>(uris.size() + 1);
  uris.emplace(uri, id);
  return id;
}

class Lv2Allocation : public ::testing::Test {
 protected:
  void SetUp() override {
    allocation_counter::Reset();
    library = OpenSharedLibrary(KESTRAVON_LV2_BINARY);
    ASSERT_NE(library, nullptr) << LastLoadError();
    auto entry = reinterpret_cast<const LV2_Descriptor* (*)(uint32_t)>(
        FindLibrarySymbol(library, "lv2_descriptor"));
    ASSERT_NE(entry, nullptr);
    descriptor = entry(0);
    ASSERT_NE(descriptor, nullptr);
    const LV2_Feature* features[] = {&mapFeature, nullptr};
    handle = descriptor->instantiate(descriptor, 48000.0, KESTRAVON_LV2_BUNDLE, features);
    ASSERT_NE(handle, nullptr);
    for (uint32_t i = 0; i < kFrames; ++i) {
      inLeft[i] = 0.3f * std::sin(0.031f * i);
      inRight[i] = 0.2f * std::sin(0.047f * i);
    }
    descriptor->connect_port(handle, 0, inLeft.data());
    descriptor->connect_port(handle, 1, inRight.data());
    descriptor->connect_port(handle, 2, outLeft.data());
    descriptor->connect_port(handle, 3, outRight.data());
    for (uint32_t port = 4; port < kEditorIn; ++port) {
      descriptor->connect_port(handle, port, &controls[port]);
    }
    descriptor->connect_port(handle, kEditorIn, editorIn.data());
    descriptor->connect_port(handle, kEditorOut, editorOut.data());
    controls[5] = 50.0f;   // "Input Gain"
    controls[18] = 50.0f;  // "Output Gain"
    descriptor->activate(handle);
  }
  void TearDown() override {
    if (handle) {
      descriptor->deactivate(handle);
      descriptor->cleanup(handle);
    }
    // The library stays loaded: its thread-local storage is what is tested.
  }

  // The editor's messages for the next block: a request for the settings
  // and, when given, a command.
  void QueueMessages(int command) {
    LV2_Atom_Forge forge;
    LV2_URID_Map map{nullptr, Map};
    lv2_atom_forge_init(&forge, &map);
    lv2_atom_forge_set_buffer(&forge, reinterpret_cast<uint8_t*>(editorIn.data()),
                              editorIn.size() * sizeof(uint64_t));
    LV2_Atom_Forge_Frame sequence, object;
    lv2_atom_forge_sequence_head(&forge, &sequence, 0);
    lv2_atom_forge_frame_time(&forge, 0);
    lv2_atom_forge_object(&forge, &object, 0, Map(nullptr, "urn:ostrelle:kestravon#RequestSettings"));
    lv2_atom_forge_pop(&forge, &object);
    if (command >= 0) {
      lv2_atom_forge_frame_time(&forge, 0);
      lv2_atom_forge_object(&forge, &object, 0, Map(nullptr, "urn:ostrelle:kestravon#EditorCommand"));
      lv2_atom_forge_key(&forge, Map(nullptr, "urn:ostrelle:kestravon#parameter"));
      lv2_atom_forge_int(&forge, command);
      lv2_atom_forge_pop(&forge, &object);
    }
    lv2_atom_forge_pop(&forge, &sequence);
  }

  // One block, counted, as the host's audio thread runs it.
  void RunBlock() {
    auto* out = reinterpret_cast<LV2_Atom_Sequence*>(editorOut.data());
    out->atom.size = static_cast<uint32_t>(editorOut.size() * sizeof(uint64_t) - sizeof(LV2_Atom));
    allocation_counter::SetCounting(true);
    descriptor->run(handle, kFrames);
    allocation_counter::SetCounting(false);
    // The messages were for that block only.
    auto* in = reinterpret_cast<LV2_Atom_Sequence*>(editorIn.data());
    in->atom.size = sizeof(LV2_Atom_Sequence_Body);
  }

  void* library = nullptr;
  const LV2_Descriptor* descriptor = nullptr;
  LV2_Handle handle = nullptr;
  LV2_URID_Map map{nullptr, Map};
  LV2_Feature mapFeature{LV2_URID__map, &map};
  std::vector<float> inLeft = std::vector<float>(kFrames), inRight = std::vector<float>(kFrames);
  std::vector<float> outLeft = std::vector<float>(kFrames), outRight = std::vector<float>(kFrames);
  std::vector<float> controls = std::vector<float>(kPorts, 0.0f);
  std::vector<uint64_t> editorIn = std::vector<uint64_t>(512, 0);
  std::vector<uint64_t> editorOut = std::vector<uint64_t>(512, 0);
};

TEST_F(Lv2Allocation, FirstBlockOnAFreshThreadWithMessagesAllocatesNothing) {
  QueueMessages(-1);
  std::thread audio([this] { RunBlock(); });
  audio.join();
  EXPECT_EQ(allocation_counter::Count(), 0);
  // And it did answer.
  const auto* out = reinterpret_cast<const LV2_Atom_Sequence*>(editorOut.data());
  EXPECT_GT(out->atom.size, sizeof(LV2_Atom_Sequence_Body));
}

TEST_F(Lv2Allocation, ControlChangesAndHistoryCommandsAllocateNothing) {
  // "Undo", "Redo", "AB" and "Copy" as the parameter indexes number them.
  const int commands[] = {22, 23, 24, 25, 4};
  std::thread audio([this, &commands] {
    for (int block = 0; block < 200; ++block) {
      controls[kWowPort] = static_cast<float>((block * 7) % 100);
      controls[5 + (block % kControls)] = static_cast<float>(block % 2);
      if (block % 10 == 3) QueueMessages(commands[(block / 10) % 5]);
      RunBlock();
    }
  });
  audio.join();
  EXPECT_EQ(allocation_counter::Count(), 0);
}

}  // namespace
