#pragma once
// Kill tests: work done in a child process that is killed at a chosen moment.

#include <chrono>
#include <functional>
#include <optional>

namespace testing_support {

// Runs `work` in a child process (a throw ends it with status 1) and sends it
// SIGKILL after `killAfter` (never, when nullopt). Returns how long it ran.
std::chrono::duration<double> RunInChild(const std::function<void()>& work,
                                         std::optional<std::chrono::microseconds> killAfter);

}  // namespace testing_support
