#include "files/SubmissionWriter.h"

#include <string_view>
#include <system_error>
#include <utility>

#include "db/Rows.h"
#include "files/ErrorStore.h"
#include "files/SubmissionFiles.h"
#include "files/SubmissionStore.h"
#include "platform/CodePage.h"
#include "platform/Text.h"
#include "returns/VatReturnComputation.h"
#include "returns/ViesGeneration.h"

namespace files {
namespace {

using Reason = WriteStop::Reason;
using platform::AtomicFile;

WriteStop FatalErrors() {
    return {Reason::FatalErrors, "Има фатални грешки!"};
}
WriteStop InstallationProblem() {
    return {Reason::InstallationProblem, "Има проблем с инсталацията(105)"};
}
WriteStop CannotCreate() {
    return {Reason::CannotCreate, "Couldn't create the file!"};
}

// Why a text of `what` (the document, the return) cannot be written.
WriteStop NotWritable(const std::string& what, const std::string& text) {
    return {Reason::TextNotWritable,
            what + " съдържа знака \"" + platform::FirstUnencodableCharacter(text).value_or("") +
                "\", който не може да се запише в Windows-1251. Файлът не е записан."};
}
WriteStop LineBroken(const std::string& what, char character) {
    return {Reason::TextNotWritable, what + " съдържа знака " +
                                         platform::ControlCharacterName(character) +
                                         ", който разделя редовете на файла. Файлът не е записан."};
}

// A CR, LF or end-of-file character inside a record would split it, or end
// the file for the programs that read it.
std::optional<char> BreakIn(std::string_view text) {
    std::optional<char> first;
    std::size_t at = std::string_view::npos;
    for (const char c : {'\r', '\n', '\x1A'}) {
        if (const auto found = text.find(c); found < at) at = found, first = c;
    }
    return first;
}

// The first break inside the records of a text whose records each end in
// CR LF (the last one possibly without it); `records` is how many it holds.
std::optional<char> BreakInRecords(std::string_view text, std::size_t records) {
    if (records == 1) {
        if (text.ends_with("\r\n")) text.remove_suffix(2);
        return BreakIn(text);
    }
    std::size_t found = 0;
    while (!text.empty()) {
        const auto end = text.find("\r\n");
        if (const auto c = BreakIn(text.substr(0, end))) return c;
        ++found;
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 2);
    }
    if (found != records) return '\n';  // a CR LF inside a field
    return std::nullopt;
}

// Appends the Windows-1251 bytes of a text of `records` records to `bytes`,
// or says why they cannot be written.
std::optional<WriteStop> Encode(const std::string& text, std::size_t records,
                                const std::string& what, std::string& bytes) {
    if (const auto c = BreakInRecords(text, records)) return LineBroken(what, *c);
    if (!platform::AppendCp1251(bytes, text)) return NotWritable(what, text);
    return std::nullopt;
}

std::string DocumentName(const JournalDocument& d) {
    return "Документ " + std::string(d.docNo) + " от " + std::string(d.date) + " на дневника";
}

// The lines of VIES.txt: the three header lines with a person, and each
// section's header line and rows.
std::size_t ViesRecords(bool person, std::size_t section1, std::size_t section2) {
    return (person ? 3 : 0) + (section1 ? section1 + 1 : 0) + (section2 ? section2 + 1 : 0);
}

}  // namespace

// The lines of one journal into their temporary file, added in stored order.
// While NUMBER follows that order they are written at once; otherwise the
// file is written again from a read by NUMBER. A line that cannot be written
// ends the file: it is discarded and the reason kept.
class PeriodFiles::JournalPass {
  public:
    JournalPass(db::Journal journal, bool merge, std::unique_ptr<AtomicFile> file)
        : journal_(journal), merge_(merge), file_(std::move(file)) {}

    void add(const JournalDocument& document) {
        if (inOrder_ && count_ > 0 && document.number <= last_) inOrder_ = false;
        last_ = document.number;
        ++count_;
        if (inOrder_) write(document, count_);
    }
    long long count() const { return count_; }
    bool inOrder() const { return inOrder_; }

    // Writes the lines again, from rows read by NUMBER.
    template <class ReadByNumber>
    void rewrite(ReadByNumber&& read) {
        if (!file_) return;
        try {
            file_ = std::make_unique<AtomicFile>(file_->target());
        } catch (const std::system_error&) {
            return fail(CannotCreate());
        }
        int position = 0;
        read([&](const JournalDocument& document) {
            write(document, ++position);
            return file_ != nullptr;
        });
    }

    // The complete file, or why there is none.
    std::unique_ptr<AtomicFile> finish() {
        if (file_) {
            try {
                file_->finish();
            } catch (const std::system_error&) {
                fail(CannotCreate());
            }
        }
        return std::move(file_);
    }
    const std::optional<WriteStop>& stop() const { return stop_; }

