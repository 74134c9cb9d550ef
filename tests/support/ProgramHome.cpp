#include "support/ProgramHome.h"

namespace testing_support {

platform::Environment EnvironmentOf(const TempDir& home) {
    const auto config = (home / "config").string();
    return [config](const std::string& name) -> std::optional<std::string> {
        if (name == "XDG_CONFIG_HOME") return config;
        if (name == "XDG_CONFIG_DIRS") return config + "/none";
        return std::nullopt;
    };
}

}  // namespace testing_support
