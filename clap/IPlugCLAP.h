#pragma once
#include <array>
#include <atomic>
#include <cstdint>
#include <span>
#include <vector>

#include "clap/ClapAbi.h"
#include "clap/ClapHost.h"
#include "clap/GestureQueue.h"
#include "core/HeldHostChanges.h"
#include "core/IPlugBase.h"
#include "core/StateChunk.h"

// Binds the plug-in base to a CLAP host: the plug-in record the host holds,
// and the extensions it asks for (audio ports, parameters, state, latency,
// tail, the editor with the host's timer and file-descriptor support, and
// the factory programs as presets).
//
// Threads, as CLAP names them: process(), reset() and a flush while active
// are the audio thread's, which never waits: it passes the audio gate and
// only tries the plug-in's lock to take the host's parameter events (what
// it cannot take then waits for a later run). Everything else is the main
// thread's and takes the lock. The host is called only from the threads it
// allows, and never with the lock held.
class IPlugCLAP : public IPlugBase {
 public:
  // hostParams: the parameters hosts see, in the order they are listed; a
  // parameter's CLAP identifier is its index. bypassParam: the one whose
  // value 1 means the processing is bypassed, or -1.
  IPlugCLAP(const PlugIdentity& identity, std::span<const int> hostParams, int bypassParam,
            const clap::clap_plugin_descriptor* descriptor, const clap::clap_host* host);
  ~IPlugCLAP() override;

  const clap::clap_plugin* Plugin() const { return &plugin; }
  static IPlugCLAP* From(const clap::clap_plugin* plugin);

  // The plug-in record's calls.
  bool Init();
  bool Activate(double sampleRate, uint32_t minFrames, uint32_t maxFrames);
  void Deactivate();
  bool StartProcessing() { return true; }
  void StopProcessing() {}
  void Reset();
  clap::clap_process_status Process(const clap::clap_process& process);
  void OnMainThread();

  // clap.audio-ports
  uint32_t AudioPortCount(bool isInput) const;
  bool AudioPortInfo(uint32_t index, bool isInput, clap::clap_audio_port_info* info) const;

  // clap.params: values in each parameter's own range, as VST 2 shows them.
  uint32_t ParamCount() const { return static_cast<uint32_t>(hostParams.size()); }
  bool ParamInfo(uint32_t index, clap::clap_param_info* info);
  bool ParamValue(clap::clap_id id, double* value);
  bool ValueToText(clap::clap_id id, double value, char* text, uint32_t capacity);
  bool TextToValue(clap::clap_id id, const char* text, double* value);
  void Flush(const clap::clap_input_events* in, const clap::clap_output_events* out);

  // clap.state: the session chunk.
  bool SaveToStream(const clap::clap_ostream* stream);
  bool LoadFromStream(const clap::clap_istream* stream);

  // clap.latency and clap.tail
  uint32_t LatencyFrames();
  uint32_t TailFrames();

  // clap.gui: the editor, embedded in the host's window, at the host's scale
  // and at any size of its proportions the user drags the window to.
  bool GuiApiSupported(const char* api, bool isFloating) const;
  bool GuiPreferredApi(const char** api, bool* isFloating) const;
  bool GuiCreate(const char* api, bool isFloating);
  void GuiDestroy();
  bool GuiSetScale(double scale);
  bool GuiSize(uint32_t* width, uint32_t* height) const;
  bool GuiCanResize() const { return guiCreated; }
  bool GuiResizeHints(clap::clap_gui_resize_hints* hints) const;
  bool GuiAdjustSize(uint32_t* width, uint32_t* height) const;
  bool GuiSetSize(uint32_t width, uint32_t height);
  bool GuiSetParent(const clap::clap_window* window);
  bool GuiShow() { return guiCreated; }
  bool GuiHide() { return guiCreated; }
  // clap.timer-support and clap.posix-fd-support: the editor's work.
  void OnTimer(clap::clap_id timerId);
  void OnFd(int fd, uint32_t flags);

  // clap.preset-load: a factory program by its index as the load key.
  bool LoadPresetFrom(uint32_t locationKind, const char* location, const char* loadKey);

  // Calls towards the host, from the editor on the main thread.
  void BeginParameterEdit(int index) override;
  void NotifyParamValue(int index, double normalized) override;
  void EndParameterEdit(int index) override;
  // The editor's own size change (a new scale, the user's zoom), asked of
  // the host while the editor is created.
  void EditorSizeChanged() override;

  static constexpr const char* kPresetLoadKeyPrefix = "program:";

 protected:
  // Whether the plug-in makes sound of its own with silence in (its noise),
  // so that its tail never ends. Under the lock.
  virtual bool SoundsWithoutInput() { return false; }

 private:
  PlugParam* HostParam(clap::clap_id id) const;
  bool IsHostParam(int index) const;
  // The host's events of one run, and the changes held from earlier ones.
  void TakeEvent(const clap::clap_event_header& event);
  void ReleaseHeld();
  void SendGestures(const clap::clap_output_events* out);
  template <class Sample>
  void ProcessSegment(const clap::clap_process& process, int start, int frames);
  // An input channel; one the host marked constant is written out from its
  // first sample for frames start..start+frames.
  template <class Sample>
  Sample* InputChannel(const clap::clap_audio_buffer& bus, uint32_t channel, int start, int frames);
  void StopEditorWork();
  void FillPluginRecord(const clap::clap_plugin_descriptor* descriptor);

  clap::clap_plugin plugin{};
  ClapHost host;
  std::vector<int> hostParams;
  int bypassParam;
  bool active = false;
  std::atomic<uint32_t> maxFrames{0};
  HeldHostChanges held;
  GestureQueue gestures;
  // The parameters whose gesture the host was told began, on the main thread.
  std::vector<bool> gestureOpen;
  // Scratch for inputs marked constant, one per channel and sample size.
  std::array<std::vector<float>, 2> constant32;
  std::array<std::vector<double>, 2> constant64;
  bool guiCreated = false;
  bool guiOpen = false;
  clap::clap_id editorTimer = clap::CLAP_INVALID_ID;
  int editorFd = -1;
};
