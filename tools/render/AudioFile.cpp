#include "tools/render/AudioFile.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr int kCommonSampleRate = 44100;

std::string LowerExtension(const std::string& path) {
  const size_t dot = path.find_last_of('.');
  const size_t slash = path.find_last_of('/');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
  std::string extension = path.substr(dot + 1);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension;
}

int ContainerFor(const std::string& path) {
  const std::string extension = LowerExtension(path);
  if (extension == "wav") return SF_FORMAT_WAV;
  if (extension == "flac") return SF_FORMAT_FLAC;
  if (extension == "aif" || extension == "aiff") return SF_FORMAT_AIFF;
  return 0;
}

int SubtypeFor(SampleFormat format, int inputSubtype) {
  switch (format) {
    case SampleFormat::kFloat:
      return SF_FORMAT_FLOAT;
    case SampleFormat::kPcm16:
      return SF_FORMAT_PCM_16;
    case SampleFormat::kPcm24:
      return SF_FORMAT_PCM_24;
    case SampleFormat::kSameAsInput:
      break;
  }
  return inputSubtype;
}

bool Holds(int container, int subtype, int channels, int sampleRate) {
  SF_INFO probe{};
  probe.format = container | subtype;
  probe.channels = channels;
  probe.samplerate = sampleRate;
  return subtype != 0 && sf_format_check(&probe) == SF_TRUE;
}

std::string CannotHold(const std::string& path) {
  return "the output format of " + path + " cannot hold that sample format";
}

}  // namespace

AudioFile::~AudioFile() {
  if (file) sf_close(file);
}

bool AudioFile::OpenRead(const std::string& filePath, std::string* error) {
  path = filePath;
  info = SF_INFO{};
  file = sf_open(filePath.c_str(), SFM_READ, &info);
  if (!file) {
    *error = "cannot read " + filePath + ": " + sf_strerror(nullptr);
    return false;
  }
  if (info.channels < 1 || info.samplerate < 1) {
    *error = filePath + ": no channels or no sample rate";
    return false;
  }
  return true;
}

bool AudioFile::OpenWrite(const std::string& filePath, int channels, int sampleRate,
                          SampleFormat format, int inputSubtype, std::string* error,
                          std::string* note) {
  path = filePath;
  if (!CheckOutputName(filePath, format, error)) return false;
  const int container = ContainerFor(filePath);
  int subtype = SubtypeFor(format, inputSubtype);
  if (!Holds(container, subtype, channels, sampleRate)) {
    if (format != SampleFormat::kSameAsInput) {
      *error = CannotHold(filePath);
      return false;
    }
    subtype = container == SF_FORMAT_FLAC ? SF_FORMAT_PCM_24 : SF_FORMAT_FLOAT;
    if (inputSubtype != 0) {
      *note = filePath + ": the input's sample format does not fit this file type; writing " +
              (subtype == SF_FORMAT_FLOAT ? "32-bit float" : "24-bit PCM");
    }
  }
  info = SF_INFO{};
  info.format = container | subtype;
  info.channels = channels;
  info.samplerate = sampleRate;
  file = sf_open(filePath.c_str(), SFM_WRITE, &info);
  if (!file) {
    *error = "cannot write " + filePath + ": " + sf_strerror(nullptr);
    return false;
  }
  // Integer files clip out-of-range samples instead of wrapping them round.
  sf_command(file, SFC_SET_CLIPPING, nullptr, SF_TRUE);
  // The PEAK chunk of float files carries the time of writing; without it the
  // same audio always gives the same file.
  sf_command(file, SFC_SET_ADD_PEAK_CHUNK, nullptr, SF_FALSE);
  return true;
}

int64_t AudioFile::Read(double* interleaved, int64_t frames) {
  if (!file || frames <= 0) return 0;
  return sf_readf_double(file, interleaved, frames);
}

bool AudioFile::Write(const double* interleaved, int64_t frames) {
  if (!file) return false;
  if (frames > 0 && sf_writef_double(file, interleaved, frames) != frames) writeFailed = true;
  return !writeFailed;
}

bool AudioFile::Close(std::string* error) {
  bool ok = !writeFailed;
  if (file && sf_close(file) != 0) ok = false;
  file = nullptr;
  if (!ok) *error = "writing " + path + " failed";
  return ok;
}

bool AudioFile::CheckOutputName(const std::string& path, SampleFormat format, std::string* error) {
  const int container = ContainerFor(path);
  if (container == 0) {
    *error = "unsupported output format for " + path + " (use .wav, .flac, .aif or .aiff)";
    return false;
  }
  // One channel at a common rate: what any file of the type can hold.
  if (format != SampleFormat::kSameAsInput &&
      !Holds(container, SubtypeFor(format, 0), 1, kCommonSampleRate)) {
    *error = CannotHold(path);
    return false;
  }
  return true;
}

bool AudioFile::ParseSampleFormat(const std::string& text, SampleFormat* format) {
  if (text == "float")
    *format = SampleFormat::kFloat;
  else if (text == "pcm16")
    *format = SampleFormat::kPcm16;
  else if (text == "pcm24")
    *format = SampleFormat::kPcm24;
  else
    return false;
  return true;
}
