#pragma once
// The peak resident memory of a piece of work alone: it runs in a child
// process of its own, whose peak is the work's (plus the few megabytes of
// the program itself).

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <optional>

// Runs `work` in a forked child and returns the child's peak resident
// memory in kilobytes; nullopt when the child could not be made or `work`
// failed (returned false or ended the child otherwise).
inline std::optional<long> ChildPeakResidentKb(const std::function<bool()>& work) {
    const pid_t child = fork();
    if (child == 0) _exit(work() ? 0 : 1);
    int status = 0;
    rusage usage{};
    if (child < 0 || wait4(child, &status, 0, &usage) != child || status != 0) return std::nullopt;
    return usage.ru_maxrss;
}
