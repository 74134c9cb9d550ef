#include "app/Conversion.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <optional>
#include <system_error>

#include "db/Database.h"
#include "db/SchemaCheck.h"
#include "platform/Files.h"

namespace app {
namespace {

namespace fs = std::filesystem;

// A failure of a file step; the database errors are db::Error.
class StepError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

fs::path WithSuffix(const fs::path& file, const char* suffix) {
    return fs::path(file.string() + suffix);
}

// The engine's companions of a database file.
constexpr const char* kCompanions[] = {"-wal", "-journal", "-shm"};

void RemoveWithCompanions(const fs::path& file) {
    std::error_code ignored;
    fs::remove(file, ignored);
    for (const char* suffix : kCompanions) fs::remove(WithSuffix(file, suffix), ignored);
}

// True when the engine left something of the closed database outside its file.
bool HasLooseLog(const fs::path& file) {
    std::error_code ec;
    for (const char* suffix : {"-wal", "-journal"}) {
        const auto log = WithSuffix(file, suffix);
        if (fs::exists(log, ec) && fs::file_size(log, ec) > 0) return true;
    }
    return false;
}

// "ZORV-20261209-103000.MDB", then "ZORV-20261209-103000-2.MDB" ...
std::string DatedName(const platform::LocalDateTime& t, int attempt) {
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04d%02d%02d-%02d%02d%02d", t.year, t.month, t.day, t.hour,
                  t.minute, t.second);
    const std::string again = attempt == 0 ? "" : "-" + std::to_string(attempt + 1);
    return "ZORV-" + std::string(stamp) + again + ".MDB";
}

// Keeps `file` under a dated name beside it: a second name of the same file
// (nothing is copied), or a copy where the file system has no such names.
fs::path KeepDatedBackup(const fs::path& file, const platform::Clock& clock) {
    const auto moment = clock.now();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const auto backup = file.parent_path() / DatedName(moment, attempt);
        if (::link(file.c_str(), backup.c_str()) == 0) return backup;
        if (errno == EEXIST) continue;
        std::error_code ec;
        if (fs::copy_file(file, backup, fs::copy_options::none, ec)) {
            fs::permissions(backup, fs::perms::owner_read | fs::perms::owner_write, ec);
            platform::SyncFile(backup);
            return backup;
        }
        if (ec == std::errc::file_exists) continue;
        throw StepError("копие на " + file.string() + " не може да бъде запазено: " + ec.message());
    }
    throw StepError("няма свободно име за копие на " + file.string());
}

// The new database file to carry the data into, open: a copy of the
// delivered file when it has this program's tables, else one made from them.
db::Database MakeTarget(const std::optional<fs::path>& delivered, const fs::path& work) {
    if (delivered) {
        std::error_code ec;
        if (!fs::copy_file(*delivered, work, ec))
            throw StepError("файлът " + delivered->string() +
                            " не може да бъде копиран: " + ec.message());
        fs::permissions(work, fs::perms::owner_read | fs::perms::owner_write, ec);
        auto target = db::Database::open(work);
        if (db::SchemaVersion(target) == db::kSchemaVersion) return target;
    }
    RemoveWithCompanions(work);
    return db::Database::create(work);
}

class Conversion {
  public:
    Conversion(const fs::path& dataFolder, const platform::Clock& clock,
               std::span<const db::Lock> locks, const ConversionProbe& probe)
        : folder_(dataFolder),
          current_(DatabaseFile(dataFolder)),
          work_(WithSuffix(current_, ".new")),
          clock_(clock),
          locks_(locks),
          probe_(probe) {}

