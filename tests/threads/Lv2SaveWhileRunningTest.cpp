// An LV2 host may save the plug-in's state on one thread while its audio
// thread runs blocks: the saved states are whole, and the audio thread
// never waits for the save; control changes it could not take while a save
// held the lock are taken by a later block.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "core/StateChunk.h"
#include "lv2/TovraneLv2.h"

namespace {

constexpr uint32_t kFrames = 128;

// A host's URID map, safe to call from any thread.
struct UridMap {
  std::mutex lock;
  std::map<std::string, LV2_URID> ids;
  LV2_URID_Map map{this, [](LV2_URID_Map_Handle h, const char* uri) {
                     auto* self = static_cast<UridMap*>(h);
                     std::lock_guard<std::mutex> guard(self->lock);
                     auto [it, added] = self->ids.emplace(uri, self->ids.size() + 1);
                     return it->second;
                   }};
  LV2_Feature feature{LV2_URID__map, &map};
};

struct SavedStates {
  std::vector<std::vector<uint8_t>> chunks;
};

LV2_State_Status Store(LV2_State_Handle handle, uint32_t, const void* value, size_t size,
                       uint32_t, uint32_t) {
  auto* saved = static_cast<SavedStates*>(handle);
  const auto* bytes = static_cast<const uint8_t*>(value);
  saved->chunks.emplace_back(bytes, bytes + size);
  return LV2_STATE_SUCCESS;
}

TEST(Lv2SaveWhileRunning, StatesAreWholeAndTheAudioThreadNeverWaits) {
  UridMap urids;
  const LV2_Feature* features[] = {&urids.feature, nullptr};
  auto plug = std::make_unique<TovraneLv2>(48000.0, features);
  std::vector<float> in(kFrames, 0.1f), outL(kFrames), outR(kFrames);
  std::vector<float> controls(kFirstControlPort + kControlPortCount, 0.0f);
  plug->ConnectPort(kPortInLeft, in.data());
  plug->ConnectPort(kPortInRight, in.data());
  plug->ConnectPort(kPortOutLeft, outL.data());
  plug->ConnectPort(kPortOutRight, outR.data());
  for (uint32_t port = kPortLatency; port < controls.size(); ++port) {
    plug->ConnectPort(port, &controls[port]);
  }
  const auto wowPort = static_cast<uint32_t>(ControlPortOf(kControlPortParams, kWow));
  plug->Activate();

  std::atomic<bool> saving{true};
  SavedStates saved;
  std::thread saver([&] {
    for (int i = 0; i < 200; ++i) {
      EXPECT_EQ(plug->SaveState(Store, &saved), LV2_STATE_SUCCESS);
    }
    saving = false;
  });
  int blocks = 0;
  float lastWow = 0.0f;
  while (saving || blocks < 50) {
    lastWow = static_cast<float>(blocks % 100);
    controls[wowPort] = lastWow;
    plug->Run(kFrames);
    ++blocks;
  }
  saver.join();
  plug->Run(kFrames);

  ASSERT_EQ(saved.chunks.size(), 200u);
  for (const std::vector<uint8_t>& bytes : saved.chunks) {
    StateChunk chunk;
    ASSERT_TRUE(chunk.PutBytes(bytes.data(), static_cast<int>(bytes.size())));
    TovraneLv2 reader(48000.0, features);
    EXPECT_TRUE(reader.RestoreChunk(&chunk, true));
  }
  // The last control value reached the settings, however the saves fell.
  EXPECT_EQ(plug->Product().LiveSnapshot().wow, static_cast<double>(lastWow) / 100.0);
  plug->Deactivate();
}

}  // namespace
