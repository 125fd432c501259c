#pragma once
#include <string>
#include <vector>

// What a run of kestravon-render printed and returned.
struct RunResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// Sound file contents as interleaved doubles.
struct AudioData {
  int channels = 0;
  int sampleRate = 0;
  std::vector<double> samples;
  size_t Frames() const { return channels ? samples.size() / channels : 0; }
};

// One parameter's line of --list: what it shows now and the values it takes.
struct ListedParameter {
  std::string display;
  std::string values;
};

RunResult RunRender(const std::vector<std::string>& args);
// The line of a parameter in the output of --list; empty when it is not there.
ListedParameter FindListed(const std::string& listOutput, const std::string& name);
// A fresh path in a directory of its own for the running test.
std::string TempPath(const std::string& name);
AudioData ReadAudio(const std::string& path);
// Writes 32-bit float WAV.
void WriteAudio(const std::string& path, const AudioData& audio);
// Deterministic noise-like test audio.
AudioData TestSignal(int channels, int frames, int sampleRate);
std::vector<unsigned char> ReadBytes(const std::string& path);
std::vector<std::string> Lines(const std::string& text);
