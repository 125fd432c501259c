#pragma once

#include <gtest/gtest.h>

#include <string>

#include "XvfbServer.h"

// Tests that need an X server get a private 24-bit one. Only a machine
// without Xvfb skips them; the project's dependency script installs it.
class XvfbTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!XvfbServer::Installed()) GTEST_SKIP() << "Xvfb is not installed";
    std::string error;
    ASSERT_TRUE(server.Start(24, &error)) << error;
  }

  XvfbServer server;
};
