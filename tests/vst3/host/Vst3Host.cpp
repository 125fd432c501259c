#include "Vst3Host.h"

#include <cstring>
#include <type_traits>

#include "SharedLibrary.h"

using namespace vst3;

namespace {

// The module's entry and exit: on Linux given the library's handle, on
// Windows (InitDll, ExitDll) called with nothing.
#if defined(_WIN32)
constexpr const char* kEntryName = "InitDll";
constexpr const char* kExitName = "ExitDll";
using ModuleEntryProc = bool (*)();
bool Enter(ModuleEntryProc entry, void*) { return entry(); }
#else
constexpr const char* kEntryName = "ModuleEntry";
constexpr const char* kExitName = "ModuleExit";
using ModuleEntryProc = bool (*)(void*);
bool Enter(ModuleEntryProc entry, void* library) { return entry(library); }
#endif
using ModuleExitProc = bool (*)();

const char* Iid(const Uid& uid) { return reinterpret_cast<const char*>(uid.data()); }

template <class Interface>
Interface* QueryFrom(FUnknown* object) {
  void* obj = nullptr;
  if (object->queryInterface(Iid(Interface::iid), &obj) != kResultOk) return nullptr;
  return static_cast<Interface*>(obj);
}

}  // namespace

Vst3Host::Vst3Host(const char* modulePath, FUnknown* context) {
  Load(modulePath);
  if (failure.empty()) CreateInstance(context);
}

void Vst3Host::Load(const char* modulePath) {
  library = OpenSharedLibrary(modulePath);
  if (library == nullptr) {
    failure = std::string("cannot load the module: ") + LastLoadError();
    return;
  }
  auto entry = reinterpret_cast<ModuleEntryProc>(FindLibrarySymbol(library, kEntryName));
  auto getFactory = reinterpret_cast<GetFactoryProc>(FindLibrarySymbol(library, "GetPluginFactory"));
  if (entry == nullptr || getFactory == nullptr) {
    failure = std::string("the module lacks ") + kEntryName + " or GetPluginFactory";
    return;
  }
  entered = Enter(entry, library);
  if (!entered) {
    failure = std::string(kEntryName) + " refused";
    return;
  }
  factory = getFactory();
  if (factory == nullptr) failure = "GetPluginFactory gave no factory";
}

void Vst3Host::CreateInstance(FUnknown* context) {
  // The first audio effect class the factory lists, as a scanning host finds it.
  const int32 classes = factory->countClasses();
  PClassInfo info{};
  int32 index = 0;
  for (; index < classes; ++index) {
    if (factory->getClassInfo(index, &info) == kResultOk &&
        std::strcmp(info.category, kVstAudioEffectClass) == 0) {
      break;
    }
  }
  if (index == classes) {
    failure = "the factory lists no audio effect class";
    return;
  }
  void* obj = nullptr;
  if (factory->createInstance(info.cid, Iid(IComponent::iid), &obj) != kResultOk || !obj) {
    failure = "createInstance gave no component";
    return;
  }
  component = static_cast<IComponent*>(obj);
  if (component->initialize(context) != kResultOk) {
    failure = "initialize refused";
    return;
  }
  initialized = true;
  processor = QueryFrom<IAudioProcessor>(component);
  controller = QueryFrom<IEditController>(component);
  if (processor == nullptr) failure = "the component is no audio processor";
  if (controller == nullptr) failure = "the component is no edit controller";
}

Vst3Host::~Vst3Host() {
  Stop();
  if (controller) controller->release();
  if (processor) processor->release();
  if (component) {
    if (initialized) component->terminate();
    component->release();
  }
  if (factory) factory->release();
  if (entered) {
    auto exit = reinterpret_cast<ModuleExitProc>(FindLibrarySymbol(library, kExitName));
    if (exit) exit();
  }
  CloseSharedLibrary(library);
}

tresult Vst3Host::Start(double sampleRate, int32 maxBlock, int32 size) {
  if (!failure.empty()) return kNotInitialized;
  SpeakerArrangement inputs[1] = {SpeakerArr::kStereo};
  SpeakerArrangement outputs[1] = {SpeakerArr::kStereo};
  tresult result = processor->setBusArrangements(inputs, 1, outputs, 1);
  if (result != kResultOk) return result;
  ProcessSetup setup{kRealtime, size, maxBlock, sampleRate};
  result = processor->setupProcessing(setup);
  if (result != kResultOk) return result;
  result = component->setActive(1);
  if (result != kResultOk) return result;
  sampleSize = size;
  started = true;
  // The documentation lets a plug-in answer kNotImplemented when it needs no
  // notice of the processing state.
  result = processor->setProcessing(1);
  return result == kNotImplemented ? kResultOk : result;
}

void Vst3Host::Stop() {
  if (!started) return;
  processor->setProcessing(0);
  component->setActive(0);
  started = false;
}

tresult Vst3Host::Run(ProcessData& data, ParameterChanges* changes) {
  data.processMode = kRealtime;
  data.inputParameterChanges = changes ? changes : &noChanges;
  outputChanges.Clear();
  data.outputParameterChanges = &outputChanges;
  data.inputEvents = nullptr;
  data.outputEvents = nullptr;
  data.processContext = nullptr;
  return processor->process(data);
}

template <class Sample>
tresult Vst3Host::Process(Sample* const* inputs, Sample* const* outputs, int32 frames,
                          ParameterChanges* changes) {
  AudioBusBuffers in{}, out{};
  in.numChannels = out.numChannels = 2;
  if constexpr (std::is_same_v<Sample, float>) {
    in.channelBuffers32 = const_cast<Sample**>(inputs);
    out.channelBuffers32 = const_cast<Sample**>(outputs);
  } else {
    in.channelBuffers64 = const_cast<Sample**>(inputs);
    out.channelBuffers64 = const_cast<Sample**>(outputs);
  }
  ProcessData data{};
  data.symbolicSampleSize = std::is_same_v<Sample, float> ? kSample32 : kSample64;
  data.numSamples = frames;
  data.numInputs = 1;
  data.numOutputs = 1;
  data.inputs = &in;
  data.outputs = &out;
  return Run(data, changes);
}

tresult Vst3Host::Flush(ParameterChanges* changes) {
  ProcessData data{};
  data.symbolicSampleSize = sampleSize;
  return Run(data, changes);
}

template tresult Vst3Host::Process<float>(float* const*, float* const*, int32, ParameterChanges*);
template tresult Vst3Host::Process<double>(double* const*, double* const*, int32,
                                           ParameterChanges*);
