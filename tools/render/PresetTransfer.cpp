#include "tools/render/PresetTransfer.h"

#include <algorithm>

#include "tools/render/PluginHost.h"

// A plug-in that answers chunk requests keeps its whole state there (float
// parameters would round a plug-in's double values), so its chunks are used
// whether or not it announces them.
bool PresetTransfer::UsesChunks() {
  return host.HasFlag(effFlagsProgramChunks) || !host.GetChunk(true).empty();
}

FxProgram PresetTransfer::CaptureProgram() {
  if (!UsesChunks()) return CaptureParams();
  FxProgram program;
  program.fxId = host.UniqueId();
  program.fxVersion = host.PluginVersion();
  program.numParams = host.NumParams();
  program.name = host.CurrentProgramName();
  program.isChunk = true;
  program.chunk = host.GetChunk(true);
  return program;
}

FxBank PresetTransfer::CaptureBank() {
  FxBank bank;
  bank.fxId = host.UniqueId();
  bank.fxVersion = host.PluginVersion();
  bank.numPrograms = host.NumPrograms();
  bank.currentProgram = host.CurrentProgram();
  if (UsesChunks()) {
    bank.isChunk = true;
    bank.chunk = host.GetChunk(false);
    return bank;
  }
  // Selecting each program in turn also stores the current one's edits.
  for (int i = 0; i < host.NumPrograms(); ++i) {
    host.SetProgram(i);
    bank.programs.push_back(CaptureParams());
  }
  host.SetProgram(bank.currentProgram);
  return bank;
}

bool PresetTransfer::ApplyProgram(const FxProgram& program, std::string* error) {
  if (!MatchesPlugin(program.fxId, error)) return false;
  if (program.isChunk) {
    if (!host.SetChunk(true, program.chunk)) {
      *error = "the plug-in refused the program chunk";
      return false;
    }
    // The chunk carries the settings; the file carries the program's name.
    if (!program.name.empty()) host.SetCurrentProgramName(program.name);
    return true;
  }
  if (program.numParams != host.NumParams()) {
    *error = "the program has " + std::to_string(program.numParams) + " parameters, the plug-in " +
             std::to_string(host.NumParams());
    return false;
  }
  ApplyParams(program);
  return true;
}

bool PresetTransfer::ApplyBank(const FxBank& bank, std::string* error) {
  if (!MatchesPlugin(bank.fxId, error)) return false;
  if (bank.isChunk) {
    if (!host.SetChunk(false, bank.chunk)) {
      *error = "the plug-in refused the bank chunk";
      return false;
    }
    if (bank.formatVersion >= 2 && bank.currentProgram != host.CurrentProgram()) {
      host.SetProgram(bank.currentProgram);
    }
    return true;
  }
  if (bank.numPrograms > host.NumPrograms()) {
    *error = "the bank has " + std::to_string(bank.numPrograms) + " programs, the plug-in " +
             std::to_string(host.NumPrograms());
    return false;
  }
  for (const FxProgram& program : bank.programs) {
    if (program.isChunk || program.numParams != host.NumParams()) {
      *error = "a program of the bank does not fit the plug-in's parameters";
      return false;
    }
  }
  for (size_t i = 0; i < bank.programs.size(); ++i) {
    host.SetProgram(static_cast<int>(i));
    ApplyParams(bank.programs[i]);
  }
  host.SetProgram(std::clamp(bank.currentProgram, 0, std::max(0, host.NumPrograms() - 1)));
  return true;
}

bool PresetTransfer::SaveProgramFile(const std::string& path, std::string* error) {
  return FxFiles::WriteFile(path, FxFiles::EncodeProgram(CaptureProgram()), error);
}

bool PresetTransfer::SaveBankFile(const std::string& path, std::string* error) {
  return FxFiles::WriteFile(path, FxFiles::EncodeBank(CaptureBank()), error);
}

bool PresetTransfer::LoadProgramFile(const std::string& path, std::string* error) {
  std::vector<uint8_t> bytes;
  FxProgram program;
  if (!FxFiles::ReadFile(path, &bytes, error)) return false;
  if (!FxFiles::DecodeProgram(bytes, &program, error) || !ApplyProgram(program, error)) {
    *error = path + ": " + *error;
    return false;
  }
  return true;
}

bool PresetTransfer::LoadBankFile(const std::string& path, std::string* error) {
  std::vector<uint8_t> bytes;
  FxBank bank;
  if (!FxFiles::ReadFile(path, &bytes, error)) return false;
  if (!FxFiles::DecodeBank(bytes, &bank, error) || !ApplyBank(bank, error)) {
    *error = path + ": " + *error;
    return false;
  }
  return true;
}

bool PresetTransfer::MatchesPlugin(int32_t fxId, std::string* error) const {
  if (fxId == host.UniqueId()) return true;
  *error = "it belongs to the plug-in '" + FxFiles::IdText(fxId) + "', not '" +
           FxFiles::IdText(host.UniqueId()) + "'";
  return false;
}

FxProgram PresetTransfer::CaptureParams() {
  FxProgram program;
  program.fxId = host.UniqueId();
  program.fxVersion = host.PluginVersion();
  program.numParams = host.NumParams();
  program.name = host.CurrentProgramName();
  for (int i = 0; i < host.NumParams(); ++i) program.params.push_back(host.GetParam(i));
  return program;
}

void PresetTransfer::ApplyParams(const FxProgram& program) {
  for (size_t i = 0; i < program.params.size(); ++i) {
    host.SetParam(static_cast<int>(i), program.params[i]);
  }
  // Renaming also makes plug-ins store the values in the current program.
  host.SetCurrentProgramName(program.name);
}
