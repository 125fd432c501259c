// Presets and the state-chunk format in which hosts save programs and banks.
#include <cstdio>
#include <cstring>
#include <vector>

#include "core/IPlugBase.h"

using Guard = std::lock_guard<std::recursive_mutex>;

namespace {
constexpr const char* kUserPresetText = "user preset";
}

bool IPlugBase::SaveState(StateChunk* chunk) { return SerializeParams(chunk); }

int IPlugBase::LoadState(const StateChunk* chunk, int pos) { return UnserializeParams(chunk, pos); }

bool IPlugBase::SerializeParams(StateChunk* chunk) {
  Guard guard(lock);
  bool stored = true;
  for (int i = 0; i < NParams() && stored; ++i) stored = chunk->PutDouble(params.Get(i)->Value());
  return stored && chunk->Size() > 0;
}

int64_t IPlugBase::ParamStateBytes() const {
  return static_cast<int64_t>(NParams()) * static_cast<int64_t>(sizeof(double));
}

// All or nothing: a state that ends early changes no parameter, so a
// damaged chunk can never leave some settings from it and some from before.
int IPlugBase::UnserializeParams(const StateChunk* chunk, int pos) {
  Guard guard(lock);
  if (pos < 0 || !chunk->HasBytes(pos, ParamStateBytes())) return -1;
  for (int i = 0; i < NParams(); ++i) {
    double value = 0.0;
    pos = chunk->GetDouble(&value, pos);
    params.Get(i)->SetClamped(value);
  }
  for (int i = 0; i < NParams(); ++i) OnParamChanged(i);
  return pos;
}

void IPlugBase::WriteChunkHeader(StateChunk* chunk) {
  chunk->Clear();
  chunk->PutInt32(kChunkMagic);
  chunk->PutInt32(kChunkVersion);
}

int IPlugBase::ReadChunkHeader(const StateChunk* chunk, int* pos) {
  int32_t magic = 0;
  if (chunk->GetInt32(&magic, *pos) < 0 || magic != kChunkMagic) return 0;
  int32_t chunkVersion = 0;
  if (chunk->GetInt32(&chunkVersion, *pos + 4) < 0) {
    *pos = -1;
    return 0;
  }
  *pos += 8;
  return chunkVersion;
}

bool IPlugBase::SerializePresets(StateChunk* chunk) {
  Guard guard(lock);
  bool ok = true;
  for (int i = 0; i < NPresets() && ok; ++i) {
    const PlugPreset* preset = presets.Get(i);
    const int length = static_cast<int>(std::strlen(preset->name));
    ok = chunk->PutInt32(length) && chunk->PutBytes(preset->name, length) &&
         chunk->PutByte(preset->used ? 1 : 0);
    if (ok && preset->used) {
      ok = chunk->PutBytes(preset->state.Data(), preset->state.Size()) && chunk->Size() > 0;
    }
  }
  return ok;
}

int IPlugBase::ReadPresetRecord(const StateChunk* chunk, int pos, PresetRecord* record) const {
  int32_t length = 0;
  if (chunk->GetInt32(&length, pos) < 0) return -1;
  // A negative length counts as an empty name; the fields after it are
  // then read where an empty name would have put them, never before it.
  const int64_t nameBytes = length > 0 ? length : 0;
  const int64_t usedPos = int64_t{pos} + 4 + nameBytes;
  if (!chunk->HasBytes(int64_t{pos} + 4, nameBytes) || !chunk->HasBytes(usedPos, 1)) return -1;
  record->namePos = pos + 4;
  record->nameBytes = static_cast<int>(nameBytes);
  record->used = chunk->Data()[usedPos] != 0;
  record->statePos = static_cast<int>(usedPos + 1);
  if (!record->used) return record->statePos;
  if (!chunk->HasBytes(record->statePos, ParamStateBytes())) return -1;
  return static_cast<int>(record->statePos + ParamStateBytes());
}

// The whole bank is read before any of it is applied: a bank that ends
// early or claims more than it holds changes no preset and no parameter.
int IPlugBase::BankChunkEnd(const StateChunk* chunk) const {
  int pos = 0;
  if (ReadChunkHeader(chunk, &pos) < kChunkVersion) return -1;
  PresetRecord record;
  for (int i = 0; i < NPresets() && pos >= 0; ++i) pos = ReadPresetRecord(chunk, pos, &record);
  return pos;
}

int IPlugBase::UnserializePresets(const StateChunk* chunk, int pos) {
  Guard guard(lock);
  std::vector<PresetRecord> records(static_cast<size_t>(NPresets()));
  for (PresetRecord& record : records) {
    if (pos < 0) return -1;
    pos = ReadPresetRecord(chunk, pos, &record);
  }
  if (pos < 0) return -1;
  for (int i = 0; i < NPresets(); ++i) ApplyPresetRecord(chunk, records[i], presets.Get(i));
  LoadPreset(currentPreset);
  return pos;
}

