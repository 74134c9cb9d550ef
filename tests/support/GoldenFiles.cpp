#include "support/GoldenFiles.h"

#include <filesystem>

#include "support/TempDir.h"

namespace testing_support {

std::string Golden(const std::string& name) {
    return ReadFile(std::filesystem::path(ZOREVA_SOURCE_DIR) / "tests/files/golden" / name);
}

}  // namespace testing_support
