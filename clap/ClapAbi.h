#pragma once
// Our declarations of the CLAP 1.2 binary interface between a host and a
// plug-in: the records, function tables, identifiers and constants this
// plug-in and its tests use. CLAP is a C interface: every object a host and a
// plug-in hand each other is a plain record whose function members take the
// object itself as their first argument. Only the layout matters to the
// other side: the order and types of the members, the calling convention and
// the identifier strings. The tests check each one.
//
// The facts come from the published CLAP 1.2 interface documentation,
//   https://github.com/free-audio/clap  (version 1.2.x):
//   entry point, plug-in factory, plug-in and host, process block, audio
//   buffers, events, streams; the extensions audio-ports, params, state,
//   latency, tail, gui, timer-support, posix-fd-support, thread-check, log,
//   preset-load; the preset discovery factory; the standard feature strings.
#include <cstddef>
#include <cstdint>

// The documented calling convention of every function member: __cdecl on
// Windows, the platform's default elsewhere. It changes nothing on 64-bit
// Windows, where there is one convention, and matters only for a 32-bit build.
#if defined(_WIN32)
#define KESTRAVON_CLAP_CALL __cdecl
#else
#define KESTRAVON_CLAP_CALL
#endif

namespace clap {

// Records holding function members are declared in extern "C" blocks, so that
// the functions' types have C language linkage, as those of a host written in
// C do. The constants stay outside: names with external linkage (the inline
// identifier strings) would otherwise take C linkage as well.

// ---------------------------------------------------------------------------
// Version, identifiers and text sizes.

struct clap_version {
  uint32_t major;
  uint32_t minor;
  uint32_t revision;
};

// The version these declarations follow; a host accepts any 1.x plug-in.
inline constexpr uint32_t CLAP_VERSION_MAJOR = 1;
inline constexpr uint32_t CLAP_VERSION_MINOR = 2;
inline constexpr uint32_t CLAP_VERSION_REVISION = 2;
inline constexpr clap_version CLAP_VERSION{CLAP_VERSION_MAJOR, CLAP_VERSION_MINOR,
                                           CLAP_VERSION_REVISION};

// Whether a host or plug-in of version `v` speaks the stable interface; 0.x
// versions were development releases with another layout.
constexpr bool clap_version_is_compatible(clap_version v) { return v.major >= 1; }

using clap_id = uint32_t;
inline constexpr clap_id CLAP_INVALID_ID = UINT32_MAX;

// Fixed sizes of the text fields hosts pass for names and paths, terminator
// included.
inline constexpr uint32_t CLAP_NAME_SIZE = 256;
inline constexpr uint32_t CLAP_PATH_SIZE = 1024;

// Seconds since the Unix epoch; 0 when unknown.
using clap_timestamp = uint64_t;
inline constexpr clap_timestamp CLAP_TIMESTAMP_UNKNOWN = 0;

// Musical and clock time as signed fixed point with 31 fractional bits.
using clap_beattime = int64_t;
using clap_sectime = int64_t;
inline constexpr int64_t CLAP_BEATTIME_FACTOR = int64_t{1} << 31;
inline constexpr int64_t CLAP_SECTIME_FACTOR = int64_t{1} << 31;

// A plug-in named across formats: the format ("clap", "vst3", ...) and the
// plug-in's identifier in it.
struct clap_universal_plugin_id {
  const char* abi;
  const char* id;
};

// ---------------------------------------------------------------------------
// The plug-in and the host.

struct clap_plugin;
struct clap_host;
struct clap_process;

struct clap_plugin_descriptor {
  struct clap_version clap_version;
  const char* id;  // reverse-domain, unique across all plug-ins
  const char* name;
  const char* vendor;
  const char* url;
  const char* manual_url;
  const char* support_url;
  const char* version;
  const char* description;
  const char* const* features;  // null-terminated list of the strings below
};

using clap_process_status = int32_t;
inline constexpr clap_process_status CLAP_PROCESS_ERROR = 0;
inline constexpr clap_process_status CLAP_PROCESS_CONTINUE = 1;
inline constexpr clap_process_status CLAP_PROCESS_CONTINUE_IF_NOT_QUIET = 2;
inline constexpr clap_process_status CLAP_PROCESS_TAIL = 3;
inline constexpr clap_process_status CLAP_PROCESS_SLEEP = 4;

extern "C" {
struct clap_plugin {
  const clap_plugin_descriptor* desc;
  void* plugin_data;  // the plug-in's own object; hosts never touch it
  bool(KESTRAVON_CLAP_CALL* init)(const clap_plugin* plugin);
  void(KESTRAVON_CLAP_CALL* destroy)(const clap_plugin* plugin);
  bool(KESTRAVON_CLAP_CALL* activate)(const clap_plugin* plugin, double sample_rate,
                                      uint32_t min_frames_count, uint32_t max_frames_count);
  void(KESTRAVON_CLAP_CALL* deactivate)(const clap_plugin* plugin);
  bool(KESTRAVON_CLAP_CALL* start_processing)(const clap_plugin* plugin);
  void(KESTRAVON_CLAP_CALL* stop_processing)(const clap_plugin* plugin);
  void(KESTRAVON_CLAP_CALL* reset)(const clap_plugin* plugin);
  clap_process_status(KESTRAVON_CLAP_CALL* process)(const clap_plugin* plugin,
                                                    const clap_process* process);
  const void*(KESTRAVON_CLAP_CALL* get_extension)(const clap_plugin* plugin, const char* id);
  void(KESTRAVON_CLAP_CALL* on_main_thread)(const clap_plugin* plugin);
};

struct clap_host {
  struct clap_version clap_version;
  void* host_data;  // the host's own object; plug-ins never touch it
  const char* name;
  const char* vendor;
  const char* url;
  const char* version;
  const void*(KESTRAVON_CLAP_CALL* get_extension)(const clap_host* host, const char* extension_id);
  // Asks for deactivate() and activate() again, on the main thread.
  void(KESTRAVON_CLAP_CALL* request_restart)(const clap_host* host);
  // Asks a sleeping plug-in to be processed again.
  void(KESTRAVON_CLAP_CALL* request_process)(const clap_host* host);
  // Asks for a call of clap_plugin::on_main_thread.
  void(KESTRAVON_CLAP_CALL* request_callback)(const clap_host* host);
};
}  // extern "C"

// ---------------------------------------------------------------------------
// The module's entry point and its factories.

extern "C" {
// The one symbol the module exports, named clap_entry.
struct clap_plugin_entry {
  struct clap_version clap_version;
  bool(KESTRAVON_CLAP_CALL* init)(const char* plugin_path);
  void(KESTRAVON_CLAP_CALL* deinit)();
  const void*(KESTRAVON_CLAP_CALL* get_factory)(const char* factory_id);
};
}  // extern "C"

inline constexpr const char* CLAP_PLUGIN_FACTORY_ID = "clap.plugin-factory";

extern "C" {
struct clap_plugin_factory {
  uint32_t(KESTRAVON_CLAP_CALL* get_plugin_count)(const clap_plugin_factory* factory);
  const clap_plugin_descriptor*(KESTRAVON_CLAP_CALL* get_plugin_descriptor)(
      const clap_plugin_factory* factory, uint32_t index);
  const clap_plugin*(KESTRAVON_CLAP_CALL* create_plugin)(const clap_plugin_factory* factory,
                                                         const clap_host* host,
                                                         const char* plugin_id);
};
}  // extern "C"

// ---------------------------------------------------------------------------
// Events.

struct clap_event_header {
  uint32_t size;  // of the whole event, this header included
  uint32_t time;  // frame offset in the block
  uint16_t space_id;
  uint16_t type;
  uint32_t flags;
};

inline constexpr uint16_t CLAP_CORE_EVENT_SPACE_ID = 0;

// clap_event_header::flags
inline constexpr uint32_t CLAP_EVENT_IS_LIVE = 1u << 0;
inline constexpr uint32_t CLAP_EVENT_DONT_RECORD = 1u << 1;

// clap_event_header::type in the core space.
inline constexpr uint16_t CLAP_EVENT_NOTE_ON = 0;
inline constexpr uint16_t CLAP_EVENT_NOTE_OFF = 1;
inline constexpr uint16_t CLAP_EVENT_NOTE_CHOKE = 2;
inline constexpr uint16_t CLAP_EVENT_NOTE_END = 3;
inline constexpr uint16_t CLAP_EVENT_NOTE_EXPRESSION = 4;
inline constexpr uint16_t CLAP_EVENT_PARAM_VALUE = 5;
inline constexpr uint16_t CLAP_EVENT_PARAM_MOD = 6;
inline constexpr uint16_t CLAP_EVENT_PARAM_GESTURE_BEGIN = 7;
inline constexpr uint16_t CLAP_EVENT_PARAM_GESTURE_END = 8;
inline constexpr uint16_t CLAP_EVENT_TRANSPORT = 9;
inline constexpr uint16_t CLAP_EVENT_MIDI = 10;
inline constexpr uint16_t CLAP_EVENT_MIDI_SYSEX = 11;
inline constexpr uint16_t CLAP_EVENT_MIDI2 = 12;

// The note address fields of parameter events: -1 matches any.
struct clap_event_param_value {
  clap_event_header header;
  clap_id param_id;
  void* cookie;  // clap_param_info::cookie, or null
  int32_t note_id;
  int16_t port_index;
  int16_t channel;
  int16_t key;
  double value;
};

struct clap_event_param_mod {
  clap_event_header header;
  clap_id param_id;
  void* cookie;
  int32_t note_id;
  int16_t port_index;
  int16_t channel;
  int16_t key;
  double amount;
};

struct clap_event_param_gesture {
  clap_event_header header;
  clap_id param_id;
};

// clap_event_transport::flags
inline constexpr uint32_t CLAP_TRANSPORT_HAS_TEMPO = 1u << 0;
inline constexpr uint32_t CLAP_TRANSPORT_HAS_BEATS_TIMELINE = 1u << 1;
inline constexpr uint32_t CLAP_TRANSPORT_HAS_SECONDS_TIMELINE = 1u << 2;
inline constexpr uint32_t CLAP_TRANSPORT_HAS_TIME_SIGNATURE = 1u << 3;
inline constexpr uint32_t CLAP_TRANSPORT_IS_PLAYING = 1u << 4;
inline constexpr uint32_t CLAP_TRANSPORT_IS_RECORDING = 1u << 5;
inline constexpr uint32_t CLAP_TRANSPORT_IS_LOOP_ACTIVE = 1u << 6;
inline constexpr uint32_t CLAP_TRANSPORT_IS_WITHIN_PRE_ROLL = 1u << 7;

extern "C" {
struct clap_event_transport {
  clap_event_header header;
  uint32_t flags;
  clap_beattime song_pos_beats;
  clap_sectime song_pos_seconds;
  double tempo;      // beats per minute
  double tempo_inc;  // per frame, until the next transport event
  clap_beattime loop_start_beats;
  clap_beattime loop_end_beats;
  clap_sectime loop_start_seconds;
  clap_sectime loop_end_seconds;
  clap_beattime bar_start;
  int32_t bar_number;
  uint16_t tsig_num;
  uint16_t tsig_denom;
};

// The host's events for a block, in time order.
struct clap_input_events {
  void* ctx;
  uint32_t(KESTRAVON_CLAP_CALL* size)(const clap_input_events* list);
  const clap_event_header*(KESTRAVON_CLAP_CALL* get)(const clap_input_events* list, uint32_t index);
};

// Where the plug-in sends its events, in time order; the host copies each.
struct clap_output_events {
  void* ctx;
  bool(KESTRAVON_CLAP_CALL* try_push)(const clap_output_events* list,
                                      const clap_event_header* event);
};
}  // extern "C"

// ---------------------------------------------------------------------------
// Processing.

struct clap_audio_buffer {
  // One of the two is set, by the sample size the port agreed on.
  float** data32;
  double** data64;
  uint32_t channel_count;
  uint32_t latency;
  uint64_t constant_mask;  // bit n: channel n holds one value throughout
};

struct clap_process {
  int64_t steady_time;  // frames since activation, or -1 when unknown
  uint32_t frames_count;
  const clap_event_transport* transport;  // null when the host has none
  const clap_audio_buffer* audio_inputs;
  clap_audio_buffer* audio_outputs;
  uint32_t audio_inputs_count;
  uint32_t audio_outputs_count;
  const clap_input_events* in_events;
  const clap_output_events* out_events;
};

// ---------------------------------------------------------------------------
// Streams for the state.

extern "C" {
struct clap_istream {
  void* ctx;
  // Returns the bytes read, 0 at the end, -1 on error.
  int64_t(KESTRAVON_CLAP_CALL* read)(const clap_istream* stream, void* buffer, uint64_t size);
};

struct clap_ostream {
  void* ctx;
  // Returns the bytes written, which may be fewer than asked, or -1 on error.
  int64_t(KESTRAVON_CLAP_CALL* write)(const clap_ostream* stream, const void* buffer,
                                      uint64_t size);
};
}  // extern "C"

// ---------------------------------------------------------------------------
// Extension: audio ports.

inline constexpr const char* CLAP_EXT_AUDIO_PORTS = "clap.audio-ports";
inline constexpr const char* CLAP_PORT_MONO = "mono";
inline constexpr const char* CLAP_PORT_STEREO = "stereo";

// clap_audio_port_info::flags
inline constexpr uint32_t CLAP_AUDIO_PORT_IS_MAIN = 1u << 0;
inline constexpr uint32_t CLAP_AUDIO_PORT_SUPPORTS_64BITS = 1u << 1;
inline constexpr uint32_t CLAP_AUDIO_PORT_PREFERS_64BITS = 1u << 2;
inline constexpr uint32_t CLAP_AUDIO_PORT_REQUIRES_COMMON_SAMPLE_SIZE = 1u << 3;

extern "C" {
struct clap_audio_port_info {
  clap_id id;
  char name[CLAP_NAME_SIZE];
  uint32_t flags;
  uint32_t channel_count;
  const char* port_type;   // CLAP_PORT_STEREO, ..., or null
  clap_id in_place_pair;   // the port sharing this one's buffers, or CLAP_INVALID_ID
};

struct clap_plugin_audio_ports {
  uint32_t(KESTRAVON_CLAP_CALL* count)(const clap_plugin* plugin, bool is_input);
  bool(KESTRAVON_CLAP_CALL* get)(const clap_plugin* plugin, uint32_t index, bool is_input,
                                 clap_audio_port_info* info);
};
}  // extern "C"

// ---------------------------------------------------------------------------
// Extension: parameters.

inline constexpr const char* CLAP_EXT_PARAMS = "clap.params";

using clap_param_info_flags = uint32_t;
inline constexpr clap_param_info_flags CLAP_PARAM_IS_STEPPED = 1u << 0;
inline constexpr clap_param_info_flags CLAP_PARAM_IS_PERIODIC = 1u << 1;
inline constexpr clap_param_info_flags CLAP_PARAM_IS_HIDDEN = 1u << 2;
inline constexpr clap_param_info_flags CLAP_PARAM_IS_READONLY = 1u << 3;
inline constexpr clap_param_info_flags CLAP_PARAM_IS_BYPASS = 1u << 4;
inline constexpr clap_param_info_flags CLAP_PARAM_IS_AUTOMATABLE = 1u << 5;
inline constexpr clap_param_info_flags CLAP_PARAM_IS_AUTOMATABLE_PER_NOTE_ID = 1u << 6;
inline constexpr clap_param_info_flags CLAP_PARAM_IS_AUTOMATABLE_PER_KEY = 1u << 7;
inline constexpr clap_param_info_flags CLAP_PARAM_IS_AUTOMATABLE_PER_CHANNEL = 1u << 8;
inline constexpr clap_param_info_flags CLAP_PARAM_IS_AUTOMATABLE_PER_PORT = 1u << 9;
inline constexpr clap_param_info_flags CLAP_PARAM_IS_MODULATABLE = 1u << 10;
inline constexpr clap_param_info_flags CLAP_PARAM_IS_MODULATABLE_PER_NOTE_ID = 1u << 11;
inline constexpr clap_param_info_flags CLAP_PARAM_IS_MODULATABLE_PER_KEY = 1u << 12;
inline constexpr clap_param_info_flags CLAP_PARAM_IS_MODULATABLE_PER_CHANNEL = 1u << 13;
inline constexpr clap_param_info_flags CLAP_PARAM_IS_MODULATABLE_PER_PORT = 1u << 14;
inline constexpr clap_param_info_flags CLAP_PARAM_REQUIRES_PROCESS = 1u << 15;
inline constexpr clap_param_info_flags CLAP_PARAM_IS_ENUM = 1u << 16;  // with IS_STEPPED

extern "C" {
struct clap_param_info {
  clap_id id;
  clap_param_info_flags flags;
  void* cookie;                  // handed back in this parameter's events
  char name[CLAP_NAME_SIZE];
  char module[CLAP_PATH_SIZE];   // "/"-separated group path, may be empty
  double min_value;
  double max_value;
  double default_value;
};

struct clap_plugin_params {
  uint32_t(KESTRAVON_CLAP_CALL* count)(const clap_plugin* plugin);
  bool(KESTRAVON_CLAP_CALL* get_info)(const clap_plugin* plugin, uint32_t param_index,
                                      clap_param_info* param_info);
  bool(KESTRAVON_CLAP_CALL* get_value)(const clap_plugin* plugin, clap_id param_id,
                                       double* out_value);
  bool(KESTRAVON_CLAP_CALL* value_to_text)(const clap_plugin* plugin, clap_id param_id,
                                           double value, char* out_buffer,
                                           uint32_t out_buffer_capacity);
  bool(KESTRAVON_CLAP_CALL* text_to_value)(const clap_plugin* plugin, clap_id param_id,
                                           const char* param_value_text, double* out_value);
  // Applies parameter events outside process(), when the plug-in is not processing.
  void(KESTRAVON_CLAP_CALL* flush)(const clap_plugin* plugin, const clap_input_events* in,
                                   const clap_output_events* out);
};
}  // extern "C"

using clap_param_rescan_flags = uint32_t;
inline constexpr clap_param_rescan_flags CLAP_PARAM_RESCAN_VALUES = 1u << 0;
inline constexpr clap_param_rescan_flags CLAP_PARAM_RESCAN_TEXT = 1u << 1;
inline constexpr clap_param_rescan_flags CLAP_PARAM_RESCAN_INFO = 1u << 2;
inline constexpr clap_param_rescan_flags CLAP_PARAM_RESCAN_ALL = 1u << 3;  // only while inactive

using clap_param_clear_flags = uint32_t;
inline constexpr clap_param_clear_flags CLAP_PARAM_CLEAR_ALL = 1u << 0;
inline constexpr clap_param_clear_flags CLAP_PARAM_CLEAR_AUTOMATIONS = 1u << 1;
inline constexpr clap_param_clear_flags CLAP_PARAM_CLEAR_MODULATIONS = 1u << 2;

extern "C" {
struct clap_host_params {
  void(KESTRAVON_CLAP_CALL* rescan)(const clap_host* host, clap_param_rescan_flags flags);
  void(KESTRAVON_CLAP_CALL* clear)(const clap_host* host, clap_id param_id,
                                   clap_param_clear_flags flags);
  // Asks for flush() or process() soon, to take parameter changes made elsewhere.
  void(KESTRAVON_CLAP_CALL* request_flush)(const clap_host* host);
};
}  // extern "C"

// ---------------------------------------------------------------------------
// Extension: state.

inline constexpr const char* CLAP_EXT_STATE = "clap.state";

extern "C" {
struct clap_plugin_state {
  bool(KESTRAVON_CLAP_CALL* save)(const clap_plugin* plugin, const clap_ostream* stream);
  bool(KESTRAVON_CLAP_CALL* load)(const clap_plugin* plugin, const clap_istream* stream);
};

struct clap_host_state {
  void(KESTRAVON_CLAP_CALL* mark_dirty)(const clap_host* host);
};
}  // extern "C"

// ---------------------------------------------------------------------------
// Extensions: latency and tail.

inline constexpr const char* CLAP_EXT_LATENCY = "clap.latency";

extern "C" {
struct clap_plugin_latency {
  uint32_t(KESTRAVON_CLAP_CALL* get)(const clap_plugin* plugin);
};

struct clap_host_latency {
  void(KESTRAVON_CLAP_CALL* changed)(const clap_host* host);
};
}  // extern "C"

inline constexpr const char* CLAP_EXT_TAIL = "clap.tail";

extern "C" {
struct clap_plugin_tail {
  // Frames; INT32_MAX or more means an endless tail.
  uint32_t(KESTRAVON_CLAP_CALL* get)(const clap_plugin* plugin);
};

struct clap_host_tail {
  void(KESTRAVON_CLAP_CALL* changed)(const clap_host* host);
};
}  // extern "C"

// ---------------------------------------------------------------------------
// Extension: the editor.

inline constexpr const char* CLAP_EXT_GUI = "clap.gui";
inline constexpr const char* CLAP_WINDOW_API_WIN32 = "win32";
inline constexpr const char* CLAP_WINDOW_API_COCOA = "cocoa";
inline constexpr const char* CLAP_WINDOW_API_X11 = "x11";
inline constexpr const char* CLAP_WINDOW_API_WAYLAND = "wayland";

using clap_hwnd = void*;
using clap_nsview = void*;
using clap_xwnd = unsigned long;  // an X11 Window

extern "C" {
struct clap_window {
  const char* api;  // one of the CLAP_WINDOW_API_ strings
  union {
    clap_nsview cocoa;
    clap_xwnd x11;
    clap_hwnd win32;
    void* ptr;
  };
};

struct clap_gui_resize_hints {
  bool can_resize_horizontally;
  bool can_resize_vertically;
  bool preserve_aspect_ratio;
  uint32_t aspect_ratio_width;
  uint32_t aspect_ratio_height;
};

struct clap_plugin_gui {
  bool(KESTRAVON_CLAP_CALL* is_api_supported)(const clap_plugin* plugin, const char* api,
                                              bool is_floating);
  bool(KESTRAVON_CLAP_CALL* get_preferred_api)(const clap_plugin* plugin, const char** api,
                                               bool* is_floating);
  bool(KESTRAVON_CLAP_CALL* create)(const clap_plugin* plugin, const char* api, bool is_floating);
  void(KESTRAVON_CLAP_CALL* destroy)(const clap_plugin* plugin);
  bool(KESTRAVON_CLAP_CALL* set_scale)(const clap_plugin* plugin, double scale);
  bool(KESTRAVON_CLAP_CALL* get_size)(const clap_plugin* plugin, uint32_t* width, uint32_t* height);
  bool(KESTRAVON_CLAP_CALL* can_resize)(const clap_plugin* plugin);
  bool(KESTRAVON_CLAP_CALL* get_resize_hints)(const clap_plugin* plugin,
                                              clap_gui_resize_hints* hints);
  bool(KESTRAVON_CLAP_CALL* adjust_size)(const clap_plugin* plugin, uint32_t* width,
                                         uint32_t* height);
  bool(KESTRAVON_CLAP_CALL* set_size)(const clap_plugin* plugin, uint32_t width, uint32_t height);
  bool(KESTRAVON_CLAP_CALL* set_parent)(const clap_plugin* plugin, const clap_window* window);
  bool(KESTRAVON_CLAP_CALL* set_transient)(const clap_plugin* plugin, const clap_window* window);
  void(KESTRAVON_CLAP_CALL* suggest_title)(const clap_plugin* plugin, const char* title);
  bool(KESTRAVON_CLAP_CALL* show)(const clap_plugin* plugin);
  bool(KESTRAVON_CLAP_CALL* hide)(const clap_plugin* plugin);
};

struct clap_host_gui {
  void(KESTRAVON_CLAP_CALL* resize_hints_changed)(const clap_host* host);
  bool(KESTRAVON_CLAP_CALL* request_resize)(const clap_host* host, uint32_t width,
                                            uint32_t height);
  bool(KESTRAVON_CLAP_CALL* request_show)(const clap_host* host);
  bool(KESTRAVON_CLAP_CALL* request_hide)(const clap_host* host);
  void(KESTRAVON_CLAP_CALL* closed)(const clap_host* host, bool was_destroyed);
};
}  // extern "C"

// ---------------------------------------------------------------------------
// Extensions: main-thread timers and file descriptors (the editor's X
// connection on Linux), thread checks and the host's log.

inline constexpr const char* CLAP_EXT_TIMER_SUPPORT = "clap.timer-support";

extern "C" {
struct clap_plugin_timer_support {
  void(KESTRAVON_CLAP_CALL* on_timer)(const clap_plugin* plugin, clap_id timer_id);
};

struct clap_host_timer_support {
  bool(KESTRAVON_CLAP_CALL* register_timer)(const clap_host* host, uint32_t period_ms,
                                            clap_id* timer_id);
  bool(KESTRAVON_CLAP_CALL* unregister_timer)(const clap_host* host, clap_id timer_id);
};
}  // extern "C"

inline constexpr const char* CLAP_EXT_POSIX_FD_SUPPORT = "clap.posix-fd-support";

using clap_posix_fd_flags = uint32_t;
inline constexpr clap_posix_fd_flags CLAP_POSIX_FD_READ = 1u << 0;
inline constexpr clap_posix_fd_flags CLAP_POSIX_FD_WRITE = 1u << 1;
inline constexpr clap_posix_fd_flags CLAP_POSIX_FD_ERROR = 1u << 2;

extern "C" {
struct clap_plugin_posix_fd_support {
  void(KESTRAVON_CLAP_CALL* on_fd)(const clap_plugin* plugin, int fd, clap_posix_fd_flags flags);
};

struct clap_host_posix_fd_support {
  bool(KESTRAVON_CLAP_CALL* register_fd)(const clap_host* host, int fd, clap_posix_fd_flags flags);
  bool(KESTRAVON_CLAP_CALL* modify_fd)(const clap_host* host, int fd, clap_posix_fd_flags flags);
  bool(KESTRAVON_CLAP_CALL* unregister_fd)(const clap_host* host, int fd);
};
}  // extern "C"

inline constexpr const char* CLAP_EXT_THREAD_CHECK = "clap.thread-check";

extern "C" {
struct clap_host_thread_check {
  bool(KESTRAVON_CLAP_CALL* is_main_thread)(const clap_host* host);
  bool(KESTRAVON_CLAP_CALL* is_audio_thread)(const clap_host* host);
};
}  // extern "C"

inline constexpr const char* CLAP_EXT_LOG = "clap.log";

using clap_log_severity = int32_t;
inline constexpr clap_log_severity CLAP_LOG_DEBUG = 0;
inline constexpr clap_log_severity CLAP_LOG_INFO = 1;
inline constexpr clap_log_severity CLAP_LOG_WARNING = 2;
inline constexpr clap_log_severity CLAP_LOG_ERROR = 3;
inline constexpr clap_log_severity CLAP_LOG_FATAL = 4;
inline constexpr clap_log_severity CLAP_LOG_HOST_MISBEHAVING = 5;
inline constexpr clap_log_severity CLAP_LOG_PLUGIN_MISBEHAVING = 6;

extern "C" {
struct clap_host_log {
  void(KESTRAVON_CLAP_CALL* log)(const clap_host* host, clap_log_severity severity,
                                 const char* msg);
};
}  // extern "C"

// ---------------------------------------------------------------------------
// Presets: the preset discovery factory, through which a host indexes the
// plug-in's presets without creating it, and the preset-load extension that
// loads one of them.

// Where presets live: clap_preset_discovery_location::kind and the
// location_kind arguments below.
inline constexpr uint32_t CLAP_PRESET_DISCOVERY_LOCATION_FILE = 0;
inline constexpr uint32_t CLAP_PRESET_DISCOVERY_LOCATION_PLUGIN = 1;  // location is null

// Flags of locations, sound packs and presets.
inline constexpr uint32_t CLAP_PRESET_DISCOVERY_IS_FACTORY_CONTENT = 1u << 0;
inline constexpr uint32_t CLAP_PRESET_DISCOVERY_IS_USER_CONTENT = 1u << 1;
inline constexpr uint32_t CLAP_PRESET_DISCOVERY_IS_DEMO_CONTENT = 1u << 2;
inline constexpr uint32_t CLAP_PRESET_DISCOVERY_IS_FAVORITE = 1u << 3;

inline constexpr const char* CLAP_PRESET_DISCOVERY_FACTORY_ID = "clap.preset-discovery-factory/2";
// The draft's identifier, which hosts of the draft still ask for; same interface.
inline constexpr const char* CLAP_PRESET_DISCOVERY_FACTORY_ID_COMPAT =
    "clap.preset-discovery-factory/draft-2";

extern "C" {
// The host's side: receives what the provider reads from one location.
struct clap_preset_discovery_metadata_receiver {
  void* receiver_data;
  void(KESTRAVON_CLAP_CALL* on_error)(const clap_preset_discovery_metadata_receiver* receiver,
                                      int32_t os_error, const char* error_message);
  // Starts the next preset; the calls after it describe that preset. Returns
  // false when the host wants no more.
  bool(KESTRAVON_CLAP_CALL* begin_preset)(const clap_preset_discovery_metadata_receiver* receiver,
                                          const char* name, const char* load_key);
  void(KESTRAVON_CLAP_CALL* add_plugin_id)(const clap_preset_discovery_metadata_receiver* receiver,
                                           const clap_universal_plugin_id* plugin_id);
  void(KESTRAVON_CLAP_CALL* set_soundpack_id)(
      const clap_preset_discovery_metadata_receiver* receiver, const char* soundpack_id);
  void(KESTRAVON_CLAP_CALL* set_flags)(const clap_preset_discovery_metadata_receiver* receiver,
                                       uint32_t flags);
  void(KESTRAVON_CLAP_CALL* add_creator)(const clap_preset_discovery_metadata_receiver* receiver,
                                         const char* creator);
  void(KESTRAVON_CLAP_CALL* set_description)(
      const clap_preset_discovery_metadata_receiver* receiver, const char* description);
  void(KESTRAVON_CLAP_CALL* set_timestamps)(
      const clap_preset_discovery_metadata_receiver* receiver, clap_timestamp creation_time,
      clap_timestamp modification_time);
  void(KESTRAVON_CLAP_CALL* add_feature)(const clap_preset_discovery_metadata_receiver* receiver,
                                         const char* feature);
  void(KESTRAVON_CLAP_CALL* add_extra_info)(
      const clap_preset_discovery_metadata_receiver* receiver, const char* key, const char* value);
};

struct clap_preset_discovery_filetype {
  const char* name;
  const char* description;     // may be null
  const char* file_extension;  // without the dot; null or empty matches every file
};

struct clap_preset_discovery_location {
  uint32_t flags;
  const char* name;
  uint32_t kind;         // CLAP_PRESET_DISCOVERY_LOCATION_
  const char* location;  // a file or folder, or null for presets inside the plug-in
};

struct clap_preset_discovery_soundpack {
  uint32_t flags;
  const char* id;
  const char* name;
  const char* description;
  const char* homepage_url;
  const char* vendor;
  const char* image_path;
  clap_timestamp release_timestamp;
};

struct clap_preset_discovery_provider_descriptor {
  struct clap_version clap_version;
  const char* id;
  const char* name;
  const char* vendor;
};

struct clap_preset_discovery_provider {
  const clap_preset_discovery_provider_descriptor* desc;
  void* provider_data;
  // Declares the provider's file types, locations and sound packs to the indexer.
  bool(KESTRAVON_CLAP_CALL* init)(const clap_preset_discovery_provider* provider);
  void(KESTRAVON_CLAP_CALL* destroy)(const clap_preset_discovery_provider* provider);
  bool(KESTRAVON_CLAP_CALL* get_metadata)(const clap_preset_discovery_provider* provider,
                                          uint32_t location_kind, const char* location,
                                          const clap_preset_discovery_metadata_receiver* receiver);
  const void*(KESTRAVON_CLAP_CALL* get_extension)(const clap_preset_discovery_provider* provider,
                                                  const char* extension_id);
};

// The host's side: the indexer a provider declares itself to.
struct clap_preset_discovery_indexer {
  struct clap_version clap_version;
  const char* name;
  const char* vendor;
  const char* url;
  const char* version;
  void* indexer_data;
  bool(KESTRAVON_CLAP_CALL* declare_filetype)(const clap_preset_discovery_indexer* indexer,
                                              const clap_preset_discovery_filetype* filetype);
  bool(KESTRAVON_CLAP_CALL* declare_location)(const clap_preset_discovery_indexer* indexer,
                                              const clap_preset_discovery_location* location);
  bool(KESTRAVON_CLAP_CALL* declare_soundpack)(const clap_preset_discovery_indexer* indexer,
                                               const clap_preset_discovery_soundpack* soundpack);
  const void*(KESTRAVON_CLAP_CALL* get_extension)(const clap_preset_discovery_indexer* indexer,
                                                  const char* extension_id);
};

struct clap_preset_discovery_factory {
  uint32_t(KESTRAVON_CLAP_CALL* count)(const clap_preset_discovery_factory* factory);
  const clap_preset_discovery_provider_descriptor*(KESTRAVON_CLAP_CALL* get_descriptor)(
      const clap_preset_discovery_factory* factory, uint32_t index);
  const clap_preset_discovery_provider*(KESTRAVON_CLAP_CALL* create)(
      const clap_preset_discovery_factory* factory, const clap_preset_discovery_indexer* indexer,
      const char* provider_id);
};
}  // extern "C"

inline constexpr const char* CLAP_EXT_PRESET_LOAD = "clap.preset-load/2";
// The draft's identifier, which hosts of the draft still ask for; same interface.
inline constexpr const char* CLAP_EXT_PRESET_LOAD_COMPAT = "clap.preset-load.draft/2";

extern "C" {
struct clap_plugin_preset_load {
  bool(KESTRAVON_CLAP_CALL* from_location)(const clap_plugin* plugin, uint32_t location_kind,
                                           const char* location, const char* load_key);
};

struct clap_host_preset_load {
  void(KESTRAVON_CLAP_CALL* on_error)(const clap_host* host, uint32_t location_kind,
                                      const char* location, const char* load_key,
                                      int32_t os_error, const char* msg);
  void(KESTRAVON_CLAP_CALL* loaded)(const clap_host* host, uint32_t location_kind,
                                    const char* location, const char* load_key);
};
}  // extern "C"

// ---------------------------------------------------------------------------
// The standard feature strings of clap_plugin_descriptor::features, by which
// hosts sort plug-ins into their browsers. A plug-in lists one main category
// first, then any of the others.

// Main categories.
inline constexpr const char* CLAP_PLUGIN_FEATURE_INSTRUMENT = "instrument";
inline constexpr const char* CLAP_PLUGIN_FEATURE_AUDIO_EFFECT = "audio-effect";
inline constexpr const char* CLAP_PLUGIN_FEATURE_NOTE_EFFECT = "note-effect";
inline constexpr const char* CLAP_PLUGIN_FEATURE_NOTE_DETECTOR = "note-detector";
inline constexpr const char* CLAP_PLUGIN_FEATURE_ANALYZER = "analyzer";

// Sub-categories.
inline constexpr const char* CLAP_PLUGIN_FEATURE_SYNTHESIZER = "synthesizer";
inline constexpr const char* CLAP_PLUGIN_FEATURE_SAMPLER = "sampler";
inline constexpr const char* CLAP_PLUGIN_FEATURE_DRUM = "drum";
inline constexpr const char* CLAP_PLUGIN_FEATURE_DRUM_MACHINE = "drum-machine";
inline constexpr const char* CLAP_PLUGIN_FEATURE_FILTER = "filter";
inline constexpr const char* CLAP_PLUGIN_FEATURE_PHASER = "phaser";
inline constexpr const char* CLAP_PLUGIN_FEATURE_EQUALIZER = "equalizer";
inline constexpr const char* CLAP_PLUGIN_FEATURE_DEESSER = "de-esser";
inline constexpr const char* CLAP_PLUGIN_FEATURE_PHASE_VOCODER = "phase-vocoder";
inline constexpr const char* CLAP_PLUGIN_FEATURE_GRANULAR = "granular";
inline constexpr const char* CLAP_PLUGIN_FEATURE_FREQUENCY_SHIFTER = "frequency-shifter";
inline constexpr const char* CLAP_PLUGIN_FEATURE_PITCH_SHIFTER = "pitch-shifter";
inline constexpr const char* CLAP_PLUGIN_FEATURE_DISTORTION = "distortion";
inline constexpr const char* CLAP_PLUGIN_FEATURE_TRANSIENT_SHAPER = "transient-shaper";
inline constexpr const char* CLAP_PLUGIN_FEATURE_COMPRESSOR = "compressor";
inline constexpr const char* CLAP_PLUGIN_FEATURE_EXPANDER = "expander";
inline constexpr const char* CLAP_PLUGIN_FEATURE_GATE = "gate";
inline constexpr const char* CLAP_PLUGIN_FEATURE_LIMITER = "limiter";
inline constexpr const char* CLAP_PLUGIN_FEATURE_FLANGER = "flanger";
inline constexpr const char* CLAP_PLUGIN_FEATURE_CHORUS = "chorus";
inline constexpr const char* CLAP_PLUGIN_FEATURE_DELAY = "delay";
inline constexpr const char* CLAP_PLUGIN_FEATURE_REVERB = "reverb";
inline constexpr const char* CLAP_PLUGIN_FEATURE_TREMOLO = "tremolo";
inline constexpr const char* CLAP_PLUGIN_FEATURE_GLITCH = "glitch";
inline constexpr const char* CLAP_PLUGIN_FEATURE_UTILITY = "utility";
inline constexpr const char* CLAP_PLUGIN_FEATURE_PITCH_CORRECTION = "pitch-correction";
inline constexpr const char* CLAP_PLUGIN_FEATURE_RESTORATION = "restoration";
inline constexpr const char* CLAP_PLUGIN_FEATURE_MULTI_EFFECTS = "multi-effects";
inline constexpr const char* CLAP_PLUGIN_FEATURE_MIXING = "mixing";
inline constexpr const char* CLAP_PLUGIN_FEATURE_MASTERING = "mastering";

// Audio capabilities.
inline constexpr const char* CLAP_PLUGIN_FEATURE_MONO = "mono";
inline constexpr const char* CLAP_PLUGIN_FEATURE_STEREO = "stereo";
inline constexpr const char* CLAP_PLUGIN_FEATURE_SURROUND = "surround";
inline constexpr const char* CLAP_PLUGIN_FEATURE_AMBISONIC = "ambisonic";

}  // namespace clap
