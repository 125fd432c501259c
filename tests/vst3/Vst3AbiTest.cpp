// The VST 3 declarations against what a host compiled elsewhere sees: the
// identifiers' bytes, the records' layout on x86-64, the order of methods in
// the interfaces' tables and the result codes of each platform.
#include "vst3/Vst3Abi.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/support/RecordLayout.h"

using namespace vst3;

namespace {

// ---------------------------------------------------------------------------
// Identifiers

// The bytes of an identifier as a host on this platform holds it, worked out
// from its registry text "XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX" rather than
// from the four words: on Windows the first three groups are stored
// little-endian, as in a COM GUID; elsewhere the text's bytes are in order.
Uid bytesFromText(const std::string& text) {
  std::vector<uint8_t> bytes;
  for (size_t i = 0; i < text.size();) {
    if (text[i] == '-') {
      ++i;
      continue;
    }
    unsigned value = 0;
    std::sscanf(text.substr(i, 2).c_str(), "%2x", &value);
    bytes.push_back(static_cast<uint8_t>(value));
    i += 2;
  }
  EXPECT_EQ(bytes.size(), 16u) << text;
  bytes.resize(16);
  Uid uid{};
  for (size_t i = 0; i < 16; ++i) uid[i] = bytes[i];
  if (kComCompatibleUids) {
    std::swap(uid[0], uid[3]);
    std::swap(uid[1], uid[2]);
    std::swap(uid[4], uid[5]);
    std::swap(uid[6], uid[7]);
  }
  return uid;
}

std::string hex(const Uid& uid) {
  std::string out;
  char digits[3];
  for (uint8_t byte : uid) {
    std::snprintf(digits, sizeof digits, "%02X", byte);
    out += digits;
  }
  return out;
}

struct NamedUid {
  const char* name;
  Uid declared;
  const char* text;  // the four documented words, as registry text
};

const NamedUid kInterfaces[] = {
    {"FUnknown", FUnknown::iid, "00000000-0000-0000-C000-000000000046"},
    {"IPluginBase", IPluginBase::iid, "22888DDB-156E-45AE-8358-B34808190625"},
    {"IPluginFactory", IPluginFactory::iid, "7A4D811C-5211-4A1F-AED9-D2EE0B43BF9F"},
    {"IPluginFactory2", IPluginFactory2::iid, "0007B650-F24B-4C0B-A464-EDB9F00B2ABB"},
    {"IPluginFactory3", IPluginFactory3::iid, "4555A2AB-C123-4E6B-9EA8-A5A81F6C6B8E"},
    {"IBStream", IBStream::iid, "C3BF6EA2-3099-4752-9B6B-F9901EE33E9B"},
    {"IAttributeList", IAttributeList::iid, "1E5F0AEB-CC7F-4533-A254-401138AD5EE4"},
    {"IMessage", IMessage::iid, "936F033B-C6C0-47DB-BB08-82F813C1E613"},
    {"IConnectionPoint", IConnectionPoint::iid, "70A4156F-6E6E-4026-9891-48BFAA60D8D1"},
    {"IComponent", IComponent::iid, "E831FF31-F2D5-4301-928E-BBEE25697802"},
    {"IParamValueQueue", IParamValueQueue::iid, "01263A18-ED07-4F6F-98C9-D3564686F9BA"},
    {"IParameterChanges", IParameterChanges::iid, "A4779663-0BB6-4A56-B443-84A8466FEB9D"},
    {"IEventList", IEventList::iid, "3A2C4214-3463-49FE-B2C4-F397B9695A44"},
    {"IAudioProcessor", IAudioProcessor::iid, "42043F99-B7DA-453C-A569-E79D9AAEC33D"},
    {"IProcessContextRequirements", IProcessContextRequirements::iid,
     "2A654303-EF76-4E3D-95B5-FE83730EF6D0"},
    {"IComponentHandler", IComponentHandler::iid, "93A0BEA3-0BD0-45DB-8E89-0B0CC1E46AC6"},
    {"IEditController", IEditController::iid, "DCD7BBE3-7742-448D-A874-AACC979C759E"},
    {"IEditController2", IEditController2::iid, "7F4EFE59-F320-4967-AC27-A3AEAFB63038"},
    {"IUnitInfo", IUnitInfo::iid, "3D4BD6B5-913A-4FD2-A886-E768A5EB92C1"},
    {"IPlugView", IPlugView::iid, "5BC32507-D060-49EA-A615-1B522B755B29"},
    {"IPlugFrame", IPlugFrame::iid, "367FAF01-AFA9-4693-8D4D-A2A0ED0882A3"},
    {"IPlugViewContentScaleSupport", IPlugViewContentScaleSupport::iid,
     "65ED9690-8AC4-4525-8AAD-EF7A72EA703F"},
    {"IEventHandler", IEventHandler::iid, "561E65C9-13A0-496F-813A-2C35654D7983"},
    {"ITimerHandler", ITimerHandler::iid, "10BDD94F-4142-4774-821F-AD8FECA72CA9"},
    {"IRunLoop", IRunLoop::iid, "18C35366-9776-4F1A-9C5B-83857A871389"},
};

TEST(Vst3Identifiers, EveryInterfaceHasTheBytesOfItsDocumentedIdentifier) {
  for (const NamedUid& entry : kInterfaces) {
    EXPECT_EQ(hex(entry.declared), hex(bytesFromText(entry.text))) << entry.name;
  }
}

TEST(Vst3Identifiers, NoTwoInterfacesShareAnIdentifier) {
  for (size_t a = 0; a < std::size(kInterfaces); ++a) {
    for (size_t b = a + 1; b < std::size(kInterfaces); ++b) {
      EXPECT_NE(kInterfaces[a].declared, kInterfaces[b].declared)
          << kInterfaces[a].name << " and " << kInterfaces[b].name;
    }
  }
}

TEST(Vst3Identifiers, WordsAreLaidOutInThePlatformsByteOrder) {
  const Uid uid = makeUid(0x01020304, 0x05060708, 0x090A0B0C, 0x0D0E0F10);
#if defined(_WIN32)
  const Uid expected{0x04, 0x03, 0x02, 0x01, 0x06, 0x05, 0x08, 0x07,
                     0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 0x0F, 0x10};
#else
  const Uid expected{0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08,
                     0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 0x0F, 0x10};
#endif
  EXPECT_EQ(hex(uid), hex(expected));
  // FUnknown is COM's IUnknown on every platform: its words read the same in
  // either order.
  const Uid iunknown{0, 0, 0, 0, 0, 0, 0, 0, 0xC0, 0, 0, 0, 0, 0, 0, 0x46};
  EXPECT_EQ(hex(FUnknown::iid), hex(iunknown));
}

TEST(Vst3Identifiers, UidEqualsComparesAllSixteenBytes) {
  char bytes[16];
  for (size_t i = 0; i < 16; ++i) bytes[i] = static_cast<char>(IComponent::iid[i]);
  EXPECT_TRUE(uidEquals(bytes, IComponent::iid));
  bytes[15] = static_cast<char>(bytes[15] ^ 1);
  EXPECT_FALSE(uidEquals(bytes, IComponent::iid));
  bytes[15] = static_cast<char>(bytes[15] ^ 1);
  bytes[0] = static_cast<char>(bytes[0] ^ 0x80);
  EXPECT_FALSE(uidEquals(bytes, IComponent::iid));
  EXPECT_FALSE(uidEquals(nullptr, IComponent::iid));
}

// ---------------------------------------------------------------------------
// Result codes

TEST(Vst3Results, CodesAreThoseOfThePlatform) {
#if defined(_WIN32)
  EXPECT_EQ(static_cast<uint32>(kNoInterface), 0x80004002u);
  EXPECT_EQ(kResultOk, 0);
  EXPECT_EQ(kResultTrue, 0);
  EXPECT_EQ(kResultFalse, 1);
  EXPECT_EQ(static_cast<uint32>(kInvalidArgument), 0x80070057u);
  EXPECT_EQ(static_cast<uint32>(kNotImplemented), 0x80004001u);
  EXPECT_EQ(static_cast<uint32>(kInternalError), 0x80004005u);
  EXPECT_EQ(static_cast<uint32>(kNotInitialized), 0x8000FFFFu);
  EXPECT_EQ(static_cast<uint32>(kOutOfMemory), 0x8007000Eu);
#else
  EXPECT_EQ(kNoInterface, -1);
  EXPECT_EQ(kResultOk, 0);
  EXPECT_EQ(kResultTrue, 0);
  EXPECT_EQ(kResultFalse, 1);
  EXPECT_EQ(kInvalidArgument, 2);
  EXPECT_EQ(kNotImplemented, 3);
  EXPECT_EQ(kInternalError, 4);
  EXPECT_EQ(kNotInitialized, 5);
  EXPECT_EQ(kOutOfMemory, 6);
#endif
}

// ---------------------------------------------------------------------------
// Record layout on x86-64

#if defined(__x86_64__) || defined(_M_X64)
#define KESTRAVON_X86_64 1
#endif

#ifdef KESTRAVON_X86_64
static_assert(sizeof(PFactoryInfo) == 452);
static_assert(sizeof(PClassInfo) == 116);
static_assert(sizeof(PClassInfo2) == 440);
static_assert(sizeof(PClassInfoW) == 696);
static_assert(sizeof(BusInfo) == 276);
static_assert(sizeof(RoutingInfo) == 12);
static_assert(sizeof(ProcessSetup) == 24);
static_assert(sizeof(AudioBusBuffers) == 24);
static_assert(sizeof(ProcessData) == 80);
static_assert(sizeof(ParameterInfo) == 792);
static_assert(sizeof(UnitInfo) == 268);
static_assert(sizeof(ProgramListInfo) == 264);
static_assert(sizeof(ViewRect) == 16);
static_assert(sizeof(String128) == 256);
// An interface is its table pointer and nothing else.
static_assert(sizeof(IComponent) == sizeof(void*));
static_assert(sizeof(IAudioProcessor) == sizeof(void*));
static_assert(sizeof(IEditController) == sizeof(void*));
#endif

TEST(Vst3Layout, RecordsHaveTheDocumentedSizesAndOffsetsOnX86_64) {
#ifndef KESTRAVON_X86_64
  GTEST_SKIP() << "the expected layouts are those of x86-64";
#else
  const Field fields[] = {
      FIELD(PFactoryInfo, vendor, 0), FIELD(PFactoryInfo, url, 64),
      FIELD(PFactoryInfo, email, 320), FIELD(PFactoryInfo, flags, 448),
      FIELD(PClassInfo, cid, 0), FIELD(PClassInfo, cardinality, 16),
      FIELD(PClassInfo, category, 20), FIELD(PClassInfo, name, 52),
      FIELD(PClassInfo2, cid, 0), FIELD(PClassInfo2, cardinality, 16),
      FIELD(PClassInfo2, category, 20), FIELD(PClassInfo2, name, 52),
      FIELD(PClassInfo2, classFlags, 116), FIELD(PClassInfo2, subCategories, 120),
      FIELD(PClassInfo2, vendor, 248), FIELD(PClassInfo2, version, 312),
      FIELD(PClassInfo2, sdkVersion, 376),
      FIELD(PClassInfoW, cid, 0), FIELD(PClassInfoW, cardinality, 16),
      FIELD(PClassInfoW, category, 20), FIELD(PClassInfoW, name, 52),
      FIELD(PClassInfoW, classFlags, 180), FIELD(PClassInfoW, subCategories, 184),
      FIELD(PClassInfoW, vendor, 312), FIELD(PClassInfoW, version, 440),
      FIELD(PClassInfoW, sdkVersion, 568),
      FIELD(BusInfo, mediaType, 0), FIELD(BusInfo, direction, 4),
      FIELD(BusInfo, channelCount, 8), FIELD(BusInfo, name, 12),
      FIELD(BusInfo, busType, 268), FIELD(BusInfo, flags, 272),
      FIELD(RoutingInfo, mediaType, 0), FIELD(RoutingInfo, busIndex, 4),
      FIELD(RoutingInfo, channel, 8),
      FIELD(ProcessSetup, processMode, 0), FIELD(ProcessSetup, symbolicSampleSize, 4),
      FIELD(ProcessSetup, maxSamplesPerBlock, 8), FIELD(ProcessSetup, sampleRate, 16),
      FIELD(AudioBusBuffers, numChannels, 0), FIELD(AudioBusBuffers, silenceFlags, 8),
      FIELD(AudioBusBuffers, channelBuffers32, 16), FIELD(AudioBusBuffers, channelBuffers64, 16),
      FIELD(ProcessData, processMode, 0), FIELD(ProcessData, symbolicSampleSize, 4),
      FIELD(ProcessData, numSamples, 8), FIELD(ProcessData, numInputs, 12),
      FIELD(ProcessData, numOutputs, 16), FIELD(ProcessData, inputs, 24),
      FIELD(ProcessData, outputs, 32), FIELD(ProcessData, inputParameterChanges, 40),
      FIELD(ProcessData, outputParameterChanges, 48), FIELD(ProcessData, inputEvents, 56),
      FIELD(ProcessData, outputEvents, 64), FIELD(ProcessData, processContext, 72),
      FIELD(ParameterInfo, id, 0), FIELD(ParameterInfo, title, 4),
      FIELD(ParameterInfo, shortTitle, 260), FIELD(ParameterInfo, units, 516),
      FIELD(ParameterInfo, stepCount, 772), FIELD(ParameterInfo, defaultNormalizedValue, 776),
      FIELD(ParameterInfo, unitId, 784), FIELD(ParameterInfo, flags, 788),
      FIELD(UnitInfo, id, 0), FIELD(UnitInfo, parentUnitId, 4),
      FIELD(UnitInfo, name, 8), FIELD(UnitInfo, programListId, 264),
      FIELD(ProgramListInfo, id, 0), FIELD(ProgramListInfo, name, 4),
      FIELD(ProgramListInfo, programCount, 260),
      FIELD(ViewRect, left, 0), FIELD(ViewRect, top, 4),
      FIELD(ViewRect, right, 8), FIELD(ViewRect, bottom, 12),
  };
  expectOffsets(fields);
  EXPECT_EQ(sizeof(PFactoryInfo), 452u);
  EXPECT_EQ(sizeof(PClassInfo), 116u);
  EXPECT_EQ(sizeof(PClassInfo2), 440u);
  EXPECT_EQ(sizeof(PClassInfoW), 696u);
  EXPECT_EQ(sizeof(BusInfo), 276u);
  EXPECT_EQ(sizeof(ProcessData), 80u);
  EXPECT_EQ(sizeof(ParameterInfo), 792u);
#endif
}

TEST(Vst3Constants, FlagsAndNamesHaveTheirDocumentedValues) {
  EXPECT_EQ(ParameterInfo::kCanAutomate, 1);
  EXPECT_EQ(ParameterInfo::kIsReadOnly, 2);
  EXPECT_EQ(ParameterInfo::kIsList, 8);
  EXPECT_EQ(ParameterInfo::kIsProgramChange, 1 << 15);
  EXPECT_EQ(ParameterInfo::kIsBypass, 1 << 16);
  EXPECT_EQ(kLatencyChanged, 8);
  EXPECT_EQ(kParamValuesChanged, 4);
  EXPECT_EQ(PFactoryInfo::kUnicode, 16);
  EXPECT_EQ(PClassInfo::kManyInstances, 0x7FFFFFFF);
  EXPECT_EQ(SpeakerArr::kStereo, 3u);
  EXPECT_STREQ(kVstAudioEffectClass, "Audio Module Class");
  EXPECT_STREQ(kPlatformTypeX11EmbedWindowID, "X11EmbedWindowID");
  EXPECT_STREQ(kPlatformTypeHWND, "HWND");
}

// ---------------------------------------------------------------------------
// Method order: a host calls slot N of the table. Each test object records
// which method a slot reached; the calls go through the raw table, with the
// object as the first argument, as a host built from other declarations does.

#ifdef KESTRAVON_X86_64
template <typename Ret, typename... Args>
Ret callSlot(void* object, size_t slot, Args... args) {
  using Method = Ret(KESTRAVON_VST3_CALL*)(void*, Args...);
  void** table = *static_cast<void***>(object);
  return reinterpret_cast<Method>(table[slot])(object, args...);
}

#define RECORD(name) \
  last = #name;      \
  return {}

struct ComponentRecorder final : IComponent {
  std::string last;
  tresult KESTRAVON_VST3_CALL queryInterface(const TUID, void**) override { RECORD(queryInterface); }
  uint32 KESTRAVON_VST3_CALL addRef() override { RECORD(addRef); }
  uint32 KESTRAVON_VST3_CALL release() override { RECORD(release); }
  tresult KESTRAVON_VST3_CALL initialize(FUnknown*) override { RECORD(initialize); }
  tresult KESTRAVON_VST3_CALL terminate() override { RECORD(terminate); }
  tresult KESTRAVON_VST3_CALL getControllerClassId(TUID) override { RECORD(getControllerClassId); }
  tresult KESTRAVON_VST3_CALL setIoMode(IoMode) override { RECORD(setIoMode); }
  int32 KESTRAVON_VST3_CALL getBusCount(MediaType, BusDirection) override { RECORD(getBusCount); }
  tresult KESTRAVON_VST3_CALL getBusInfo(MediaType, BusDirection, int32, BusInfo&) override {
    RECORD(getBusInfo);
  }
  tresult KESTRAVON_VST3_CALL getRoutingInfo(RoutingInfo&, RoutingInfo&) override { RECORD(getRoutingInfo); }
  tresult KESTRAVON_VST3_CALL activateBus(MediaType, BusDirection, int32, TBool) override {
    RECORD(activateBus);
  }
  tresult KESTRAVON_VST3_CALL setActive(TBool) override { RECORD(setActive); }
  tresult KESTRAVON_VST3_CALL setState(IBStream*) override { RECORD(setState); }
  tresult KESTRAVON_VST3_CALL getState(IBStream*) override { RECORD(getState); }
};

struct ProcessorRecorder final : IAudioProcessor {
  std::string last;
  tresult KESTRAVON_VST3_CALL queryInterface(const TUID, void**) override { RECORD(queryInterface); }
  uint32 KESTRAVON_VST3_CALL addRef() override { RECORD(addRef); }
  uint32 KESTRAVON_VST3_CALL release() override { RECORD(release); }
  tresult KESTRAVON_VST3_CALL setBusArrangements(SpeakerArrangement*, int32, SpeakerArrangement*,
                                                 int32) override {
    RECORD(setBusArrangements);
  }
  tresult KESTRAVON_VST3_CALL getBusArrangement(BusDirection, int32, SpeakerArrangement&) override {
    RECORD(getBusArrangement);
  }
  tresult KESTRAVON_VST3_CALL canProcessSampleSize(int32) override { RECORD(canProcessSampleSize); }
  uint32 KESTRAVON_VST3_CALL getLatencySamples() override { RECORD(getLatencySamples); }
  tresult KESTRAVON_VST3_CALL setupProcessing(ProcessSetup&) override { RECORD(setupProcessing); }
  tresult KESTRAVON_VST3_CALL setProcessing(TBool) override { RECORD(setProcessing); }
  tresult KESTRAVON_VST3_CALL process(ProcessData&) override { RECORD(process); }
  uint32 KESTRAVON_VST3_CALL getTailSamples() override { RECORD(getTailSamples); }
};

struct ControllerRecorder final : IEditController {
  std::string last;
  tresult KESTRAVON_VST3_CALL queryInterface(const TUID, void**) override { RECORD(queryInterface); }
  uint32 KESTRAVON_VST3_CALL addRef() override { RECORD(addRef); }
  uint32 KESTRAVON_VST3_CALL release() override { RECORD(release); }
  tresult KESTRAVON_VST3_CALL initialize(FUnknown*) override { RECORD(initialize); }
  tresult KESTRAVON_VST3_CALL terminate() override { RECORD(terminate); }
  tresult KESTRAVON_VST3_CALL setComponentState(IBStream*) override { RECORD(setComponentState); }
  tresult KESTRAVON_VST3_CALL setState(IBStream*) override { RECORD(setState); }
  tresult KESTRAVON_VST3_CALL getState(IBStream*) override { RECORD(getState); }
  int32 KESTRAVON_VST3_CALL getParameterCount() override { RECORD(getParameterCount); }
  tresult KESTRAVON_VST3_CALL getParameterInfo(int32, ParameterInfo&) override { RECORD(getParameterInfo); }
  tresult KESTRAVON_VST3_CALL getParamStringByValue(ParamID, ParamValue, String128) override {
    RECORD(getParamStringByValue);
  }
  tresult KESTRAVON_VST3_CALL getParamValueByString(ParamID, TChar*, ParamValue&) override {
    RECORD(getParamValueByString);
  }
  ParamValue KESTRAVON_VST3_CALL normalizedParamToPlain(ParamID, ParamValue) override {
    RECORD(normalizedParamToPlain);
  }
  ParamValue KESTRAVON_VST3_CALL plainParamToNormalized(ParamID, ParamValue) override {
    RECORD(plainParamToNormalized);
  }
  ParamValue KESTRAVON_VST3_CALL getParamNormalized(ParamID) override { RECORD(getParamNormalized); }
  tresult KESTRAVON_VST3_CALL setParamNormalized(ParamID, ParamValue) override { RECORD(setParamNormalized); }
  tresult KESTRAVON_VST3_CALL setComponentHandler(IComponentHandler*) override { RECORD(setComponentHandler); }
  IPlugView* KESTRAVON_VST3_CALL createView(FIDString) override { RECORD(createView); }
};

struct FactoryRecorder final : IPluginFactory3 {
  std::string last;
  tresult KESTRAVON_VST3_CALL queryInterface(const TUID, void**) override { RECORD(queryInterface); }
  uint32 KESTRAVON_VST3_CALL addRef() override { RECORD(addRef); }
  uint32 KESTRAVON_VST3_CALL release() override { RECORD(release); }
  tresult KESTRAVON_VST3_CALL getFactoryInfo(PFactoryInfo*) override { RECORD(getFactoryInfo); }
  int32 KESTRAVON_VST3_CALL countClasses() override { RECORD(countClasses); }
  tresult KESTRAVON_VST3_CALL getClassInfo(int32, PClassInfo*) override { RECORD(getClassInfo); }
  tresult KESTRAVON_VST3_CALL createInstance(FIDString, FIDString, void**) override { RECORD(createInstance); }
  tresult KESTRAVON_VST3_CALL getClassInfo2(int32, PClassInfo2*) override { RECORD(getClassInfo2); }
  tresult KESTRAVON_VST3_CALL getClassInfoUnicode(int32, PClassInfoW*) override {
    RECORD(getClassInfoUnicode);
  }
  tresult KESTRAVON_VST3_CALL setHostContext(FUnknown*) override { RECORD(setHostContext); }
};

// One host-side call: the slot, the method the documentation puts there, and
// a call through the table with that method's argument types.
template <typename Recorder>
struct SlotCall {
  size_t slot;
  const char* method;
  void (*call)(Recorder&, size_t slot);
};

template <typename Recorder, size_t N>
void expectSlots(const SlotCall<Recorder> (&calls)[N]) {
  for (const auto& entry : calls) {
    Recorder recorder;
    entry.call(recorder, entry.slot);
    EXPECT_EQ(recorder.last, entry.method) << "slot " << entry.slot;
  }
}

// The first three slots of every table.
#define UNKNOWN_SLOTS(R)                                                                      \
  {0, "queryInterface", [](R& r, size_t s) { callSlot<tresult>(&r, s, (const char*)nullptr, (void**)nullptr); }}, \
  {1, "addRef", [](R& r, size_t s) { callSlot<uint32>(&r, s); }},                           \
  {2, "release", [](R& r, size_t s) { callSlot<uint32>(&r, s); }}

TEST(Vst3MethodOrder, ComponentTableIsInTheDocumentedOrder) {
  using R = ComponentRecorder;
  const SlotCall<R> calls[] = {
      UNKNOWN_SLOTS(R),
      {3, "initialize", [](R& r, size_t s) { callSlot<tresult>(&r, s, (FUnknown*)nullptr); }},
      {4, "terminate", [](R& r, size_t s) { callSlot<tresult>(&r, s); }},
      {5, "getControllerClassId", [](R& r, size_t s) { callSlot<tresult>(&r, s, (char*)nullptr); }},
      {6, "setIoMode", [](R& r, size_t s) { callSlot<tresult>(&r, s, int32{0}); }},
      {7, "getBusCount", [](R& r, size_t s) { callSlot<int32>(&r, s, int32{0}, int32{0}); }},
      {8, "getBusInfo",
       [](R& r, size_t s) { callSlot<tresult>(&r, s, int32{0}, int32{0}, int32{0}, (BusInfo*)nullptr); }},
      {9, "getRoutingInfo",
       [](R& r, size_t s) { callSlot<tresult>(&r, s, (RoutingInfo*)nullptr, (RoutingInfo*)nullptr); }},
      {10, "activateBus",
       [](R& r, size_t s) { callSlot<tresult>(&r, s, int32{0}, int32{0}, int32{0}, TBool{0}); }},
      {11, "setActive", [](R& r, size_t s) { callSlot<tresult>(&r, s, TBool{0}); }},
      {12, "setState", [](R& r, size_t s) { callSlot<tresult>(&r, s, (IBStream*)nullptr); }},
      {13, "getState", [](R& r, size_t s) { callSlot<tresult>(&r, s, (IBStream*)nullptr); }},
  };
  expectSlots(calls);
}

TEST(Vst3MethodOrder, AudioProcessorTableIsInTheDocumentedOrder) {
  using R = ProcessorRecorder;
  const SlotCall<R> calls[] = {
      UNKNOWN_SLOTS(R),
      {3, "setBusArrangements",
       [](R& r, size_t s) {
         callSlot<tresult>(&r, s, (SpeakerArrangement*)nullptr, int32{0}, (SpeakerArrangement*)nullptr,
                           int32{0});
       }},
      {4, "getBusArrangement",
       [](R& r, size_t s) { callSlot<tresult>(&r, s, int32{0}, int32{0}, (SpeakerArrangement*)nullptr); }},
      {5, "canProcessSampleSize", [](R& r, size_t s) { callSlot<tresult>(&r, s, int32{0}); }},
      {6, "getLatencySamples", [](R& r, size_t s) { callSlot<uint32>(&r, s); }},
      {7, "setupProcessing", [](R& r, size_t s) { callSlot<tresult>(&r, s, (ProcessSetup*)nullptr); }},
      {8, "setProcessing", [](R& r, size_t s) { callSlot<tresult>(&r, s, TBool{0}); }},
      {9, "process", [](R& r, size_t s) { callSlot<tresult>(&r, s, (ProcessData*)nullptr); }},
      {10, "getTailSamples", [](R& r, size_t s) { callSlot<uint32>(&r, s); }},
  };
  expectSlots(calls);
}

TEST(Vst3MethodOrder, EditControllerTableIsInTheDocumentedOrder) {
  using R = ControllerRecorder;
  const SlotCall<R> calls[] = {
      UNKNOWN_SLOTS(R),
      {3, "initialize", [](R& r, size_t s) { callSlot<tresult>(&r, s, (FUnknown*)nullptr); }},
      {4, "terminate", [](R& r, size_t s) { callSlot<tresult>(&r, s); }},
      {5, "setComponentState", [](R& r, size_t s) { callSlot<tresult>(&r, s, (IBStream*)nullptr); }},
      {6, "setState", [](R& r, size_t s) { callSlot<tresult>(&r, s, (IBStream*)nullptr); }},
      {7, "getState", [](R& r, size_t s) { callSlot<tresult>(&r, s, (IBStream*)nullptr); }},
      {8, "getParameterCount", [](R& r, size_t s) { callSlot<int32>(&r, s); }},
      {9, "getParameterInfo",
       [](R& r, size_t s) { callSlot<tresult>(&r, s, int32{0}, (ParameterInfo*)nullptr); }},
      {10, "getParamStringByValue",
       [](R& r, size_t s) { callSlot<tresult>(&r, s, ParamID{0}, ParamValue{0}, (TChar*)nullptr); }},
      {11, "getParamValueByString",
       [](R& r, size_t s) { callSlot<tresult>(&r, s, ParamID{0}, (TChar*)nullptr, (ParamValue*)nullptr); }},
      {12, "normalizedParamToPlain",
       [](R& r, size_t s) { callSlot<ParamValue>(&r, s, ParamID{0}, ParamValue{0}); }},
      {13, "plainParamToNormalized",
       [](R& r, size_t s) { callSlot<ParamValue>(&r, s, ParamID{0}, ParamValue{0}); }},
      {14, "getParamNormalized", [](R& r, size_t s) { callSlot<ParamValue>(&r, s, ParamID{0}); }},
      {15, "setParamNormalized",
       [](R& r, size_t s) { callSlot<tresult>(&r, s, ParamID{0}, ParamValue{0}); }},
      {16, "setComponentHandler",
       [](R& r, size_t s) { callSlot<tresult>(&r, s, (IComponentHandler*)nullptr); }},
      {17, "createView", [](R& r, size_t s) { callSlot<IPlugView*>(&r, s, (const char*)nullptr); }},
  };
  expectSlots(calls);
}

TEST(Vst3MethodOrder, FactoryTableIsInTheDocumentedOrder) {
  using R = FactoryRecorder;
  const SlotCall<R> calls[] = {
      UNKNOWN_SLOTS(R),
      {3, "getFactoryInfo", [](R& r, size_t s) { callSlot<tresult>(&r, s, (PFactoryInfo*)nullptr); }},
      {4, "countClasses", [](R& r, size_t s) { callSlot<int32>(&r, s); }},
      {5, "getClassInfo", [](R& r, size_t s) { callSlot<tresult>(&r, s, int32{0}, (PClassInfo*)nullptr); }},
      {6, "createInstance",
       [](R& r, size_t s) {
         callSlot<tresult>(&r, s, (const char*)nullptr, (const char*)nullptr, (void**)nullptr);
       }},
      {7, "getClassInfo2", [](R& r, size_t s) { callSlot<tresult>(&r, s, int32{0}, (PClassInfo2*)nullptr); }},
      {8, "getClassInfoUnicode",
       [](R& r, size_t s) { callSlot<tresult>(&r, s, int32{0}, (PClassInfoW*)nullptr); }},
      {9, "setHostContext", [](R& r, size_t s) { callSlot<tresult>(&r, s, (FUnknown*)nullptr); }},
  };
  expectSlots(calls);
}
#endif

}  // namespace
