#pragma once
// One plug-in instance as a VST 3 host makes and drives it: the module loaded
// from its bundle and entered, the audio effect class found in the factory and
// made, initialized, the processor and the edit controller queried from the
// one object, and stereo blocks of either sample size processed with the
// host's parameter changes.
#include <string>

#include "ParameterChanges.h"
#include "vst3/Vst3Abi.h"

class Vst3Host {
 public:
  // `context` is what initialize() is given (null: no host context).
  explicit Vst3Host(const char* modulePath, vst3::FUnknown* context = nullptr);
  ~Vst3Host();
  Vst3Host(const Vst3Host&) = delete;
  Vst3Host& operator=(const Vst3Host&) = delete;

  // Empty when the instance is ready; otherwise the step that failed.
  const std::string& Failure() const { return failure; }

  vst3::IComponent* Component() const { return component; }
  vst3::IAudioProcessor* Processor() const { return processor; }
  vst3::IEditController* Controller() const { return controller; }
  // Another interface of the instance, which the caller releases; null when refused.
  template <class Interface>
  Interface* Query() const {
    void* obj = nullptr;
    if (component == nullptr ||
        component->queryInterface(reinterpret_cast<const char*>(Interface::iid.data()), &obj) !=
            vst3::kResultOk) {
      return nullptr;
    }
    return static_cast<Interface*>(obj);
  }

  // Stereo in and out, the setup, then activation and processing: the first
  // step's refusal, or kResultOk.
  vst3::tresult Start(double sampleRate, vst3::int32 maxBlock, vst3::int32 sampleSize);
  // Processing off and deactivation, as a host stops the transport and the plug-in.
  void Stop();
  bool Started() const { return started; }

  // One block of `frames` in `sampleSize` as started, with the changes given
  // (none when null). The output changes the plug-in wrote stay in OutputChanges().
  template <class Sample>
  vst3::tresult Process(Sample* const* inputs, Sample* const* outputs, vst3::int32 frames,
                        ParameterChanges* changes);
  // A call with no frames and no audio buffers: changes only.
  vst3::tresult Flush(ParameterChanges* changes);
  ParameterChanges& OutputChanges() { return outputChanges; }

 private:
  void Load(const char* modulePath);
  void CreateInstance(vst3::FUnknown* context);
  vst3::tresult Run(vst3::ProcessData& data, ParameterChanges* changes);

  std::string failure;
  void* library = nullptr;
  bool entered = false;
  vst3::IPluginFactory* factory = nullptr;
  vst3::IComponent* component = nullptr;
  vst3::IAudioProcessor* processor = nullptr;
  vst3::IEditController* controller = nullptr;
  bool initialized = false;
  bool started = false;
  vst3::int32 sampleSize = vst3::kSample32;
  ParameterChanges noChanges{1};
  ParameterChanges outputChanges;
};
