// Renders a fixed signal through every program and compares the output with
// stored hashes, so that any change to the sound is noticed. To accept a
// deliberate change, run this test with KESTRAVON_UPDATE_GOLDEN=1: it
// rewrites the stored file, which is then committed with the change.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>

#include "EngineRunner.h"

namespace {

constexpr double kSeconds = 0.6;

uint64_t Fnv1a(const std::vector<std::vector<double>>& channels) {
  uint64_t hash = 1469598103934665603ull;
  for (const auto& channel : channels) {
    for (double v : channel) {
      uint64_t bits;
      std::memcpy(&bits, &v, 8);
      for (int b = 0; b < 8; ++b) {
        hash ^= (bits >> (8 * b)) & 0xff;
        hash *= 1099511628211ull;
      }
    }
  }
  return hash;
}

std::vector<std::vector<double>> Render(int program, double sampleRate) {
  EngineRunner runner(sampleRate, 512);
  runner.plug->LoadPreset(program);
  const auto signal = TestSignal(static_cast<int>(kSeconds * sampleRate), sampleRate);
  return runner.Run(signal[0], signal[1]);
}

std::string Key(int program, double rate) {
  return std::to_string(static_cast<int>(rate)) + " " + std::to_string(program);
}

std::map<std::string, std::string> ReadStored() {
  std::map<std::string, std::string> stored;
  std::ifstream file(KESTRAVON_GOLDEN_FILE);
  std::string rate, program, hash;
  while (file >> rate >> program >> hash) stored[rate + " " + program] = hash;
  return stored;
}

std::string Hex(uint64_t v) {
  std::ostringstream out;
  out << std::hex << v;
  return out.str();
}

}  // namespace

TEST(GoldenRender, EveryProgramAtTwoRatesMatchesTheStoredSound) {
  std::map<std::string, std::string> rendered;
  for (double rate : {44100.0, 48000.0}) {
    for (int program = 0; program < 16; ++program) {
      rendered[Key(program, rate)] = Hex(Fnv1a(Render(program, rate)));
    }
  }
  const char* update = std::getenv("KESTRAVON_UPDATE_GOLDEN");
  if (update && std::string(update) == "1") {
    std::ofstream file(KESTRAVON_GOLDEN_FILE);
    for (const auto& [key, hash] : rendered) file << key << " " << hash << "\n";
    GTEST_SKIP() << "stored hashes rewritten";
  }
  const auto stored = ReadStored();
  ASSERT_EQ(stored.size(), rendered.size())
      << "no stored hashes: run with KESTRAVON_UPDATE_GOLDEN=1";
  for (const auto& [key, hash] : rendered)
    EXPECT_EQ(hash, stored.at(key)) << "rate, program: " << key;
}

TEST(GoldenRender, SameOutputOnEveryRunAndOnEveryThread) {
  const auto first = Render(11, 44100.0);
  EXPECT_EQ(Render(11, 44100.0), first);
  std::vector<std::vector<double>> onA, onB;
  std::thread a([&] { onA = Render(11, 44100.0); });
  std::thread b([&] { onB = Render(11, 44100.0); });
  a.join();
  b.join();
  EXPECT_EQ(onA, first);
  EXPECT_EQ(onB, first);
}
