#include "platform/Files.h"

#include <gtest/gtest.h>

#include "support/TempDir.h"

using namespace platform;
using testing_support::TempDir;

TEST(AtomicWrite, ReplacesTheFileAndLeavesNoTemporary) {
    TempDir dir;
    dir.write("out.txt", "old");
    writeFileAtomically(dir / "out.txt", std::string("new\0bytes", 9));
    EXPECT_EQ(readWholeFile(dir / "out.txt"), std::string("new\0bytes", 9));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(AtomicWrite, AFailedWriteKeepsTheOldFile) {
    TempDir dir;
    dir.write("out.txt", "old");
    EXPECT_THROW(writeFileAtomically(dir / "missing-folder/out.txt", "x"), std::system_error);
    EXPECT_EQ(readWholeFile(dir / "out.txt"), "old");
}

TEST(ReadWholeFile, MissingFileCarriesErrno) {
    TempDir dir;
    try {
        readWholeFile(dir / "none");
        FAIL();
    } catch (const std::system_error& e) {
        EXPECT_EQ(e.code().value(), ENOENT);
    }
}

TEST(FindIgnoringCase, FindsAFileWhateverTheCaseOfItsName) {
    TempDir dir;
    dir.write("Deklar.txt", "x");
    EXPECT_EQ(findIgnoringCase(dir.path(), "DEKLAR.TXT"), dir / "Deklar.txt");
    EXPECT_EQ(findIgnoringCase(dir.path(), "deklar.txt"), dir / "Deklar.txt");
    EXPECT_EQ(findIgnoringCase(dir.path(), "POKUPKI.TXT"), std::nullopt);
    EXPECT_EQ(findIgnoringCase(dir / "no-folder", "x"), std::nullopt);
}

TEST(FindIgnoringCase, AnExactMatchWins) {
    TempDir dir;
    dir.write("vies.txt", "a");
    dir.write("VIES.TXT", "b");
    EXPECT_EQ(findIgnoringCase(dir.path(), "VIES.TXT"), dir / "VIES.TXT");
}
