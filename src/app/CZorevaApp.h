#pragma once
// Start-up of the program: find the settings, deliver a newly installed
// database, open ZORV.MDB exclusively and create the session document.

#include <filesystem>
#include <memory>
#include <optional>

#include "app/CZorevaDoc.h"
#include "app/Conversion.h"
#include "db/Database.h"
#include "platform/Clock.h"
#include "platform/Settings.h"
#include "ui/Host.h"

namespace app {

class CZorevaApp {
  public:
    CZorevaApp(ui::Host& host, platform::Environment env, const platform::Clock& clock);

    // Runs the start-up. Returns false when the program must end; a message
    // has then been shown where there is something the user can mend.
    bool InitInstance();

    CZorevaDoc& document() { return *doc_; }
    db::Database& database() { return *db_; }
    const platform::Settings& settings() const { return *settings_; }

  private:
    bool readSettings();
    std::optional<std::filesystem::path> readDataFolder();
    // Carries the user's data into a delivered or newer database; says so
    // when that fails. True when a delivered file became the database.
    bool takeOverDeliveredDatabase(const std::filesystem::path& dataFolder);
    void giveBackDeliveredDatabase(const std::filesystem::path& dataFolder);
    bool openDatabase(const std::filesystem::path& dataFolder, bool mayHavePassword);
    bool unlockWithPassword(const std::filesystem::path& file);
    bool upgradeOlderDatabase(const std::filesystem::path& dataFolder);
    void tellFailure(const ConversionReport& report);
    bool createDocument(const std::filesystem::path& dataFolder);

    ui::Host& host_;
    platform::Environment env_;
    const platform::Clock& clock_;
    std::optional<platform::Settings> settings_;
    std::optional<db::Database> db_;
    std::unique_ptr<CZorevaDoc> doc_;
};

}  // namespace app
