// The test host's own parts, where a fault would pass for the plug-in's:
// streams that move a few bytes a call, event lists kept in time order and
// bounded, and the thread check.
#include <gtest/gtest.h>

#include <cstdint>
#include <thread>
#include <vector>

#include "host/InputEvents.h"
#include "host/MemoryIStream.h"
#include "host/MemoryOStream.h"
#include "host/OutputEvents.h"
#include "host/RecordingHost.h"

TEST(ClapHostStreams, MoveNoMoreThanTheirLimitPerCall) {
  MemoryOStream out(3);
  const uint8_t bytes[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  const clap::clap_ostream* o = out.Stream();
  EXPECT_EQ(o->write(o, bytes, 8), 3);
  EXPECT_EQ(o->write(o, bytes + 3, 2), 2);
  EXPECT_EQ(out.Bytes(), (std::vector<uint8_t>{1, 2, 3, 4, 5}));

  MemoryIStream in(out.Bytes(), 2);
  const clap::clap_istream* i = in.Stream();
  uint8_t read[8] = {};
  EXPECT_EQ(i->read(i, read, 8), 2);
  EXPECT_EQ(i->read(i, read + 2, 8), 2);
  EXPECT_EQ(i->read(i, read + 4, 8), 1);
  EXPECT_EQ(i->read(i, read + 5, 8), 0) << "the end";
  EXPECT_EQ(std::vector<uint8_t>(read, read + 5), out.Bytes());
  EXPECT_EQ(in.LargestAsk(), 8u);
  EXPECT_EQ(i->read(i, nullptr, 1), -1);
}

TEST(ClapHostEvents, InputsKeepTimeOrderAndOutputsRefuseBeyondTheirRoom) {
  InputEvents events(3);
  EXPECT_TRUE(events.AddValue(100, 7, 0.5));
  EXPECT_TRUE(events.AddValue(20, 7, 0.25));
  EXPECT_TRUE(events.AddValue(100, 9, 0.75));
  EXPECT_FALSE(events.AddValue(0, 9, 1.0)) << "full";
  const clap::clap_input_events* list = events.List();
  ASSERT_EQ(list->size(list), 3u);
  const uint32_t times[] = {20, 100, 100};
  const clap::clap_id ids[] = {7, 7, 9};
  for (uint32_t e = 0; e < 3; ++e) {
    const auto* event = reinterpret_cast<const clap::clap_event_param_value*>(list->get(list, e));
    EXPECT_EQ(event->header.time, times[e]);
    EXPECT_EQ(event->param_id, ids[e]) << "events at one time keep the order they were added in";
    EXPECT_EQ(event->header.size, sizeof(clap::clap_event_param_value));
  }
  EXPECT_EQ(list->get(list, 3), nullptr);

  OutputEvents out(2);
  const clap::clap_output_events* o = out.List();
  clap::clap_event_param_gesture gesture{};
  gesture.header = {sizeof gesture, 0, 0, clap::CLAP_EVENT_PARAM_GESTURE_BEGIN, 0};
  gesture.param_id = 4;
  EXPECT_TRUE(o->try_push(o, &gesture.header));
  EXPECT_TRUE(o->try_push(o, list->get(list, 1)));
  EXPECT_FALSE(o->try_push(o, &gesture.header)) << "full";
  ASSERT_EQ(out.Size(), 2u);
  EXPECT_EQ(out.As<clap::clap_event_param_gesture>(0).param_id, 4u);
  EXPECT_EQ(out.As<clap::clap_event_param_value>(1).value, 0.5);
  out.Clear();
  gesture.header.size = 4096;
  EXPECT_FALSE(o->try_push(o, &gesture.header)) << "larger than any event the host reads";
}

TEST(ClapHostThreads, TheThreadCheckAnswersForTheCallingThread) {
  RecordingHost host;
  const auto* check = static_cast<const clap::clap_host_thread_check*>(
      host.Host()->get_extension(host.Host(), clap::CLAP_EXT_THREAD_CHECK));
  const auto* state = static_cast<const clap::clap_host_state*>(
      host.Host()->get_extension(host.Host(), clap::CLAP_EXT_STATE));
  ASSERT_NE(check, nullptr);
  EXPECT_TRUE(check->is_main_thread(host.Host()));
  EXPECT_FALSE(check->is_audio_thread(host.Host()));
  state->mark_dirty(host.Host());
  std::thread([&] {
    RecordingHost::MarkAudioThread(true);
    EXPECT_FALSE(check->is_main_thread(host.Host()));
    EXPECT_TRUE(check->is_audio_thread(host.Host()));
    state->mark_dirty(host.Host());
  }).join();
  EXPECT_EQ(host.Count("state.mark_dirty"), 2);
  EXPECT_EQ(host.WrongThreadCalls(),
            std::vector<std::string>{"state.mark_dirty on the audio thread"});
  EXPECT_EQ(host.Host()->get_extension(host.Host(), "clap.unknown"), nullptr);
}
