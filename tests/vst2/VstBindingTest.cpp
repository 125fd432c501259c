// The binding's calls back to the host, driven in-process.
#include <gtest/gtest.h>

#include <limits>
#include <memory>

#include "FakeEditor.h"
#include "FakeHost.h"
#include "vst2/Tovrane.h"

TEST(VstBinding, TempoAndTimeSignatureFromTheHost) {
  FakeHost host;
  auto plugOwner = std::make_unique<Tovrane>(FakeHost::Callback);
  Tovrane& plug = *plugOwner;
  EXPECT_EQ(plug.HostTempo(), 0.0);
  int num = 7, den = 7;
  plug.HostTimeSignature(&num, &den);
  EXPECT_EQ(num, 0);
  EXPECT_EQ(den, 0);
  EXPECT_EQ(plug.SamplePosition(), 0);

  host.hasTime = true;
  host.time.tempo = 120.0;
  host.time.flags = kVstTempoValid | kVstTimeSigValid;
  host.time.timeSigNumerator = 3;
  host.time.timeSigDenominator = 4;
  host.time.samplePos = 99.5;
  EXPECT_EQ(plug.HostTempo(), 120.0);
  plug.HostTimeSignature(&num, &den);
  EXPECT_EQ(num, 3);
  EXPECT_EQ(den, 4);
  EXPECT_EQ(plug.SamplePosition(), 100);
  host.time.flags = kVstTimeSigValid;
  EXPECT_EQ(plug.HostTempo(), 0.0);

  auto orphanOwner = std::make_unique<Tovrane>();

  Tovrane& orphan = *orphanOwner;  // no host callback at all
  EXPECT_EQ(orphan.HostTempo(), 0.0);
}

TEST(VstBinding, HostTimeTakesOnlyValidFields) {
  FakeHost host;
  auto plugOwner = std::make_unique<Tovrane>(FakeHost::Callback);
  Tovrane& plug = *plugOwner;
  HostTimeInfo info;
  info.tempo = 90.0;
  plug.HostTime(&info);
  EXPECT_EQ(info.tempo, 90.0) << "no record: unchanged";

  host.hasTime = true;
  host.time.flags = kVstTransportPlaying;  // none of the requested validity bits
  host.time.samplePos = 500.0;
  plug.HostTime(&info);
  EXPECT_FALSE(info.playing);
  EXPECT_EQ(info.samplePosition, 0.0);

  host.time.flags = kVstTransportPlaying | kVstTransportCycleActive | kVstPpqPosValid |
                    kVstBarsValid | kVstCyclePosValid;
  host.time.ppqPos = 8.5;
  host.time.barStartPos = 8.0;
  host.time.cycleStartPos = 4.0;
  host.time.cycleEndPos = -1.0;  // invalid: the cycle stays
  host.time.tempo = 140.0;       // not marked valid
  plug.HostTime(&info);
  EXPECT_EQ(info.samplePosition, 500.0);
  EXPECT_EQ(info.quarterNotePosition, 8.5);
  EXPECT_EQ(info.barStartPosition, 8.0);
  EXPECT_EQ(info.cycleStart, 0.0);
  EXPECT_EQ(info.tempo, 90.0);
  EXPECT_TRUE(info.playing);
  EXPECT_TRUE(info.looping);
}

TEST(VstBinding, HostIdentificationAndSetup) {
  FakeHost host;
  host.productString = "Adobe Audition";
  host.vendorVersion = 50301;
  auto plugOwner = std::make_unique<Tovrane>(FakeHost::Callback);
  Tovrane& plug = *plugOwner;
  plug.Effect()->dispatcher(plug.Effect(), effOpen, 0, 0, nullptr, 0.0f);
  EXPECT_EQ(plug.HostId(), 17);
  EXPECT_EQ(plug.HostVersion(), 0x50301);
  EXPECT_EQ(plug.Effect()->numInputs, 2);
  EXPECT_TRUE(plug.IsInputConnected(1));
  EXPECT_EQ(host.Count(audioMasterGetProductString), 1);

  FakeHost silent;
  auto unnamedOwner = std::make_unique<Tovrane>(FakeHost::Callback);
  Tovrane& unnamed = *unnamedOwner;
  EXPECT_EQ(unnamed.HostId(), 0);
  EXPECT_EQ(unnamed.HostVersion(), 0);
  EXPECT_EQ(silent.Count(audioMasterGetVendorVersion), 0);
}

