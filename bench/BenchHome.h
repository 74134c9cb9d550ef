#pragma once
// A home of its own for the benchmarks that start the program: a temporary
// folder with the settings file and the data folder, and the environment
// that points the program there. Removed with all it holds at the end.

#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <string>

#include "platform/Settings.h"

class BenchHome {
  public:
    // `name`: the start of the folder's name, telling whose it is.
    explicit BenchHome(const std::string& name)
        : root(std::filesystem::temp_directory_path() /
               (name + std::to_string(std::random_device{}()))) {
        std::filesystem::create_directories(root / "config/TAVO");
        std::filesystem::create_directories(data());
        std::ofstream(root / "config/TAVO/ZURE.conf")
            << "DATA=" << data().string() << "\nDOUT=" << (root / "out").string() << "\n";
    }
    ~BenchHome() { std::filesystem::remove_all(root); }
    BenchHome(const BenchHome&) = delete;
    BenchHome& operator=(const BenchHome&) = delete;

    std::filesystem::path data() const { return root / "data"; }
    platform::Environment environment() const {
        const auto config = (root / "config").string();
        return [config](const std::string& name) -> std::optional<std::string> {
            if (name == "XDG_CONFIG_HOME") return config;
            if (name == "XDG_CONFIG_DIRS") return config + "/none";
            return std::nullopt;
        };
    }

    const std::filesystem::path root;
};