void IPlugBase::ApplyPresetRecord(const StateChunk* chunk, const PresetRecord& record,
                                  PlugPreset* preset) {
  const int kept = record.nameBytes < kPresetNameSize - 1 ? record.nameBytes : kPresetNameSize - 1;
  char name[kPresetNameSize] = "";
  std::memcpy(name, chunk->Data() + record.namePos, static_cast<size_t>(kept));
  name[kept] = '\0';
  CopyText(preset->name, kPresetNameSize, name);
  preset->used = record.used;
  // Stored as the values load, limited to the parameters' ranges.
  if (preset->used && LoadState(chunk, record.statePos) > 0) {
    preset->state.Clear();
    SaveState(&preset->state);
  }
}

bool IPlugBase::SaveChunk(StateChunk* chunk, bool isBank) {
  Guard guard(lock);
  WriteChunkHeader(chunk);
  bool saved;
  if (isBank) {
    ModifyCurrentPreset();
    saved = SerializePresets(chunk);
  } else {
    saved = SaveState(chunk);
  }
  return saved && chunk->Size() > 0;
}

bool IPlugBase::RestoreChunk(const StateChunk* chunk, bool isBank) {
  Guard guard(lock);
  int pos = 0;
  const int chunkVersion = ReadChunkHeader(chunk, &pos);
  int result;
  if (isBank && chunkVersion >= kChunkVersion) {
    result = UnserializePresets(chunk, pos);
  } else {
    result = LoadState(chunk, pos);
    // A program that could not be read leaves the current one as it was.
    if (result >= 0) ModifyCurrentPreset();
  }
  if (result < 0) return false;
  RefreshEditorControls();
  return true;
}

bool IPlugBase::SaveSessionChunk(StateChunk* chunk) {
  Guard guard(lock);
  return SaveChunk(chunk, true) && chunk->PutInt32(kPlayedProgramMagic) &&
         chunk->PutInt32(currentPreset);
}

bool IPlugBase::RestoreSessionChunk(const StateChunk* chunk) {
  Guard guard(lock);
  const int bankEnd = BankChunkEnd(chunk);
  if (bankEnd < 0) return false;
  int program = -1;
  if (chunk->Size() != bankEnd) {
    int32_t magic = 0;
    int32_t index = 0;
    const int after = chunk->GetInt32(&index, chunk->GetInt32(&magic, bankEnd));
    if (after != chunk->Size() || magic != kPlayedProgramMagic || index < 0 || index >= NPresets()) {
      return false;
    }
    program = index;
  }
  if (!RestoreChunk(chunk, true)) return false;
  if (program >= 0) LoadPreset(program);
  return true;
}

void IPlugBase::ModifyCurrentPreset(const char* name) {
  Guard guard(lock);
  PlugPreset* preset = presets.Get(currentPreset);
  if (!preset) return;
  preset->state.Clear();
  SaveState(&preset->state);
  if (name && name[0]) CopyText(preset->name, kPresetNameSize, name);
}

int IPlugBase::CountPresetsNamed(const char* text) const {
  int count = 0;
  for (int i = 0; i < NPresets(); ++i) count += std::strstr(presets.Get(i)->name, text) ? 1 : 0;
  return count;
}

bool IPlugBase::LoadPreset(int index) {
  Guard guard(lock);
  PlugPreset* preset = presets.Get(index);
  if (!preset) return false;
  bool success;
  if (!preset->used) {
    preset->used = true;
    std::snprintf(preset->name, kPresetNameSize, "%s %d", kUserPresetText,
                  CountPresetsNamed(kUserPresetText) + 1);
    success = SaveState(&preset->state);
  } else {
    success = LoadState(&preset->state, 0) > 0;
  }
  if (success) {
    currentPreset = index;
    OnStateRestored();
    RefreshEditorControls();
  }
  return success;
}

void IPlugBase::SwitchPreset(int index) {
  Guard guard(lock);
  if (!DoesChunks()) ModifyCurrentPreset();
  LoadPreset(index);
}

const char* IPlugBase::PresetNameAt(int index) const {
  const PlugPreset* preset = presets.Get(index);
  return preset ? preset->name : "";
}

bool IPlugBase::IsPresetUsed(int index) const {
  const PlugPreset* preset = presets.Get(index);
  return preset && preset->used;
}

const StateChunk* IPlugBase::PresetState(int index) const {
  const PlugPreset* preset = presets.Get(index);
  return preset ? &preset->state : nullptr;
}

bool IPlugBase::AddPresetValues(const char* name, std::span<const double> values) {
  Guard guard(lock);
  if (static_cast<int>(values.size()) != NParams()) return false;
  for (int i = 0; i < NPresets(); ++i) {
    PlugPreset* preset = presets.Get(i);
    if (preset->used) continue;
    preset->used = true;
    CopyText(preset->name, kPresetNameSize, name);
    for (double value : values) preset->state.PutDouble(value);
    return true;
  }
  return false;
}

void IPlugBase::FillFreePresets(const char* name, int count) {
  Guard guard(lock);
  for (int n = 0; n < count; ++n) {
    for (int i = 0; i < NPresets(); ++i) {
      PlugPreset* preset = presets.Get(i);
      if (preset->used) continue;
      preset->used = true;
      CopyText(preset->name, kPresetNameSize, name && name[0] ? name : "Empty");
      SaveState(&preset->state);
      break;
    }
  }
}
