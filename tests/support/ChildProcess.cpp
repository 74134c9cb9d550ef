#include "support/ChildProcess.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>

namespace testing_support {

std::chrono::duration<double> RunInChild(const std::function<void()>& work,
                                         std::optional<std::chrono::microseconds> killAfter) {
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = ::fork();
    if (child == 0) {
        try {
            work();
        } catch (...) {
            ::_exit(1);
        }
        ::_exit(0);
    }
    if (killAfter) {
        std::this_thread::sleep_for(*killAfter);
        ::kill(child, SIGKILL);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return std::chrono::steady_clock::now() - start;
}

KillMoments::KillMoments(std::chrono::duration<double> whole, double share)
    : seed_(std::random_device{}()),
      trace_(__FILE__, __LINE__, "seed " + std::to_string(seed_)),
      random_(seed_),
      share_(0.0, share),
      whole_(whole) {}

std::chrono::microseconds KillMoments::next() {
    return std::chrono::duration_cast<std::chrono::microseconds>(whole_ * share_(random_));
}

}  // namespace testing_support
