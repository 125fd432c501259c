#include "core/FxFiles.h"

#include <algorithm>
#include <bit>
#include <fstream>
#include <iterator>

namespace {

constexpr uint32_t Code(const char (&text)[5]) {
  return (static_cast<uint32_t>(static_cast<uint8_t>(text[0])) << 24) |
         (static_cast<uint32_t>(static_cast<uint8_t>(text[1])) << 16) |
         (static_cast<uint32_t>(static_cast<uint8_t>(text[2])) << 8) |
         static_cast<uint32_t>(static_cast<uint8_t>(text[3]));
}

constexpr uint32_t kChunkMagic = Code("CcnK");
constexpr uint32_t kProgramParams = Code("FxCk");
constexpr uint32_t kProgramChunk = Code("FPCh");
constexpr uint32_t kBankPrograms = Code("FxBk");
constexpr uint32_t kBankChunk = Code("FBCh");

class BigEndianWriter {
 public:
  void U32(uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) bytes.push_back(static_cast<uint8_t>(v >> shift));
  }
  void I32(int32_t v) { U32(static_cast<uint32_t>(v)); }
  void F32(float v) { U32(std::bit_cast<uint32_t>(v)); }
  void Text(const std::string& text, size_t size) {
    const size_t n = std::min(text.size(), size - 1);
    bytes.insert(bytes.end(), text.begin(), text.begin() + static_cast<std::ptrdiff_t>(n));
    bytes.insert(bytes.end(), size - n, 0);
  }
  void Zeros(size_t n) { bytes.insert(bytes.end(), n, 0); }
  void Bytes(std::span<const uint8_t> data) { bytes.insert(bytes.end(), data.begin(), data.end()); }
  // The size field counts every byte after itself.
  void PatchSize(size_t at) {
    const auto size = static_cast<uint32_t>(bytes.size() - at - 4);
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(size >> (24 - 8 * i));
  }
  std::vector<uint8_t> bytes;
};

class BigEndianReader {
 public:
  explicit BigEndianReader(std::span<const uint8_t> data) : data(data) {}
  size_t Remaining() const { return data.size() - pos; }
  bool U32(uint32_t* v) {
    if (Remaining() < 4) return false;
    *v = 0;
    for (int i = 0; i < 4; ++i) *v = (*v << 8) | data[pos++];
    return true;
  }
  bool I32(int32_t* v) {
    uint32_t raw = 0;
    if (!U32(&raw)) return false;
    *v = static_cast<int32_t>(raw);
    return true;
  }
  bool F32(float* v) {
    uint32_t raw = 0;
    if (!U32(&raw)) return false;
    *v = std::bit_cast<float>(raw);
    return true;
  }
  bool Text(std::string* text, size_t size) {
    if (Remaining() < size) return false;
    const auto* begin = reinterpret_cast<const char*>(data.data() + pos);
    *text = std::string(begin, std::find(begin, begin + size, '\0'));
    pos += size;
    return true;
  }
  bool Skip(size_t n) {
    if (Remaining() < n) return false;
    pos += n;
    return true;
  }
  bool Bytes(std::vector<uint8_t>* out, size_t n) {
    if (Remaining() < n) return false;
    out->assign(data.begin() + static_cast<std::ptrdiff_t>(pos),
                data.begin() + static_cast<std::ptrdiff_t>(pos + n));
    pos += n;
    return true;
  }

 private:
  std::span<const uint8_t> data;
  size_t pos = 0;
};

void WriteProgram(const FxProgram& program, BigEndianWriter* out) {
  out->U32(kChunkMagic);
  const size_t sizeAt = out->bytes.size();
  out->U32(0);
  out->U32(program.isChunk ? kProgramChunk : kProgramParams);
  out->I32(1);
  out->I32(program.fxId);
  out->I32(program.fxVersion);
  out->I32(program.isChunk ? program.numParams : static_cast<int32_t>(program.params.size()));
  out->Text(program.name, FxFiles::kProgramNameSize);
  if (program.isChunk) {
    out->I32(static_cast<int32_t>(program.chunk.size()));
    out->Bytes(program.chunk);
  } else {
    for (float v : program.params) out->F32(v);
  }
  out->PatchSize(sizeAt);
}

bool ReadProgram(BigEndianReader* in, FxProgram* program, std::string* error) {
  uint32_t magic = 0, byteSize = 0, kind = 0;
  int32_t version = 0;
  if (!in->U32(&magic) || magic != kChunkMagic) {
    *error = "not a VST program: no 'CcnK' header";
    return false;
  }
  if (!in->U32(&byteSize) || !in->U32(&kind)) {
    *error = "the program is cut short";
    return false;
  }
  if (kind == kBankPrograms || kind == kBankChunk) {
    *error = "this is a bank (.fxb), not a program";
    return false;
  }
  if (kind != kProgramParams && kind != kProgramChunk) {
    *error = "unknown program kind (neither 'FxCk' nor 'FPCh')";
    return false;
  }
  program->isChunk = kind == kProgramChunk;
  if (!in->I32(&version) || !in->I32(&program->fxId) || !in->I32(&program->fxVersion) ||
      !in->I32(&program->numParams) || !in->Text(&program->name, FxFiles::kProgramNameSize)) {
    *error = "the program header is cut short";
    return false;
  }
  if (program->numParams < 0) {
    *error = "the program has a negative parameter count";
    return false;
  }
  if (program->isChunk) {
    int32_t size = 0;
    if (!in->I32(&size) || size < 0 || !in->Bytes(&program->chunk, static_cast<size_t>(size))) {
      *error = "the program's chunk is cut short";
      return false;
    }
    return true;
  }
  if (in->Remaining() / 4 < static_cast<size_t>(program->numParams)) {
    *error = "the program's parameters are cut short";
    return false;
  }
  program->params.resize(static_cast<size_t>(program->numParams));
  for (float& v : program->params) in->F32(&v);
  return true;
}

}  // namespace

