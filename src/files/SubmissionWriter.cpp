#include "files/SubmissionWriter.h"

#include <optional>
#include <stdexcept>
#include <system_error>

#include "db/Rows.h"
#include "files/ErrorCatalogue.h"
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
std::optional<std::filesystem::path> periodFolder(ui::Host& host, const WriterSession& session,
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

std::optional<std::filesystem::path> chooseFile(ui::Host& host, const std::filesystem::path& folder,
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
std::string encodeLine(ui::Host& host, const std::string& line, const std::string& where) {
    if (auto bytes = platform::encodeCp1251(line)) return std::move(*bytes);
    host.error(where + " съдържа знака \"" +
               platform::firstUnencodableCharacter(line).value_or("") +
               "\", който не може да се запише в Windows-1251. Файлът не е записан.");
    throw WriteStopped{};
}

// Writes a whole file, or nothing of it, with the lines `fill` appends.
template <class Fill>
void writeFile(ui::Host& host, const std::filesystem::path& file, Fill&& fill) {
    try {
        platform::AtomicFile out(file);
        fill(out);
        out.commit();
    } catch (const std::system_error&) {
        host.error(kCannotCreate);
        throw WriteStopped{};
    }
}

void writeJournal(db::Database& db, ui::Host& host, const std::filesystem::path& file,
                  db::Journal journal, const WriterSession& session, const std::string& period,
                  bool merge) {
    writeFile(host, file, [&](platform::AtomicFile& out) {
        const std::optional<std::string> branch =
            merge ? std::optional<std::string>(session.klon) : std::nullopt;
        int position = 0;
        forEachJournalRow(db, journal, session.vin, period, branch, [&](const db::JournalRow& r) {
            const auto line = merge ? mergeLine(journal, r, ++position) : journalLine(journal, r);
            out.append(
                encodeLine(host, line, "Документ " + r.docNo + " от " + r.date + " на дневника"));
        });
    });
}

void writeVies(db::Database& db, ui::Host& host, const std::filesystem::path& folder,
               const WriterSession& session, const std::string& period) {
    const auto content = viesFile(period, headOfficeRow(db, session.vin),
                                  db::viesRows(db, session.vin, "", period, 1),
                                  db::viesRows(db, session.vin, "", period, 2));
    if (!content) return;  // no VIES return: no file, and an older one stays
    writeFile(host, folder / "VIES.txt", [&](platform::AtomicFile& out) {
        out.append(encodeLine(host, *content, "VIES декларацията"));
    });
}

}  // namespace

bool WriteSubmissionFiles(db::Database& db, ui::Host& host, const WriterSession& session,
                          const std::string& period) {
    if (HasFatalErrors(db, session.vin, session.klon, period)) {
        host.error(kFatalErrors);
        return false;
    }
    const returns::ReturnScope scope{session.vin, session.klon, period};
    returns::ComputeVatReturn(db, scope);
    returns::GenerateViesReturn(db, scope);

    const auto folder = periodFolder(host, session, period);
    if (!folder) return false;
    const auto chosen = chooseFile(host, *folder, "Deklar.txt");
    if (!chosen) return false;
    const auto target = chosen->parent_path();
    try {
        const auto header = loadReturnHeader(db, session.vin, period);
        const auto line = deklarFile(header, db::findReturn(db, session.vin, "", period));
        writeFile(host, *chosen, [&](platform::AtomicFile& out) {
            out.append(encodeLine(host, line, "Справка-декларацията"));
        });
        writeJournal(db, host, target / "Pokupki.txt", db::Journal::Purchases, session, period,
                     false);
        writeJournal(db, host, target / "Prodagbi.txt", db::Journal::Sales, session, period, false);
        writeVies(db, host, target, session, period);
    } catch (const WriteStopped&) {
        return false;
    }
    return true;
}

bool WriteMergeFiles(db::Database& db, ui::Host& host, const WriterSession& session,
                     const std::string& period) {
    if (HasFatalErrors(db, session.vin, session.klon, period)) {
        host.error(kFatalErrors);
        return false;
    }
    const auto folder = periodFolder(host, session, period);
    if (!folder) return false;
    const auto chosen = chooseFile(host, *folder, "Pokupkix.txt");
    if (!chosen) return false;
    try {
        writeJournal(db, host, *chosen, db::Journal::Purchases, session, period, true);
        writeJournal(db, host, chosen->parent_path() / "Prodagbix.txt", db::Journal::Sales, session,
                     period, true);
    } catch (const WriteStopped&) {
        return false;
    }
    return true;
}

}  // namespace files
