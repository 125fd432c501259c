// Synthesises the seven noise tables and writes them, ready to be embedded,
// into the directory given. Same output on every run: nothing is read.
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "BankWriter.h"
#include "NoiseBanks.h"
#include "TapeHiss.h"
#include "VinylNoise.h"

namespace {

// "Noise 1": cassette at 120 us, no noise reduction; two tracks of one tape.
constexpr TapeHissRecipe kNoise1 = {
    .seed = 0x4E6F697365310001ull,
    .length = kNoise1Length,
    .commonShare = 0.03,
    .transitionHz = 1326.0,
    .liftTopHz = 6500.0,
    .topCutLeftHz = 12500.0,
    .topCutRightHz = 12000.0,
    .topCutQ = 0.8,
    .lowCutHz = 30.0,
    .driftDb = 1.0,
    .rmsDb = -51.0,
    .peakLeftDb = -37.0,
    .peakRightDb = -35.0,
};

// "Noise 2": faster tape at 50 us, copied from a mono master, so both tracks
// carry nearly the same hiss.
constexpr TapeHissRecipe kNoise2 = {
    .seed = 0x4E6F697365320002ull,
    .length = kNoise2Length,
    .commonShare = 0.95,
    .transitionHz = 3183.0,
    .liftTopHz = 12000.0,
    .topCutLeftHz = 15000.0,
    .topCutRightHz = 15000.0,
    .topCutQ = 0.7,
    .lowCutHz = 25.0,
    .driftDb = 0.8,
    .rmsDb = -47.0,
    .peakLeftDb = -32.0,
    .peakRightDb = -32.0,
};

// "Vinyl 1": a played record in fair condition.
constexpr VinylRecipe kVinyl1 = {
    .seed = 0x56696E796C310003ull,
    .length = kVinyl1Length,
    .stereo = true,
    .bedCommonShare = 0.5,
    .rumbleDb = -8.0,
    .dragDb = -20.0,
    .grainRate = 150.0,
    .tickRate = 14.0,
    .popRate = 0.8,
    .tickTail = 1.4,
    .defectRevolutions = 3,
    .thumpDb = 15.6,
    .leftPlayedBackwards = true,
    .rmsDb = -48.0,
    .peakDb = {-12.0, -8.0},
};

// "Vinyl 2": a worn record, louder surface and busier crackle, one channel.
// Its onsets, like every click, are where the forward reading meets them.
constexpr VinylRecipe kVinyl2 = {
    .seed = 0x56696E796C320004ull,
    .length = kVinyl2Length,
    .stereo = false,
    .bedCommonShare = 1.0,
    .rumbleDb = -10.0,
    .dragDb = -16.0,
    .grainRate = 400.0,
    .tickRate = 28.0,
    .popRate = 1.5,
    .tickTail = 1.6,
    .defectRevolutions = 2,
    // Played both ways at once: a thump would be heard backwards on one side.
    .thumpDb = -std::numeric_limits<double>::infinity(),
    .leftPlayedBackwards = false,
    .rmsDb = -37.0,
    .peakDb = {-8.0, -8.0},
};

void Append(std::vector<NoiseBankData>& all, std::vector<NoiseBankData> more) {
  for (NoiseBankData& bank : more) all.push_back(std::move(bank));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3 || (argc == 3 && std::strcmp(argv[2], "--coff") != 0)) {
    std::fprintf(stderr, "usage: %s OUTPUT_DIRECTORY [--coff]\n", argv[0]);
    return 2;
  }
  const BankWriter::ObjectFormat format =
      argc == 3 ? BankWriter::ObjectFormat::kCoff : BankWriter::ObjectFormat::kElf;

  std::vector<NoiseBankData> banks;
  Append(banks, TapeHiss::Synthesise(kNoise1, "noise1Left", "noise1Right"));
  Append(banks, TapeHiss::Synthesise(kNoise2, "noise2Left", "noise2Right"));
  Append(banks, VinylNoise::Synthesise(kVinyl1, {"vinyl1Left", "vinyl1Right"}));
  Append(banks, VinylNoise::Synthesise(kVinyl2, {"vinyl2Mono"}));

  if (!BankWriter(argv[1], format).Write(banks)) {
    std::fprintf(stderr, "cannot write the noise tables into %s\n", argv[1]);
    return 1;
  }
  return 0;
}
