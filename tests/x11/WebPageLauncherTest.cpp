#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "editor/x11/WebPageLauncher.h"

namespace {

bool ReapAll(WebPageLauncher& launcher) {
  for (int i = 0; i < 500 && launcher.Running() > 0; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    launcher.Reap();
  }
  return launcher.Running() == 0;
}

}  // namespace

TEST(WebPageLauncher, StartsTheHandlerWithTheAddressAsItsOneArgument) {
  const std::filesystem::path target =
      std::filesystem::temp_directory_path() / ("kestravon launch " + std::to_string(getpid()));
  std::filesystem::remove(target);
  WebPageLauncher launcher("touch");
  ASSERT_TRUE(launcher.Open(target.c_str()));
  EXPECT_EQ(launcher.Running(), 1);
  EXPECT_TRUE(ReapAll(launcher)) << "finished children are collected";
  EXPECT_TRUE(std::filesystem::exists(target)) << "a space in the address stays in it";
  std::filesystem::remove(target);
}

TEST(WebPageLauncher, RefusesMissingHandlersAndAddressesThatReadAsOptions) {
  WebPageLauncher missing("kestravon-no-such-handler");
  EXPECT_FALSE(missing.Open("https://example.invalid/"));
  EXPECT_EQ(missing.Running(), 0);

  WebPageLauncher launcher("true");
  EXPECT_FALSE(launcher.Open(nullptr));
  EXPECT_FALSE(launcher.Open(""));
  EXPECT_FALSE(launcher.Open("--version"));
  EXPECT_EQ(launcher.Running(), 0);
  EXPECT_TRUE(launcher.Open("https://example.invalid/"));
  EXPECT_TRUE(ReapAll(launcher));
}
