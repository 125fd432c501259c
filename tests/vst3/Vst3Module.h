// The built VST 3 module, loaded once per test program from its bundle and
// entered as a host does; each test gets the factory and must give it back.
#pragma once
#include <gtest/gtest.h>

#include "SharedLibrary.h"
#include "vst3/Vst3Abi.h"

using ModuleEntryProc = bool (*)(void*);
using ModuleExitProc = bool (*)();

class Vst3Module : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    library = OpenSharedLibrary(KESTRAVON_VST3_MODULE_PATH);
    ASSERT_NE(library, nullptr) << LastLoadError();
    entry = reinterpret_cast<ModuleEntryProc>(FindLibrarySymbol(library, "ModuleEntry"));
    exit = reinterpret_cast<ModuleExitProc>(FindLibrarySymbol(library, "ModuleExit"));
    getFactory = reinterpret_cast<vst3::GetFactoryProc>(FindLibrarySymbol(library, "GetPluginFactory"));
  }
  static void TearDownTestSuite() {
    CloseSharedLibrary(library);
    library = nullptr;
  }

  void SetUp() override {
    ASSERT_NE(entry, nullptr);
    ASSERT_NE(exit, nullptr);
    ASSERT_NE(getFactory, nullptr);
    ASSERT_TRUE(entry(library));
    factory = getFactory();
    ASSERT_NE(factory, nullptr);
  }
  void TearDown() override {
    if (factory != nullptr) {
      EXPECT_EQ(factory->release(), 0u) << "a reference was left behind";
    }
    EXPECT_TRUE(exit());
  }

  // The factory as one of its later revisions, or null; the caller releases it.
  template <typename Interface>
  Interface* Query() {
    void* obj = nullptr;
    if (factory->queryInterface(reinterpret_cast<const char*>(Interface::iid.data()), &obj) !=
        vst3::kResultOk) {
      return nullptr;
    }
    return static_cast<Interface*>(obj);
  }

  static inline void* library = nullptr;
  static inline ModuleEntryProc entry = nullptr;
  static inline ModuleExitProc exit = nullptr;
  static inline vst3::GetFactoryProc getFactory = nullptr;
  vst3::IPluginFactory* factory = nullptr;
};