    // Carries ZORV.MDB into a new file made from `delivered` (or from this
    // program's tables) and puts it in ZORV.MDB's place.
    ConversionReport run(const std::optional<fs::path>& delivered) {
        ConversionReport report;
        RemoveWithCompanions(work_);  // left by an interrupted start
        std::optional<db::Database> source;
        try {
            source = db::Database::open(current_, locks_, db::Access::ReadOnly);
        } catch (const db::Error&) {
            return report;  // locked by another copy, damaged or keyed otherwise: start-up says
        }
        try {
            report.carried = copyInto(*source, delivered);
            source.reset();
            report.backup = replace();
            if (delivered) removeDelivered(*delivered);
            report.outcome = ConversionOutcome::Converted;
        } catch (const std::exception& e) {
            source.reset();
            RemoveWithCompanions(work_);
            report.outcome = ConversionOutcome::Failed;
            report.failure = e.what();
        }
        return report;
    }

  private:
    void step(ConversionStep s) const {
        if (probe_) probe_(s);
    }

    CarriedRows copyInto(db::Database& source, const std::optional<fs::path>& delivered) {
        auto target = MakeTarget(delivered, work_);
        const auto carried =
            CarryOverUserData(source, target, [this] { step(ConversionStep::RowCopied); });
        SealDatabaseFile(target);
        step(ConversionStep::Copied);
        return carried;
    }

    // Keeps ZORV.MDB as a dated backup and renames the new file over it.
    fs::path replace() {
        if (HasLooseLog(current_))
            throw StepError("базата данни " + current_.string() + " не е затворена изцяло");
        if (HasLooseLog(work_))
            throw StepError("новата база данни " + work_.string() + " не е затворена изцяло");
        platform::SyncFile(work_);
        const auto backup = KeepDatedBackup(current_, clock_);
        step(ConversionStep::BackedUp);
        std::error_code ec;
        fs::rename(work_, current_, ec);
        if (ec)
            throw StepError("файлът " + current_.string() +
                            " не може да бъде заменен: " + ec.message());
        platform::SyncFolder(folder_);
        step(ConversionStep::Replaced);
        return backup;
    }

    // ZORV1.MDB goes only once ZORV.MDB holds its data; should it stay, the
    // next start carries the data into it once more.
    void removeDelivered(const fs::path& delivered) {
        std::error_code ec;
        fs::remove(delivered, ec);
        if (!ec) platform::SyncFolder(folder_);
    }

    fs::path folder_, current_, work_;
    const platform::Clock& clock_;
    std::span<const db::Lock> locks_;
    const ConversionProbe& probe_;
};

}  // namespace

std::filesystem::path DatabaseFile(const std::filesystem::path& dataFolder) {
    return dataFolder / "ZORV.MDB";
}

std::filesystem::path DeliveredDatabaseFile(const std::filesystem::path& dataFolder) {
    return dataFolder / "ZORV1.MDB";
}

ConversionReport TakeOverDeliveredDatabase(const std::filesystem::path& dataFolder,
                                           const platform::Clock& clock,
                                           std::span<const db::Lock> locks,
                                           const ConversionProbe& probe) {
    const auto delivered = DeliveredDatabaseFile(dataFolder);
    const auto current = DatabaseFile(dataFolder);
    std::error_code ec;
    if (!fs::is_regular_file(delivered, ec)) return {};  // the normal case
    if (!fs::exists(current, ec) && !ec) {
        // A fresh installation: there is nothing to carry over.
        RemoveWithCompanions(WithSuffix(current, ".new"));
        fs::rename(delivered, current, ec);
        if (ec) return {};  // ZORV1.MDB stays; start-up finds no database
        ConversionReport report;
        report.outcome = ConversionOutcome::Installed;
        return report;
    }
    return Conversion(dataFolder, clock, locks, probe).run(delivered);
}

ConversionReport UpgradeDatabase(const std::filesystem::path& dataFolder,
                                 const platform::Clock& clock, std::span<const db::Lock> locks,
                                 const ConversionProbe& probe) {
    return Conversion(dataFolder, clock, locks, probe).run(std::nullopt);
}

std::string ConversionFailureText(const ConversionReport& report) {
    return "Данните не бяха пренесени в новата база данни на програмата: " + report.failure +
           ".\r\nДанните Ви са запазени непроменени в ZORV.MDB и програмата продължава работа с "
           "нея; новата база данни не е приета. Пренасянето ще бъде опитано отново при "
           "следващото стартиране.";
}

}  // namespace app
