#include "PluginHost.h"

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstring>
#include <mutex>
#include <thread>
#include <type_traits>

namespace validation {

namespace {

// A host that knows nothing: it answers the version question and nothing
// else. It keeps no state, so effects on any thread may call it.
VstIntPtr HostCallback(AEffect*, int32_t opcode, int32_t, VstIntPtr, void* ptr, float) {
  switch (opcode) {
    case audioMasterVersion:
      return kVstVersion;
    case audioMasterGetProductString:
    case audioMasterGetVendorString:
      if (ptr) static_cast<char*>(ptr)[0] = '\0';
      return 0;
    default:
      return 0;
  }
}

struct Library {
  void* handle = nullptr;
  VstPluginMainProc entry = nullptr;
  std::string error;
};

const Library& LoadedLibrary() {
  static const Library library = [] {
    Library loaded;
    loaded.handle = dlopen(KESTRAVON_PLUGIN_PATH, RTLD_NOW | RTLD_LOCAL);
    if (!loaded.handle) {
      loaded.error = dlerror();
      return loaded;
    }
    loaded.entry = reinterpret_cast<VstPluginMainProc>(dlsym(loaded.handle, "VSTPluginMain"));
    if (!loaded.entry) loaded.error = "no VSTPluginMain in " KESTRAVON_PLUGIN_PATH;
    return loaded;
  }();
  return library;
}

constexpr int kFaultsReported = 8;

// The host-side buffer boundaries a processing call must respect.
template <class Sample>
void CheckCall(int frames, int offset, const GuardedBuffer<Sample>* buffers,
               const StereoSignal& signal, bool inPlace, Render<Sample>* render) {
  static const char* const kNames[] = {"input left", "input right", "output left", "output right"};
  auto report = [&](const std::string& what) {
    if (++render->faultCount <= kFaultsReported) {
      render->faults += "call of " + std::to_string(frames) + " frames at sample " +
                        std::to_string(offset) + ": " + what + "\n";
    }
  };
  for (int b = 0; b < 4; ++b) {
    if (!buffers[b].GuardsIntact()) report(std::string(kNames[b]) + " guard zone overwritten");
  }
  if (inPlace) return;  // the inputs are the outputs
  for (int c = 0; c < 2; ++c) {
    const std::vector<float>& source = c == 0 ? signal.left : signal.right;
    for (int s = 0; s < frames; ++s) {
      const Sample expected = static_cast<Sample>(source[offset + s]);
      if (std::memcmp(&buffers[c].Data()[s], &expected, sizeof(Sample)) != 0) {
        report(std::string(kNames[c]) + " modified at frame " + std::to_string(s));
        break;
      }
    }
  }
  for (int c = 2; c < 4; ++c) {
    for (int s = 0; s < frames; ++s) {
      if (GuardedBuffer<Sample>::IsCanary(buffers[c].Data()[s])) {
        report(std::string(kNames[c]) + " not written at frame " + std::to_string(s));
        break;
      }
    }
  }
}

}  // namespace

VstPluginMainProc EntryPoint() {
  const Library& library = LoadedLibrary();
  if (!library.entry) ADD_FAILURE() << "cannot load the plug-in: " << library.error;
  return library.entry;
}

AEffect* CreateEffect() {
  VstPluginMainProc entry = EntryPoint();
  return entry ? entry(HostCallback) : nullptr;
}

void StartEffect(AEffect* effect, float sampleRate, int blockSize, int program) {
  Dispatch(effect, effOpen);
  Dispatch(effect, effSetSampleRate, 0, 0, nullptr, sampleRate);
  Dispatch(effect, effSetBlockSize, 0, blockSize);
  Dispatch(effect, effSetProgram, 0, program);
  Dispatch(effect, effMainsChanged, 0, 1);
}

std::string ParamDisplay(AEffect* effect, int index, bool* overran) {
  constexpr int kHostBound = 32;
  char text[512] = {};
  Dispatch(effect, effGetParamDisplay, index, 0, text);
  if (overran) {
    *overran = std::any_of(text + kHostBound, text + sizeof text, [](char c) { return c != 0; });
  }
  text[sizeof text - 1] = '\0';
  return text;
}

StereoSignal TestSignal(int frames, double sampleRate) {
  constexpr double kTwoPi = 6.283185307179586;
  StereoSignal signal;
  signal.left.resize(frames);
  signal.right.resize(frames);
  uint32_t state = 12345u;
  auto noise = [&state] {
    state = state * 1664525u + 1013904223u;
    return static_cast<double>(state >> 8) / 8388608.0 - 1.0;
  };
  for (int i = 0; i < frames; ++i) {
    const double t = i / sampleRate;
    signal.left[i] = static_cast<float>(0.4 * std::sin(kTwoPi * 220.0 * t) + 0.1 * noise());
    signal.right[i] = static_cast<float>(0.4 * std::sin(kTwoPi * 331.0 * t + 0.5) + 0.1 * noise());
  }
  return signal;
}

void OnFreshThread(const std::function<void()>& work) {
  std::thread thread(work);
  thread.join();
}

template <class Sample>
void ProcessCall(AEffect* effect, const StereoSignal& signal, int offset, int frames,
                 Render<Sample>* render, bool inPlace) {
  auto process = [effect, frames](Sample** inputs, Sample** outputs) {
    if constexpr (std::is_same_v<Sample, float>) {
      effect->processReplacing(effect, inputs, outputs, frames);
    } else {
      effect->processDoubleReplacing(effect, inputs, outputs, frames);
    }
  };
  GuardedCall<Sample>(signal, offset, frames, render, inPlace, process);
}

template <class Sample>
void GuardedCall(const StereoSignal& signal, int offset, int frames, Render<Sample>* render,
                 bool inPlace,
                 const std::function<void(Sample** inputs, Sample** outputs)>& process) {
  GuardedBuffer<Sample> buffers[4] = {GuardedBuffer<Sample>(frames), GuardedBuffer<Sample>(frames),
                                      GuardedBuffer<Sample>(frames), GuardedBuffer<Sample>(frames)};
  for (int s = 0; s < frames; ++s) {
    buffers[0].Data()[s] = static_cast<Sample>(signal.left[offset + s]);
    buffers[1].Data()[s] = static_cast<Sample>(signal.right[offset + s]);
  }
  Sample* inputs[2] = {buffers[0].Data(), buffers[1].Data()};
  Sample* outputs[2] = {buffers[inPlace ? 0 : 2].Data(), buffers[inPlace ? 1 : 3].Data()};
  process(inputs, outputs);
  CheckCall(frames, offset, buffers, signal, inPlace, render);
  render->left.insert(render->left.end(), outputs[0], outputs[0] + frames);
  render->right.insert(render->right.end(), outputs[1], outputs[1] + frames);
}

template <class Sample>
Render<Sample> RenderOnFreshThread(const RenderPlan& plan, const StereoSignal& signal) {
  Render<Sample> render;
  const int frames = signal.Frames();
  render.left.reserve(frames);
  render.right.reserve(frames);
  OnFreshThread([&] {
    AEffect* effect = CreateEffect();
    if (!effect) {
      render.faults = "no effect";
      return;
    }
    StartEffect(effect, plan.sampleRate, plan.preparedBlockSize, plan.program);
    int done = 0;
    for (size_t call = 0; done < frames; ++call) {
      const int n = std::min(plan.callSizes[call % plan.callSizes.size()], frames - done);
      ProcessCall(effect, signal, done, n, &render, plan.inPlace);
      done += n;
    }
    render.latencyAfter = effect->initialDelay;
    Dispatch(effect, effClose);
  });
  if (render.faultCount > kFaultsReported) {
    render.faults += std::to_string(render.faultCount - kFaultsReported) + " more faults\n";
  }
  return render;
}

template <class Sample>
long FirstDifference(const Render<Sample>& a, const Render<Sample>& b) {
  const size_t n = std::min(a.left.size(), b.left.size());
  for (size_t i = 0; i < n; ++i) {
    if (std::memcmp(&a.left[i], &b.left[i], sizeof(Sample)) != 0 ||
        std::memcmp(&a.right[i], &b.right[i], sizeof(Sample)) != 0) {
      return static_cast<long>(i);
    }
  }
  return a.left.size() == b.left.size() ? -1 : static_cast<long>(n);
}

template <class Sample>
long FirstNonFinite(const Render<Sample>& render) {
  for (size_t i = 0; i < render.left.size(); ++i) {
    if (!std::isfinite(render.left[i]) || !std::isfinite(render.right[i])) {
      return static_cast<long>(i);
    }
  }
  return -1;
}

template <class Sample>
double Peak(const Render<Sample>& render) {
  double peak = 0.0;
  for (size_t i = 0; i < render.left.size(); ++i) {
    peak = std::max({peak, std::fabs(static_cast<double>(render.left[i])),
                     std::fabs(static_cast<double>(render.right[i]))});
  }
  return peak;
}

template void ProcessCall<float>(AEffect*, const StereoSignal&, int, int, Render<float>*, bool);
template void ProcessCall<double>(AEffect*, const StereoSignal&, int, int, Render<double>*, bool);
template void GuardedCall<float>(const StereoSignal&, int, int, Render<float>*, bool,
                                 const std::function<void(float**, float**)>&);
template void GuardedCall<double>(const StereoSignal&, int, int, Render<double>*, bool,
                                  const std::function<void(double**, double**)>&);
template <class Sample>
double LevelRatio(const Render<Sample>& render, const StereoSignal& signal, size_t from) {
  double out = 0.0;
  double in = 0.0;
  const size_t n = std::min(render.left.size(), signal.left.size());
  for (size_t i = from; i < n; ++i) {
    out += static_cast<double>(render.left[i]) * render.left[i] +
           static_cast<double>(render.right[i]) * render.right[i];
    in += static_cast<double>(signal.left[i]) * signal.left[i] +
          static_cast<double>(signal.right[i]) * signal.right[i];
  }
  return in > 0.0 ? std::sqrt(out / in) : 0.0;
}

template double LevelRatio<float>(const Render<float>&, const StereoSignal&, size_t);
template double LevelRatio<double>(const Render<double>&, const StereoSignal&, size_t);
template Render<float> RenderOnFreshThread<float>(const RenderPlan&, const StereoSignal&);
template Render<double> RenderOnFreshThread<double>(const RenderPlan&, const StereoSignal&);
template long FirstDifference<float>(const Render<float>&, const Render<float>&);
template long FirstDifference<double>(const Render<double>&, const Render<double>&);
template long FirstNonFinite<float>(const Render<float>&);
template long FirstNonFinite<double>(const Render<double>&);
template double Peak<float>(const Render<float>&);
template double Peak<double>(const Render<double>&);

ChildOutcome RunInChild(const std::function<std::string()>& work, double timeoutSeconds) {
  ChildOutcome outcome;
  int fds[2];
  if (pipe(fds) != 0) {
    outcome.message = "no pipe";
    return outcome;
  }
  const pid_t pid = fork();
  if (pid < 0) {
    close(fds[0]);
    close(fds[1]);
    outcome.message = "fork failed";
    return outcome;
  }
  if (pid == 0) {
    close(fds[0]);
    const std::string message = work();
    size_t written = 0;
    while (written < message.size()) {
      const ssize_t n = write(fds[1], message.data() + written, message.size() - written);
      if (n <= 0) break;
      written += static_cast<size_t>(n);
    }
    close(fds[1]);
    // No destructors, atexit handlers or leak checks in the child: the
    // parent judges it by its message and exit status alone.
    _exit(message.empty() ? 0 : 1);
  }
  close(fds[1]);
  using Clock = std::chrono::steady_clock;
  const Clock::time_point deadline =
      Clock::now() + std::chrono::milliseconds(static_cast<int64_t>(timeoutSeconds * 1000.0));
  std::string message;
  bool timedOut = false;
  for (;;) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) {
      timedOut = true;
      break;
    }
    pollfd readable{fds[0], POLLIN, 0};
    const int ready = poll(&readable, 1, static_cast<int>(std::min<int64_t>(left.count(), 1000)));
    if (ready < 0 && errno != EINTR) break;
    if (ready <= 0) continue;
    char chunk[512];
    const ssize_t n = read(fds[0], chunk, sizeof chunk);
    if (n <= 0) break;  // the child closed its end: it is exiting
    message.append(chunk, static_cast<size_t>(n));
  }
  close(fds[0]);
  int status = 0;
  if (timedOut) {
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    outcome.message = "no answer within " + std::to_string(timeoutSeconds) + " s";
    return outcome;
  }
  // The child has closed its end; give it the rest of the timeout to exit.
  while (waitpid(pid, &status, WNOHANG) == 0) {
    if (Clock::now() > deadline) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      outcome.message = "did not exit within " + std::to_string(timeoutSeconds) + " s";
      return outcome;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  if (WIFSIGNALED(status)) {
    outcome.message = "crashed with signal " + std::to_string(WTERMSIG(status)) + " (" +
                      strsignal(WTERMSIG(status)) + ")" + (message.empty() ? "" : ": " + message);
  } else if (WIFEXITED(status) && WEXITSTATUS(status) != 0) {
    outcome.message = message.empty() ? "exited with code " + std::to_string(WEXITSTATUS(status)) +
                                            " (a sanitizer report, if any, is on stderr)"
                                      : message;
  } else {
    outcome.passed = message.empty();
    outcome.message = message;
  }
  return outcome;
}

}  // namespace validation
