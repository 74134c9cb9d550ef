#include "files/SubmissionWriter.h"

#include <optional>
#include <stdexcept>
#include <system_error>

#include "db/Rows.h"
#include "files/ErrorStore.h"
#include "files/SubmissionFiles.h"
#include "platform/CodePage.h"
#include "platform/Files.h"
#include "returns/VatReturnComputation.h"
#include "returns/ViesGeneration.h"

namespace files {
namespace {

constexpr const char* kFatalErrors = "Има фатални грешки!";
constexpr const char* kInstallationProblem = "Има проблем с инсталацията(105)";
constexpr const char* kCannotCreate = "Couldn't create the file!";

// A file could not be written; the message has been shown.
struct WriteStopped {};

// Creates the EIK/Bulstat folder and the period folder inside the output
// folder. Only a missing folder above stops the write; an existing folder
// and other failures do not.
std::optional<std::filesystem::path> PeriodFolder(ui::Host& host, const WriterSession& session,
                                                  const std::string& period) {
    const auto personFolder = session.outputFolder / session.bulstat;
    const auto folder = personFolder / period;
    for (const auto& f : {personFolder, folder}) {
        if (platform::CreatePrivateFolder(f) == std::errc::no_such_file_or_directory) {
            host.error(kInstallationProblem);
            return std::nullopt;
        }
    }
    return folder;
}

std::optional<std::filesystem::path> ChooseFile(ui::Host& host, const std::filesystem::path& folder,
                                                const std::string& proposedName) {
    ui::SaveFileRequest request;
    request.title = "Save file";
    request.folder = folder;
    request.proposedName = proposedName;
    request.defaultExtension = "txt";
    request.filters = {{"Text file", "*.txt"}, {"All Files", "*.*"}};
    return host.saveFile(request);
}

// Windows-1251 bytes of a line the program built; text that the code page
// cannot hold never reaches the file.
std::string EncodeLine(ui::Host& host, const std::string& line, const std::string& where) {
    if (auto bytes = platform::EncodeCp1251(line)) return std::move(*bytes);
    host.error(where + " съдържа знака \"" +
               platform::FirstUnencodableCharacter(line).value_or("") +
               "\", който не може да се запише в Windows-1251. Файлът не е записан.");
    throw WriteStopped{};
}

// Writes a whole file, or nothing of it, with the lines `fill` appends.
template <class Fill>
void WriteFile(ui::Host& host, const std::filesystem::path& file, Fill&& fill) {
    try {
        platform::AtomicFile out(file);
        fill(out);
        out.commit();
    } catch (const std::system_error&) {
        host.error(kCannotCreate);
        throw WriteStopped{};
    }
}

void WriteJournal(db::Database& db, ui::Host& host, const std::filesystem::path& file,
                  db::Journal journal, const WriterSession& session, const std::string& period,
                  bool merge) {
    WriteFile(host, file, [&](platform::AtomicFile& out) {
        const std::optional<std::string> branch =
            merge ? std::optional<std::string>(session.klon) : std::nullopt;
        int position = 0;
        ForEachJournalRow(db, journal, session.vin, period, branch, [&](const db::JournalRow& r) {
            const auto line = merge ? MergeLine(journal, r, ++position) : JournalLine(journal, r);
            out.append(
                EncodeLine(host, line, "Документ " + r.docNo + " от " + r.date + " на дневника"));
        });
    });
}

void WriteVies(db::Database& db, ui::Host& host, const std::filesystem::path& folder,
               const WriterSession& session, const std::string& period) {
    const auto content = ViesFile(period, HeadOfficeRow(db, session.vin),
                                  db::ViesRows(db, session.vin, "", period, 1),
                                  db::ViesRows(db, session.vin, "", period, 2));
    if (!content) return;  // no VIES return: no file, and an older one stays
    WriteFile(host, folder / "VIES.txt", [&](platform::AtomicFile& out) {
        out.append(EncodeLine(host, *content, "VIES декларацията"));
    });
}

}  // namespace

std::optional<std::filesystem::path> WriteSubmissionFiles(db::Database& db, ui::Host& host,
                                                          const WriterSession& session,
                                                          const std::string& period) {
    if (HasFatalErrors(db, session.vin, session.klon, period)) {
        host.error(kFatalErrors);
        return std::nullopt;
    }
    const returns::ReturnScope scope{session.vin, session.klon, period};
    returns::ComputeVatReturn(db, scope);
    returns::GenerateViesReturn(db, scope);

    const auto folder = PeriodFolder(host, session, period);
    if (!folder) return std::nullopt;
    const auto chosen = ChooseFile(host, *folder, "Deklar.txt");
    if (!chosen) return std::nullopt;
    const auto target = chosen->parent_path();
    try {
        const auto header = LoadReturnHeader(db, session.vin, period);
        const auto line = DeklarFile(header, db::FindReturn(db, session.vin, "", period));
        WriteFile(host, *chosen, [&](platform::AtomicFile& out) {
            out.append(EncodeLine(host, line, "Справка-декларацията"));
        });
        WriteJournal(db, host, target / "Pokupki.txt", db::Journal::Purchases, session, period,
                     false);
        WriteJournal(db, host, target / "Prodagbi.txt", db::Journal::Sales, session, period, false);
        WriteVies(db, host, target, session, period);
    } catch (const WriteStopped&) {
        return std::nullopt;
    }
    return target;
}

std::optional<std::filesystem::path> WriteMergeFiles(db::Database& db, ui::Host& host,
                                                     const WriterSession& session,
                                                     const std::string& period) {
    if (HasFatalErrors(db, session.vin, session.klon, period)) {
        host.error(kFatalErrors);
        return std::nullopt;
    }
    const auto folder = PeriodFolder(host, session, period);
    if (!folder) return std::nullopt;
    const auto chosen = ChooseFile(host, *folder, "Pokupkix.txt");
    if (!chosen) return std::nullopt;
    try {
        WriteJournal(db, host, *chosen, db::Journal::Purchases, session, period, true);
        WriteJournal(db, host, chosen->parent_path() / "Prodagbix.txt", db::Journal::Sales, session,
                     period, true);
    } catch (const WriteStopped&) {
        return std::nullopt;
    }
    return chosen->parent_path();
}

}  // namespace files
