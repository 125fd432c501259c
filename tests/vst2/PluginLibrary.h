// The built plug-in library, loaded once per test program and driven through
// its effect record only, as a host does.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "FakeHost.h"
#include "SharedLibrary.h"

class PluginLibrary : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    library = OpenSharedLibrary(KESTRAVON_PLUGIN_PATH);
    ASSERT_NE(library, nullptr) << LastLoadError();
    entry = reinterpret_cast<VstPluginMainProc>(FindLibrarySymbol(library, "VSTPluginMain"));
    mainEntry = reinterpret_cast<VstPluginMainProc>(FindLibrarySymbol(library, "main"));
  }
  static void TearDownTestSuite() {
    CloseSharedLibrary(library);
    library = nullptr;
  }

  void SetUp() override {
    ASSERT_NE(entry, nullptr);
    effect = entry(FakeHost::Callback);
    ASSERT_NE(effect, nullptr);
  }
  void TearDown() override {
    if (effect) Dispatch(effClose);
  }

  VstIntPtr Dispatch(int32_t opcode, int32_t index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                     float opt = 0.0f) {
    return effect->dispatcher(effect, opcode, index, value, ptr, opt);
  }
  std::string Text(int32_t opcode, int32_t index = 0) {
    char text[256];
    std::memset(text, 'z', sizeof text);
    text[255] = '\0';
    Dispatch(opcode, index, 0, text);
    return text;
  }
  std::vector<uint8_t> Chunk(bool bank) {
    void* data = nullptr;
    const VstIntPtr size = Dispatch(effGetChunk, bank ? 0 : 1, 0, &data);
    if (size <= 0 || !data) return {};
    const auto* bytes = static_cast<const uint8_t*>(data);
    return std::vector<uint8_t>(bytes, bytes + size);
  }

  static inline void* library = nullptr;
  static inline VstPluginMainProc entry = nullptr;
  static inline VstPluginMainProc mainEntry = nullptr;
  FakeHost host;
  AEffect* effect = nullptr;
};