  private:
    void write(const JournalDocument& document, long long position) {
        if (!file_) return;
        line_.clear();
        if (merge_)
            AppendMergeLine(line_, journal_, document, static_cast<int>(position));
        else
            AppendJournalLine(line_, document);
        bytes_.clear();
        // The document is named only when its line cannot be written.
        if (const auto c = BreakInRecords(line_, 1))
            return fail(LineBroken(DocumentName(document), *c));
        if (!platform::AppendCp1251(bytes_, line_))
            return fail(NotWritable(DocumentName(document), line_));
        try {
            file_->append(bytes_);
        } catch (const std::system_error&) {
            fail(CannotCreate());
        }
    }
    void fail(WriteStop stop) {
        file_.reset();
        if (!stop_) stop_ = std::move(stop);
    }

    db::Journal journal_;
    bool merge_;
    std::unique_ptr<AtomicFile> file_;
    std::optional<WriteStop> stop_;
    std::string line_, bytes_;
    long long count_ = 0;
    int last_ = 0;
    bool inOrder_ = true;
};

PeriodFiles::PeriodFiles(db::Database& db, Kind kind, WriterSession session, std::string period)
    : db_(&db),
      kind_(kind),
      session_(std::move(session)),
      period_(std::move(period)),
      proposedName_(kind == Kind::Submission ? "Deklar.txt" : "Pokupkix.txt") {}

PeriodFiles::~PeriodFiles() = default;

PeriodFiles PeriodFiles::Submission(db::Database& db, WriterSession session, std::string period) {
    PeriodFiles files(db, Kind::Submission, std::move(session), std::move(period));
    files.prepare();
    return files;
}

PeriodFiles PeriodFiles::Merge(db::Database& db, WriterSession session, std::string period) {
    PeriodFiles files(db, Kind::Merge, std::move(session), std::move(period));
    files.prepare();
    return files;
}

namespace {

struct JournalFile {
    db::Journal journal;
    const char* name;
};
constexpr JournalFile kSubmissionJournals[] = {{db::Journal::Purchases, "Pokupki.txt"},
                                               {db::Journal::Sales, "Prodagbi.txt"}};
constexpr JournalFile kMergeJournals[] = {{db::Journal::Purchases, ""},
                                          {db::Journal::Sales, "Prodagbix.txt"}};

std::vector<std::string> SetNames(bool submission, const std::string& first) {
    if (submission) return {first, "Pokupki.txt", "Prodagbi.txt", "VIES.txt"};
    return {first, "Prodagbix.txt"};
}

}  // namespace

// One read of each journal in stored order gives the fatal-code test, the
// return sums, the VIES groups and the lines; the returns are stored only
// when no fatal code was found.
void PeriodFiles::prepare() {
    const bool submission = kind_ == Kind::Submission;
    const bool folderReady = makeFolder();
    if (folderReady)
        platform::RemoveStaleTemporaryFiles(folder_, SetNames(submission, proposedName_));
    const std::optional<std::string> branch =
        submission ? std::nullopt : std::optional<std::string>(session_.klon);
    const returns::ReturnScope scope{session_.vin, session_.klon, period_};

    db::Transaction transaction(*db_);
    returns::ReturnSums sums;
    returns::ViesSales vies;
    ReturnHeader header =
        submission ? LoadReturnHeader(*db_, session_.vin, period_) : ReturnHeader{};
    std::optional<WriteStop> stop;
    bool fatal = false;
    for (const auto& [journal, name] : submission ? kSubmissionJournals : kMergeJournals) {
        const std::string fileName = *name ? name : proposedName_;
        std::unique_ptr<AtomicFile> file;
        try {
            if (folderReady) file = std::make_unique<AtomicFile>(folder_ / fileName);
        } catch (const std::system_error&) {
            if (!stop) stop = CannotCreate();
        }
        JournalPass pass(journal, !submission, std::move(file));
        const bool sales = journal == db::Journal::Sales;
        ForEachJournalDocument(*db_, journal, session_.vin, period_, branch, RowOrder::Stored,
                               [&](const JournalDocument& d) {
                                   if (CarriesFatalCode(journal, d.errors)) {
                                       fatal = true;
                                       return false;
                                   }
                                   if (submission && sales) {
                                       sums.addSale(d.type, d.amounts);
                                       vies.add({d.type, d.knum, d.date, d.viesType, d.code8a,
                                                 d.sdelka, d.amounts[db::SS15], d.amounts[db::SS17],
                                                 d.amounts[db::SS25], d.amounts[db::SS19]});
                                   } else if (submission) {
                                       sums.addPurchase(d.type, d.amounts);
                                   }
                                   pass.add(d);
                                   return true;
                               });
        if (fatal) break;
        if (!pass.inOrder())
            pass.rewrite([&](auto&& visit) {
                ForEachJournalDocument(*db_, journal, session_.vin, period_, branch,
                                       RowOrder::ByNumber, visit);
            });
        (sales ? header.salesCount : header.purchaseCount) = pass.count();
        auto complete = pass.finish();
        if (!stop) stop = pass.stop();
        if (complete) pending_.push_back({*name ? name : "", std::move(complete)});
    }
    if (fatal) {
        stopped_ = FatalErrors();
        pending_.clear();
        removeMadeFolders();
        return;  // the transaction is rolled back: nothing was recomputed
    }
    if (submission) {
        returns::StoreVatReturn(*db_, scope, sums);
        vies.store(*db_, scope);
    }
    transaction.commit();

    stopped_ = folderReady ? stop : InstallationProblem();
    if (!stopped_ && submission) {
        const auto deklar = DeklarFile(header, db::FindReturn(*db_, session_.vin, "", period_));
        addText("", deklar, 1, "Справка-декларацията");
        // No VIES return: no file, and an older one stays.
        const auto person = HeadOfficeRow(*db_, session_.vin);
        const auto section1 = db::ViesRows(*db_, session_.vin, "", period_, 1);
        const auto section2 = db::ViesRows(*db_, session_.vin, "", period_, 2);
        if (const auto text = ViesFile(period_, person, section1, section2))
            addText("VIES.txt", *text,
                    ViesRecords(person.has_value(), section1.size(), section2.size()),
                    "VIES декларацията");
    }
    if (stopped_) pending_.clear();
}

