#include "VinylNoise.h"

#include <algorithm>
#include <cmath>

#include "ClickShape.h"
#include "LevelShaper.h"
#include "NoiseRandom.h"
#include "ToneFilter.h"

namespace {

constexpr double kSampleRate = 44100.0;
// One revolution at 33 1/3 rpm.
constexpr long kRevolution = 79380;
// No event starts this close to the loop point, so none straddles it.
constexpr long kSeamGuard = 300;

double FromDb(double db) { return std::pow(10.0, db / 20.0); }

struct Channel {
  std::vector<double> bed;      // unit RMS
  std::vector<double> crackle;  // in units of the bed's RMS
  std::vector<double> marker;   // the loudest tick, unit size: sets the peak
  std::vector<long> onsets;
  bool backwards = false;  // shapes run towards lower indexes, ending at their onset
};

std::vector<double> Gaussian(NoiseRandom& random, long length) {
  std::vector<double> out(length);
  for (double& x : out) x = random.NextGaussian();
  return out;
}

void NormaliseRms(std::vector<double>& signal) {
  LevelShaper::Scale(signal, 1.0 / LevelShaper::Rms(signal));
}

// Surface hiss after RIAA playback (3180, 318 and 75 us), with a low cut and
// the cartridge's roll-off at the top.
std::vector<ToneFilter> SurfaceChain() {
  return {ToneFilter::Highpass(25.0, 0.7), ToneFilter::PoleZero(50.05, 500.5),
          ToneFilter::PoleZero(2122.0, 0.0), ToneFilter::Lowpass(16000.0, 0.7)};
}

// Arm and platter: mostly below 80 Hz, with the arm resonance near 18 Hz.
std::vector<ToneFilter> RumbleChain() {
  return {ToneFilter::Highpass(6.0, 0.7), ToneFilter::Lowpass(18.0, 2.0),
          ToneFilter::Lowpass(80.0, 0.7)};
}

std::vector<double> ShapedNoise(NoiseRandom& random, long length, std::vector<ToneFilter> chain) {
  std::vector<double> noise = Gaussian(random, length);
  FilterCircular(std::move(chain), noise);
  NormaliseRms(noise);
  return noise;
}

void MakeBeds(NoiseRandom& random, const VinylRecipe& recipe, std::vector<Channel>& channels) {
  const long n = recipe.length;
  const std::vector<double> common = Gaussian(random, n);
  const double commonGain = std::sqrt(recipe.bedCommonShare);
  const double ownGain = std::sqrt(1.0 - recipe.bedCommonShare);
  for (Channel& channel : channels) {
    channel.bed = Gaussian(random, n);
    for (long i = 0; i < n; ++i) channel.bed[i] = commonGain * common[i] + ownGain * channel.bed[i];
    FilterCircular(SurfaceChain(), channel.bed);
    NormaliseRms(channel.bed);
    const std::vector<double> drag = ShapedNoise(
        random, n, {ToneFilter::Bandpass(9000.0, 0.6), ToneFilter::Lowpass(15000.0, 0.7)});
    const double dragGain = FromDb(recipe.dragDb);
    for (long i = 0; i < n; ++i) channel.bed[i] += dragGain * drag[i];
  }
  // Vertical stylus motion reaches the two channels in opposite polarity.
  const std::vector<double> side = ShapedNoise(random, n, RumbleChain());
  const std::vector<double> mid = ShapedNoise(random, n, RumbleChain());
  const double rumbleGain = FromDb(recipe.rumbleDb);
  for (size_t c = 0; c < channels.size(); ++c) {
    const double sideGain = channels.size() == 1 ? 0.0 : (c == 0 ? rumbleGain : -rumbleGain);
    for (long i = 0; i < n; ++i) {
      channels[c].bed[i] += sideGain * side[i] + 0.35 * rumbleGain * mid[i];
    }
    NormaliseRms(channels[c].bed);
  }
}

// RMS of what lies above 2 kHz, where the ticks stand out.
double HighBandRms(const std::vector<double>& signal) {
  std::vector<double> high = signal;
  FilterCircular({ToneFilter::Highpass(2000.0, 0.707)}, high);
  return LevelShaper::Rms(high);
}

void AddShape(std::vector<double>& layer, const std::vector<double>& shape, long onset, double size,
              bool backwards) {
  const long n = static_cast<long>(layer.size());
  const long step = backwards ? n - 1 : 1;  // -1 modulo n
  long index = onset;
  for (double value : shape) {
    layer[index] += size * value;
    index = (index + step) % n;
  }
}

std::vector<long> PoissonOnsets(NoiseRandom& random, double ratePerSecond, long length) {
  std::vector<long> onsets;
  const double meanGap = kSampleRate / ratePerSecond;
  for (double t = random.NextExponential(meanGap); t < static_cast<double>(length);
       t += random.NextExponential(meanGap)) {
    const long onset = static_cast<long>(t);
    if (onset >= kSeamGuard && onset < length - kSeamGuard) onsets.push_back(onset);
  }
  return onsets;
}

// The surface's own grain: dense, faint ticks that roughen the hiss. Sizes
// stay below 3 sigmas of the hiss above 2 kHz, so none of them counts as a click.
void AddGrain(NoiseRandom& random, const VinylRecipe& recipe, std::vector<Channel>& channels) {
  for (Channel& channel : channels) {
    const double sigma = HighBandRms(channel.bed);
    for (long onset : PoissonOnsets(random, recipe.grainRate, recipe.length)) {
      const std::vector<double> tick =
          ClickShape::Tick(ClickShape::Burst(random, 1), random.NextRange(5000.0, 14000.0), 1.0);
      AddShape(channel.bed, tick, onset, random.NextPareto(0.7 * sigma, 2.0, 3.0 * sigma),
               channel.backwards);
    }
    NormaliseRms(channel.bed);
  }
}

// Puts one event into the channels: a single channel, or both with the second
// a little different (size, resonance, sometimes polarity) as real ticks are.
class EventPlacer {
 public:
  EventPlacer(NoiseRandom& random, std::vector<Channel>& channels, double minSize)
      : random(random), channels(channels), minSize(minSize) {}

