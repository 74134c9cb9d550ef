#pragma once
// A folder of its own for one test, removed with everything in it at the end.

#include <filesystem>
#include <string>
#include <string_view>

namespace testing_support {

class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(std::string_view name) const { return path_ / name; }
    // Writes the bytes to a file below the folder, creating folders on the way.
    std::filesystem::path write(std::string_view relative, std::string_view bytes) const;

  private:
    std::filesystem::path path_;
};

std::string ReadFile(const std::filesystem::path& file);

}  // namespace testing_support
