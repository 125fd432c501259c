#pragma once
#include <cstdint>

#include "vst2/VstAbi.h"

// The host's transport as plug-ins see it through audioMasterGetTime: a
// fixed 120 bpm in 4/4, positioned at the first frame of the block being
// processed, playing while a render runs.
class HostTransport {
 public:
  static constexpr double kTempo = 120.0;
  static constexpr int kBeatsPerBar = 4;

  void SetSampleRate(double rate) { sampleRate = rate; }
  // Called once per block; a change of play state is flagged for one block.
  void SetPosition(int64_t frame);
  void SetPlaying(bool on);
  // Fills the record handed to the plug-in and returns it; valid until the
  // next call.
  VstTimeInfo* TimeInfo();

 private:
  double sampleRate = 44100.0;
  int64_t position = 0;
  bool playing = false;
  bool changed = true;
  VstTimeInfo info{};
};