TEST(VstBinding, NotificationsReachTheHost) {
  FakeHost host;
  auto plugOwner = std::make_unique<Tovrane>(FakeHost::Callback);
  Tovrane& plug = *plugOwner;
  plug.SetParameterFromEditor(kWow, 0.25);
  ASSERT_EQ(host.Count(audioMasterAutomate), 1);
  EXPECT_EQ(host.calls.back().index, kWow);
  EXPECT_EQ(host.calls.back().opt, 0.25f);
  EXPECT_EQ(plug.GetParam(kWow)->Value(), 25.0);
  plug.BeginParameterEdit(3);
  plug.EndParameterEdit(3);
  EXPECT_EQ(host.Count(audioMasterBeginEdit), 1);
  EXPECT_EQ(host.Count(audioMasterEndEdit), 1);

  plug.ChangeLatency(1499);
  EXPECT_EQ(plug.Effect()->initialDelay, 1499);
  EXPECT_EQ(plug.Latency(), 1499);
  EXPECT_EQ(host.Count(audioMasterUpdateDisplay), 0) << "told once the changing call has left";
  plug.SendPendingDisplayUpdate();
  plug.SendPendingDisplayUpdate();
  EXPECT_EQ(host.Count(audioMasterUpdateDisplay), 1);

  EXPECT_FALSE(plug.IsOffline());
  host.processLevel = kVstProcessLevelOffline;
  EXPECT_TRUE(plug.IsOffline());

  MidiMessage note{12, 0x90, 60, 100};
  EXPECT_TRUE(plug.SendMidi(&note));
  host.eventsAnswer = 0;
  EXPECT_FALSE(plug.SendMidi(&note));
  const uint8_t bytes[3] = {0xF0, 0x01, 0xF7};
  SysExMessage sysex{0, 3, bytes};
  EXPECT_FALSE(plug.SendSysExMsg(&sysex));
}

TEST(VstBinding, RefusedSampleRatesAndBlockSizes) {
  FakeHost host;
  auto plugOwner = std::make_unique<Tovrane>(FakeHost::Callback);
  Tovrane& plug = *plugOwner;
  AEffect* e = plug.Effect();
  e->dispatcher(e, effSetSampleRate, 0, 0, nullptr, 48000.0f);
  EXPECT_EQ(plug.SampleRate(), 48000.0);
  e->dispatcher(e, effSetSampleRate, 0, 0, nullptr, 0.0f);
  e->dispatcher(e, effSetSampleRate, 0, 0, nullptr, std::numeric_limits<float>::infinity());
  e->dispatcher(e, effSetSampleRate, 0, 0, nullptr, -44100.0f);
  EXPECT_EQ(plug.SampleRate(), 48000.0);
  e->dispatcher(e, effSetBlockSize, 0, 256, nullptr, 0.0f);
  EXPECT_EQ(plug.BlockSize(), 256);
  e->dispatcher(e, effSetBlockSize, 0, -1, nullptr, 0.0f);
  e->dispatcher(e, effSetBlockSize, 0, VstIntPtr{1} << 33, nullptr, 0.0f);
  EXPECT_EQ(plug.BlockSize(), 256);
}

TEST(VstBinding, EditorIdleReachesTheEditor) {
  FakeHost host;
  auto plugOwner = std::make_unique<Tovrane>(FakeHost::Callback);
  AEffect* e = plugOwner->Effect();
  auto* editor = new FakeEditor;  // owned by the plug-in once attached
  plugOwner->AttachEditor(editor);
  EXPECT_EQ(e->dispatcher(e, effEditIdle, 0, 0, nullptr, 0.0f), 0);
  EXPECT_EQ(e->dispatcher(e, effEditIdle, 0, 0, nullptr, 0.0f), 0);
  EXPECT_EQ(editor->idleCalls, 2);
}
