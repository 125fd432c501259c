#include "tools/render/Renderer.h"

#include <algorithm>

#include "tools/render/PluginHost.h"
#include "tools/render/ProgressBar.h"

namespace {

template <typename T>
void Allocate(int channels, int frames, std::vector<std::vector<T>>* buffers,
              std::vector<T*>* pointers) {
  buffers->assign(static_cast<size_t>(channels), std::vector<T>(static_cast<size_t>(frames)));
  // Never hand the plug-in a null channel array, even with no channels.
  pointers->assign(static_cast<size_t>(std::max(channels, 1)), nullptr);
  for (int c = 0; c < channels; ++c) (*pointers)[c] = (*buffers)[c].data();
}

}  // namespace

Renderer::Renderer(PluginHost& host, const RenderSettings& settings)
    : host(host), settings(settings) {}

bool Renderer::Render(int channels, int64_t inputFrames, const ReadFrames& read,
                      const WriteFrames& write, ProgressBar& progress, std::string* error) {
  const int blockSize = std::max(1, settings.blockSize);
  const int pluginInputs = host.NumInputs();
  const int pluginOutputs = host.NumOutputs();
  if (channels > pluginInputs && !(channels == 1 && pluginInputs == 0)) {
    *error = "the input has " + std::to_string(channels) + " channels, the plug-in only " +
             std::to_string(pluginInputs) + " inputs";
    return false;
  }
  if (settings.useDouble && !host.HasFlag(effFlagsCanDoubleReplacing)) {
    *error = "the plug-in has no double-precision processing";
    return false;
  }
  inputChannels = channels;
  readBuffer.assign(static_cast<size_t>(channels) * blockSize, 0.0);
  writeBuffer.assign(static_cast<size_t>(pluginOutputs) * blockSize, 0.0);
  Allocate(pluginInputs, blockSize, &doubleIn, &doubleInPtrs);
  Allocate(pluginOutputs, blockSize, &doubleOut, &doubleOutPtrs);
  Allocate(pluginInputs, blockSize, &floatIn, &floatInPtrs);
  Allocate(pluginOutputs, blockSize, &floatOut, &floatOutPtrs);

  const int64_t wanted = inputFrames + std::max<int64_t>(0, settings.tailFrames);
  int64_t latency = settings.compensateLatency ? host.Latency() : 0;
  int64_t fed = 0;
  int64_t written = 0;
  dropped = 0;
  host.SetRendering(true);
  while (written < wanted) {
    const auto frames =
        static_cast<int>(std::min<int64_t>(blockSize, wanted + latency - dropped - written));
    FillInputs(read, std::max<int64_t>(0, inputFrames - fed), frames);
    host.SetTransportPosition(fed);
    RunPlugin(frames);
    if (fed == 0 && settings.compensateLatency) {
      // Some plug-ins state their latency only once they know the rate
      // they run at, during the first block.
      host.RefreshLatency();
      latency = host.Latency();
    }
    fed += frames;
    const auto skip = static_cast<int>(std::min<int64_t>(frames, latency - dropped));
    dropped += skip;
    const auto keep = static_cast<int>(std::min<int64_t>(frames - skip, wanted - written));
    CollectOutputs(skip, keep);
    if (!write(writeBuffer.data(), keep)) {
      host.SetRendering(false);
      *error = "writing the output failed";
      return false;
    }
    written += keep;
    progress.Update(written, wanted);
  }
  host.SetRendering(false);
  progress.Finish();
  return true;
}

int64_t Renderer::FillInputs(const ReadFrames& read, int64_t remainingInput, int frames) {
  const int64_t got =
      remainingInput > 0
          ? std::max<int64_t>(0, read(readBuffer.data(), std::min<int64_t>(remainingInput, frames)))
          : 0;
  for (size_t c = 0; c < doubleIn.size(); ++c) {
    // A mono file feeds every input; other files feed inputs one to one.
    const int source = inputChannels == 1 ? 0 : static_cast<int>(c);
    for (int n = 0; n < frames; ++n) {
      doubleIn[c][n] = (source < inputChannels && n < got)
                           ? readBuffer[static_cast<size_t>(n) * inputChannels + source]
                           : 0.0;
    }
  }
  return got;
}

void Renderer::RunPlugin(int frames) {
  if (settings.useDouble) {
    host.ProcessDouble(doubleInPtrs.data(), doubleOutPtrs.data(), frames);
    return;
  }
  for (size_t c = 0; c < doubleIn.size(); ++c) {
    std::transform(doubleIn[c].begin(), doubleIn[c].begin() + frames, floatIn[c].begin(),
                   [](double v) { return static_cast<float>(v); });
  }
  host.ProcessFloat(floatInPtrs.data(), floatOutPtrs.data(), frames);
  for (size_t c = 0; c < floatOut.size(); ++c) {
    std::copy_n(floatOut[c].begin(), frames, doubleOut[c].begin());
  }
}

void Renderer::CollectOutputs(int first, int frames) {
  const size_t outputs = doubleOut.size();
  for (size_t c = 0; c < outputs; ++c) {
    for (int n = 0; n < frames; ++n) {
      writeBuffer[static_cast<size_t>(n) * outputs + c] = doubleOut[c][first + n];
    }
  }
}
