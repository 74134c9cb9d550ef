#include "app/Backups.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>

#include "app/CPasswordDlg.h"
#include "db/Backups.h"
#include "db/SchemaCheck.h"
#include "session/Session.h"

namespace app {
namespace {

constexpr const char* kBackUpTitle = "Архивиране на данните";
constexpr const char* kRestoreTitle = "Възстановяване от архив";

std::string Digits(int value, int width) {
    char text[16];
    std::snprintf(text, sizeof text, "%0*d", width, value);
    return text;
}

int DayNumber(const platform::LocalDateTime& moment) {
    return moment.year * 10000 + moment.month * 100 + moment.day;
}

std::string ShownDay(int yyyymmdd) {
    return Digits(yyyymmdd % 100, 2) + "." + Digits(yyyymmdd / 100 % 100, 2) + "." +
           Digits(yyyymmdd / 10000, 4);
}

int DaysIn(int year, int month) {
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

// The same day a month before; the 31st of March goes back to the last day
// of February.
int MonthBefore(const platform::LocalDateTime& today) {
    const int year = today.month == 1 ? today.year - 1 : today.year;
    const int month = today.month == 1 ? 12 : today.month - 1;
    return DayNumber({year, month, std::min(today.day, DaysIn(year, month))});
}

bool OnTheSameDisk(const std::filesystem::path& a, const std::filesystem::path& b) {
    struct stat first {
    }, second{};
    return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 &&
           first.st_dev == second.st_dev;
}

// The archive opened for the check: with the program's key, or else with
// the password it was archived under.
std::optional<db::Database> OpenArchive(ui::Host& host, const std::filesystem::path& archive) {
    try {
        return db::Database::open(archive, db::BuiltInLocks(), db::Access::ReadOnly);
    } catch (const db::Error& e) {
        if (!e.wrongKey()) throw;
    }
    auto unlocked = OpenWithPassword(host, archive,
                                     "Архивът е защитен с парола. Въведете паролата, с която е "
                                     "архивиран.",
                                     db::Access::ReadOnly);
    if (unlocked.refused) host.error("Паролата на архива не е вярна. Данните не са възстановени.");
    return std::move(unlocked.database);
}

}  // namespace

std::string ArchiveName(const platform::LocalDateTime& moment) {
    return "ZORV-" + Digits(moment.year, 4) + "-" + Digits(moment.month, 2) + "-" +
           Digits(moment.day, 2) + ".MDB";
}

void BackUpData(ui::Host& host, session::Session& session) {
    const auto folder =
        host.chooseFolder({kBackUpTitle, "Изберете папка за архива (най-добре на друг диск)", {}});
    if (!folder) return;
    const auto now = session.clock().now();
    const auto target = *folder / ArchiveName(now);
    std::error_code ec;
    if (std::filesystem::exists(target, ec) &&
        host.ask(
            "Във папката вече има архив от днес:\n" + target.string() + "\nДа бъде ли заменен?",
            ui::Buttons::YesNo, ui::Icon::Warning) != ui::Answer::Yes)
        return;
    auto& db = session.database();
    // The day goes into the copy too: restored, it remembers when it was made.
    const int before = db::LastBackupDay(db);
    db::SetLastBackupDay(db, DayNumber(now));
    try {
        db.backUpTo(target);
    } catch (const db::Error&) {
        db::SetLastBackupDay(db, before);
        throw;
    }
    std::string done = "Данните са архивирани във файла\n" + target.string() + ".";
    if (OnTheSameDisk(target.parent_path(), db.file().parent_path()))
        done +=
            "\nАрхивът е на същия диск като данните и няма да ги опази, ако дискът се "
            "повреди: копирайте го и на друг диск.";
    host.information(done);
}

void RestoreFromArchive(ui::Host& host, session::Session& session) {
    const auto archive = host.openFile(
        {kRestoreTitle, {}, {{"Архив на данните", "*.MDB"}, {"Всички файлове", "*"}}});
    if (!archive) return;
    auto& db = session.database();
    std::error_code ec;
    if (std::filesystem::equivalent(*archive, db.file(), ec)) {
        host.error("Това е файлът с текущите данни, а не архив.");
        return;
    }
    const auto notAnArchive = [&] {
        host.error("Файлът " + archive->string() +
                   " не е архив на данните на Зорева по ЗДДС или е повреден. Данните не са "
                   "възстановени.");
    };
    // An encrypted file holds a page of at least 1 KB; a plain database is not ours.
    if (std::filesystem::file_size(*archive, ec) < 1024 || ec || db::LooksLikeForeignFile(*archive))
        return notAnArchive();
    auto opened = OpenArchive(host, *archive);
    if (!opened) return;
    if (!db::HasZorevaTables(*opened) || !db::IsWhole(*opened)) return notAnArchive();
    const db::Lock lock = opened->lock();
    opened.reset();

    const auto now = session.clock().now();
    const auto kept = db.file().parent_path() /
                      ("ZORV-OLD-" + ArchiveName(now).substr(5, 10) + "-" + Digits(now.hour, 2) +
                       Digits(now.minute, 2) + Digits(now.second, 2) + ".MDB");
    if (host.ask("Текущите данни ще бъдат заменени с данните от архива\n" + archive->string() +
                     ".\nТе ще бъдат запазени като\n" + kept.string() + "\nПродължавате ли?",
                 ui::Buttons::YesNo, ui::Icon::Warning) != ui::Answer::Yes)
        return;
    db.replaceWith(*archive, lock, kept);
    session.reload();
    host.information(
        "Данните са възстановени от архива. Данните отпреди възстановяването са "
        "запазени като\n" +
        kept.string() + ".");
}

std::string BackupReminder(const session::Session& session) {
    int last = 0;
    try {
        last = db::LastBackupDay(session.database());
    } catch (const db::Error&) {
        return "";  // the file's own failure is said by the command that meets it
    }
    const auto today = session.clock().now();
    if (last >= MonthBefore(today)) return "";
    const std::string how = "Архивирайте ги: „Служебни функции“ → „Архивиране на данните“.";
    if (last == 0) return "Данните още не са архивирани. " + how;
    return "Последният архив на данните е от " + ShownDay(last) + " – преди повече от месец. " +
           how;
}

}  // namespace app
