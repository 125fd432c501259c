#include "ReturnsWithin.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <future>
#include <thread>

void RequireReturnsWithin(std::chrono::milliseconds limit, const std::function<void()>& call) {
  std::promise<void> returned;
  std::future<void> done = returned.get_future();
  std::thread worker([&] {
    call();
    returned.set_value();
  });
  if (done.wait_for(limit) == std::future_status::timeout) {
    ADD_FAILURE() << "the call did not return within " << limit.count() << " ms";
    std::fflush(stdout);
    std::_Exit(EXIT_FAILURE);
  }
  worker.join();
}
