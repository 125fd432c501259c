// The state through the host's streams, and the factory programs as the
// host's presets.
#include <array>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "clap/IPlugCLAP.h"

namespace {

using Guard = std::lock_guard<std::recursive_mutex>;

// No state of this plug-in comes near this; a stream that goes on longer
// is not one of ours and is not read to its end.
constexpr int64_t kMaxStateBytes = 16 * 1024 * 1024;

// Everything the stream holds; the host's stream may give fewer bytes than
// asked for on each call. False when it fails or holds too much.
bool ReadToEnd(const clap::clap_istream& stream, StateChunk* into) {
  if (stream.read == nullptr) return false;
  std::array<uint8_t, 4096> piece{};
  for (;;) {
    const int64_t got = stream.read(&stream, piece.data(), piece.size());
    if (got == 0) return true;
    if (got < 0 || got > static_cast<int64_t>(piece.size())) return false;
    if (into->Size() + got > kMaxStateBytes) return false;
    if (!into->PutBytes(piece.data(), static_cast<int>(got))) return false;
  }
}

// All the bytes, or false; the host's stream may take fewer on each call.
bool WriteAll(const clap::clap_ostream& stream, const uint8_t* bytes, int count) {
  if (stream.write == nullptr) return false;
  int done = 0;
  while (done < count) {
    const int64_t written =
        stream.write(&stream, bytes + done, static_cast<uint64_t>(count - done));
    if (written <= 0 || written > count - done) return false;
    done += static_cast<int>(written);
  }
  return true;
}

}  // namespace

bool IPlugCLAP::SaveToStream(const clap::clap_ostream* stream) {
  if (stream == nullptr) return false;
  StateChunk chunk;
  {
    Guard guard(Lock());
    if (!SaveSessionChunk(&chunk)) return false;
  }
  return WriteAll(*stream, chunk.Data(), chunk.Size());
}

// Read whole before anything changes: a state that cannot be read whole
// changes nothing.
bool IPlugCLAP::LoadFromStream(const clap::clap_istream* stream) {
  if (stream == nullptr) return false;
  StateChunk chunk;
  if (!ReadToEnd(*stream, &chunk) || chunk.Size() == 0) return false;
  bool restored;
  {
    Guard guard(Lock());
    restored = RestoreSessionChunk(&chunk);
  }
  if (restored) host.RescanValues();
  return restored;
}

// The factory programs live in the plug-in; a load key names one by its
// index. Only those are known: anything else is refused and told.
bool IPlugCLAP::LoadPresetFrom(uint32_t locationKind, const char* location, const char* loadKey) {
  const size_t prefix = std::strlen(kPresetLoadKeyPrefix);
  int program = -1;
  if (locationKind == clap::CLAP_PRESET_DISCOVERY_LOCATION_PLUGIN && loadKey != nullptr &&
      std::strncmp(loadKey, kPresetLoadKeyPrefix, prefix) == 0) {
    char* end = nullptr;
    const long index = std::strtol(loadKey + prefix, &end, 10);
    if (end != loadKey + prefix && *end == '\0' && index >= 0 && index < NPresets()) {
      program = static_cast<int>(index);
    }
  }
  if (program < 0) {
    host.PresetFailed(locationKind, location, loadKey, "not a program of this plug-in");
    return false;
  }
  {
    Guard guard(Lock());
    SwitchPreset(program);
  }
  host.RescanValues();
  host.PresetLoaded(locationKind, location, loadKey);
  return true;
}
