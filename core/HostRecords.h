#pragma once
#include <cstdint>

// A short MIDI message at a frame offset within the current block.
struct MidiMessage {
  int32_t offset = 0;
  uint8_t status = 0;
  uint8_t data1 = 0;
  uint8_t data2 = 0;
};

// A system-exclusive message; the bytes belong to the host for the call only.
struct SysExMessage {
  int32_t offset = 0;
  int32_t size = 0;
  const uint8_t* data = nullptr;
};

// The host's transport, as far as it reports it. Callers initialise the
// record; a time query overwrites only what the host marks valid.
struct HostTimeInfo {
  double tempo = 0.0;
  double samplePosition = 0.0;
  double quarterNotePosition = 0.0;
  double barStartPosition = 0.0;
  double cycleStart = 0.0;
  double cycleEnd = 0.0;
  int32_t timeSigNumerator = 0;
  int32_t timeSigDenominator = 0;
  bool playing = false;
  bool looping = false;
};
