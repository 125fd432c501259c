#pragma once
#include <chrono>
#include <functional>

// Runs the call on a thread of its own and waits for it up to the limit. A
// call still running then has hung and would hang the test program with
// it, so the test is failed there and the program ended.
void RequireReturnsWithin(std::chrono::milliseconds limit, const std::function<void()>& call);
