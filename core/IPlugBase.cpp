#include "core/IPlugBase.h"

#include <cmath>
#include <cstdio>
#include <cstring>

using Guard = std::lock_guard<std::recursive_mutex>;

IPlugBase::IPlugBase(const PlugIdentity& identity)
    : uniqueId(identity.uniqueId),
      makerId(identity.makerId),
      version(identity.version),
      doesChunks(identity.doesChunks),
      isInstrument(identity.isInstrument),
      doesMidi(identity.doesMidi),
      latency(identity.latency) {
  for (int i = 0; i < identity.nParams; ++i) params.Add(new PlugParam);
  for (int i = 0; i < identity.nPresets; ++i) presets.Add(new PlugPreset);
  CopyText(effectName, kNameSize, identity.effectName);
  CopyText(productName, kNameSize, identity.productName);
  CopyText(vendorName, kNameSize, identity.vendorName);
  ParseChannelIO(identity.channelIO);
}

IPlugBase::~IPlugBase() {
  delete editor;
  params.DeleteAll();
  presets.DeleteAll();
  inputs.DeleteAll();
  outputs.DeleteAll();
  channelIO.DeleteAll();
}

void IPlugBase::ParseChannelIO(const char* text) {
  int maxInputs = 0;
  int maxOutputs = 0;
  const char* cursor = text ? text : "";
  while (true) {
    auto* pair = new ChannelIOPair;
    int in = 0;
    int out = 0;
    // A token that does not parse counts as (0, 0); parsing goes on after the next space.
    if (std::sscanf(cursor, "%d-%d", &in, &out) != 2) {
      if (std::sscanf(cursor, "%d", &in) != 1) in = 0;
      out = 0;
    }
    pair->inputs = in;
    pair->outputs = out;
    channelIO.Add(pair);
    if (in > maxInputs) maxInputs = in;
    if (out > maxOutputs) maxOutputs = out;
    const char* space = std::strchr(cursor, ' ');
    if (!space) break;
    cursor = space + 1;
  }
  CreateChannels(maxInputs, maxOutputs);
}

void IPlugBase::CreateChannels(int nInputs, int nOutputs) {
  inputData.assign(nInputs, nullptr);
  outputData.assign(nOutputs, nullptr);
  for (int i = 0; i < nInputs; ++i) {
    auto* channel = new InputChannel;
    channel->slot = &inputData[i];
    inputs.Add(channel);
  }
  for (int i = 0; i < nOutputs; ++i) {
    auto* channel = new OutputChannel;
    channel->slot = &outputData[i];
    outputs.Add(channel);
  }
}

bool IPlugBase::LegalIO(int in, int out) const {
  for (int i = 0; i < channelIO.Count(); ++i) {
    const ChannelIOPair* pair = channelIO.Get(i);
    if ((in < 0 || pair->inputs == in) && (out < 0 || pair->outputs == out)) return true;
  }
  return false;
}

void IPlugBase::SetInputConnected(int index, bool connected) {
  InputChannel* channel = inputs.Get(index);
  if (!channel) return;
  channel->connected = connected;
  if (connected) return;
  // While connected, the scratch held the host's samples; a disconnected
  // input must be heard as silence, not as the last block it carried.
  if (channel->scratch.Size() > 0) {
    std::memset(channel->scratch.Data(), 0, static_cast<size_t>(channel->scratch.Size()));
  }
  *channel->slot = channel->Scratch();
}

void IPlugBase::SetOutputConnected(int index, bool connected) {
  OutputChannel* channel = outputs.Get(index);
  if (!channel) return;
  channel->connected = connected;
  if (!connected) *channel->slot = channel->Scratch();
  hostOutputCount.store(ConnectedOutputs(), std::memory_order_relaxed);
}

bool IPlugBase::IsInputConnected(int index) const {
  const InputChannel* channel = inputs.Get(index);
  return channel && channel->connected;
}

bool IPlugBase::IsOutputConnected(int index) const {
  const OutputChannel* channel = outputs.Get(index);
  return channel && channel->connected;
}

