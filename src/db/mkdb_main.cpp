// zoreva-mkdb FILE: writes a fresh, empty database built from the schema.
// The install step uses it to deliver ZORV1.MDB; an existing FILE is replaced
// only once the new database is complete.

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

#include "db/Database.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: zoreva-mkdb FILE\n");
        return 2;
    }
    const std::filesystem::path target = argv[1];
    const auto temporary =
        std::filesystem::path(target.string() + ".new" + std::to_string(std::random_device{}()));
    try {
        db::Database::create(temporary);  // closed again at the end of the statement
        std::filesystem::rename(temporary, target);
    } catch (const std::exception& e) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        std::fprintf(stderr, "zoreva-mkdb: %s\n", e.what());
        return 1;
    }
    return 0;
}
