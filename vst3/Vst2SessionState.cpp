#include "vst3/Vst2SessionState.h"

#include <string>

namespace kestravon_vst3 {
namespace {

constexpr size_t kMagicSize = 4;
// The host's header: its magic, then the size of what follows in it (a
// version and the bypass state), big-endian.
constexpr char kHostHeaderMagic[] = "VstW";
constexpr char kFileMagic[] = "CcnK";
constexpr size_t kFileKindAt = 8;

bool StartsWith(std::span<const uint8_t> bytes, const char* magic) {
  if (bytes.size() < kMagicSize) return false;
  for (size_t i = 0; i < kMagicSize; ++i) {
    if (bytes[i] != static_cast<uint8_t>(magic[i])) return false;
  }
  return true;
}

uint32_t BigEndianAt(std::span<const uint8_t> bytes, size_t at) {
  return (static_cast<uint32_t>(bytes[at]) << 24) | (static_cast<uint32_t>(bytes[at + 1]) << 16) |
         (static_cast<uint32_t>(bytes[at + 2]) << 8) | static_cast<uint32_t>(bytes[at + 3]);
}

// The file inside the host's header, or the bytes as they are.
bool FileWithin(std::span<const uint8_t> bytes, std::span<const uint8_t>* file) {
  if (!StartsWith(bytes, kHostHeaderMagic)) {
    *file = bytes;
    return true;
  }
  if (bytes.size() < 2 * kMagicSize) return false;
  const uint64_t headerEnd = 2 * kMagicSize + static_cast<uint64_t>(BigEndianAt(bytes, kMagicSize));
  if (headerEnd > bytes.size()) return false;
  *file = bytes.subspan(static_cast<size_t>(headerEnd));
  return true;
}

bool IsBankFile(std::span<const uint8_t> file) {
  return file.size() >= kFileKindAt + kMagicSize &&
         (StartsWith(file.subspan(kFileKindAt), "FxBk") || StartsWith(file.subspan(kFileKindAt), "FBCh"));
}

}  // namespace

bool LooksLikeVst2Session(std::span<const uint8_t> bytes) {
  return StartsWith(bytes, kHostHeaderMagic) || StartsWith(bytes, kFileMagic);
}

bool ReadVst2Session(std::span<const uint8_t> bytes, Vst2SessionState* state) {
  std::span<const uint8_t> file;
  if (!FileWithin(bytes, &file) || !StartsWith(file, kFileMagic)) return false;
  std::string error;
  state->isBank = IsBankFile(file);
  return state->isBank ? FxFiles::DecodeBank(file, &state->bank, &error)
                       : FxFiles::DecodeProgram(file, &state->program, &error);
}

}  // namespace kestravon_vst3
