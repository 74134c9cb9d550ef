#include "platform/Settings.h"

#include "platform/Files.h"
#include "platform/Text.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <sstream>
#include <system_error>

namespace platform {
namespace {

std::string Upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

std::vector<std::string> SplitColonList(const std::string& list) {
    std::vector<std::string> parts;
    std::stringstream in(list);
    for (std::string part; std::getline(in, part, ':');)
        if (!part.empty()) parts.push_back(part);
    return parts;
}

}  // namespace

Environment ProcessEnvironment() {
    return [](const std::string& name) -> std::optional<std::string> {
        const char* value = std::getenv(name.c_str());
        if (!value) return std::nullopt;
        return std::string(value);
    };
}

std::vector<std::filesystem::path> Settings::searchFolders(const Environment& env) {
    std::vector<std::filesystem::path> folders;
    const auto home = env("HOME").value_or("");
    const auto configHome = env("XDG_CONFIG_HOME");
    if (configHome && !configHome->empty())
        folders.emplace_back(*configHome);
    else if (!home.empty())
        folders.emplace_back(std::filesystem::path(home) / ".config");
    const auto configDirs = env("XDG_CONFIG_DIRS");
    auto dirs = SplitColonList(configDirs && !configDirs->empty() ? *configDirs : "/etc/xdg");
    folders.insert(folders.end(), dirs.begin(), dirs.end());
    return folders;
}

Settings Settings::load(const std::vector<std::filesystem::path>& folders) {
    for (const auto& folder : folders) {
        const auto file = folder / kRelativePath;
        std::error_code ec;
        if (!std::filesystem::exists(file, ec)) continue;
        try {
            return parse(ReadWholeFile(file), file);
        } catch (const std::system_error& e) {
            throw SettingsOpenError(e.code().value(), e.what());
        }
    }
    throw SettingsOpenError(ENOENT, std::string("no settings file ") + kRelativePath + " found");
}

Settings Settings::parse(const std::string& text, const std::filesystem::path& origin) {
    Settings settings;
    settings.file_ = origin;
    std::stringstream in(text);
    int lineNumber = 0;
    for (std::string raw; std::getline(in, raw);) {
        ++lineNumber;
        const std::string line(Trim(raw));
        if (line.empty() || line[0] == '#' || line[0] == ';') continue;
        if (line.front() == '[' && line.back() == ']') continue;
        const auto eq = line.find('=');
        const auto name = eq == std::string::npos ? "" : std::string(Trim(line.substr(0, eq)));
        if (name.empty() || line.find('\0') != std::string::npos)
            throw SettingsFormatError(lineNumber, origin.string() + ": line " +
                                                      std::to_string(lineNumber) +
                                                      " is not of the form NAME=value");
        settings.values_[Upper(name)] = std::string(Trim(line.substr(eq + 1)));
    }
    return settings;
}

std::optional<std::string> Settings::value(const std::string& name) const {
    const auto it = values_.find(Upper(name));
    if (it == values_.end()) return std::nullopt;
    return it->second;
}

}  // namespace platform
