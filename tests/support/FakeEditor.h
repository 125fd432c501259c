#pragma once
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "core/EditorLink.h"

// Stands in for the graphics core: records what the engine asks of it.
class FakeEditor : public IEditorLink {
 public:
  int Width() const override { return 1000; }
  int Height() const override { return 420; }
  void ShowNormalizedValue(int index, double normalized) override { shown[index] = normalized; }
  void CreateSurfaces() override { ++surfacesCreated; }
  void SetParameterFromHost(int index, double value, bool normalized) override {
    fromHost.push_back({index, value});
    lastWasNormalized = normalized;
  }
  void SetGreyed(int controlIndex, bool greyed) override {
    greyCalls.push_back({controlIndex, greyed});
    this->greyed[controlIndex] = greyed;
  }
  void SetControlText(int controlIndex, const char* text) override {
    texts[controlIndex] = text;
    ++textCalls;
  }
  void MarkAllControlsChanged() override { ++markedChanged; }
  void* OpenEditorWindow(void* parent) override { return parent; }
  void CloseEditorWindow() override {}
  void Idle() override { ++idleCalls; }

  std::map<int, double> shown;
  int surfacesCreated = 0;
  std::vector<std::pair<int, double>> fromHost;
  bool lastWasNormalized = false;
  std::vector<std::pair<int, bool>> greyCalls;
  std::map<int, bool> greyed;
  std::map<int, std::string> texts;
  int textCalls = 0;
  int markedChanged = 0;
  int idleCalls = 0;
};
