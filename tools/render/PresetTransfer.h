#pragma once
#include <string>

#include "core/FxFiles.h"

class PluginHost;

// Moves programs and banks between a loaded plug-in and the records of
// FxFiles. Plug-ins that declare program chunks or answer chunk requests
// are saved through their chunks, all others through their normalised
// parameters; loading takes whichever kind the file holds.
class PresetTransfer {
 public:
  explicit PresetTransfer(PluginHost& host) : host(host) {}

  FxProgram CaptureProgram();
  FxBank CaptureBank();
  bool ApplyProgram(const FxProgram& program, std::string* error);
  bool ApplyBank(const FxBank& bank, std::string* error);

  bool SaveProgramFile(const std::string& path, std::string* error);
  bool SaveBankFile(const std::string& path, std::string* error);
  bool LoadProgramFile(const std::string& path, std::string* error);
  bool LoadBankFile(const std::string& path, std::string* error);

 private:
  bool UsesChunks();
  bool MatchesPlugin(int32_t fxId, std::string* error) const;
  FxProgram CaptureParams();
  void ApplyParams(const FxProgram& program);

  PluginHost& host;
};
