// The validation suite's entry: `--long` selects the long form; everything
// else goes to GoogleTest. Nothing heavy happens before the tests run, so
// listing the tests (as ctest's discovery does) stays instant.
#include <gtest/gtest.h>

#include <cstring>

#include "ValidationSettings.h"

int main(int argc, char** argv) {
  int kept = 1;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--long") == 0) {
      UseLongSettings();
    } else {
      argv[kept++] = argv[i];
    }
  }
  argv[kept] = nullptr;
  argc = kept;
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
