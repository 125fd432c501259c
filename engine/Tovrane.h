#pragma once
#include "engine/EngineSnapshot.h"
#include "engine/TovraneParams.h"
#include "vst2/IPlugVST.h"

// The product's plug-in class: its identity, its 26 parameters and its 16
// programs ("init" and the factory presets).
class Tovrane : public IPlugVST {
 public:
  explicit Tovrane(audioMasterCallback hostCallback = nullptr);

  static PlugIdentity Identity();

 private:
  void InitParameters();
  void InitEditorParameters();
  void InitDouble(int index, const char* name, double defaultValue, double maxValue = 100.0);
  void InitInteger(int index, const char* name, double defaultValue, double maxValue);
  void MakePresets();
};