  void Place(long onset, double size, double bothShare, double resonanceHz,
             const std::vector<double>& burst, double popCornerHz) {
    auto shape = [&](double hz) {
      return popCornerHz > 0.0 ? ClickShape::Pop(burst, popCornerHz, hz)
                               : ClickShape::Tick(burst, hz, random.NextRange(1.0, 2.5));
    };
    const size_t first = channels.size() == 1 ? 0 : (random.NextUniform() < 0.5 ? 0 : 1);
    Add(first, onset, size, shape(resonanceHz));
    if (channels.size() == 1 || random.NextUniform() >= bothShare) return;
    const double polarity = random.NextUniform() < 0.35 ? -1.0 : 1.0;
    const double second = std::max(minSize, size * random.NextRange(0.4, 1.0));
    Add(1 - first, onset, polarity * second, shape(resonanceHz * random.NextRange(0.9, 1.1)));
  }

 private:
  void Add(size_t channel, long onset, double size, const std::vector<double>& shape) {
    AddShape(channels[channel].crackle, shape, onset, size, channels[channel].backwards);
    channels[channel].onsets.push_back(onset);
  }

  NoiseRandom& random;
  std::vector<Channel>& channels;
  double minSize;
};

void PlaceCrackle(NoiseRandom& random, const VinylRecipe& recipe, std::vector<Channel>& channels,
                  double minTick, double maxSize) {
  EventPlacer placer(random, channels, minTick);
  for (long onset : PoissonOnsets(random, recipe.tickRate, recipe.length)) {
    const std::vector<double> burst =
        ClickShape::Burst(random, 1 + static_cast<int>(random.NextRange(0.0, 4.0)));
    const double size = random.NextPareto(minTick, recipe.tickTail, maxSize);
    placer.Place(onset, size, 0.4, random.NextRange(6000.0, 14000.0), burst, 0.0);
  }
  for (long onset : PoissonOnsets(random, recipe.popRate, recipe.length)) {
    const std::vector<double> burst =
        ClickShape::Burst(random, static_cast<int>(random.NextRange(11.0, 44.0)));
    const double size = random.NextPareto(std::min(3.0 * minTick, 0.5 * maxSize), 1.2, maxSize);
    placer.Place(onset, size, 0.75, random.NextRange(8000.0, 14000.0), burst,
                 random.NextRange(700.0, 1500.0));
  }
}

// A scratch met on a few successive revolutions, then gone: it repeats, but
// never across the loop point.
void PlaceDefect(NoiseRandom& random, const VinylRecipe& recipe, std::vector<Channel>& channels,
                 double popSize) {
  const double thumpSize = FromDb(recipe.thumpDb);
  const long span = (recipe.defectRevolutions - 1) * kRevolution;
  const long margin = recipe.length / 10;
  const long start = static_cast<long>(random.NextRange(
      static_cast<double>(margin), static_cast<double>(recipe.length - margin - span)));
  const std::vector<double> burst = ClickShape::Burst(random, 20);
  const std::vector<double> pop = ClickShape::Pop(burst, 1000.0, 11000.0);
  const std::vector<double> thump = ClickShape::Thump(random);
  for (int r = 0; r < recipe.defectRevolutions; ++r) {
    const long onset = start + r * kRevolution + static_cast<long>(random.NextRange(-20.0, 20.0));
    const double size = popSize * random.NextRange(0.75, 1.25);
    const double thumpGain = thumpSize * random.NextRange(0.7, 1.1);
    for (size_t c = 0; c < channels.size(); ++c) {
      const double popGain = c == 0 ? 1.0 : 0.5;
      const double thumpPolarity = c == 0 ? 1.0 : -1.0;
      AddShape(channels[c].crackle, pop, onset, popGain * size, channels[c].backwards);
      AddShape(channels[c].crackle, thump, onset, thumpPolarity * thumpGain, channels[c].backwards);
      channels[c].onsets.push_back(onset);
    }
  }
}

void PlaceMarker(NoiseRandom& random, const VinylRecipe& recipe, Channel& channel) {
  const long onset =
      static_cast<long>(random.NextRange(0.1, 0.9) * static_cast<double>(recipe.length));
  // About 0.1 ms: a table this quiet holds too little energy for a longer loud click.
  const std::vector<double> tick = ClickShape::Tick(ClickShape::Burst(random, 2), 12000.0, 1.2);
  channel.marker.assign(recipe.length, 0.0);
  AddShape(channel.marker, tick, onset, 1.0, channel.backwards);
  channel.onsets.push_back(onset);
}

std::vector<double> Mix(const Channel& channel, double bedGain, double markerGain) {
  std::vector<double> out(channel.bed.size());
  for (size_t i = 0; i < out.size(); ++i) {
    out[i] = bedGain * (channel.bed[i] + channel.crackle[i]) + markerGain * channel.marker[i];
  }
  return out;
}

double Energy(const std::vector<double>& signal) {
  double sum = 0.0;
  for (double x : signal) sum += x * x;
  return sum;
}

// Bed and crackle share one gain that sets the RMS; the marker tick alone sets the peak.
std::vector<double> FitLevels(const Channel& channel, double rms, double peak) {
  const double n = static_cast<double>(channel.bed.size());
  const double budget =
      std::max(n * rms * rms - peak * peak * Energy(channel.marker), 0.25 * n * rms * rms);
  double bedGain = std::sqrt(budget / (Energy(channel.bed) + Energy(channel.crackle)));
  double markerGain = peak;
  for (int pass = 0; pass < 5; ++pass) {
    const std::vector<double> out = Mix(channel, bedGain, markerGain);
    const double rmsScale = rms / LevelShaper::Rms(out);
    bedGain *= rmsScale;
    markerGain *= peak / LevelShaper::Peak(out);  // the marker is where the peak lies
  }
  std::vector<double> out = Mix(channel, bedGain, markerGain);
  LevelShaper::Scale(out, rms / LevelShaper::Rms(out));
  return out;
}

}  // namespace

