// The module's entry points, as the dynamic loader and a host see them.
#include <set>
#include <string>

#include "ElfExports.h"
#include "Vst3Module.h"

TEST(Vst3Exports, TheModuleExportsExactlyItsThreeEntryPoints) {
  const std::set<std::string> expected{"GetPluginFactory", "ModuleEntry", "ModuleExit"};
  EXPECT_EQ(ElfExports::Read(KESTRAVON_VST3_MODULE_PATH), expected);
}

TEST(Vst3Exports, TheReaderFindsTheExportsOfALibraryItKnows) {
  // The reader itself, on the VST 2 library's two entry points, so that an
  // empty answer above cannot pass for a broken reader.
  const std::set<std::string> vst2{"VSTPluginMain", "main"};
  EXPECT_EQ(ElfExports::Read(KESTRAVON_VST2_MODULE_PATH), vst2);
  EXPECT_TRUE(ElfExports::Read("/nonexistent").empty());
}

TEST_F(Vst3Module, EntriesNestAndAnExitWithoutAnEntryIsRefused) {
  // The fixture has entered once.
  EXPECT_TRUE(entry(library));
  EXPECT_TRUE(exit());
  EXPECT_TRUE(exit());
  EXPECT_FALSE(exit()) << "more exits than entries";
  EXPECT_FALSE(exit());
  // An entry after refused exits counts from zero again.
  EXPECT_TRUE(entry(library));
}

TEST_F(Vst3Module, TheFactoryWorksAfterTheModuleWasLeftAndEnteredAgain) {
  EXPECT_TRUE(exit());
  EXPECT_TRUE(entry(nullptr));
  vst3::PFactoryInfo info{};
  EXPECT_EQ(factory->getFactoryInfo(&info), vst3::kResultOk);
  EXPECT_STREQ(info.vendor, "Ostrelle");
}

TEST_F(Vst3Module, EveryCallForTheFactoryGivesTheSameObjectWithOneMoreReference) {
  vst3::IPluginFactory* again = getFactory();
  EXPECT_EQ(again, factory);
  EXPECT_EQ(again->release(), 1u);
}