// A file of the set with one text that the program built; the return goes
// first.
void PeriodFiles::addText(std::string name, const std::string& text, std::size_t records,
                          const std::string& what) {
    if (stopped_) return;
    std::string bytes;
    if (auto stop = Encode(text, records, what, bytes)) {
        stopped_ = std::move(stop);
        return;
    }
    try {
        auto file = std::make_unique<AtomicFile>(folder_ / (name.empty() ? proposedName_ : name));
        file->append(bytes);
        file->finish();
        Pending p{std::move(name), std::move(file)};
        if (p.name.empty())
            pending_.insert(pending_.begin(), std::move(p));
        else
            pending_.push_back(std::move(p));
    } catch (const std::system_error&) {
        stopped_ = CannotCreate();
    }
}

// The EIK/Bulstat folder and the period folder inside the output folder.
// Only a missing folder above stops the write; an existing folder and other
// failures do not. The folders made here are remembered, so that a period
// refused for its fatal codes leaves nothing behind.
bool PeriodFiles::makeFolder() {
    const auto personFolder = session_.outputFolder / session_.bulstat;
    folder_ = personFolder / period_;
    for (const auto& f : {personFolder, folder_}) {
        std::error_code ec;
        const bool existed = std::filesystem::exists(f, ec);
        if (platform::CreatePrivateFolder(f) == std::errc::no_such_file_or_directory) return false;
        if (!existed && std::filesystem::is_directory(f, ec)) madeFolders_.push_back(f);
    }
    return true;
}

void PeriodFiles::removeMadeFolders() {
    for (auto it = madeFolders_.rbegin(); it != madeFolders_.rend(); ++it) {
        std::error_code ignored;
        std::filesystem::remove(*it, ignored);  // only when empty
    }
    madeFolders_.clear();
}

WriteResult PeriodFiles::write(const std::filesystem::path& firstFile) {
    WriteResult result{firstFile.parent_path(), {}, stopped_};
    if (stopped_) return result;
    auto pending = std::move(pending_);
    pending_.clear();
    const bool submission = kind_ == Kind::Submission;
    try {
        // The period folder was cleaned when the set was prepared; its
        // temporary files lie there now.
        std::error_code ec;
        const auto chosenName = firstFile.filename().string();
        if (!std::filesystem::equivalent(result.folder, folder_, ec))
            platform::RemoveStaleTemporaryFiles(result.folder, SetNames(submission, chosenName));
        else if (chosenName != proposedName_)
            platform::RemoveStaleTemporaryFiles(result.folder, {chosenName});
        for (auto& p : pending) {
            const auto target = p.name.empty() ? firstFile : result.folder / p.name;
            // Nothing is replaced while one of the files is in the way.
            if (std::filesystem::is_directory(target))
                throw std::system_error(std::make_error_code(std::errc::is_a_directory));
            p.file->retarget(target);
        }
        for (auto& p : pending) {
            p.file->commit();
            result.files.push_back(p.file->target());
        }
    } catch (const std::system_error&) {
        result.stop = CannotCreate();
    }
    return result;
}

}  // namespace files
