// Presets and the state-chunk format in which hosts save programs and banks.
#include <cstdio>
#include <cstring>

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

int IPlugBase::UnserializeParams(const StateChunk* chunk, int pos) {
  Guard guard(lock);
  for (int i = 0; i < NParams() && pos >= 0; ++i) {
    double value = 0.0;
    pos = chunk->GetDouble(&value, pos);
    if (pos < 0) value = 0.0;
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

int IPlugBase::UnserializePresets(const StateChunk* chunk, int pos) {
  Guard guard(lock);
  char nameBuffer[kPresetNameSize] = "";
  for (int i = 0; i < NPresets() && pos >= 0; ++i) {
    PlugPreset* preset = presets.Get(i);
    const int lengthPos = pos;
    int32_t length = 0;
    const bool lengthRead = chunk->GetInt32(&length, lengthPos) >= 0;
    // A negative length counts as an empty name; the fields after it are
    // then read where an empty name would have put them, never before it.
    const int64_t nameBytes = lengthRead && length > 0 ? length : 0;
    const bool nameRead = lengthRead && chunk->HasBytes(int64_t{lengthPos} + 4, nameBytes);
    if (nameRead) {
      const int64_t kept = nameBytes < kPresetNameSize - 1 ? nameBytes : kPresetNameSize - 1;
      std::memcpy(nameBuffer, chunk->Data() + lengthPos + 4, static_cast<size_t>(kept));
      nameBuffer[kept] = '\0';
      // A damaged chunk must not rename the preset it could not read.
      CopyText(preset->name, kPresetNameSize, nameBuffer);
    }

    const int64_t usedPos = int64_t{lengthPos} + 4 + nameBytes;
    uint8_t usedByte = 0;
    if (lengthRead && chunk->HasBytes(usedPos, 1)) {
      chunk->GetByte(&usedByte, static_cast<int>(usedPos));
      preset->used = usedByte != 0;
      pos = static_cast<int>(usedPos + 1);
    } else {
      pos = -1;
    }

    if (preset->used) {
      pos = LoadState(chunk, pos);
      if (pos > 0) {
        preset->state.Clear();
        SaveState(&preset->state);
      }
    }
  }
  LoadPreset(currentPreset);
  return pos;
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
    ModifyCurrentPreset();
  }
  if (result < 0) return false;
  RefreshEditorControls();
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
