// Feeds arbitrary bytes to both sides of the LV2 binding, as a hostile host
// or a damaged session would: as the events of the editor's message
// sequence for a block of the processing side, as a message from the
// processing side to the editor's, and as the saved state the processing
// side restores. Each is taken or refused whole and never read past, and
// the processing's audio stays finite.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include <lv2/atom/atom.h>
#include <lv2/state/state.h>
#include <lv2/urid/urid.h>

#include "lv2/TovraneLv2.h"
#include "lv2/TovraneLv2Ui.h"

namespace {

void Require(bool condition) {
  if (!condition) __builtin_trap();
}

// The vocabulary mapped first and in this order, so that its URIDs are 1 to
// 15 in every run and the seeds can be written with them.
const char* const kVocabulary[] = {
    LV2_ATOM__Object,           LV2_ATOM__Int,
    LV2_ATOM__Double,           LV2_ATOM__Vector,
    LV2_ATOM__Sequence,         LV2_ATOM__eventTransfer,
    LV2_ATOM__Chunk,            editor_messages::kCommand,
    editor_messages::kRecord,   editor_messages::kRequest,
    editor_messages::kSettings, editor_messages::kParameter,
    editor_messages::kValues,   editor_messages::kAbSelection,
    IPlugLV2::kStateKey,
};

class UridMap {
 public:
  UridMap() {
    for (const char* uri : kVocabulary) Map(uri);
  }
  LV2_URID Map(const char* uri) {
    return ids.emplace(uri, static_cast<LV2_URID>(ids.size() + 1)).first->second;
  }
  LV2_URID_Map* Feature() { return &feature; }

 private:
  static LV2_URID MapUri(LV2_URID_Map_Handle handle, const char* uri) {
    return static_cast<UridMap*>(handle)->Map(uri);
  }

  std::map<std::string, LV2_URID> ids;
  LV2_URID_Map feature{this, MapUri};
};

UridMap& Urids() {
  static UridMap map;
  return map;
}

const LV2_Feature* const* Features() {
  static const LV2_Feature mapFeature{LV2_URID__map, Urids().Feature()};
  static const LV2_Feature* const features[] = {&mapFeature, nullptr};
  return features;
}

constexpr uint32_t kFrames = 64;
constexpr size_t kReplyCapacity = 4096;

// The processing side with every port connected, its settings back to the
// same start for every input.
class Processing {
 public:
  Processing() : plug(48000.0, Features()) {
    plug.ConnectPort(kPortInLeft, inLeft.data());
    plug.ConnectPort(kPortInRight, inRight.data());
    plug.ConnectPort(kPortOutLeft, outLeft.data());
    plug.ConnectPort(kPortOutRight, outRight.data());
    plug.ConnectPort(kPortLatency, &latency);
    for (size_t i = 0; i < controls.size(); ++i) {
      controls[i] = static_cast<float>(plug.GetParam(kControlPortParams[i])->Default());
      plug.ConnectPort(kFirstControlPort + static_cast<uint32_t>(i), &controls[i]);
    }
    plug.ConnectPort(plug.EditorOutPort(), replies.data());
    for (uint32_t i = 0; i < kFrames; ++i) inLeft[i] = inRight[i] = 0.25f * std::sin(0.05f * i);
    plug.Activate();
    plug.SaveChunk(&pristine, true);
  }

  void Reset() { plug.RestoreChunk(&pristine, true); }

  // One block with the bytes as the events of the editor's input sequence.
  void RunBlock(const uint8_t* events, size_t size) {
    // Exactly as long as the sequence, so that a read past it is caught.
    std::vector<uint8_t> buffer(sizeof(LV2_Atom_Sequence) + size);
    LV2_Atom_Sequence header{};
    header.atom.size = static_cast<uint32_t>(sizeof(LV2_Atom_Sequence_Body) + size);
    header.atom.type = Urids().Map(LV2_ATOM__Sequence);
    std::memcpy(buffer.data(), &header, sizeof header);
    if (size > 0) std::memcpy(buffer.data() + sizeof header, events, size);
    plug.ConnectPort(plug.EditorInPort(), buffer.data());
    auto* out = reinterpret_cast<LV2_Atom_Sequence*>(replies.data());
    out->atom.size = static_cast<uint32_t>(kReplyCapacity - sizeof(LV2_Atom));
    plug.Run(kFrames);
    plug.ConnectPort(plug.EditorInPort(), nullptr);
    Require(sizeof(LV2_Atom) + out->atom.size <= kReplyCapacity);
    for (uint32_t i = 0; i < kFrames; ++i) {
      Require(std::isfinite(outLeft[i]) && std::isfinite(outRight[i]));
    }
  }

  // The bytes as the saved state's value, of the state's own type.
  void Restore(const uint8_t* bytes, size_t size) {
    SavedValue value{bytes, size, Urids().Map(IPlugLV2::kChunkType)};
    plug.RestoreState(Retrieve, &value);
  }

 private:
  struct SavedValue {
    const uint8_t* bytes;
    size_t size;
    LV2_URID type;
  };
  static const void* Retrieve(LV2_State_Handle handle, uint32_t, size_t* size, uint32_t* type,
                              uint32_t* flags) {
    const auto* value = static_cast<const SavedValue*>(handle);
    *size = value->size;
    *type = value->type;
    *flags = LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE;
    return value->bytes;
  }

  TovraneLv2 plug;
  std::vector<float> inLeft = std::vector<float>(kFrames), inRight = std::vector<float>(kFrames);
  std::vector<float> outLeft = std::vector<float>(kFrames), outRight = std::vector<float>(kFrames);
  float latency = 0.0f;
  std::vector<float> controls = std::vector<float>(kControlPortCount);
  std::vector<uint64_t> replies = std::vector<uint64_t>(kReplyCapacity / sizeof(uint64_t));
  StateChunk pristine;
};

void IgnoreWrite(LV2UI_Controller, uint32_t, uint32_t, uint32_t, const void*) {}

// The bytes as a message on the editor's output port, header and all.
void DeliverToEditor(const uint8_t* bytes, size_t size) {
  static TovraneLv2Ui ui(IgnoreWrite, nullptr, Features());
  const std::vector<uint8_t> buffer(bytes, bytes + size);
  ui.PortEvent(EditorOutPort(kControlPortCount), static_cast<uint32_t>(size),
               Urids().Map(LV2_ATOM__eventTransfer), buffer.data());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Atoms' sizes are 32-bit.
  if (size < 1 || size > UINT32_MAX / 2) return 0;
  // The first byte picks where the rest goes.
  static Processing processing;
  const uint8_t* rest = data + 1;
  const size_t restSize = size - 1;
  switch (data[0] % 3) {
    case 0:
      processing.Reset();
      processing.RunBlock(rest, restSize);
      break;
    case 1:
      DeliverToEditor(rest, restSize);
      break;
    default:
      processing.Restore(rest, restSize);
      processing.RunBlock(nullptr, 0);
      break;
  }
  return 0;
}
