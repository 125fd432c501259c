// The audio entry: host buffers in, double-precision channel arrays to the
// engine, results back to the host.
#include <algorithm>
#include <cstring>

#include "core/IPlugBase.h"

namespace {

// Serves a host block in pieces of at most the prepared block size, so no
// scratch buffer is ever written past its end. A block of 0 frames is one
// piece of 0.
template <class ServePiece>
void ServeInPieces(int frames, int blockSize, ServePiece servePiece) {
  int done = 0;
  do {
    const int piece = std::min(frames - done, blockSize);
    servePiece(piece, done);
    done += piece;
  } while (done < frames);
}

// Before any block size is prepared there is nothing to convert into: the
// host's outputs get silence.
template <class Sample>
void SilenceHostOutputs(Sample** hostOutputs, int count, int frames) {
  if (!hostOutputs) return;
  for (int k = 0; k < count; ++k) {
    if (hostOutputs[k]) std::fill(hostOutputs[k], hostOutputs[k] + frames, Sample{0});
  }
}

}  // namespace

void IPlugBase::BindFloatBuffers(float** hostInputs, float** hostOutputs, int frames, int offset) {
  int k = 0;
  for (int i = 0; i < inputs.Count(); ++i) {
    InputChannel* channel = inputs.Get(i);
    if (!channel->connected) continue;
    double* scratch = channel->Scratch();
    const float* source = hostInputs ? hostInputs[k] : nullptr;
    // A host that hands over a missing buffer gets silence for that channel.
    if (source) {
      for (int s = 0; s < frames; ++s) scratch[s] = static_cast<double>(source[offset + s]);
    } else {
      std::fill(scratch, scratch + frames, 0.0);
    }
    *channel->slot = scratch;
    ++k;
  }
  k = 0;
  for (int i = 0; i < outputs.Count(); ++i) {
    OutputChannel* channel = outputs.Get(i);
    if (!channel->connected) continue;
    *channel->slot = channel->Scratch();
    float* target = hostOutputs ? hostOutputs[k] : nullptr;
    channel->hostOutput = target ? target + offset : nullptr;
    ++k;
  }
}

int IPlugBase::ConnectedOutputs() const {
  int count = 0;
  for (int i = 0; i < outputs.Count(); ++i) count += outputs.Get(i)->connected ? 1 : 0;
  return count;
}

void IPlugBase::StoreOutputs(int frames) {
  for (int i = 0; i < outputs.Count(); ++i) {
    OutputChannel* channel = outputs.Get(i);
    if (!channel->connected || !channel->hostOutput) continue;
    const double* processed = *channel->slot;
    for (int s = 0; s < frames; ++s) channel->hostOutput[s] = static_cast<float>(processed[s]);
  }
}

void IPlugBase::AccumulateOutputs(int frames) {
  ProcessBlock(inputData.data(), outputData.data(), frames);
  for (int i = 0; i < outputs.Count(); ++i) {
    OutputChannel* channel = outputs.Get(i);
    if (!channel->connected || !channel->hostOutput) continue;
    const double* processed = *channel->slot;
    for (int s = 0; s < frames; ++s) {
      channel->hostOutput[s] = channel->hostOutput[s] + static_cast<float>(processed[s]);
    }
  }
}

void IPlugBase::RunFloatPieces(float** hostInputs, float** hostOutputs, int frames,
                               bool accumulate) {
  if (frames < 0) frames = 0;
  if (frames > 0 && blockSize <= 0) {
    if (!accumulate) SilenceHostOutputs(hostOutputs, ConnectedOutputs(), frames);
    return;
  }
  ServeInPieces(frames, blockSize, [&](int piece, int offset) {
    BindFloatBuffers(hostInputs, hostOutputs, piece, offset);
    if (accumulate) {
      AccumulateOutputs(piece);
    } else {
      ProcessBlock(inputData.data(), outputData.data(), piece);
      StoreOutputs(piece);
    }
  });
}

// The request for MIDI goes to the host before the gate is passed: no call
// into the host is made from inside. While a host thread reshapes the
// plug-in, a replacing callback outputs silence and an accumulating one adds
// nothing; the channel count is fixed at construction.
void IPlugBase::ProcessFloatReplacing(float** hostInputs, float** hostOutputs, int frames) {
  if (doesMidi) RequestMidiFromHost();
  AudioGate::AudioPass pass(audioGate);
  if (!pass) {
    SilenceHostOutputs(hostOutputs, hostOutputCount.load(std::memory_order_relaxed),
                       std::max(frames, 0));
    return;
  }
  RunFloatPieces(hostInputs, hostOutputs, frames, false);
}

void IPlugBase::ProcessFloatAccumulating(float** hostInputs, float** hostOutputs, int frames) {
  if (doesMidi) RequestMidiFromHost();
  AudioGate::AudioPass pass(audioGate);
  if (!pass) return;
  RunFloatPieces(hostInputs, hostOutputs, frames, true);
}

void IPlugBase::BindDoubleBuffers(double** hostInputs, double** hostOutputs, int frames,
                                  int offset) {
  int k = 0;
  for (int i = 0; i < inputs.Count(); ++i) {
    InputChannel* channel = inputs.Get(i);
    if (!channel->connected) continue;
    double* source = hostInputs ? hostInputs[k] : nullptr;
    if (source) {
      *channel->slot = source + offset;
    } else {
      std::fill(channel->Scratch(), channel->Scratch() + frames, 0.0);
      *channel->slot = channel->Scratch();
    }
    ++k;
  }
  k = 0;
  for (int i = 0; i < outputs.Count(); ++i) {
    OutputChannel* channel = outputs.Get(i);
    if (!channel->connected) continue;
    double* target = hostOutputs ? hostOutputs[k] : nullptr;
    *channel->slot = target ? target + offset : channel->Scratch();
    ++k;
  }
}

void IPlugBase::ProcessDoubleReplacing(double** hostInputs, double** hostOutputs, int frames) {
  if (doesMidi) RequestMidiFromHost();
  if (frames < 0) frames = 0;
  AudioGate::AudioPass pass(audioGate);
  if (!pass) {
    SilenceHostOutputs(hostOutputs, hostOutputCount.load(std::memory_order_relaxed), frames);
    return;
  }
  if (frames > 0 && blockSize <= 0) {
    SilenceHostOutputs(hostOutputs, ConnectedOutputs(), frames);
    return;
  }
  ServeInPieces(frames, blockSize, [&](int piece, int offset) {
    BindDoubleBuffers(hostInputs, hostOutputs, piece, offset);
    ProcessBlock(inputData.data(), outputData.data(), piece);
  });
}

void IPlugBase::ProcessBlock(double** in, double** out, int frames) {
  const int nIn = static_cast<int>(inputData.size());
  const int nOut = static_cast<int>(outputData.size());
  for (int i = 0; i < nOut; ++i) {
    if (i < nIn) {
      if (out[i] != in[i]) std::memmove(out[i], in[i], sizeof(double) * frames);
    } else {
      std::fill(out[i], out[i] + frames, 0.0);
    }
  }
}
