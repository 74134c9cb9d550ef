// Files mapped into memory while other programs may change them.

#include "files/checker/FileText.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "CheckerFiles.h"
#include "files/checker/CheckRun.h"
#include "platform/CodePage.h"
#include "support/TempDir.h"

using namespace files::checker;
using testing_support::TempDir;

namespace {

// Bytes over several pages, none of them zero.
std::string Pages(std::size_t count) {
    std::string bytes(count * 4096, 'x');
    for (std::size_t i = 0; i < bytes.size(); i += 97) bytes[i] = 'A' + static_cast<char>(i % 26);
    return bytes;
}

void Truncate(const std::filesystem::path& file, std::size_t size) {
    std::filesystem::resize_file(file, size);
}

// Sets the file's times an hour back, so that a write made now changes them
// whatever the resolution of the file system's clock.
void MakeOld(const std::filesystem::path& file) {
    struct timespec times[2];
    ::clock_gettime(CLOCK_REALTIME, &times[0]);
    times[0].tv_sec -= 3600;
    times[1] = times[0];
    ASSERT_EQ(::utimensat(AT_FDCWD, file.c_str(), times, 0), 0);
}

}  // namespace

TEST(FileText, MappingOfAFileCutShortReadsZerosInsteadOfStopping) {
    TempDir dir;
    const std::string bytes = Pages(5);
    const auto file = dir.write("PRODAGBI.TXT", bytes);
    auto text = FileText::map(file);
    ASSERT_TRUE(text);
    EXPECT_TRUE(text->isIntact());

    Truncate(file, 100);
    // Every byte can still be read: the first 100 as they were, the rest of
    // the mapping as zeros.
    const std::string_view view = text->view();
    ASSERT_EQ(view.size(), bytes.size());
    EXPECT_EQ(view.substr(0, 100), std::string_view(bytes).substr(0, 100));
    EXPECT_EQ(view.substr(4096), std::string(bytes.size() - 4096, '\0'));
    EXPECT_FALSE(text->isIntact());

    // A copy read now is the file as it is.
    EXPECT_EQ(FileText::read(file)->view(), std::string_view(bytes).substr(0, 100));
}

TEST(FileText, MappingOfAFileWrittenToIsNoLongerIntact) {
    TempDir dir;
    const auto file = dir.write("POKUPKI.TXT", Pages(2));
    MakeOld(file);
    auto text = FileText::map(file);
    ASSERT_TRUE(text);
    EXPECT_TRUE(text->isIntact());
    {
        std::FILE* f = std::fopen(file.c_str(), "r+b");
        ASSERT_NE(f, nullptr);
        std::fputc('Z', f);
        std::fclose(f);
    }
    EXPECT_FALSE(text->isIntact());
    // A copy keeps what was read.
    MakeOld(file);
    auto copy = FileText::read(file);
    dir.write("POKUPKI.TXT", "new");
    EXPECT_TRUE(copy->isIntact());
    EXPECT_EQ(copy->view().size(), 2 * 4096u);
}

TEST(FileText, OemConversionOfAMappingMakesAConvertedCopy) {
    TempDir dir;
    const auto file = dir.write("DEKLAR.TXT", "\x87\xAE\xE0\xA5\xA2\xA0 BG1");
    auto text = FileText::map(file);
    ASSERT_TRUE(text);
    text->convertFromOem();
    EXPECT_EQ(text->view(), "\xC7\xEE\xF0\xE5\xE2\xE0 BG1");
    // The file itself is not touched.
    EXPECT_EQ(testing_support::ReadFile(file), "\x87\xAE\xE0\xA5\xA2\xA0 BG1");
}

TEST(FileText, ManyMappingsAtOnceFallBackToCopies) {
    TempDir dir;
    const auto file = dir.write("f.txt", "bytes");
    std::vector<FileText> texts;
    for (int i = 0; i < 200; ++i) {
        auto text = FileText::map(file);
        ASSERT_TRUE(text);
        EXPECT_EQ(text->view(), "bytes");
        texts.push_back(std::move(*text));
    }
    for (const auto& text : texts) EXPECT_EQ(text.view(), "bytes");
}

TEST(FileTextDeathTest, BusErrorsElsewhereStillEndTheProgram) {
    TempDir dir;
    // The checker's handler is in place once a file was mapped.
    ASSERT_TRUE(FileText::map(dir.write("f.txt", Pages(1))));
    EXPECT_EXIT(::raise(SIGBUS), testing::KilledBySignal(SIGBUS), "");

    // A mapping of someone else's, cut short.
    const auto file = dir.write("other.bin", Pages(3));
    EXPECT_EXIT(
        {
            const int fd = ::open(file.c_str(), O_RDONLY);
            const auto* bytes = static_cast<const volatile char*>(
                ::mmap(nullptr, 3 * 4096, PROT_READ, MAP_PRIVATE, fd, 0));
            Truncate(file, 10);
            std::exit(bytes[2 * 4096]);
        },
        testing::KilledBySignal(SIGBUS), "");
}

TEST(CheckRun, StateTellsWhenItsFilesChangedAfterTheCheck) {
    TempDir dir;
    checker_test::WriteConsistentFolder(dir);
    CheckState state;
    const std::string report = RunCheck(state, dir.path(), RunKind::Folder, checker_test::kToday);
    EXPECT_TRUE(TextsIntact(state));
    // The records still point into the files; cut short, they read as zeros
    // and the state says so, so that nothing is added from them.
    Truncate(dir / "PRODAGBI.TXT", 10);
    EXPECT_FALSE(TextsIntact(state));
    EXPECT_EQ(state.sales.size(), 2u);
    EXPECT_EQ(state.sales[1].line.substr(0, 5), std::string(5, '\0'));
    // A new run reads the files as they are now.
    CheckState again;
    RunCheck(again, dir.path(), RunKind::Folder, checker_test::kToday);
    EXPECT_TRUE(TextsIntact(again));
    EXPECT_EQ(again.sales.size(), 1u);
    EXPECT_NE(report, "");
}
