#pragma once
// Writing the files of a period into the output folder, below a folder named
// after the EIK/Bulstat number and one named after the period: the four
// submission files of the head office, or the two merge files of a branch.
//
// The writers ask and show nothing. A write has two steps around the
// person's choice of the first file: PeriodFiles::Submission / ::Merge read
// the period once (the fatal-code test, the return sums, the VIES groups and
// the lines together), store the recomputed returns and leave the files
// complete under temporary names in the period folder, or say why the write
// cannot go on; write() then puts the set in place beside the chosen file
// and says what it wrote or why it stopped. The dialogs (PeriodWriterDlg)
// ask for the file and show the messages.
//
// The files of a set appear together: they are renamed into place only when
// every one of them is complete, and a write that stops leaves the files of
// an earlier write as they were. Temporary files that an interrupted write
// left behind are removed by the next write into the folder.

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "db/Database.h"
#include "platform/Files.h"

namespace files {

struct WriterSession {
    std::string vin, bulstat, klon;
    std::filesystem::path outputFolder;
};

// Why a write stopped, with the message the person is shown.
struct WriteStop {
    enum class Reason {
        FatalErrors,          // a document of the period carries a fatal code
        InstallationProblem,  // the output folder is missing
        CannotCreate,         // a file could not be created or written
        TextNotWritable,      // a text the file cannot hold
    };
    Reason reason;
    std::string message;
};

// What write() did: the files written into `folder`, in order, and, when it
// stopped, why.
struct WriteResult {
    std::filesystem::path folder;
    std::vector<std::filesystem::path> files;
    std::optional<WriteStop> stop;
};

class PeriodFiles {
  public:
    // DEKLAR.TXT (under the chosen name), Pokupki.txt, Prodagbi.txt and
    // VIES.txt of the head office. Preparing refuses a period whose documents
    // carry a fatal code, and then stores nothing; otherwise it stores the
    // recomputed VAT and VIES returns, whatever follows.
    static PeriodFiles Submission(db::Database& db, WriterSession session, std::string period);
    // Pokupkix.txt (under the chosen name) and Prodagbix.txt of the branch of
    // the session. Preparing refuses fatal codes; nothing is recomputed.
    static PeriodFiles Merge(db::Database& db, WriterSession session, std::string period);

    PeriodFiles(PeriodFiles&&) = default;
    ~PeriodFiles();

    // Why the write cannot go on; nullopt when the file can be chosen.
    const std::optional<WriteStop>& stopped() const { return stopped_; }
    // The period folder, where the first file is proposed.
    const std::filesystem::path& folder() const { return folder_; }
    // The name proposed for the first file: "Deklar.txt" or "Pokupkix.txt".
    const std::string& proposedName() const { return proposedName_; }

    // Puts the first file at `firstFile` and the others beside it under their
    // fixed names. Once, after a preparation that did not stop.
    WriteResult write(const std::filesystem::path& firstFile);

  private:
    enum class Kind { Submission, Merge };
    // A complete file of the set under its temporary name; `name` is empty
    // for the first file, whose name the person chooses.
    struct Pending {
        std::string name;
        std::unique_ptr<platform::AtomicFile> file;
    };
    class JournalPass;

    PeriodFiles(db::Database& db, Kind kind, WriterSession session, std::string period);
    void prepare();
    bool makeFolder();
    void removeMadeFolders();
    void addText(std::string name, const std::string& text, std::size_t records,
                 const std::string& what);

    db::Database* db_;
    Kind kind_;
    WriterSession session_;
    std::string period_;
    std::string proposedName_;
    std::filesystem::path folder_;
    std::vector<std::filesystem::path> madeFolders_;
    std::optional<WriteStop> stopped_;
    std::vector<Pending> pending_;
};

}  // namespace files