void IPlugBase::PrepareBlockSize(int frames) {
  if (frames == blockSize || frames < 0) return;
  const int64_t bytes = static_cast<int64_t>(frames) * static_cast<int64_t>(sizeof(double));
  if (bytes > INT32_MAX) return;
  // Every scratch buffer must hold the new size before blockSize says so;
  // buffers only grow here, so a failure leaves all of them at least as large
  // as the block size still in force.
  bool allResized = true;
  for (int i = 0; i < inputs.Count(); ++i) {
    InputChannel* channel = inputs.Get(i);
    if (channel->scratch.Resize(static_cast<int>(bytes), false)) {
      std::memset(channel->scratch.Data(), 0, static_cast<size_t>(bytes));
    } else {
      allResized = false;
    }
    *channel->slot = channel->Scratch();
  }
  for (int i = 0; i < outputs.Count(); ++i) {
    OutputChannel* channel = outputs.Get(i);
    if (channel->scratch.Resize(static_cast<int>(bytes), false)) {
      std::memset(channel->scratch.Data(), 0, static_cast<size_t>(bytes));
    } else {
      allResized = false;
    }
    *channel->slot = channel->Scratch();
  }
  if (allResized) blockSize = frames;
}

void IPlugBase::OnReset() { Guard guard(lock); }

void IPlugBase::OnParamChanged(int) { Guard guard(lock); }

void IPlugBase::SetActive(bool) { Guard guard(lock); }

void IPlugBase::HandleMidi(const MidiMessage* message) { SendMidi(message); }

bool IPlugBase::NameOfMidiNote(int, char* text) {
  if (text) text[0] = '\0';
  return false;
}

void IPlugBase::HostTimeSignature(int* numerator, int* denominator) {
  if (numerator) *numerator = 0;
  if (denominator) *denominator = 0;
}

void IPlugBase::AnnounceAllParams() {
  for (int i = 0; i < NParams(); ++i) OnParamChanged(i);
}

void IPlugBase::SetParameterFromEditor(int index, double normalized) {
  {
    Guard guard(lock);
    PlugParam* param = params.Get(index);
    if (!param) return;
    param->SetFromNormalized(normalized);
    OnParamChanged(index);
  }
  // The host is told once the lock is released: its automation callback may
  // wait for a thread of its own that is waiting for our lock.
  NotifyParamValue(index, normalized);
}

void IPlugBase::SetParameterFromHost(int index, double normalized) {
  Guard guard(lock);
  PlugParam* param = params.Get(index);
  // A non-finite value from the host changes nothing.
  if (!param || !std::isfinite(normalized)) return;
  if (editor) editor->SetParameterFromHost(index, normalized, true);
  param->SetFromNormalized(normalized);
  OnParamChanged(index);
}

void IPlugBase::SetParameterValueFromHost(int index, double value) {
  Guard guard(lock);
  PlugParam* param = params.Get(index);
  if (!param || !std::isfinite(value)) return;
  const double onGrid = param->OnGrid(value);
  if (editor) editor->SetParameterFromHost(index, onGrid, false);
  param->Set(onGrid);
  OnParamChanged(index);
}

void IPlugBase::AttachEditor(IEditorLink* newEditor) {
  if (!newEditor) return;
  Guard guard(lock);
  for (int i = 0; i < NParams(); ++i)
    newEditor->ShowNormalizedValue(i, params.Get(i)->ToNormalized());
  newEditor->CreateSurfaces();
  if (editor && editor != newEditor) delete editor;
  editor = newEditor;
}

void IPlugBase::RefreshEditorControls() {
  if (!editor) return;
  for (int i = 0; i < NParams(); ++i)
    editor->SetParameterFromHost(i, params.Get(i)->Value(), false);
}

void IPlugBase::ChangeLatency(int samples) { latency = samples; }

bool IPlugBase::StateMatches(const double* values, int first) {
  if (!values) return false;
  for (int i = 0; i < NParams(); ++i) {
    const double live = static_cast<float>(params.Get(i)->Value());
    const double stored = static_cast<float>(values[first + i]);
    if (!(std::fabs(live - stored) < 1e-5)) return false;
  }
  return true;
}
