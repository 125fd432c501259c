#include "tools/render/HostTransport.h"

#include <cmath>

void HostTransport::SetPlaying(bool on) {
  if (on != playing) changed = true;
  playing = on;
}

void HostTransport::SetPosition(int64_t frame) {
  if (frame != position) changed = false;
  position = frame;
}

VstTimeInfo* HostTransport::TimeInfo() {
  info = VstTimeInfo{};
  info.samplePos = static_cast<double>(position);
  info.sampleRate = sampleRate;
  info.tempo = kTempo;
  info.ppqPos = info.samplePos / sampleRate * (kTempo / 60.0);
  info.barStartPos = std::floor(info.ppqPos / kBeatsPerBar) * kBeatsPerBar;
  info.timeSigNumerator = kBeatsPerBar;
  info.timeSigDenominator = 4;
  info.flags = kVstPpqPosValid | kVstTempoValid | kVstBarsValid | kVstTimeSigValid;
  if (playing) info.flags |= kVstTransportPlaying;
  if (changed) info.flags |= kVstTransportChanged;
  return &info;
}
