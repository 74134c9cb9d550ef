#include "platform/Files.h"

#include <gtest/gtest.h>

#include "support/Permissions.h"
#include "support/TempDir.h"

using namespace platform;
using testing_support::TempDir;

TEST(AtomicWrite, ReplacesTheFileAndLeavesNoTemporary) {
    TempDir dir;
    dir.write("out.txt", "old");
    WriteFileAtomically(dir / "out.txt", std::string("new\0bytes", 9));
    EXPECT_EQ(ReadWholeFile(dir / "out.txt"), std::string("new\0bytes", 9));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(AtomicWrite, AFailedWriteKeepsTheOldFile) {
    TempDir dir;
    dir.write("out.txt", "old");
    EXPECT_THROW(WriteFileAtomically(dir / "missing-folder/out.txt", "x"), std::system_error);
    EXPECT_EQ(ReadWholeFile(dir / "out.txt"), "old");
}

TEST(ReadWholeFile, MissingFileCarriesErrno) {
    TempDir dir;
    try {
        ReadWholeFile(dir / "none");
        FAIL();
    } catch (const std::system_error& e) {
        EXPECT_EQ(e.code().value(), ENOENT);
    }
}

TEST(FindIgnoringCase, FindsAFileWhateverTheCaseOfItsName) {
    TempDir dir;
    dir.write("Deklar.txt", "x");
    EXPECT_EQ(FindIgnoringCase(dir.path(), "DEKLAR.TXT"), dir / "Deklar.txt");
    EXPECT_EQ(FindIgnoringCase(dir.path(), "deklar.txt"), dir / "Deklar.txt");
    EXPECT_EQ(FindIgnoringCase(dir.path(), "POKUPKI.TXT"), std::nullopt);
    EXPECT_EQ(FindIgnoringCase(dir / "no-folder", "x"), std::nullopt);
}

TEST(FindIgnoringCase, AnExactMatchWins) {
    TempDir dir;
    dir.write("vies.txt", "a");
    dir.write("VIES.TXT", "b");
    EXPECT_EQ(FindIgnoringCase(dir.path(), "VIES.TXT"), dir / "VIES.TXT");
}

TEST(PrivateFiles, WrittenFilesAndCreatedFoldersAreTheUsersAloneWhateverTheUmask) {
    for (const mode_t mask : {0000, 0022, 0077}) {
        testing_support::ScopedUmask umask(mask);
        TempDir dir;
        dir.write("out.txt", "old");
        std::filesystem::permissions(dir / "out.txt", std::filesystem::perms(0644));
        WriteFileAtomically(dir / "out.txt", "new");
        EXPECT_EQ(testing_support::ModeOf(dir / "out.txt"), 0600) << mask;

        EXPECT_FALSE(CreatePrivateFolder(dir / "made"));
        EXPECT_EQ(testing_support::ModeOf(dir / "made"), 0700) << mask;
        EXPECT_EQ(CreatePrivateFolder(dir / "none/made"), std::errc::no_such_file_or_directory);
    }
}

TEST(PrivateFiles, AnExistingFolderIsLeftAsItIsUntilMadePrivate) {
    TempDir dir;
    std::filesystem::create_directory(dir / "shared");
    std::filesystem::permissions(dir / "shared", std::filesystem::perms(0755));
    EXPECT_FALSE(CreatePrivateFolder(dir / "shared"));
    EXPECT_EQ(testing_support::ModeOf(dir / "shared"), 0755);
    EXPECT_TRUE(MakePrivate(dir / "shared"));
    EXPECT_EQ(testing_support::ModeOf(dir / "shared"), 0700);
    dir.write("file", "x");
    std::filesystem::permissions(dir / "file", std::filesystem::perms(0664));
    EXPECT_TRUE(MakePrivate(dir / "file"));
    EXPECT_EQ(testing_support::ModeOf(dir / "file"), 0600);
    EXPECT_FALSE(MakePrivate(dir / "missing"));
}
