#pragma once
// The per-machine settings of the program: an INI-style file TAVO/ZURE.conf
// holding DATA (data folder), DOUT (output folder) and the optional CONVERT.
// The program only reads it; the install step writes it.
//
// Format: one "NAME=value" per line; blank lines, lines starting with '#' or
// ';' and a "[section]" header are ignored; spaces around names and values
// are trimmed; value names are case-insensitive, as registry value names are.

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace platform {

// Looks up an environment variable; injectable so that tests choose the homes.
using Environment = std::function<std::optional<std::string>(const std::string& name)>;
Environment ProcessEnvironment();

// The settings file could not be opened: `code` is the errno of the failed
// open or read (ENOENT when no folder holds the file).
class SettingsOpenError : public std::runtime_error {
  public:
    SettingsOpenError(int code, const std::string& what) : std::runtime_error(what), code(code) {}
    int code;
};

// The settings file exists but is not a settings file.
class SettingsFormatError : public std::runtime_error {
  public:
    SettingsFormatError(int line, const std::string& what) : std::runtime_error(what), line(line) {}
    int line;  // the first line that is not a setting
};

class Settings {
  public:
    static constexpr const char* kRelativePath = "TAVO/ZURE.conf";

    // The folders searched in order: $XDG_CONFIG_HOME (default ~/.config),
    // then each folder of $XDG_CONFIG_DIRS (default /etc/xdg).
    static std::vector<std::filesystem::path> searchFolders(const Environment& env);

    // Reads the first TAVO/ZURE.conf found in the folders. Throws
    // SettingsOpenError or SettingsFormatError.
    static Settings load(const std::vector<std::filesystem::path>& folders);
    static Settings parse(const std::string& text, const std::filesystem::path& origin);

    std::optional<std::string> value(const std::string& name) const;
    const std::filesystem::path& file() const { return file_; }

  private:
    std::filesystem::path file_;
    std::map<std::string, std::string> values_;  // keys upper-cased
};

}  // namespace platform
