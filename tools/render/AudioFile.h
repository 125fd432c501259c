#pragma once
#include <sndfile.h>

#include <cstdint>
#include <string>

// Sample formats an output file can be written in.
enum class SampleFormat { kSameAsInput, kFloat, kPcm16, kPcm24 };

// One sound file read or written in frames of interleaved doubles through
// libsndfile. The container of an output follows its extension: .wav,
// .flac, .aif/.aiff.
class AudioFile {
 public:
  AudioFile() = default;
  ~AudioFile();
  AudioFile(const AudioFile&) = delete;
  AudioFile& operator=(const AudioFile&) = delete;

  bool OpenRead(const std::string& path, std::string* error);
  // inputSubtype is the libsndfile subtype kSameAsInput refers to (0: none).
  // A subtype the container cannot hold falls back to one it can, and note
  // says so.
  bool OpenWrite(const std::string& path, int channels, int sampleRate, SampleFormat format,
                 int inputSubtype, std::string* error, std::string* note);
  // Returns the frames read; fewer than asked only at the end.
  int64_t Read(double* interleaved, int64_t frames);
  bool Write(const double* interleaved, int64_t frames);
  // Finishes the file; false when the data did not reach the disk.
  bool Close(std::string* error);

  int Channels() const { return info.channels; }
  int SampleRate() const { return info.samplerate; }
  int64_t Frames() const { return info.frames; }
  int Subtype() const { return info.format & SF_FORMAT_SUBMASK; }

  static bool ParseSampleFormat(const std::string& text, SampleFormat* format);
  // False with the reason when no file of this name can be written in this
  // format, whatever audio it is to hold.
  static bool CheckOutputName(const std::string& path, SampleFormat format, std::string* error);

 private:
  SNDFILE* file = nullptr;
  SF_INFO info{};
  std::string path;
  bool writeFailed = false;
};
