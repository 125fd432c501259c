#pragma once
// Our declarations of the VST 3 binary interface between a host and a
// plug-in: the interfaces, records, identifiers and constants this plug-in
// and its tests use. Only the layout matters to the host: the order of each
// interface's methods (its vtable), the calling convention, the records'
// sizes and offsets and the identifiers' bytes. The tests check each one.
//
// The facts come from the public VST 3 documentation:
//   https://steinbergmedia.github.io/vst3_dev_portal/pages/Technical+Documentation/VST+Module+Architecture/Index.html
//     (FUnknown, COM-like interfaces, identifiers, result codes)
//   https://steinbergmedia.github.io/vst3_doc/base/  (FUnknown, FUID, IPluginBase,
//     IPluginFactory/2/3 and their records, IBStream, IPlugView, IPlugFrame,
//     the Linux run loop interfaces, IPlugViewContentScaleSupport)
//   https://steinbergmedia.github.io/vst3_doc/vstinterfaces/  (IComponent,
//     IAudioProcessor, IEditController/2, IComponentHandler, IConnectionPoint,
//     IMessage, IAttributeList, IParameterChanges, IParamValueQueue, IEventList,
//     IUnitInfo, IProcessContextRequirements, their records and constants)
//
// Interfaces are abstract classes with no data and no virtual destructor, so
// that the object's first word points at a table holding exactly the
// documented methods in order, as a host built with any compiler expects.
#include <array>
#include <cstddef>
#include <cstdint>

// The documented calling convention of every interface method and entry
// point: __stdcall on Windows, the platform's default elsewhere. It changes
// nothing on 64-bit Windows, where there is one convention, and matters only
// for a 32-bit Windows build.
#if defined(_WIN32)
#define KESTRAVON_VST3_CALL __stdcall
#else
#define KESTRAVON_VST3_CALL
#endif

