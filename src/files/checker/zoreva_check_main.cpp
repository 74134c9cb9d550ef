// zoreva-check: the file checker on the command line, for accountants who
// check files from any source and for scripts.
//
//   zoreva-check [--oem] [--today YYYY-MM-DD] DIR
//   zoreva-check --help | --version
//
// Writes the report of the check run on DIR to standard output, as the
// dialog shows it: UTF-8, CR LF line ends kept. Exit status 0 when the
// report lists no fatal error, 1 when it lists one (or a file is not in
// Windows-1251, so nothing could be checked), 2 when the check could not run.

#include <getopt.h>

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
#include "platform/Date.h"

namespace {

constexpr const char* kSynopsis = "usage: zoreva-check [--oem] [--today YYYY-MM-DD] DIR";

struct Options {
    bool oem = false;
    std::optional<platform::LocalDateTime> today;
    std::filesystem::path folder;
};

// What the command line asks for; `problem` says what is wrong with it
// when it asks for nothing that can be done.
struct CommandLine {
    enum class Action { Check, Help, Version, Mistaken } action = Action::Check;
    Options options;
    std::string problem;
};

CommandLine Mistaken(std::string problem) {
    return {CommandLine::Action::Mistaken, {}, std::move(problem)};
}

CommandLine ParseCommandLine(int argc, char** argv) {
    enum : int { kOem = 1, kToday, kHelp, kVersion };
    static const option kOptions[] = {{"oem", no_argument, nullptr, kOem},
                                      {"today", required_argument, nullptr, kToday},
                                      {"help", no_argument, nullptr, kHelp},
                                      {"version", no_argument, nullptr, kVersion},
                                      {nullptr, 0, nullptr, 0}};
    CommandLine line;
    opterr = 0;  // the messages are ours, on one line
    optind = 0;  // a fresh scan, whatever scanned before
    for (int option; (option = getopt_long(argc, argv, ":h", kOptions, nullptr)) != -1;) {
        switch (option) {
            case kOem:
                line.options.oem = true;
                break;
            case kToday:
                if (const auto date = platform::Date::parseIso(optarg))
                    line.options.today =
                        platform::LocalDateTime{date->year, date->month, date->day};
                else
                    return Mistaken("--today: not a date YYYY-MM-DD: " + std::string(optarg));
                break;
            case 'h':
            case kHelp:
                line.action = CommandLine::Action::Help;
                return line;
            case kVersion:
                line.action = CommandLine::Action::Version;
                return line;
            case ':':
                return Mistaken(std::string(argv[optind - 1]) + " needs a date YYYY-MM-DD");
            default:
                return Mistaken("unknown option " + std::string(argv[optind - 1]) + "; " +
                                kSynopsis);
        }
    }
    if (optind == argc) return Mistaken(std::string("no folder given; ") + kSynopsis);
    if (argc - optind > 1) return Mistaken(std::string("more than one folder; ") + kSynopsis);
    line.options.folder = argv[optind];
    return line;
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "zoreva-check: %s\n", message.c_str());
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    const CommandLine line = ParseCommandLine(argc, argv);
    switch (line.action) {
        case CommandLine::Action::Help:
            std::printf("%s\n       zoreva-check --help | --version\n", kSynopsis);
            return 0;
        case CommandLine::Action::Version:
            std::printf("zoreva-check %s\n", ZOREVA_VERSION);
            return 0;
        case CommandLine::Action::Mistaken:
            return Fail(line.problem);
        case CommandLine::Action::Check:
            break;
    }
    const Options& options = line.options;
    try {
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
    } catch (const std::bad_alloc&) {
        return Fail("not enough memory to read the files");
    } catch (const std::exception& e) {
        return Fail(e.what());
    }
}