std::vector<uint8_t> FxFiles::EncodeProgram(const FxProgram& program) {
  BigEndianWriter out;
  WriteProgram(program, &out);
  return out.bytes;
}

std::vector<uint8_t> FxFiles::EncodeBank(const FxBank& bank) {
  BigEndianWriter out;
  out.U32(kChunkMagic);
  const size_t sizeAt = out.bytes.size();
  out.U32(0);
  out.U32(bank.isChunk ? kBankChunk : kBankPrograms);
  out.I32(bank.formatVersion);
  out.I32(bank.fxId);
  out.I32(bank.fxVersion);
  out.I32(bank.isChunk ? bank.numPrograms : static_cast<int32_t>(bank.programs.size()));
  if (bank.formatVersion >= 2) {
    out.I32(bank.currentProgram);
    out.Zeros(kBankFutureSize - 4);
  } else {
    out.Zeros(kBankFutureSize);
  }
  if (bank.isChunk) {
    out.I32(static_cast<int32_t>(bank.chunk.size()));
    out.Bytes(bank.chunk);
  } else {
    for (const FxProgram& program : bank.programs) WriteProgram(program, &out);
  }
  out.PatchSize(sizeAt);
  return out.bytes;
}

bool FxFiles::DecodeProgram(std::span<const uint8_t> bytes, FxProgram* program,
                            std::string* error) {
  BigEndianReader in(bytes);
  *program = FxProgram{};
  return ReadProgram(&in, program, error);
}

bool FxFiles::DecodeBank(std::span<const uint8_t> bytes, FxBank* bank, std::string* error) {
  BigEndianReader in(bytes);
  *bank = FxBank{};
  uint32_t magic = 0, byteSize = 0, kind = 0;
  if (!in.U32(&magic) || magic != kChunkMagic) {
    *error = "not a VST bank: no 'CcnK' header";
    return false;
  }
  if (!in.U32(&byteSize) || !in.U32(&kind)) {
    *error = "the bank is cut short";
    return false;
  }
  if (kind == kProgramParams || kind == kProgramChunk) {
    *error = "this is a program (.fxp), not a bank";
    return false;
  }
  if (kind != kBankPrograms && kind != kBankChunk) {
    *error = "unknown bank kind (neither 'FxBk' nor 'FBCh')";
    return false;
  }
  bank->isChunk = kind == kBankChunk;
  if (!in.I32(&bank->formatVersion) || !in.I32(&bank->fxId) || !in.I32(&bank->fxVersion) ||
      !in.I32(&bank->numPrograms) || !in.I32(&bank->currentProgram) ||
      !in.Skip(kBankFutureSize - 4)) {
    *error = "the bank header is cut short";
    return false;
  }
  if (bank->formatVersion < 2) bank->currentProgram = 0;
  if (bank->numPrograms < 0) {
    *error = "the bank has a negative program count";
    return false;
  }
  if (bank->isChunk) {
    int32_t size = 0;
    if (!in.I32(&size) || size < 0 || !in.Bytes(&bank->chunk, static_cast<size_t>(size))) {
      *error = "the bank's chunk is cut short";
      return false;
    }
    return true;
  }
  // Every program needs at least its header, which bounds a bogus count.
  if (in.Remaining() / kProgramHeaderSize < static_cast<size_t>(bank->numPrograms)) {
    *error = "the bank's programs are cut short";
    return false;
  }
  bank->programs.resize(static_cast<size_t>(bank->numPrograms));
  for (FxProgram& program : bank->programs) {
    if (!ReadProgram(&in, &program, error)) {
      *error = "bank program: " + *error;
      return false;
    }
  }
  return true;
}

bool FxFiles::ReadFile(const std::string& path, std::vector<uint8_t>* bytes, std::string* error) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    *error = "cannot read " + path;
    return false;
  }
  bytes->assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  if (file.bad()) {
    *error = "reading " + path + " failed";
    return false;
  }
  return true;
}

bool FxFiles::WriteFile(const std::string& path, std::span<const uint8_t> bytes,
                        std::string* error) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (file)
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
  if (file) file.close();
  if (!file) {
    *error = "cannot write " + path;
    return false;
  }
  return true;
}

std::string FxFiles::IdText(int32_t id) {
  std::string text;
  for (int shift = 24; shift >= 0; shift -= 8) {
    const char c = static_cast<char>((static_cast<uint32_t>(id) >> shift) & 0xff);
    text += (c >= 32 && c < 127) ? c : '?';
  }
  return text;
}