namespace vst3 {

using int8 = int8_t;
using uint8 = uint8_t;
using int16 = int16_t;
using uint16 = uint16_t;
using int32 = int32_t;
using uint32 = uint32_t;
using int64 = int64_t;
using uint64 = uint64_t;
using char8 = char;
using char16 = char16_t;
using TChar = char16;
using String128 = TChar[128];
using CString = const char8*;
using FIDString = const char8*;
using TBool = uint8;
using tresult = int32;

// A class or interface identifier: 16 bytes, passed by pointer.
using TUID = char[16];
using Uid = std::array<uint8_t, 16>;

// Identifiers are written in the documentation as four 32-bit words. On
// Windows the bytes follow the COM GUID layout, so that a VST 3 identifier
// is the GUID with the same text (the first word and the two halves of the
// second are stored little-endian); elsewhere each word is stored
// most significant byte first.
#if defined(_WIN32)
inline constexpr bool kComCompatibleUids = true;
#else
inline constexpr bool kComCompatibleUids = false;
#endif

constexpr Uid makeUid(uint32 l1, uint32 l2, uint32 l3, uint32 l4) {
  auto byte = [](uint32 word, int shift) { return static_cast<uint8_t>((word >> shift) & 0xFFu); };
  if constexpr (kComCompatibleUids) {
    return Uid{byte(l1, 0),  byte(l1, 8),  byte(l1, 16), byte(l1, 24),
               byte(l2, 16), byte(l2, 24), byte(l2, 0),  byte(l2, 8),
               byte(l3, 24), byte(l3, 16), byte(l3, 8),  byte(l3, 0),
               byte(l4, 24), byte(l4, 16), byte(l4, 8),  byte(l4, 0)};
  } else {
    return Uid{byte(l1, 24), byte(l1, 16), byte(l1, 8), byte(l1, 0),
               byte(l2, 24), byte(l2, 16), byte(l2, 8), byte(l2, 0),
               byte(l3, 24), byte(l3, 16), byte(l3, 8), byte(l3, 0),
               byte(l4, 24), byte(l4, 16), byte(l4, 8), byte(l4, 0)};
  }
}

// Whether the 16 bytes a host passed are the identifier `uid`.
inline bool uidEquals(const char* bytes, const Uid& uid) {
  if (bytes == nullptr) return false;
  for (size_t i = 0; i < uid.size(); ++i) {
    if (static_cast<uint8_t>(bytes[i]) != uid[i]) return false;
  }
  return true;
}

// Result codes. On Windows they are the COM HRESULTs hosts there test for;
// elsewhere small integers.
#if defined(_WIN32)
inline constexpr tresult kNoInterface = static_cast<tresult>(0x80004002u);  // E_NOINTERFACE
inline constexpr tresult kResultOk = 0;                                      // S_OK
inline constexpr tresult kResultTrue = kResultOk;
inline constexpr tresult kResultFalse = 1;                                   // S_FALSE
inline constexpr tresult kInvalidArgument = static_cast<tresult>(0x80070057u);  // E_INVALIDARG
inline constexpr tresult kNotImplemented = static_cast<tresult>(0x80004001u);   // E_NOTIMPL
inline constexpr tresult kInternalError = static_cast<tresult>(0x80004005u);    // E_FAIL
inline constexpr tresult kNotInitialized = static_cast<tresult>(0x8000FFFFu);   // E_UNEXPECTED
inline constexpr tresult kOutOfMemory = static_cast<tresult>(0x8007000Eu);      // E_OUTOFMEMORY
#else
inline constexpr tresult kNoInterface = -1;
inline constexpr tresult kResultOk = 0;
inline constexpr tresult kResultTrue = kResultOk;
inline constexpr tresult kResultFalse = 1;
inline constexpr tresult kInvalidArgument = 2;
inline constexpr tresult kNotImplemented = 3;
inline constexpr tresult kInternalError = 4;
inline constexpr tresult kNotInitialized = 5;
inline constexpr tresult kOutOfMemory = 6;
#endif

// ---------------------------------------------------------------------------
// The base of every interface, and the module's factory.

class FUnknown {
 public:
  static constexpr Uid iid = makeUid(0x00000000, 0x00000000, 0xC0000000, 0x00000046);
  virtual tresult KESTRAVON_VST3_CALL queryInterface(const TUID requested, void** obj) = 0;
  virtual uint32 KESTRAVON_VST3_CALL addRef() = 0;
  virtual uint32 KESTRAVON_VST3_CALL release() = 0;
};

class IPluginBase : public FUnknown {
 public:
  static constexpr Uid iid = makeUid(0x22888DDB, 0x156E45AE, 0x8358B348, 0x08190625);
  virtual tresult KESTRAVON_VST3_CALL initialize(FUnknown* context) = 0;
  virtual tresult KESTRAVON_VST3_CALL terminate() = 0;
};

struct PFactoryInfo {
  enum FactoryFlags : int32 {
    kNoFlags = 0,
    kClassesDiscardable = 1 << 0,
    kLicenseCheck = 1 << 1,
    kComponentNonDiscardable = 1 << 3,
    kUnicode = 1 << 4,
  };
  static constexpr int32 kURLSize = 256;
  static constexpr int32 kEmailSize = 128;
  static constexpr int32 kNameSize = 64;

  char8 vendor[kNameSize];
  char8 url[kURLSize];
  char8 email[kEmailSize];
  int32 flags;
};

struct PClassInfo {
  static constexpr int32 kManyInstances = 0x7FFFFFFF;
  static constexpr int32 kCategorySize = 32;
  static constexpr int32 kNameSize = 64;

  TUID cid;
  int32 cardinality;
  char8 category[kCategorySize];
  char8 name[kNameSize];
};

// The flags of PClassInfo2::classFlags and PClassInfoW::classFlags for a
// component class.
enum ComponentFlags : uint32 {
  kDistributable = 1 << 0,
  kSimpleModeSupported = 1 << 1,
};

struct PClassInfo2 {
  static constexpr int32 kVendorSize = 64;
  static constexpr int32 kVersionSize = 64;
  static constexpr int32 kSubCategoriesSize = 128;

