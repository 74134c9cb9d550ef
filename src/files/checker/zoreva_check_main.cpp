// zoreva-check: the file checker on the command line, for accountants who
// check files from any source and for scripts.
//
//   zoreva-check [--oem] [--today YYYY-MM-DD] DIR
//
// Writes the report of the check run on DIR to standard output, as the
// dialog shows it: UTF-8, CR LF line ends kept. Exit status 0 when the
// report lists no fatal error, 1 when it lists one (or a file is not in
// Windows-1251, so nothing could be checked), 2 when the check could not run.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <new>
#include <optional>
#include <string>
#include <string_view>

#include "files/checker/CheckRun.h"
#include "platform/CodePage.h"

namespace {

constexpr const char* kUsage = "usage: zoreva-check [--oem] [--today YYYY-MM-DD] DIR";

struct Options {
    bool oem = false;
    std::optional<platform::LocalDateTime> today;
    std::filesystem::path folder;
};

struct UsageError {
    std::string message;
};

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

// A real calendar date written YYYY-MM-DD.
std::optional<platform::LocalDateTime> ParseDate(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
    for (std::size_t i : {0, 1, 2, 3, 5, 6, 8, 9})
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
    const auto number = [&](std::size_t start, std::size_t length) {
        int value = 0;
        for (std::size_t i = start; i < start + length; ++i) value = value * 10 + (text[i] - '0');
        return value;
    };
    platform::LocalDateTime date;
    date.year = number(0, 4);
    date.month = number(5, 2);
    date.day = number(8, 2);
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (date.year < 1 || date.month < 1 || date.month > 12 || date.day < 1) return std::nullopt;
    const int days = kDays[date.month - 1] + (date.month == 2 && IsLeapYear(date.year) ? 1 : 0);
    if (date.day > days) return std::nullopt;
    return date;
}

Options ParseOptions(int argc, char** argv) {
    Options options;
    std::optional<std::filesystem::path> folder;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--oem") {
            options.oem = true;
        } else if (arg == "--today") {
            if (i + 1 == argc) throw UsageError{"--today needs a date YYYY-MM-DD"};
            options.today = ParseDate(argv[++i]);
            if (!options.today)
                throw UsageError{"--today: not a date YYYY-MM-DD: " + std::string(argv[i])};
        } else if (arg.starts_with("-") && arg != "-") {
            throw UsageError{"unknown option " + std::string(arg) + "; " + kUsage};
        } else if (folder) {
            throw UsageError{std::string("more than one folder; ") + kUsage};
        } else {
            folder = arg;
        }
    }
    if (!folder) throw UsageError{std::string("no folder given; ") + kUsage};
    options.folder = *folder;
    return options;
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "zoreva-check: %s\n", message.c_str());
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::printf("%s\n", kUsage);
        return 0;
    }
    try {
        const Options options = ParseOptions(argc, argv);
        std::error_code ec;
        if (!std::filesystem::is_directory(options.folder, ec))
            return Fail(options.folder.string() + ": no such folder");

        files::checker::CheckState state;
        const auto kind =
            options.oem ? files::checker::RunKind::OemToAnsi : files::checker::RunKind::Folder;
        const std::string report = files::checker::RunCheck(
            state, options.folder, kind, options.today.value_or(platform::SystemClock().now()));
        const std::string text = platform::DecodeCp1251(report);
        if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() ||
            std::fflush(stdout) != 0)
            return Fail(std::string("cannot write the report: ") + std::strerror(errno));

        const bool unreadable = files::checker::HasEncodingSignature(state.results);
        return unreadable || files::checker::HasFatalErrorsListed(state) ? 1 : 0;
    } catch (const UsageError& e) {
        return Fail(e.message);
    } catch (const std::bad_alloc&) {
        return Fail("not enough memory to read the files");
    } catch (const std::exception& e) {
        return Fail(e.what());
    }
}
