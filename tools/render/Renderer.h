#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class PluginHost;
class ProgressBar;

struct RenderSettings {
  int blockSize = 512;
  // Drop the plug-in's latency from the start and render as much again at
  // the end, so the output lines up with the input.
  bool compensateLatency = true;
  int64_t tailFrames = 0;
  bool useDouble = false;
};

// Runs audio through a resumed plug-in in blocks: reads interleaved input
// frames, feeds silence after their end, and writes the plug-in's outputs.
// The output is input length plus tail frames long.
class Renderer {
 public:
  // Both return the frames handled; read returns fewer only at the end.
  using ReadFrames = std::function<int64_t(double* interleaved, int64_t frames)>;
  using WriteFrames = std::function<bool(const double* interleaved, int64_t frames)>;

  Renderer(PluginHost& host, const RenderSettings& settings);

  bool Render(int inputChannels, int64_t inputFrames, const ReadFrames& read,
              const WriteFrames& write, ProgressBar& progress, std::string* error);
  // The latency dropped from the start of the last render.
  int64_t DroppedFrames() const { return dropped; }

 private:
  int64_t FillInputs(const ReadFrames& read, int64_t remainingInput, int frames);
  void RunPlugin(int frames);
  void CollectOutputs(int first, int frames);

  PluginHost& host;
  RenderSettings settings;
  int inputChannels = 0;
  int64_t dropped = 0;
  std::vector<double> readBuffer;
  std::vector<double> writeBuffer;
  std::vector<std::vector<float>> floatIn, floatOut;
  std::vector<std::vector<double>> doubleIn, doubleOut;
  std::vector<float*> floatInPtrs, floatOutPtrs;
  std::vector<double*> doubleInPtrs, doubleOutPtrs;
};
