#pragma once
// Looking at the permissions of what the program wrote, under a umask the
// test chooses.

#include <sys/stat.h>

#include <filesystem>

namespace testing_support {

// The permission bits of a file or folder; -1 when it does not exist.
int ModeOf(const std::filesystem::path& path);

// Sets the process umask for the life of the object.
class ScopedUmask {
  public:
    explicit ScopedUmask(mode_t mask) : old_(::umask(mask)) {}
    ~ScopedUmask() { ::umask(old_); }
    ScopedUmask(const ScopedUmask&) = delete;
    ScopedUmask& operator=(const ScopedUmask&) = delete;

  private:
    mode_t old_;
};

}  // namespace testing_support
