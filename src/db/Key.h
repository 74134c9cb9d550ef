#pragma once
// What unlocks an encrypted database file, and the cipher page format the
// file was made with.
//
// This version makes files with 4 KB cipher pages and a raw 256-bit key: the
// engine derives nothing at open, so a start costs no key stretching. The
// built-in key keeps the file from other programs, not from someone who has
// this one; a password of the user's own is stretched here (Argon2id) with the
// file's salt, so that each file needs its own guessing. Files made by
// earlier versions have 1 KB pages and a key the engine stretches from a text
// (PBKDF2, 64,000 rounds); they still open.

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace db {

enum class PageFormat {
    Current,  // 4 KB cipher pages
    Legacy,   // 1 KB cipher pages, the engine's older defaults
};

// The 16 bytes at the start of an encrypted file, stored in the clear.
using Salt = std::array<std::uint8_t, 16>;

class Key {
  public:
    static constexpr std::size_t kRawSize = 32;

    // The 256-bit key built into the program.
    static Key builtIn();
    // The text that keyed the files of earlier versions.
    static Key legacyBuiltIn();
    // A key used as it is.
    static Key raw(std::span<const std::uint8_t, kRawSize> bytes);
    // A text the engine stretches into the key (as earlier versions did).
    static Key passphrase(std::string_view text);
    // The key of a password of the user's own for the file with this salt:
    // Argon2id, 3 passes over 64 MB. Slow on purpose (a fraction of a second).
    static Key fromPassword(std::string_view password, const Salt& salt);

    bool isRaw() const { return raw_; }
    // The key as the engine takes it. A raw key carries `salt` when given, so
    // that a new file (an archive) gets the salt of the file it copies.
    std::string engineText(const std::optional<Salt>& salt = std::nullopt) const;

    bool operator==(const Key& other) const = default;

  private:
    Key(std::string bytes, bool raw) : bytes_(std::move(bytes)), raw_(raw) {}
    std::string bytes_;
    bool raw_;
};

// A key with the page format of the files it unlocks.
struct Lock {
    Key key;
    PageFormat format;
    bool operator==(const Lock& other) const = default;
};

// The ways the program's own key opens a file, cheapest first: files of this
// version, files of earlier versions, and older files whose password was
// removed again.
const std::vector<Lock>& BuiltInLocks();
// The ways a key of the user's password opens a file.
std::vector<Lock> LocksOf(const Key& key);

// The salt of an encrypted file; nullopt when the file is shorter than a salt.
std::optional<Salt> ReadSalt(const std::filesystem::path& file);

}  // namespace db