std::vector<NoiseBankData> VinylNoise::Synthesise(const VinylRecipe& recipe,
                                                  const std::vector<const char*>& names) {
  NoiseRandom random(recipe.seed);
  std::vector<Channel> channels(recipe.stereo ? 2 : 1);
  channels[0].backwards = recipe.stereo && recipe.leftPlayedBackwards;
  MakeBeds(random, recipe, channels);
  AddGrain(random, recipe, channels);
  for (Channel& channel : channels) channel.crackle.assign(recipe.length, 0.0);

  // Every tick must stand clear of the hiss; none but the marker may come near the peak.
  const double minTick = 10.0 * HighBandRms(channels[0].bed);
  const double rms = FromDb(recipe.rmsDb);
  const double maxSize = 0.45 * FromDb(std::min(recipe.peakDb[0], recipe.peakDb[1])) / rms;
  PlaceCrackle(random, recipe, channels, minTick, maxSize);
  PlaceDefect(random, recipe, channels, 0.6 * maxSize);
  for (Channel& channel : channels) PlaceMarker(random, recipe, channel);

  std::vector<NoiseBankData> banks;
  for (size_t c = 0; c < channels.size(); ++c) {
    std::sort(channels[c].onsets.begin(), channels[c].onsets.end());
    banks.push_back({names[c], FitLevels(channels[c], rms, FromDb(recipe.peakDb[c])),
                     std::move(channels[c].onsets)});
  }
  return banks;
}
