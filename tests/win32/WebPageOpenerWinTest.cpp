// Opening the maker's page: the order of question, connectivity check,
// launch and error box.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/win32/WebPageOpenerWin.h"

namespace {

using Calls = std::vector<std::string>;

struct FakeSystem : WebPageSystem {
  bool Connected() override {
    calls.push_back("connected?");
    return connected;
  }
  std::intptr_t Launch(void*, const char* address) override {
    calls.push_back(std::string("launch ") + address);
    return launchResult;
  }
  bool Confirm(void*, const char* text, const char*) override {
    calls.push_back(std::string("ask ") + text);
    return yes;
  }
  void Tell(void*, const char* text, const char*) override {
    calls.push_back(std::string("tell ") + text);
  }
  bool connected = true;
  std::intptr_t launchResult = 33;
  bool yes = true;
  Calls calls;
};

}  // namespace

TEST(WebPageOpenerWin, ALaunchAbove32IsSuccessAndBoxesOnlyComeWithTexts) {
  FakeSystem system;
  WebPageOpenerWin opener(&system);
  EXPECT_TRUE(opener.Open(nullptr, "https://a", nullptr, nullptr, nullptr));
  EXPECT_EQ(system.calls, (Calls{"connected?", "launch https://a"}));

  system.calls.clear();
  system.launchResult = 32;
  EXPECT_FALSE(opener.Open(nullptr, "https://a", "Kestravon", nullptr, nullptr));
  EXPECT_FALSE(opener.Open(nullptr, "https://a", "Kestravon", nullptr, "Failed"));
  system.connected = false;
  EXPECT_FALSE(opener.Open(nullptr, "https://a", "Kestravon", nullptr, "No connection"));
  EXPECT_EQ(system.calls, (Calls{"connected?", "launch https://a", "connected?",
                                 "launch https://a", "tell Failed", "connected?",
                                 "tell No connection"}));

  system.calls.clear();
  system.connected = true;
  system.launchResult = 33;
  system.yes = false;
  EXPECT_FALSE(opener.Open(nullptr, "https://a", "Kestravon", "Open the page?", "Failed"));
  system.yes = true;
  EXPECT_TRUE(opener.Open(nullptr, "https://a", "Kestravon", "Open the page?", "Failed"));
  EXPECT_FALSE(opener.Open(nullptr, "", "Kestravon", "Go?", "Failed")) << "no address";
  EXPECT_EQ(system.calls, (Calls{"ask Open the page?", "ask Open the page?", "connected?",
                                 "launch https://a"}));
}

TEST(WebPageOpenerWin, TheRealShellRefusesAMissingFile) {
  WebPageOpenerWin opener;
  EXPECT_FALSE(opener.Open(nullptr, "C:\\kestravon-missing\\nothing.kestravon", nullptr, nullptr,
                           nullptr));
}
