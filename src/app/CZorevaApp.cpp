#include "app/CZorevaApp.h"

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <string>

#include "app/CPasswordDlg.h"
#include "db/SchemaCheck.h"
#include "platform/Files.h"
#include "platform/Text.h"

namespace app {
namespace {

constexpr const char* kAlreadyRunning = "Програмата вече е стартирана.";

std::string FormatCode(const char* format, int code) {
    char text[64];
    std::snprintf(text, sizeof text, format, code);
    return text;
}

}  // namespace

CZorevaApp::CZorevaApp(ui::Host& host, platform::Environment env, const platform::Clock& clock)
    : host_(host), env_(std::move(env)), clock_(clock) {}

bool CZorevaApp::InitInstance() {
    if (!readSettings()) return false;
    const auto dataFolder = readDataFolder();
    if (!dataFolder) return false;
    platform::MakePrivate(*dataFolder);  // a folder left open by an earlier version
    const bool installed = takeOverDeliveredDatabase(*dataFolder);
    if (!openDatabase(*dataFolder, !installed)) {
        if (installed) giveBackDeliveredDatabase(*dataFolder);
        return false;
    }
    if (!upgradeOlderDatabase(*dataFolder)) return false;
    return createDocument(*dataFolder);
}

bool CZorevaApp::readSettings() {
    try {
        settings_ = platform::Settings::load(platform::Settings::searchFolders(env_));
        return true;
    } catch (const platform::SettingsOpenError& e) {
        host_.error(FormatCode("RegOpenKeyEx - %d", e.code));
    } catch (const platform::SettingsFormatError& e) {
        host_.error("Файлът с настройки не може да се прочете: " + std::string(e.what()) +
                    ".\nВсеки ред трябва да бъде във вида ИМЕ=стойност (DATA, DOUT, CONVERT).");
    }
    return false;
}

std::optional<std::filesystem::path> CZorevaApp::readDataFolder() {
    const auto data = settings_->value("DATA");
    if (!data) {
        host_.error(FormatCode("RegQueryValueEx - %d", ENOENT));
        return std::nullopt;
    }
    std::error_code ec;
    if (data->empty() || !std::filesystem::is_directory(*data, ec)) {
        host_.error("Папката с данни \"" + platform::ShownValue(*data) +
                    "\" не съществува.\nПроверете стойността DATA " + "във файла с настройки " +
                    settings_->file().string() + ".");
        return std::nullopt;
    }
    return std::filesystem::path(*data);
}

bool CZorevaApp::takeOverDeliveredDatabase(const std::filesystem::path& dataFolder) {
    const auto report = TakeOverDeliveredDatabase(dataFolder, clock_);
    tellFailure(report);
    return report.outcome == ConversionOutcome::Installed;
}

// A database of an earlier version of the tables is carried into one of this
// version, then opened again; should that fail, the earlier one serves. A
// file keyed with the user's own password stays on its tables, which the
// program still works on: the new file would have the program's key.
bool CZorevaApp::upgradeOlderDatabase(const std::filesystem::path& dataFolder) {
    if (db::SchemaVersion(*db_) >= db::kSchemaVersion || db_->hasOwnPassword()) return true;
    db_.reset();
    tellFailure(UpgradeDatabase(dataFolder, clock_));
    return openDatabase(dataFolder, false);
}

void CZorevaApp::tellFailure(const ConversionReport& report) {
    if (report.outcome == ConversionOutcome::Failed) host_.error(ConversionFailureText(report));
}

// A delivered file that does not open goes back to where it was, so that a
// later installation can deliver a sound one.
void CZorevaApp::giveBackDeliveredDatabase(const std::filesystem::path& dataFolder) {
    std::error_code ec;
    std::filesystem::rename(DatabaseFile(dataFolder), DeliveredDatabaseFile(dataFolder), ec);
}

bool CZorevaApp::openDatabase(const std::filesystem::path& dataFolder, bool mayHavePassword) {
    const auto file = DatabaseFile(dataFolder);
    if (db::LooksLikeForeignFile(file)) {
        host_.error("Файлът " + file.string() + " не е база данни на Зорева по ЗДДС.");
        return false;
    }
    // The engine gives its log file the permissions of the database file.
    for (const auto& written : {file, std::filesystem::path(file.string() + "-wal")})
        platform::MakePrivate(written);
    try {
        db_ = db::Database::open(file);
    } catch (const db::Error& e) {
        // A person who starts the program twice is told so; a missing
        // database ends the start-up silently. A file the program's key does
        // not open is keyed with the user's password, unless it was just
        // delivered.
        if (e.heldElsewhere()) {
            host_.information(kAlreadyRunning);
            return false;
        }
        if (!e.wrongKey() || !mayHavePassword || !unlockWithPassword(file)) return false;
    }
    if (!db::HasZorevaTables(*db_)) {
        db_.reset();
        host_.error("Файлът " + file.string() + " не е база данни на Зорева по ЗДДС.");
        return false;
    }
    return true;
}

bool CZorevaApp::unlockWithPassword(const std::filesystem::path& file) {
    auto unlocked =
        OpenWithPassword(host_, file, "Данните са защитени с парола. Въведете паролата.");
    if (unlocked.refused)
        host_.error(
            "Паролата не е вярна и при трите опита. Програмата ще бъде затворена.\n"
            "Забравена парола не може да бъде възстановена; без нея данните не могат да се "
            "отворят.");
    if (!unlocked.database) return false;
    db_ = std::move(unlocked.database);
    return true;
}

bool CZorevaApp::createDocument(const std::filesystem::path& dataFolder) {
    const auto output = settings_->value("DOUT");
    if (!output) return false;
    try {
        doc_ = std::make_unique<CZorevaDoc>(*db_, clock_, dataFolder, *output);
    } catch (const db::Error&) {
        return false;
    }
    return true;
}

}  // namespace app
