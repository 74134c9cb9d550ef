#include "platform/Files.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>

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

namespace {

std::vector<std::string> Entries(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

// Files that must appear together are finished first and committed last; a
// finished file can still move to the folder the person chose, also on
// another file system (/dev/shm is one where it is mounted).
TEST(AtomicFileSet, FinishedFilesMoveToTheirTargetAndAppearOnlyOnCommit) {
    TempDir dir;
    std::vector<std::filesystem::path> elsewhere = {dir / "chosen"};
    std::filesystem::create_directories(elsewhere[0]);
    const auto shm =
        std::filesystem::path("/dev/shm") / ("zoreva-test-" + std::to_string(::getpid()));
    struct Remove {
        std::filesystem::path path;
        ~Remove() { std::filesystem::remove_all(path); }
    } removeShm{shm};
    if (std::filesystem::create_directory(shm)) elsewhere.push_back(shm);
    const std::string bytes(3 << 20, 'x');  // more than one buffer's worth
    testing_support::ScopedUmask umask(0);
    for (const auto& folder : elsewhere) {
        dir.write("a.txt", "old");
        const auto moved = folder / "a.txt";
        {
            AtomicFile file(dir / "a.txt");
            file.append(bytes);
            file.finish();
            EXPECT_EQ(ReadWholeFile(dir / "a.txt"), "old") << "finished is not yet in place";
            file.retarget(moved);
            EXPECT_EQ(file.target(), moved);
            EXPECT_EQ(Entries(dir.path()), (std::vector<std::string>{"a.txt", "chosen"}));
            EXPECT_FALSE(std::filesystem::exists(moved));
            file.commit();
        }
        EXPECT_EQ(ReadWholeFile(moved), bytes) << folder;
        EXPECT_EQ(ReadWholeFile(dir / "a.txt"), "old");
        EXPECT_EQ(testing_support::ModeOf(moved), 0600);
        EXPECT_EQ(Entries(folder), (std::vector<std::string>{"a.txt"})) << "no temporary left";
    }
}

TEST(AtomicFileSet, AFileNeverCommittedLeavesNothingWhereverItMoved) {
    TempDir dir;
    std::filesystem::create_directories(dir / "chosen");
    {
        AtomicFile file(dir / "a.txt");
        file.append("new");
        file.retarget(dir / "chosen" / "a.txt");  // finishes it first
    }
    EXPECT_EQ(Entries(dir.path()), (std::vector<std::string>{"chosen"}));
    EXPECT_TRUE(std::filesystem::is_empty(dir / "chosen"));
}

TEST(AtomicFileSet, StaleTemporaryFilesOfTheNamedFilesAreRemoved) {
    TempDir dir;
    for (const char* name : {".a.txt.tmp1", ".a.txt.tmp4294967295", ".b.txt.tmp20", ".a.txt.tmp",
                             ".a.txt.tmp1x", "a.txt.tmp1", ".c.txt.tmp1", "a.txt"})
        dir.write(name, "x");
    std::filesystem::create_directories(dir / ".b.txt.tmp21" / "inside");  // not a file of ours
    RemoveStaleTemporaryFiles(dir.path(), {"a.txt", "b.txt"});
    EXPECT_EQ(Entries(dir.path()),
              (std::vector<std::string>{".a.txt.tmp", ".a.txt.tmp1x", ".b.txt.tmp21", ".c.txt.tmp1",
                                        "a.txt", "a.txt.tmp1"}));
    RemoveStaleTemporaryFiles(dir / "missing", {"a.txt"});  // nothing to do, no error
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
