#pragma once

// How much audio and how many repetitions the validation suite uses. The
// short form runs with every ctest run, in the release and the sanitizer
// builds alike; the long form (--long) is run by hand and may take minutes.
struct ValidationSettings {
  // Test signal length of each block-size render.
  double blockSizeSeconds;
  // Programs each block size is rendered with, taken in turn from the
  // factory list so that the sizes of a family together meet every program:
  // for the sizes 1..64, and for the larger ones. A host that changes the
  // size on every call always meets all programs.
  int programsPerSmallSize;
  int programsPerLargeSize;
  // Audio per program and sample rate, and a cap on its frames (0: none) so
  // the highest rates do not dominate the short form.
  double sampleRateSeconds;
  int sampleRateMaxFrames;
  // Programs that go through the rate changes while running.
  int rateChangePrograms;
  // Blocks of 512 processed at each rate of the rate-change walk.
  int blocksPerRateChange;
  // Create, open, process and close cycles of the lifecycle test.
  int lifecycleCycles;
  // How long a child process checking one bad value may take.
  double childTimeoutSeconds;
};

const ValidationSettings& Settings();
// Switches to the long form; called from main before any test runs.
void UseLongSettings();
