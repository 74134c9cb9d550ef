#pragma once
// Kill tests: work done in a child process that is killed at a chosen moment.

#include <chrono>
#include <functional>
#include <optional>
#include <random>

#include <gtest/gtest.h>

namespace testing_support {

// Runs `work` in a child process (a throw ends it with status 1) and sends it
// SIGKILL after `killAfter` (never, when nullopt). Returns how long it ran.
std::chrono::duration<double> RunInChild(const std::function<void()>& work,
                                         std::optional<std::chrono::microseconds> killAfter);

// Moments to kill a child at: at random within the first `share` of how
// long the whole work took. The seed is named in every failure reported
// while the object lives, so that a failing run can be repeated.
class KillMoments {
  public:
    KillMoments(std::chrono::duration<double> whole, double share);
    std::chrono::microseconds next();

  private:
    unsigned seed_;
    ::testing::ScopedTrace trace_;
    std::mt19937 random_;
    std::uniform_real_distribution<double> share_;
    std::chrono::duration<double> whole_;
};

}  // namespace testing_support
