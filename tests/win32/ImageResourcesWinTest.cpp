// The editor images as "PNG" resources of the module (the test program
// carries the product's images plus the short ones of TestResources.rc).
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "core/ModuleHandle.h"
#include "raster/ImageResources.h"
#include "raster/LoadPlatformBitmap.h"
#include "raster/Win32Api.h"

namespace {

constexpr unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

}  // namespace

TEST(ImageResourcesWin, FindsPngResourcesByNumberAndKeepsTheAnswer) {
  const EmbeddedResource* knob = FindImageResource(101);
  ASSERT_NE(knob, nullptr);
  EXPECT_EQ(knob->id, 101);
  ASSERT_GT(knob->Size(), 8u);
  EXPECT_EQ(std::memcmp(knob->Bytes(), kSignature, 8), 0);
  EXPECT_EQ(FindImageResource(101), knob) << "the same record every time";
  for (int id : {102, 103, 104, 105, 106, 107, 108, 120, 121, 122, 123}) {
    EXPECT_NE(FindImageResource(id), nullptr) << id;
  }
}

TEST(ImageResourcesWin, IdsTheModuleLacksOrCannotNameAreNothing) {
  EXPECT_EQ(FindImageResource(999), nullptr);
  EXPECT_EQ(FindImageResource(999), nullptr) << "a miss stays a miss";
  EXPECT_EQ(FindImageResource(0), nullptr);
  EXPECT_EQ(FindImageResource(-101), nullptr);
  EXPECT_EQ(FindImageResource(65536 + 101), nullptr) << "must not alias id 101";
  EXPECT_EQ(FindImageResource(910), nullptr) << "another resource type with that id";
}

TEST(ImageResourcesWin, NothingIsFoundWithoutTheLibrarysHandle) {
  void* module = ThisModule();
  SetThisModule(nullptr);
  EXPECT_EQ(FindImageResource(102), nullptr);
  SetThisModule(module);
  EXPECT_NE(FindImageResource(102), nullptr) << "the miss without a handle was not kept";
}

TEST(ImageResourcesWin, LoadPlatformBitmapDecodesResources) {
  std::unique_ptr<LICE_IBitmap> knob(LoadPlatformBitmap(101, "resources/img/knob.PNG"));
  ASSERT_NE(knob, nullptr);
  EXPECT_EQ(knob->Width(), 64);
  EXPECT_EQ(knob->Height(), 6464);
  EXPECT_EQ(LoadPlatformBitmap(101, "resources/img/knob.bmp"), nullptr);
  EXPECT_EQ(LoadPlatformBitmap(901, "signature.png"), nullptr) << "8 bytes: the signature only";
  EXPECT_EQ(LoadPlatformBitmap(902, "short.png"), nullptr) << "7 bytes";
  ASSERT_NE(FindImageResource(901), nullptr);
  EXPECT_EQ(FindImageResource(901)->Size(), 8u);
}
