// The validation suite's entry: `--long` selects the long form; everything
// else goes to GoogleTest. Nothing heavy happens before the tests run, so
// listing the tests (as ctest's discovery does) stays instant.
#include <gtest/gtest.h>

#include "CommandLineFlag.h"
#include "ValidationSettings.h"

int main(int argc, char** argv) {
  if (TakeFlag(&argc, argv, "--long")) UseLongSettings();
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
