#pragma once
// Small file helpers shared by the subsystems.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Reads a whole file as bytes. Throws std::system_error carrying the errno of
// the failed open or read.
std::string readWholeFile(const std::filesystem::path& file);

// Writes the bytes completely or not at all: a temporary file in the same
// folder is written, flushed and then renamed over `file`. Throws
// std::system_error; on failure the old file, if any, is left as it was.
void writeFileAtomically(const std::filesystem::path& file, std::string_view bytes);

// Finds the entry of `folder` whose name equals `name` ignoring the case of
// ASCII letters (DEKLAR.TXT, Deklar.txt and deklar.txt are the same file).
// An exact match wins over others; nullopt when none exists.
std::optional<std::filesystem::path> findIgnoringCase(const std::filesystem::path& folder,
                                                      std::string_view name);

}  // namespace platform
