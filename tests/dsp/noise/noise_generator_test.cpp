// Running the generator again gives exactly the tables compiled into the library.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "NoiseBankCases.h"

namespace {

std::vector<char> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) return {};
  std::vector<char> bytes(static_cast<size_t>(in.tellg()));
  in.seekg(0);
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return bytes;
}

TEST(NoiseGenerator, SecondRunReproducesTheCompiledTablesBitForBit) {
  const std::string directory = KESTRAVON_RERUN_DIR;
  std::filesystem::remove_all(directory);
  ASSERT_TRUE(std::filesystem::create_directories(directory));
  const std::string command = std::string("\"") + KESTRAVON_NOISEGEN + "\" \"" + directory + "\"";
  ASSERT_EQ(std::system(command.c_str()), 0);

  for (const NoiseBankCase& bank : kNoiseBankCases) {
    SCOPED_TRACE(bank.name);
    const std::vector<char> bytes = ReadBytes(directory + "/" + bank.name + ".f32");
    ASSERT_EQ(bytes.size(), bank.samples.size() * sizeof(float));
    EXPECT_EQ(std::memcmp(bytes.data(), bank.samples.data(), bytes.size()), 0);
    EXPECT_EQ(ReadClickList(directory, bank.name), ReadClickList(KESTRAVON_NOISE_DIR, bank.name));
  }
  std::filesystem::remove_all(directory);
}

}  // namespace
