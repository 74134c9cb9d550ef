#include "db/Key.h"

#include <argon2.h>

#include <fstream>
#include <stdexcept>

namespace db {
namespace {

constexpr std::uint8_t kBuiltInKey[Key::kRawSize] = {
    0xf6, 0x65, 0x85, 0x96, 0xd3, 0x99, 0x6f, 0xda, 0x74, 0x82, 0x91, 0x65, 0x4d, 0x6a, 0x2c, 0x8d,
    0x69, 0xb0, 0xfe, 0x66, 0x90, 0x7c, 0x90, 0xe4, 0x30, 0xff, 0x58, 0xae, 0x21, 0xcc, 0x80, 0xce};

// Argon2id cost: about a quarter of a second on a modest machine, 64 MB of memory.
constexpr std::uint32_t kPasses = 3;
constexpr std::uint32_t kMemoryKiB = 64 * 1024;
constexpr std::uint32_t kLanes = 1;

void AppendHex(std::string& out, std::span<const std::uint8_t> bytes) {
    constexpr char kDigits[] = "0123456789abcdef";
    for (const auto b : bytes) {
        out += kDigits[b >> 4];
        out += kDigits[b & 0x0f];
    }
}

}  // namespace

Key Key::builtIn() {
    return raw(kBuiltInKey);
}

Key Key::legacyBuiltIn() {
    return passphrase("Pq№Жы7vX2m)Rt9Lk4Zs*");
}

Key Key::raw(std::span<const std::uint8_t, kRawSize> bytes) {
    return Key(std::string(bytes.begin(), bytes.end()), true);
}

Key Key::passphrase(std::string_view text) {
    return Key(std::string(text), false);
}

Key Key::fromPassword(std::string_view password, const Salt& salt) {
    std::array<std::uint8_t, kRawSize> derived{};
    const int rc = argon2id_hash_raw(kPasses, kMemoryKiB, kLanes, password.data(), password.size(),
                                     salt.data(), salt.size(), derived.data(), derived.size());
    if (rc != ARGON2_OK) throw std::runtime_error(argon2_error_message(rc));
    return raw(derived);
}

std::string Key::engineText(const std::optional<Salt>& salt) const {
    if (!raw_) return bytes_;
    std::string text = "x'";
    AppendHex(text, std::span(reinterpret_cast<const std::uint8_t*>(bytes_.data()), bytes_.size()));
    if (salt) AppendHex(text, *salt);
    text += '\'';
    return text;
}

const std::vector<Lock>& BuiltInLocks() {
    static const std::vector<Lock> kLocks = {
        {Key::builtIn(), PageFormat::Current},
        {Key::legacyBuiltIn(), PageFormat::Legacy},
        {Key::builtIn(), PageFormat::Legacy},
    };
    return kLocks;
}

std::vector<Lock> LocksOf(const Key& key) {
    return {{key, PageFormat::Current}, {key, PageFormat::Legacy}};
}

std::optional<Salt> ReadSalt(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    Salt salt{};
    in.read(reinterpret_cast<char*>(salt.data()), salt.size());
    if (in.gcount() != static_cast<std::streamsize>(salt.size())) return std::nullopt;
    return salt;
}

}  // namespace db