  TUID cid;
  int32 cardinality;
  char8 category[PClassInfo::kCategorySize];
  char8 name[PClassInfo::kNameSize];
  uint32 classFlags;
  char8 subCategories[kSubCategoriesSize];
  char8 vendor[kVendorSize];
  char8 version[kVersionSize];
  char8 sdkVersion[kVersionSize];
};

struct PClassInfoW {
  TUID cid;
  int32 cardinality;
  char8 category[PClassInfo::kCategorySize];
  char16 name[PClassInfo::kNameSize];
  uint32 classFlags;
  char8 subCategories[PClassInfo2::kSubCategoriesSize];
  char16 vendor[PClassInfo2::kVendorSize];
  char16 version[PClassInfo2::kVersionSize];
  char16 sdkVersion[PClassInfo2::kVersionSize];
};

class IPluginFactory : public FUnknown {
 public:
  static constexpr Uid iid = makeUid(0x7A4D811C, 0x52114A1F, 0xAED9D2EE, 0x0B43BF9F);
  virtual tresult KESTRAVON_VST3_CALL getFactoryInfo(PFactoryInfo* info) = 0;
  virtual int32 KESTRAVON_VST3_CALL countClasses() = 0;
  virtual tresult KESTRAVON_VST3_CALL getClassInfo(int32 index, PClassInfo* info) = 0;
  virtual tresult KESTRAVON_VST3_CALL createInstance(FIDString cid, FIDString interfaceId, void** obj) = 0;
};

class IPluginFactory2 : public IPluginFactory {
 public:
  static constexpr Uid iid = makeUid(0x0007B650, 0xF24B4C0B, 0xA464EDB9, 0xF00B2ABB);
  virtual tresult KESTRAVON_VST3_CALL getClassInfo2(int32 index, PClassInfo2* info) = 0;
};

class IPluginFactory3 : public IPluginFactory2 {
 public:
  static constexpr Uid iid = makeUid(0x4555A2AB, 0xC1234E6B, 0x9EA8A5A8, 0x1F6C6B8E);
  virtual tresult KESTRAVON_VST3_CALL getClassInfoUnicode(int32 index, PClassInfoW* info) = 0;
  virtual tresult KESTRAVON_VST3_CALL setHostContext(FUnknown* context) = 0;
};

// The module's one exported function, GetPluginFactory.
using GetFactoryProc = IPluginFactory* (KESTRAVON_VST3_CALL*)();

// The category of the processing class and of the edit controller class.
inline constexpr const char* kVstAudioEffectClass = "Audio Module Class";
inline constexpr const char* kVstComponentControllerClass = "Component Controller Class";

// ---------------------------------------------------------------------------
// Streams, messages and attributes.

class IBStream : public FUnknown {
 public:
  static constexpr Uid iid = makeUid(0xC3BF6EA2, 0x30994752, 0x9B6BF990, 0x1EE33E9B);
  enum IStreamSeekMode : int32 { kIBSeekSet = 0, kIBSeekCur, kIBSeekEnd };
  virtual tresult KESTRAVON_VST3_CALL read(void* buffer, int32 numBytes, int32* numBytesRead) = 0;
  virtual tresult KESTRAVON_VST3_CALL write(void* buffer, int32 numBytes, int32* numBytesWritten) = 0;
  virtual tresult KESTRAVON_VST3_CALL seek(int64 pos, int32 mode, int64* result) = 0;
  virtual tresult KESTRAVON_VST3_CALL tell(int64* pos) = 0;
};

using AttrID = const char8*;

class IAttributeList : public FUnknown {
 public:
  static constexpr Uid iid = makeUid(0x1E5F0AEB, 0xCC7F4533, 0xA2544011, 0x38AD5EE4);
  virtual tresult KESTRAVON_VST3_CALL setInt(AttrID id, int64 value) = 0;
  virtual tresult KESTRAVON_VST3_CALL getInt(AttrID id, int64& value) = 0;
  virtual tresult KESTRAVON_VST3_CALL setFloat(AttrID id, double value) = 0;
  virtual tresult KESTRAVON_VST3_CALL getFloat(AttrID id, double& value) = 0;
  virtual tresult KESTRAVON_VST3_CALL setString(AttrID id, const TChar* string) = 0;
  virtual tresult KESTRAVON_VST3_CALL getString(AttrID id, TChar* string, uint32 sizeInBytes) = 0;
  virtual tresult KESTRAVON_VST3_CALL setBinary(AttrID id, const void* data, uint32 sizeInBytes) = 0;
  virtual tresult KESTRAVON_VST3_CALL getBinary(AttrID id, const void*& data, uint32& sizeInBytes) = 0;
};

class IMessage : public FUnknown {
 public:
  static constexpr Uid iid = makeUid(0x936F033B, 0xC6C047DB, 0xBB0882F8, 0x13C1E613);
  virtual FIDString KESTRAVON_VST3_CALL getMessageID() = 0;
  virtual void KESTRAVON_VST3_CALL setMessageID(FIDString id) = 0;
  virtual IAttributeList* KESTRAVON_VST3_CALL getAttributes() = 0;
};

class IConnectionPoint : public FUnknown {
 public:
  static constexpr Uid iid = makeUid(0x70A4156F, 0x6E6E4026, 0x989148BF, 0xAA60D8D1);
  virtual tresult KESTRAVON_VST3_CALL connect(IConnectionPoint* other) = 0;
  virtual tresult KESTRAVON_VST3_CALL disconnect(IConnectionPoint* other) = 0;
  virtual tresult KESTRAVON_VST3_CALL notify(IMessage* message) = 0;
};

// ---------------------------------------------------------------------------
// The processing component.

using MediaType = int32;
using BusDirection = int32;
using BusType = int32;
using IoMode = int32;
using UnitID = int32;
using ProgramListID = int32;
using ParamID = uint32;
using ParamValue = double;
using SampleRate = double;
using Sample32 = float;
using Sample64 = double;
using SpeakerArrangement = uint64;
using KnobMode = int32;

enum MediaTypes : int32 { kAudio = 0, kEvent = 1, kNumMediaTypes = 2 };
enum BusDirections : int32 { kInput = 0, kOutput = 1 };
enum BusTypes : int32 { kMain = 0, kAux = 1 };
enum IoModes : int32 { kSimple = 0, kAdvanced = 1, kOfflineProcessing = 2 };
enum SymbolicSampleSizes : int32 { kSample32 = 0, kSample64 = 1 };
enum ProcessModes : int32 { kRealtime = 0, kPrefetch = 1, kOffline = 2 };

namespace SpeakerArr {
inline constexpr SpeakerArrangement kSpeakerL = 1ull << 0;
inline constexpr SpeakerArrangement kSpeakerR = 1ull << 1;
inline constexpr SpeakerArrangement kSpeakerM = 1ull << 19;
inline constexpr SpeakerArrangement kEmpty = 0;
inline constexpr SpeakerArrangement kMono = kSpeakerM;
inline constexpr SpeakerArrangement kStereo = kSpeakerL | kSpeakerR;
}  // namespace SpeakerArr

struct BusInfo {
  enum BusFlags : uint32 {
    kDefaultActive = 1 << 0,
    kIsControlVoltage = 1 << 1,
  };
  MediaType mediaType;
  BusDirection direction;
  int32 channelCount;
  String128 name;
  BusType busType;
  uint32 flags;
};

struct RoutingInfo {
  MediaType mediaType;
  int32 busIndex;
  int32 channel;
};

class IComponent : public IPluginBase {
 public:
  static constexpr Uid iid = makeUid(0xE831FF31, 0xF2D54301, 0x928EBBEE, 0x25697802);
  virtual tresult KESTRAVON_VST3_CALL getControllerClassId(TUID classId) = 0;
  virtual tresult KESTRAVON_VST3_CALL setIoMode(IoMode mode) = 0;
  virtual int32 KESTRAVON_VST3_CALL getBusCount(MediaType type, BusDirection dir) = 0;
  virtual tresult KESTRAVON_VST3_CALL getBusInfo(MediaType type, BusDirection dir, int32 index,
                                                 BusInfo& bus) = 0;
  virtual tresult KESTRAVON_VST3_CALL getRoutingInfo(RoutingInfo& inInfo, RoutingInfo& outInfo) = 0;
  virtual tresult KESTRAVON_VST3_CALL activateBus(MediaType type, BusDirection dir, int32 index,
                                                  TBool state) = 0;
  virtual tresult KESTRAVON_VST3_CALL setActive(TBool state) = 0;
  virtual tresult KESTRAVON_VST3_CALL setState(IBStream* state) = 0;
  virtual tresult KESTRAVON_VST3_CALL getState(IBStream* state) = 0;
};

class IParamValueQueue : public FUnknown {
 public:
  static constexpr Uid iid = makeUid(0x01263A18, 0xED074F6F, 0x98C9D356, 0x4686F9BA);
  virtual ParamID KESTRAVON_VST3_CALL getParameterId() = 0;
  virtual int32 KESTRAVON_VST3_CALL getPointCount() = 0;
  virtual tresult KESTRAVON_VST3_CALL getPoint(int32 index, int32& sampleOffset, ParamValue& value) = 0;
  virtual tresult KESTRAVON_VST3_CALL addPoint(int32 sampleOffset, ParamValue value, int32& index) = 0;
};

class IParameterChanges : public FUnknown {
 public:
  static constexpr Uid iid = makeUid(0xA4779663, 0x0BB64A56, 0xB44384A8, 0x466FEB9D);
  virtual int32 KESTRAVON_VST3_CALL getParameterCount() = 0;
  virtual IParamValueQueue* KESTRAVON_VST3_CALL getParameterData(int32 index) = 0;
  virtual IParamValueQueue* KESTRAVON_VST3_CALL addParameterData(const ParamID& id, int32& index) = 0;
};

// An effect without event buses never reads an event, so the record stays
// opaque: the list is passed through by pointer only.
struct Event;

class IEventList : public FUnknown {
 public:
  static constexpr Uid iid = makeUid(0x3A2C4214, 0x346349FE, 0xB2C4F397, 0xB9695A44);
  virtual int32 KESTRAVON_VST3_CALL getEventCount() = 0;
  virtual tresult KESTRAVON_VST3_CALL getEvent(int32 index, Event& e) = 0;
  virtual tresult KESTRAVON_VST3_CALL addEvent(Event& e) = 0;
};

// The transport's state for a block; read through IProcessContextRequirements'
// flags only, so opaque here.
struct ProcessContext;

struct ProcessSetup {
  int32 processMode;
  int32 symbolicSampleSize;
  int32 maxSamplesPerBlock;
  SampleRate sampleRate;
};

struct AudioBusBuffers {
  int32 numChannels;
  uint64 silenceFlags;
  union {
    Sample32** channelBuffers32;
    Sample64** channelBuffers64;
  };
};

struct ProcessData {
  int32 processMode;
  int32 symbolicSampleSize;
  int32 numSamples;
  int32 numInputs;
  int32 numOutputs;
  AudioBusBuffers* inputs;
  AudioBusBuffers* outputs;
  IParameterChanges* inputParameterChanges;
  IParameterChanges* outputParameterChanges;
  IEventList* inputEvents;
  IEventList* outputEvents;
  ProcessContext* processContext;
};

inline constexpr uint32 kNoTail = 0;
inline constexpr uint32 kInfiniteTail = 0xFFFFFFFFu;

class IAudioProcessor : public FUnknown {
 public:
  static constexpr Uid iid = makeUid(0x42043F99, 0xB7DA453C, 0xA569E79D, 0x9AAEC33D);
  virtual tresult KESTRAVON_VST3_CALL setBusArrangements(SpeakerArrangement* inputs, int32 numIns,
                                                         SpeakerArrangement* outputs,
                                                         int32 numOuts) = 0;
  virtual tresult KESTRAVON_VST3_CALL getBusArrangement(BusDirection dir, int32 index,
                                                        SpeakerArrangement& arr) = 0;
  virtual tresult KESTRAVON_VST3_CALL canProcessSampleSize(int32 symbolicSampleSize) = 0;
  virtual uint32 KESTRAVON_VST3_CALL getLatencySamples() = 0;
  virtual tresult KESTRAVON_VST3_CALL setupProcessing(ProcessSetup& setup) = 0;
  virtual tresult KESTRAVON_VST3_CALL setProcessing(TBool state) = 0;
  virtual tresult KESTRAVON_VST3_CALL process(ProcessData& data) = 0;
  virtual uint32 KESTRAVON_VST3_CALL getTailSamples() = 0;
};

class IProcessContextRequirements : public FUnknown {
 public:
  static constexpr Uid iid = makeUid(0x2A654303, 0xEF764E3D, 0x95B5FE83, 0x730EF6D0);
  enum Flags : uint32 {
    kNeedSystemTime = 1 << 0,
    kNeedContinousTimeSamples = 1 << 1,
    kNeedProjectTimeMusic = 1 << 2,
    kNeedBarPositionMusic = 1 << 3,
    kNeedCycleMusic = 1 << 4,
    kNeedSamplesToNextClock = 1 << 5,
    kNeedTempo = 1 << 6,
    kNeedTimeSignature = 1 << 7,
    kNeedChord = 1 << 8,
    kNeedFrameRate = 1 << 9,
    kNeedTransportState = 1 << 10,
  };
  virtual uint32 KESTRAVON_VST3_CALL getProcessContextRequirements() = 0;
};

// ---------------------------------------------------------------------------
// The edit controller and the host's handler for it.

struct ParameterInfo {
  enum ParameterFlags : int32 {
    kNoFlags = 0,
    kCanAutomate = 1 << 0,
    kIsReadOnly = 1 << 1,
    kIsWrapAround = 1 << 2,
    kIsList = 1 << 3,
    kIsHidden = 1 << 4,
    kIsProgramChange = 1 << 15,
    kIsBypass = 1 << 16,
  };
  ParamID id;
  String128 title;
  String128 shortTitle;
  String128 units;
  int32 stepCount;
  ParamValue defaultNormalizedValue;
  UnitID unitId;
  int32 flags;
};

// What restartComponent asks the host to reload.
enum RestartFlags : int32 {
  kReloadComponent = 1 << 0,
  kIoChanged = 1 << 1,
  kParamValuesChanged = 1 << 2,
  kLatencyChanged = 1 << 3,
  kParamTitlesChanged = 1 << 4,
  kMidiCCAssignmentChanged = 1 << 5,
  kNoteExpressionChanged = 1 << 6,
  kIoTitlesChanged = 1 << 7,
  kPrefetchableSupportChanged = 1 << 8,
  kRoutingInfoChanged = 1 << 9,
  kKeyswitchChanged = 1 << 10,
  kParamIDMappingChanged = 1 << 11,
};

class IComponentHandler : public FUnknown {
 public:
  static constexpr Uid iid = makeUid(0x93A0BEA3, 0x0BD045DB, 0x8E890B0C, 0xC1E46AC6);
  virtual tresult KESTRAVON_VST3_CALL beginEdit(ParamID id) = 0;
  virtual tresult KESTRAVON_VST3_CALL performEdit(ParamID id, ParamValue valueNormalized) = 0;
  virtual tresult KESTRAVON_VST3_CALL endEdit(ParamID id) = 0;
  virtual tresult KESTRAVON_VST3_CALL restartComponent(int32 flags) = 0;
};

class IPlugView;

class IEditController : public IPluginBase {
 public:
  static constexpr Uid iid = makeUid(0xDCD7BBE3, 0x7742448D, 0xA874AACC, 0x979C759E);
  virtual tresult KESTRAVON_VST3_CALL setComponentState(IBStream* state) = 0;
  virtual tresult KESTRAVON_VST3_CALL setState(IBStream* state) = 0;
  virtual tresult KESTRAVON_VST3_CALL getState(IBStream* state) = 0;
  virtual int32 KESTRAVON_VST3_CALL getParameterCount() = 0;
  virtual tresult KESTRAVON_VST3_CALL getParameterInfo(int32 paramIndex, ParameterInfo& info) = 0;
  virtual tresult KESTRAVON_VST3_CALL getParamStringByValue(ParamID id, ParamValue valueNormalized,
                                                            String128 string) = 0;
  virtual tresult KESTRAVON_VST3_CALL getParamValueByString(ParamID id, TChar* string,
                                                            ParamValue& valueNormalized) = 0;
  virtual ParamValue KESTRAVON_VST3_CALL normalizedParamToPlain(ParamID id, ParamValue valueNormalized) = 0;
  virtual ParamValue KESTRAVON_VST3_CALL plainParamToNormalized(ParamID id, ParamValue plainValue) = 0;
  virtual ParamValue KESTRAVON_VST3_CALL getParamNormalized(ParamID id) = 0;
  virtual tresult KESTRAVON_VST3_CALL setParamNormalized(ParamID id, ParamValue value) = 0;
  virtual tresult KESTRAVON_VST3_CALL setComponentHandler(IComponentHandler* handler) = 0;
  virtual IPlugView* KESTRAVON_VST3_CALL createView(FIDString name) = 0;
};

enum KnobModes : int32 { kCircularMode = 0, kRelativCircularMode = 1, kLinearMode = 2 };

class IEditController2 : public FUnknown {
 public:
  static constexpr Uid iid = makeUid(0x7F4EFE59, 0xF3204967, 0xAC27A3AE, 0xAFB63038);
  virtual tresult KESTRAVON_VST3_CALL setKnobMode(KnobMode mode) = 0;
  virtual tresult KESTRAVON_VST3_CALL openHelp(TBool onlyCheck) = 0;
  virtual tresult KESTRAVON_VST3_CALL openAboutBox(TBool onlyCheck) = 0;
};

// The name createView is asked for.
namespace ViewType {
inline constexpr const char* kEditor = "editor";
}

// ---------------------------------------------------------------------------
// Units and program lists.

inline constexpr UnitID kRootUnitId = 0;
inline constexpr UnitID kNoParentUnitId = -1;
inline constexpr ProgramListID kNoProgramListId = -1;

struct UnitInfo {
  UnitID id;
  UnitID parentUnitId;
  String128 name;
  ProgramListID programListId;
};

struct ProgramListInfo {
  ProgramListID id;
  String128 name;
  int32 programCount;
};

class IUnitInfo : public FUnknown {
 public:
  static constexpr Uid iid = makeUid(0x3D4BD6B5, 0x913A4FD2, 0xA886E768, 0xA5EB92C1);
  virtual int32 KESTRAVON_VST3_CALL getUnitCount() = 0;
  virtual tresult KESTRAVON_VST3_CALL getUnitInfo(int32 unitIndex, UnitInfo& info) = 0;
  virtual int32 KESTRAVON_VST3_CALL getProgramListCount() = 0;
  virtual tresult KESTRAVON_VST3_CALL getProgramListInfo(int32 listIndex, ProgramListInfo& info) = 0;
  virtual tresult KESTRAVON_VST3_CALL getProgramName(ProgramListID listId, int32 programIndex,
                                                     String128 name) = 0;
  virtual tresult KESTRAVON_VST3_CALL getProgramInfo(ProgramListID listId, int32 programIndex,
                                                     CString attributeId, String128 attributeValue) = 0;
  virtual tresult KESTRAVON_VST3_CALL hasProgramPitchNames(ProgramListID listId, int32 programIndex) = 0;
  virtual tresult KESTRAVON_VST3_CALL getProgramPitchName(ProgramListID listId, int32 programIndex,
                                                          int16 midiPitch, String128 name) = 0;
  virtual UnitID KESTRAVON_VST3_CALL getSelectedUnit() = 0;
  virtual tresult KESTRAVON_VST3_CALL selectUnit(UnitID unitId) = 0;
  virtual tresult KESTRAVON_VST3_CALL getUnitByBus(MediaType type, BusDirection dir, int32 busIndex,
                                                   int32 channel, UnitID& unitId) = 0;
  virtual tresult KESTRAVON_VST3_CALL setUnitProgramData(int32 listOrUnitId, int32 programIndex,
                                                         IBStream* data) = 0;
};

// ---------------------------------------------------------------------------
// The editor's view and the host's frame around it.

inline constexpr const char* kPlatformTypeHWND = "HWND";
inline constexpr const char* kPlatformTypeX11EmbedWindowID = "X11EmbedWindowID";

struct ViewRect {
  int32 left;
  int32 top;
  int32 right;
  int32 bottom;
};

class IPlugFrame;

class IPlugView : public FUnknown {
 public:
  static constexpr Uid iid = makeUid(0x5BC32507, 0xD06049EA, 0xA6151B52, 0x2B755B29);
  virtual tresult KESTRAVON_VST3_CALL isPlatformTypeSupported(FIDString type) = 0;
  virtual tresult KESTRAVON_VST3_CALL attached(void* parent, FIDString type) = 0;
  virtual tresult KESTRAVON_VST3_CALL removed() = 0;
  virtual tresult KESTRAVON_VST3_CALL onWheel(float distance) = 0;
  virtual tresult KESTRAVON_VST3_CALL onKeyDown(char16 key, int16 keyCode, int16 modifiers) = 0;
  virtual tresult KESTRAVON_VST3_CALL onKeyUp(char16 key, int16 keyCode, int16 modifiers) = 0;
  virtual tresult KESTRAVON_VST3_CALL getSize(ViewRect* size) = 0;
  virtual tresult KESTRAVON_VST3_CALL onSize(ViewRect* newSize) = 0;
  virtual tresult KESTRAVON_VST3_CALL onFocus(TBool state) = 0;
  virtual tresult KESTRAVON_VST3_CALL setFrame(IPlugFrame* frame) = 0;
  virtual tresult KESTRAVON_VST3_CALL canResize() = 0;
  virtual tresult KESTRAVON_VST3_CALL checkSizeConstraint(ViewRect* rect) = 0;
};

class IPlugFrame : public FUnknown {
 public:
  static constexpr Uid iid = makeUid(0x367FAF01, 0xAFA94693, 0x8D4DA2A0, 0xED0882A3);
  virtual tresult KESTRAVON_VST3_CALL resizeView(IPlugView* view, ViewRect* newSize) = 0;
};

class IPlugViewContentScaleSupport : public FUnknown {
 public:
  static constexpr Uid iid = makeUid(0x65ED9690, 0x8AC44525, 0x8AADEF7A, 0x72EA703F);
  using ScaleFactor = float;
  virtual tresult KESTRAVON_VST3_CALL setContentScaleFactor(ScaleFactor factor) = 0;
};

// The host's run loop on Linux, which an X11 editor asks its frame for: the
// editor may not run a loop of its own on the host's thread.
using FileDescriptor = int;
using TimerInterval = uint64;

class IEventHandler : public FUnknown {
 public:
  static constexpr Uid iid = makeUid(0x561E65C9, 0x13A0496F, 0x813A2C35, 0x654D7983);
  virtual void KESTRAVON_VST3_CALL onFDIsSet(FileDescriptor fd) = 0;
};

class ITimerHandler : public FUnknown {
 public:
  static constexpr Uid iid = makeUid(0x10BDD94F, 0x41424774, 0x821FAD8F, 0xECA72CA9);
  virtual void KESTRAVON_VST3_CALL onTimer() = 0;
};

class IRunLoop : public FUnknown {
 public:
  static constexpr Uid iid = makeUid(0x18C35366, 0x97764F1A, 0x9C5B8385, 0x7A871389);
  virtual tresult KESTRAVON_VST3_CALL registerEventHandler(IEventHandler* handler, FileDescriptor fd) = 0;
  virtual tresult KESTRAVON_VST3_CALL unregisterEventHandler(IEventHandler* handler) = 0;
  virtual tresult KESTRAVON_VST3_CALL registerTimer(ITimerHandler* handler, TimerInterval milliseconds) = 0;
  virtual tresult KESTRAVON_VST3_CALL unregisterTimer(ITimerHandler* handler) = 0;
};

}  // namespace vst3
