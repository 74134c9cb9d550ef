#pragma once
// Database files as earlier versions of the program made them, for the tests
// of opening and carrying over old data.

#include <filesystem>
#include <string_view>

#include "db/Database.h"

namespace testing_support {

// The tables of earlier versions, kept in tests/support/schemas, and those
// made from them.
inline constexpr std::string_view kVersion0 = "version0";
// Version 0 as the oldest files have it: no KLON in DEKLAR, no BS8A, no SS8A.
inline constexpr std::string_view kVersion0WithoutOptionalColumns =
    "version0-without-optional-columns";

// Makes `file` with the tables of the named schema, keyed and paged as `lock`
// says (the page format and key of the version that made such files).
db::Database CreateOlderDatabase(const std::filesystem::path& file, std::string_view schema,
                                 const db::Lock& lock = {db::Key::legacyBuiltIn(),
                                                         db::PageFormat::Legacy});

}  // namespace testing_support
