#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "vst2/Tovrane.h"

TEST(TovraneIdentity, NamesCodesAndChannels) {
  auto plugOwner = std::make_unique<Tovrane>();
  Tovrane& plug = *plugOwner;
  EXPECT_STREQ(plug.EffectName(), "Kestravon");
  EXPECT_STREQ(plug.ProductName(), "");
  EXPECT_STREQ(plug.VendorName(), "Ostrelle");
  EXPECT_EQ(plug.Version(), 0x10000);
  EXPECT_EQ(plug.UniqueId(), 0x546F7672);  // 'Tovr'
  EXPECT_EQ(plug.MakerId(), 0x4F73746C);   // 'Ostl'
  EXPECT_EQ(plug.Latency(), 1378);
  EXPECT_EQ(plug.NParams(), 26);
  EXPECT_EQ(plug.NPresets(), 16);
  EXPECT_EQ(plug.NInputs(), 2);
  EXPECT_EQ(plug.NOutputs(), 2);
  EXPECT_TRUE(plug.LegalIO(1, 1));
  EXPECT_TRUE(plug.LegalIO(2, 2));
  EXPECT_FALSE(plug.DoesChunks());
  EXPECT_FALSE(plug.DoesMidi());
  EXPECT_EQ(plug.HostId(), 0);  // no host to ask: not recognised
}

namespace {
struct Row {
  int index;
  const char* name;
  ParamKind kind;
  double defaultValue;
  double maxValue;
};

// min is 0 for every parameter.
constexpr Row kTable[] = {
    {0, "Input Gain", KindDouble, 50, 100},
    {1, "Profile", KindInt, 0, 3},
    {2, "Noise amp", KindDouble, 0, 100},
    {3, "Noise dynamic", KindDouble, 0, 100},
    {4, "Wow", KindDouble, 0, 100},
    {5, "Scratch", KindDouble, 0, 100},
    {6, "Harmonics", KindDouble, 0, 100},
    {7, "Tube drive", KindDouble, 0, 100},
    {8, "LF boost", KindDouble, 0, 100},
    {9, "HF boost", KindDouble, 0, 100},
    {10, "Age", KindDouble, 0, 100},
    {11, "Wide", KindDouble, 20, 100},
    {12, "Noise type", KindInt, 0, 4},
    {13, "Output Gain", KindDouble, 50, 100},
    {14, "", KindInt, 1, 1},
    {15, "", KindInt, 0, 1},
    {16, "", KindDouble, 0, 1},
    {17, "", KindDouble, 0, 1},
    {18, "Power", KindInt, 0, 1},
    {19, "Quad mix", KindDouble, 0, 100},
    {20, "Quad delay", KindDouble, 50, 100},
    {21, "Speed", KindDouble, 100, 100},
    {22, "", KindNone, 0, 1},
    {23, "", KindNone, 0, 1},
    {24, "AB", KindInt, 0, 1},
    {25, "", KindNone, 0, 1},
};
}  // namespace

TEST(TovraneParams, MatchTheProductTable) {
  auto plugOwner = std::make_unique<Tovrane>();
  Tovrane& plug = *plugOwner;
  for (const Row& row : kTable) {
    SCOPED_TRACE(row.index);
    const PlugParam* param = plug.GetParam(row.index);
    ASSERT_NE(param, nullptr);
    EXPECT_STREQ(param->Name(), row.name);
    EXPECT_EQ(param->Kind(), row.kind);
    EXPECT_EQ(param->Default(), row.defaultValue);
    EXPECT_EQ(param->Value(), row.defaultValue);
    EXPECT_EQ(param->Min(), 0.0);
    EXPECT_EQ(param->Max(), row.maxValue);
    EXPECT_EQ(param->Shape(), 1.0);
    EXPECT_STREQ(param->Group(), "");
    EXPECT_EQ(param->DisplayTextCount(), 0);
    if (row.kind == KindDouble) {
      EXPECT_STREQ(param->Label(), "%");
      EXPECT_EQ(param->Step(), 0.01);
      EXPECT_EQ(param->DisplayPrecision(), 2);
    } else {
      EXPECT_STREQ(param->Label(), "");
      EXPECT_EQ(param->Step(), 1.0);
      EXPECT_EQ(param->DisplayPrecision(), 0);
    }
  }
}

TEST(TovraneParams, HostFacingBehaviour) {
  auto plugOwner = std::make_unique<Tovrane>();
  Tovrane& plug = *plugOwner;
  PlugParam* profile = plug.GetParam(kProfile);
  profile->SetFromNormalized(0.5);
  EXPECT_EQ(profile->Value(), 2.0);
  PlugParam* wide = plug.GetParam(kWide);
  EXPECT_EQ(wide->ToNormalized(), 0.2);
  char text[32];
  wide->FormatValue(wide->Value(), false, text, sizeof text, true);
  EXPECT_STREQ(text, "20.00");
  EXPECT_STREQ(wide->UnitLabel(), "%");
}
