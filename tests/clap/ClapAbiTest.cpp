// The CLAP declarations against what a host compiled elsewhere sees: every
// record's size and offsets on x86-64 (the same on Linux and 64-bit Windows,
// as no record holds a type whose size differs between the two), the types of
// the function members whose arguments are not all pointers, the constants
// and the bytes of every identifier string.
#include <gtest/gtest.h>

#include <iterator>
#include <type_traits>

#include "clap/ClapAbi.h"
#include "tests/support/RecordLayout.h"

using namespace clap;

namespace {

// ---------------------------------------------------------------------------
// Record layout on x86-64

#if defined(__x86_64__) || defined(_M_X64)
#define KESTRAVON_X86_64 1
#endif

TEST(ClapLayout, EveryRecordIsStandardLayoutSoThatItsOffsetsAreTheCOnes) {
  static_assert(std::is_standard_layout_v<clap_plugin>);
  static_assert(std::is_standard_layout_v<clap_process>);
  static_assert(std::is_standard_layout_v<clap_param_info>);
  static_assert(std::is_standard_layout_v<clap_window>);
  static_assert(std::is_trivially_copyable_v<clap_event_param_value>);
  static_assert(std::is_trivially_copyable_v<clap_event_transport>);
  SUCCEED();
}

TEST(ClapLayout, CoreRecordsHaveTheirSizesAndOffsetsOnX86_64) {
#ifndef KESTRAVON_X86_64
  GTEST_SKIP() << "the expected layouts are those of x86-64";
#else
  const RecordSize sizes[] = {
      RECORD_SIZE(clap_version, 12),
      RECORD_SIZE(clap_plugin_entry, 40),
      RECORD_SIZE(clap_plugin_factory, 24),
      RECORD_SIZE(clap_plugin_descriptor, 88),
      RECORD_SIZE(clap_plugin, 96),
      RECORD_SIZE(clap_host, 88),
      RECORD_SIZE(clap_universal_plugin_id, 16),
  };
  expectSizes(sizes);
  expectOffsets({
      FIELD(clap_version, major, 0),
      FIELD(clap_version, minor, 4),
      FIELD(clap_version, revision, 8),
      FIELD(clap_plugin_entry, clap_version, 0),
      FIELD(clap_plugin_entry, init, 16),
      FIELD(clap_plugin_entry, deinit, 24),
      FIELD(clap_plugin_entry, get_factory, 32),
      FIELD(clap_plugin_factory, get_plugin_count, 0),
      FIELD(clap_plugin_factory, get_plugin_descriptor, 8),
      FIELD(clap_plugin_factory, create_plugin, 16),
      FIELD(clap_plugin_descriptor, clap_version, 0),
      FIELD(clap_plugin_descriptor, id, 16),
      FIELD(clap_plugin_descriptor, name, 24),
      FIELD(clap_plugin_descriptor, vendor, 32),
      FIELD(clap_plugin_descriptor, url, 40),
      FIELD(clap_plugin_descriptor, manual_url, 48),
      FIELD(clap_plugin_descriptor, support_url, 56),
      FIELD(clap_plugin_descriptor, version, 64),
      FIELD(clap_plugin_descriptor, description, 72),
      FIELD(clap_plugin_descriptor, features, 80),
      FIELD(clap_plugin, desc, 0),
      FIELD(clap_plugin, plugin_data, 8),
      FIELD(clap_plugin, init, 16),
      FIELD(clap_plugin, destroy, 24),
      FIELD(clap_plugin, activate, 32),
      FIELD(clap_plugin, deactivate, 40),
      FIELD(clap_plugin, start_processing, 48),
      FIELD(clap_plugin, stop_processing, 56),
      FIELD(clap_plugin, reset, 64),
      FIELD(clap_plugin, process, 72),
      FIELD(clap_plugin, get_extension, 80),
      FIELD(clap_plugin, on_main_thread, 88),
      FIELD(clap_host, clap_version, 0),
      FIELD(clap_host, host_data, 16),
      FIELD(clap_host, name, 24),
      FIELD(clap_host, vendor, 32),
      FIELD(clap_host, url, 40),
      FIELD(clap_host, version, 48),
      FIELD(clap_host, get_extension, 56),
      FIELD(clap_host, request_restart, 64),
      FIELD(clap_host, request_process, 72),
      FIELD(clap_host, request_callback, 80),
      FIELD(clap_universal_plugin_id, abi, 0),
      FIELD(clap_universal_plugin_id, id, 8),
  });
#endif
}

TEST(ClapLayout, ProcessAndEventRecordsHaveTheirSizesAndOffsetsOnX86_64) {
#ifndef KESTRAVON_X86_64
  GTEST_SKIP() << "the expected layouts are those of x86-64";
#else
  const RecordSize sizes[] = {
      RECORD_SIZE(clap_event_header, 16),     RECORD_SIZE(clap_event_param_value, 56),
      RECORD_SIZE(clap_event_param_mod, 56),  RECORD_SIZE(clap_event_param_gesture, 20),
      RECORD_SIZE(clap_event_transport, 104), RECORD_SIZE(clap_input_events, 24),
      RECORD_SIZE(clap_output_events, 16),    RECORD_SIZE(clap_audio_buffer, 32),
      RECORD_SIZE(clap_process, 64),          RECORD_SIZE(clap_istream, 16),
      RECORD_SIZE(clap_ostream, 16),
  };
  expectSizes(sizes);
  expectOffsets({
      FIELD(clap_event_header, size, 0),
      FIELD(clap_event_header, time, 4),
      FIELD(clap_event_header, space_id, 8),
      FIELD(clap_event_header, type, 10),
      FIELD(clap_event_header, flags, 12),
      FIELD(clap_event_param_value, header, 0),
      FIELD(clap_event_param_value, param_id, 16),
      FIELD(clap_event_param_value, cookie, 24),
      FIELD(clap_event_param_value, note_id, 32),
      FIELD(clap_event_param_value, port_index, 36),
      FIELD(clap_event_param_value, channel, 38),
      FIELD(clap_event_param_value, key, 40),
      FIELD(clap_event_param_value, value, 48),
      FIELD(clap_event_param_mod, param_id, 16),
      FIELD(clap_event_param_mod, cookie, 24),
      FIELD(clap_event_param_mod, note_id, 32),
      FIELD(clap_event_param_mod, port_index, 36),
      FIELD(clap_event_param_mod, channel, 38),
      FIELD(clap_event_param_mod, key, 40),
      FIELD(clap_event_param_mod, amount, 48),
      FIELD(clap_event_param_gesture, header, 0),
      FIELD(clap_event_param_gesture, param_id, 16),
      FIELD(clap_event_transport, flags, 16),
      FIELD(clap_event_transport, song_pos_beats, 24),
      FIELD(clap_event_transport, song_pos_seconds, 32),
      FIELD(clap_event_transport, tempo, 40),
      FIELD(clap_event_transport, tempo_inc, 48),
      FIELD(clap_event_transport, loop_start_beats, 56),
      FIELD(clap_event_transport, loop_end_beats, 64),
      FIELD(clap_event_transport, loop_start_seconds, 72),
      FIELD(clap_event_transport, loop_end_seconds, 80),
      FIELD(clap_event_transport, bar_start, 88),
      FIELD(clap_event_transport, bar_number, 96),
      FIELD(clap_event_transport, tsig_num, 100),
      FIELD(clap_event_transport, tsig_denom, 102),
      FIELD(clap_input_events, ctx, 0),
      FIELD(clap_input_events, size, 8),
      FIELD(clap_input_events, get, 16),
      FIELD(clap_output_events, ctx, 0),
      FIELD(clap_output_events, try_push, 8),
      FIELD(clap_audio_buffer, data32, 0),
      FIELD(clap_audio_buffer, data64, 8),
      FIELD(clap_audio_buffer, channel_count, 16),
      FIELD(clap_audio_buffer, latency, 20),
      FIELD(clap_audio_buffer, constant_mask, 24),
      FIELD(clap_process, steady_time, 0),
      FIELD(clap_process, frames_count, 8),
      FIELD(clap_process, transport, 16),
      FIELD(clap_process, audio_inputs, 24),
      FIELD(clap_process, audio_outputs, 32),
      FIELD(clap_process, audio_inputs_count, 40),
      FIELD(clap_process, audio_outputs_count, 44),
      FIELD(clap_process, in_events, 48),
      FIELD(clap_process, out_events, 56),
      FIELD(clap_istream, ctx, 0),
      FIELD(clap_istream, read, 8),
      FIELD(clap_ostream, ctx, 0),
      FIELD(clap_ostream, write, 8),
  });
#endif
}

TEST(ClapLayout, ExtensionRecordsHaveTheirSizesAndOffsetsOnX86_64) {
#ifndef KESTRAVON_X86_64
  GTEST_SKIP() << "the expected layouts are those of x86-64";
#else
  const RecordSize sizes[] = {
      RECORD_SIZE(clap_audio_port_info, 288),
      RECORD_SIZE(clap_plugin_audio_ports, 16),
      RECORD_SIZE(clap_param_info, 1320),
      RECORD_SIZE(clap_plugin_params, 48),
      RECORD_SIZE(clap_host_params, 24),
      RECORD_SIZE(clap_plugin_state, 16),
      RECORD_SIZE(clap_host_state, 8),
      RECORD_SIZE(clap_plugin_latency, 8),
      RECORD_SIZE(clap_host_latency, 8),
      RECORD_SIZE(clap_plugin_tail, 8),
      RECORD_SIZE(clap_host_tail, 8),
      RECORD_SIZE(clap_window, 16),
      RECORD_SIZE(clap_gui_resize_hints, 12),
      RECORD_SIZE(clap_plugin_gui, 120),
      RECORD_SIZE(clap_host_gui, 40),
      RECORD_SIZE(clap_plugin_timer_support, 8),
      RECORD_SIZE(clap_host_timer_support, 16),
      RECORD_SIZE(clap_plugin_posix_fd_support, 8),
      RECORD_SIZE(clap_host_posix_fd_support, 24),
      RECORD_SIZE(clap_host_thread_check, 16),
      RECORD_SIZE(clap_host_log, 8),
      RECORD_SIZE(clap_plugin_preset_load, 8),
      RECORD_SIZE(clap_host_preset_load, 16),
  };
  expectSizes(sizes);
  expectOffsets({
      FIELD(clap_audio_port_info, id, 0),
      FIELD(clap_audio_port_info, name, 4),
      FIELD(clap_audio_port_info, flags, 260),
      FIELD(clap_audio_port_info, channel_count, 264),
      FIELD(clap_audio_port_info, port_type, 272),
      FIELD(clap_audio_port_info, in_place_pair, 280),
      FIELD(clap_plugin_audio_ports, count, 0),
      FIELD(clap_plugin_audio_ports, get, 8),
      FIELD(clap_param_info, id, 0),
      FIELD(clap_param_info, flags, 4),
      FIELD(clap_param_info, cookie, 8),
      FIELD(clap_param_info, name, 16),
      FIELD(clap_param_info, module, 272),
      FIELD(clap_param_info, min_value, 1296),
      FIELD(clap_param_info, max_value, 1304),
      FIELD(clap_param_info, default_value, 1312),
      FIELD(clap_plugin_params, count, 0),
      FIELD(clap_plugin_params, get_info, 8),
      FIELD(clap_plugin_params, get_value, 16),
      FIELD(clap_plugin_params, value_to_text, 24),
      FIELD(clap_plugin_params, text_to_value, 32),
      FIELD(clap_plugin_params, flush, 40),
      FIELD(clap_host_params, rescan, 0),
      FIELD(clap_host_params, clear, 8),
      FIELD(clap_host_params, request_flush, 16),
      FIELD(clap_plugin_state, save, 0),
      FIELD(clap_plugin_state, load, 8),
      FIELD(clap_window, api, 0),
      FIELD(clap_window, cocoa, 8),
      FIELD(clap_window, x11, 8),
      FIELD(clap_window, win32, 8),
      FIELD(clap_window, ptr, 8),
      FIELD(clap_gui_resize_hints, can_resize_horizontally, 0),
      FIELD(clap_gui_resize_hints, can_resize_vertically, 1),
      FIELD(clap_gui_resize_hints, preserve_aspect_ratio, 2),
      FIELD(clap_gui_resize_hints, aspect_ratio_width, 4),
      FIELD(clap_gui_resize_hints, aspect_ratio_height, 8),
      FIELD(clap_plugin_gui, is_api_supported, 0),
      FIELD(clap_plugin_gui, get_preferred_api, 8),
      FIELD(clap_plugin_gui, create, 16),
      FIELD(clap_plugin_gui, destroy, 24),
      FIELD(clap_plugin_gui, set_scale, 32),
      FIELD(clap_plugin_gui, get_size, 40),
      FIELD(clap_plugin_gui, can_resize, 48),
      FIELD(clap_plugin_gui, get_resize_hints, 56),
      FIELD(clap_plugin_gui, adjust_size, 64),
      FIELD(clap_plugin_gui, set_size, 72),
      FIELD(clap_plugin_gui, set_parent, 80),
      FIELD(clap_plugin_gui, set_transient, 88),
      FIELD(clap_plugin_gui, suggest_title, 96),
      FIELD(clap_plugin_gui, show, 104),
      FIELD(clap_plugin_gui, hide, 112),
      FIELD(clap_host_gui, resize_hints_changed, 0),
      FIELD(clap_host_gui, request_resize, 8),
      FIELD(clap_host_gui, request_show, 16),
      FIELD(clap_host_gui, request_hide, 24),
      FIELD(clap_host_gui, closed, 32),
      FIELD(clap_host_timer_support, register_timer, 0),
      FIELD(clap_host_timer_support, unregister_timer, 8),
      FIELD(clap_host_posix_fd_support, register_fd, 0),
      FIELD(clap_host_posix_fd_support, modify_fd, 8),
      FIELD(clap_host_posix_fd_support, unregister_fd, 16),
      FIELD(clap_host_thread_check, is_main_thread, 0),
      FIELD(clap_host_thread_check, is_audio_thread, 8),
      FIELD(clap_host_preset_load, on_error, 0),
      FIELD(clap_host_preset_load, loaded, 8),
  });
#endif
}

TEST(ClapLayout, PresetDiscoveryRecordsHaveTheirSizesAndOffsetsOnX86_64) {
#ifndef KESTRAVON_X86_64
  GTEST_SKIP() << "the expected layouts are those of x86-64";
#else
  const RecordSize sizes[] = {
      RECORD_SIZE(clap_preset_discovery_metadata_receiver, 88),
      RECORD_SIZE(clap_preset_discovery_filetype, 24),
      RECORD_SIZE(clap_preset_discovery_location, 32),
      RECORD_SIZE(clap_preset_discovery_soundpack, 64),
      RECORD_SIZE(clap_preset_discovery_provider_descriptor, 40),
      RECORD_SIZE(clap_preset_discovery_provider, 48),
      RECORD_SIZE(clap_preset_discovery_indexer, 88),
      RECORD_SIZE(clap_preset_discovery_factory, 24),
  };
  expectSizes(sizes);
  using receiver = clap_preset_discovery_metadata_receiver;
  using soundpack = clap_preset_discovery_soundpack;
  using provider = clap_preset_discovery_provider;
  using indexer = clap_preset_discovery_indexer;
  expectOffsets({
      FIELD(receiver, receiver_data, 0),
      FIELD(receiver, on_error, 8),
      FIELD(receiver, begin_preset, 16),
      FIELD(receiver, add_plugin_id, 24),
      FIELD(receiver, set_soundpack_id, 32),
      FIELD(receiver, set_flags, 40),
      FIELD(receiver, add_creator, 48),
      FIELD(receiver, set_description, 56),
      FIELD(receiver, set_timestamps, 64),
      FIELD(receiver, add_feature, 72),
      FIELD(receiver, add_extra_info, 80),
      FIELD(clap_preset_discovery_filetype, name, 0),
      FIELD(clap_preset_discovery_filetype, description, 8),
      FIELD(clap_preset_discovery_filetype, file_extension, 16),
      FIELD(clap_preset_discovery_location, flags, 0),
      FIELD(clap_preset_discovery_location, name, 8),
      FIELD(clap_preset_discovery_location, kind, 16),
      FIELD(clap_preset_discovery_location, location, 24),
      FIELD(soundpack, flags, 0),
      FIELD(soundpack, id, 8),
      FIELD(soundpack, name, 16),
      FIELD(soundpack, description, 24),
      FIELD(soundpack, homepage_url, 32),
      FIELD(soundpack, vendor, 40),
      FIELD(soundpack, image_path, 48),
      FIELD(soundpack, release_timestamp, 56),
      FIELD(clap_preset_discovery_provider_descriptor, clap_version, 0),
      FIELD(clap_preset_discovery_provider_descriptor, id, 16),
      FIELD(clap_preset_discovery_provider_descriptor, name, 24),
      FIELD(clap_preset_discovery_provider_descriptor, vendor, 32),
      FIELD(provider, desc, 0),
      FIELD(provider, provider_data, 8),
      FIELD(provider, init, 16),
      FIELD(provider, destroy, 24),
      FIELD(provider, get_metadata, 32),
      FIELD(provider, get_extension, 40),
      FIELD(indexer, clap_version, 0),
      FIELD(indexer, name, 16),
      FIELD(indexer, vendor, 24),
      FIELD(indexer, url, 32),
      FIELD(indexer, version, 40),
      FIELD(indexer, indexer_data, 48),
      FIELD(indexer, declare_filetype, 56),
      FIELD(indexer, declare_location, 64),
      FIELD(indexer, declare_soundpack, 72),
      FIELD(indexer, get_extension, 80),
      FIELD(clap_preset_discovery_factory, count, 0),
      FIELD(clap_preset_discovery_factory, get_descriptor, 8),
      FIELD(clap_preset_discovery_factory, create, 16),
  });
#endif
}

// ---------------------------------------------------------------------------
// Function types. Offsets cannot tell a double from a float or an int from a
// pointer in an argument list; these members take such arguments, and a wrong
// one would pass the value in the wrong register.

#define C_FN(ret, ...) ret(KESTRAVON_CLAP_CALL*)(__VA_ARGS__)

static_assert(std::is_same_v<decltype(clap_plugin::activate),
                             C_FN(bool, const clap_plugin*, double, uint32_t, uint32_t)>);
static_assert(std::is_same_v<decltype(clap_plugin::process),
                             C_FN(int32_t, const clap_plugin*, const clap_process*)>);
static_assert(std::is_same_v<decltype(clap_plugin_entry::deinit), C_FN(void, void)>);
static_assert(
    std::is_same_v<decltype(clap_plugin_audio_ports::get),
                   C_FN(bool, const clap_plugin*, uint32_t, bool, clap_audio_port_info*)>);
static_assert(std::is_same_v<decltype(clap_plugin_params::value_to_text),
                             C_FN(bool, const clap_plugin*, uint32_t, double, char*, uint32_t)>);
static_assert(std::is_same_v<decltype(clap_host_params::clear),
                             C_FN(void, const clap_host*, uint32_t, uint32_t)>);
static_assert(std::is_same_v<decltype(clap_istream::read),
                             C_FN(int64_t, const clap_istream*, void*, uint64_t)>);
static_assert(std::is_same_v<decltype(clap_ostream::write),
                             C_FN(int64_t, const clap_ostream*, const void*, uint64_t)>);
static_assert(
    std::is_same_v<decltype(clap_plugin_gui::set_scale), C_FN(bool, const clap_plugin*, double)>);
static_assert(std::is_same_v<decltype(clap_plugin_gui::set_size),
                             C_FN(bool, const clap_plugin*, uint32_t, uint32_t)>);
static_assert(std::is_same_v<decltype(clap_host_gui::request_resize),
                             C_FN(bool, const clap_host*, uint32_t, uint32_t)>);
static_assert(std::is_same_v<decltype(clap_host_gui::closed), C_FN(void, const clap_host*, bool)>);
static_assert(std::is_same_v<decltype(clap_host_timer_support::register_timer),
                             C_FN(bool, const clap_host*, uint32_t, uint32_t*)>);
static_assert(std::is_same_v<decltype(clap_plugin_posix_fd_support::on_fd),
                             C_FN(void, const clap_plugin*, int, uint32_t)>);
static_assert(std::is_same_v<decltype(clap_host_posix_fd_support::unregister_fd),
                             C_FN(bool, const clap_host*, int)>);
static_assert(std::is_same_v<decltype(clap_host_log::log),
                             C_FN(void, const clap_host*, int32_t, const char*)>);
static_assert(std::is_same_v<decltype(clap_host_preset_load::on_error),
                             C_FN(void, const clap_host*, uint32_t, const char*, const char*,
                                  int32_t, const char*)>);
static_assert(
    std::is_same_v<decltype(clap_preset_discovery_metadata_receiver::set_timestamps),
                   C_FN(void, const clap_preset_discovery_metadata_receiver*, uint64_t, uint64_t)>);
static_assert(std::is_same_v<decltype(clap_preset_discovery_provider::get_metadata),
                             C_FN(bool, const clap_preset_discovery_provider*, uint32_t,
                                  const char*, const clap_preset_discovery_metadata_receiver*)>);

// ---------------------------------------------------------------------------
// Constants

TEST(ClapConstants, VersionIsOneTwoAndOnlyStableHostsAreCompatible) {
  EXPECT_EQ(CLAP_VERSION.major, 1u);
  EXPECT_EQ(CLAP_VERSION.minor, 2u);
  EXPECT_TRUE(clap_version_is_compatible(CLAP_VERSION));
  EXPECT_TRUE(clap_version_is_compatible(clap_version{1, 0, 0}));
  EXPECT_TRUE(clap_version_is_compatible(clap_version{1, 3, 0}));
  EXPECT_FALSE(clap_version_is_compatible(clap_version{0, 16, 0}));
}

TEST(ClapConstants, SizesIdsAndTimeFactorsHaveTheirSpecifiedValues) {
  EXPECT_EQ(CLAP_INVALID_ID, 0xFFFFFFFFu);
  EXPECT_EQ(CLAP_NAME_SIZE, 256u);
  EXPECT_EQ(CLAP_PATH_SIZE, 1024u);
  EXPECT_EQ(CLAP_TIMESTAMP_UNKNOWN, 0u);
  EXPECT_EQ(CLAP_BEATTIME_FACTOR, 2147483648LL);
  EXPECT_EQ(CLAP_SECTIME_FACTOR, 2147483648LL);
  EXPECT_EQ(CLAP_CORE_EVENT_SPACE_ID, 0);
}

TEST(ClapConstants, EventTypesFlagsAndProcessStatusHaveTheirSpecifiedValues) {
  const int types[] = {CLAP_EVENT_NOTE_ON,
                       CLAP_EVENT_NOTE_OFF,
                       CLAP_EVENT_NOTE_CHOKE,
                       CLAP_EVENT_NOTE_END,
                       CLAP_EVENT_NOTE_EXPRESSION,
                       CLAP_EVENT_PARAM_VALUE,
                       CLAP_EVENT_PARAM_MOD,
                       CLAP_EVENT_PARAM_GESTURE_BEGIN,
                       CLAP_EVENT_PARAM_GESTURE_END,
                       CLAP_EVENT_TRANSPORT,
                       CLAP_EVENT_MIDI,
                       CLAP_EVENT_MIDI_SYSEX,
                       CLAP_EVENT_MIDI2};
  for (int i = 0; i < static_cast<int>(std::size(types)); ++i) EXPECT_EQ(types[i], i);
  EXPECT_EQ(CLAP_EVENT_IS_LIVE, 1u);
  EXPECT_EQ(CLAP_EVENT_DONT_RECORD, 2u);
  EXPECT_EQ(CLAP_TRANSPORT_HAS_TEMPO, 1u);
  EXPECT_EQ(CLAP_TRANSPORT_IS_PLAYING, 16u);
  EXPECT_EQ(CLAP_TRANSPORT_IS_WITHIN_PRE_ROLL, 128u);
  EXPECT_EQ(CLAP_PROCESS_ERROR, 0);
  EXPECT_EQ(CLAP_PROCESS_CONTINUE, 1);
  EXPECT_EQ(CLAP_PROCESS_CONTINUE_IF_NOT_QUIET, 2);
  EXPECT_EQ(CLAP_PROCESS_TAIL, 3);
  EXPECT_EQ(CLAP_PROCESS_SLEEP, 4);
}

TEST(ClapConstants, ExtensionFlagsAndKindsHaveTheirSpecifiedValues) {
  EXPECT_EQ(CLAP_AUDIO_PORT_IS_MAIN, 1u);
  EXPECT_EQ(CLAP_AUDIO_PORT_SUPPORTS_64BITS, 2u);
  EXPECT_EQ(CLAP_AUDIO_PORT_PREFERS_64BITS, 4u);
  EXPECT_EQ(CLAP_AUDIO_PORT_REQUIRES_COMMON_SAMPLE_SIZE, 8u);
  EXPECT_EQ(CLAP_PARAM_IS_STEPPED, 1u);
  EXPECT_EQ(CLAP_PARAM_IS_PERIODIC, 2u);
  EXPECT_EQ(CLAP_PARAM_IS_HIDDEN, 4u);
  EXPECT_EQ(CLAP_PARAM_IS_READONLY, 8u);
  EXPECT_EQ(CLAP_PARAM_IS_BYPASS, 16u);
  EXPECT_EQ(CLAP_PARAM_IS_AUTOMATABLE, 32u);
  EXPECT_EQ(CLAP_PARAM_IS_MODULATABLE, 1u << 10);
  EXPECT_EQ(CLAP_PARAM_IS_MODULATABLE_PER_PORT, 1u << 14);
  EXPECT_EQ(CLAP_PARAM_REQUIRES_PROCESS, 1u << 15);
  EXPECT_EQ(CLAP_PARAM_IS_ENUM, 1u << 16);
  EXPECT_EQ(CLAP_PARAM_RESCAN_VALUES, 1u);
  EXPECT_EQ(CLAP_PARAM_RESCAN_TEXT, 2u);
  EXPECT_EQ(CLAP_PARAM_RESCAN_INFO, 4u);
  EXPECT_EQ(CLAP_PARAM_RESCAN_ALL, 8u);
  EXPECT_EQ(CLAP_PARAM_CLEAR_ALL, 1u);
  EXPECT_EQ(CLAP_PARAM_CLEAR_AUTOMATIONS, 2u);
  EXPECT_EQ(CLAP_PARAM_CLEAR_MODULATIONS, 4u);
  EXPECT_EQ(CLAP_POSIX_FD_READ, 1u);
  EXPECT_EQ(CLAP_POSIX_FD_WRITE, 2u);
  EXPECT_EQ(CLAP_POSIX_FD_ERROR, 4u);
  EXPECT_EQ(CLAP_LOG_DEBUG, 0);
  EXPECT_EQ(CLAP_LOG_INFO, 1);
  EXPECT_EQ(CLAP_LOG_WARNING, 2);
  EXPECT_EQ(CLAP_LOG_ERROR, 3);
  EXPECT_EQ(CLAP_LOG_FATAL, 4);
  EXPECT_EQ(CLAP_LOG_HOST_MISBEHAVING, 5);
  EXPECT_EQ(CLAP_LOG_PLUGIN_MISBEHAVING, 6);
  EXPECT_EQ(CLAP_PRESET_DISCOVERY_LOCATION_FILE, 0u);
  EXPECT_EQ(CLAP_PRESET_DISCOVERY_LOCATION_PLUGIN, 1u);
  EXPECT_EQ(CLAP_PRESET_DISCOVERY_IS_FACTORY_CONTENT, 1u);
  EXPECT_EQ(CLAP_PRESET_DISCOVERY_IS_USER_CONTENT, 2u);
  EXPECT_EQ(CLAP_PRESET_DISCOVERY_IS_DEMO_CONTENT, 4u);
  EXPECT_EQ(CLAP_PRESET_DISCOVERY_IS_FAVORITE, 8u);
}

// ---------------------------------------------------------------------------
// Identifier strings: a host finds a factory, an extension or a feature only
// by these exact bytes.

struct NamedString {
  const char* name;
  const char* declared;
  const char* specified;
};

#define ID(constant, text) \
  NamedString { #constant, constant, text }

const NamedString kFactoriesAndExtensions[] = {
    ID(CLAP_PLUGIN_FACTORY_ID, "clap.plugin-factory"),
    ID(CLAP_PRESET_DISCOVERY_FACTORY_ID, "clap.preset-discovery-factory/2"),
    ID(CLAP_PRESET_DISCOVERY_FACTORY_ID_COMPAT, "clap.preset-discovery-factory/draft-2"),
    ID(CLAP_EXT_AUDIO_PORTS, "clap.audio-ports"),
    ID(CLAP_EXT_PARAMS, "clap.params"),
    ID(CLAP_EXT_STATE, "clap.state"),
    ID(CLAP_EXT_LATENCY, "clap.latency"),
    ID(CLAP_EXT_TAIL, "clap.tail"),
    ID(CLAP_EXT_GUI, "clap.gui"),
    ID(CLAP_EXT_TIMER_SUPPORT, "clap.timer-support"),
    ID(CLAP_EXT_POSIX_FD_SUPPORT, "clap.posix-fd-support"),
    ID(CLAP_EXT_THREAD_CHECK, "clap.thread-check"),
    ID(CLAP_EXT_LOG, "clap.log"),
    ID(CLAP_EXT_PRESET_LOAD, "clap.preset-load/2"),
    ID(CLAP_EXT_PRESET_LOAD_COMPAT, "clap.preset-load.draft/2"),
};

// Port types and window APIs: each a name space of its own.
const NamedString kNames[] = {
    ID(CLAP_PORT_MONO, "mono"),         ID(CLAP_PORT_STEREO, "stereo"),
    ID(CLAP_WINDOW_API_WIN32, "win32"), ID(CLAP_WINDOW_API_COCOA, "cocoa"),
    ID(CLAP_WINDOW_API_X11, "x11"),     ID(CLAP_WINDOW_API_WAYLAND, "wayland"),
};

const NamedString kFeatures[] = {
    ID(CLAP_PLUGIN_FEATURE_INSTRUMENT, "instrument"),
    ID(CLAP_PLUGIN_FEATURE_AUDIO_EFFECT, "audio-effect"),
    ID(CLAP_PLUGIN_FEATURE_NOTE_EFFECT, "note-effect"),
    ID(CLAP_PLUGIN_FEATURE_NOTE_DETECTOR, "note-detector"),
    ID(CLAP_PLUGIN_FEATURE_ANALYZER, "analyzer"),
    ID(CLAP_PLUGIN_FEATURE_SYNTHESIZER, "synthesizer"),
    ID(CLAP_PLUGIN_FEATURE_SAMPLER, "sampler"),
    ID(CLAP_PLUGIN_FEATURE_DRUM, "drum"),
    ID(CLAP_PLUGIN_FEATURE_DRUM_MACHINE, "drum-machine"),
    ID(CLAP_PLUGIN_FEATURE_FILTER, "filter"),
    ID(CLAP_PLUGIN_FEATURE_PHASER, "phaser"),
    ID(CLAP_PLUGIN_FEATURE_EQUALIZER, "equalizer"),
    ID(CLAP_PLUGIN_FEATURE_DEESSER, "de-esser"),
    ID(CLAP_PLUGIN_FEATURE_PHASE_VOCODER, "phase-vocoder"),
    ID(CLAP_PLUGIN_FEATURE_GRANULAR, "granular"),
    ID(CLAP_PLUGIN_FEATURE_FREQUENCY_SHIFTER, "frequency-shifter"),
    ID(CLAP_PLUGIN_FEATURE_PITCH_SHIFTER, "pitch-shifter"),
    ID(CLAP_PLUGIN_FEATURE_DISTORTION, "distortion"),
    ID(CLAP_PLUGIN_FEATURE_TRANSIENT_SHAPER, "transient-shaper"),
    ID(CLAP_PLUGIN_FEATURE_COMPRESSOR, "compressor"),
    ID(CLAP_PLUGIN_FEATURE_EXPANDER, "expander"),
    ID(CLAP_PLUGIN_FEATURE_GATE, "gate"),
    ID(CLAP_PLUGIN_FEATURE_LIMITER, "limiter"),
    ID(CLAP_PLUGIN_FEATURE_FLANGER, "flanger"),
    ID(CLAP_PLUGIN_FEATURE_CHORUS, "chorus"),
    ID(CLAP_PLUGIN_FEATURE_DELAY, "delay"),
    ID(CLAP_PLUGIN_FEATURE_REVERB, "reverb"),
    ID(CLAP_PLUGIN_FEATURE_TREMOLO, "tremolo"),
    ID(CLAP_PLUGIN_FEATURE_GLITCH, "glitch"),
    ID(CLAP_PLUGIN_FEATURE_UTILITY, "utility"),
    ID(CLAP_PLUGIN_FEATURE_PITCH_CORRECTION, "pitch-correction"),
    ID(CLAP_PLUGIN_FEATURE_RESTORATION, "restoration"),
    ID(CLAP_PLUGIN_FEATURE_MULTI_EFFECTS, "multi-effects"),
    ID(CLAP_PLUGIN_FEATURE_MIXING, "mixing"),
    ID(CLAP_PLUGIN_FEATURE_MASTERING, "mastering"),
    ID(CLAP_PLUGIN_FEATURE_MONO, "mono"),
    ID(CLAP_PLUGIN_FEATURE_STEREO, "stereo"),
    ID(CLAP_PLUGIN_FEATURE_SURROUND, "surround"),
    ID(CLAP_PLUGIN_FEATURE_AMBISONIC, "ambisonic"),
};

template <size_t N>
void expectSpecifiedStrings(const NamedString (&strings)[N]) {
  for (const NamedString& entry : strings) {
    ASSERT_NE(entry.declared, nullptr) << entry.name;
    EXPECT_STREQ(entry.declared, entry.specified) << entry.name;
  }
}

template <size_t N>
void expectDistinct(const NamedString (&strings)[N]) {
  for (size_t a = 0; a < N; ++a) {
    for (size_t b = a + 1; b < N; ++b) {
      EXPECT_STRNE(strings[a].declared, strings[b].declared)
          << strings[a].name << " and " << strings[b].name;
    }
  }
}

TEST(ClapIdentifiers, FactoriesExtensionsPortTypesAndWindowApisHaveTheirSpecifiedStrings) {
  expectSpecifiedStrings(kFactoriesAndExtensions);
  expectSpecifiedStrings(kNames);
}

TEST(ClapIdentifiers, FeatureStringsHaveTheirSpecifiedStringsAndAreAllDifferent) {
  expectSpecifiedStrings(kFeatures);
  expectDistinct(kFeatures);
}

TEST(ClapIdentifiers, NoFactoryOrExtensionSharesAnIdentifier) {
  expectDistinct(kFactoriesAndExtensions);
}

}  // namespace
