#pragma once
// The session every subsystem works in: the one database connection, the
// clock, the registered person or branch all work refers to, and the data and
// output folders. The application owns one (CZorevaDoc); the dialogs of the
// subsystems are given it.

#include <filesystem>

#include "db/Database.h"
#include "db/Rows.h"
#include "platform/Clock.h"

namespace session {

class Session {
  public:
    // Reads the current person (the EDANNI row marked LAST).
    Session(db::Database& db, const platform::Clock& clock, std::filesystem::path dataFolder,
            std::filesystem::path outputFolder);

    db::Database& database() const { return db_; }
    const platform::Clock& clock() const { return clock_; }

    // The EDANNI row marked current; bulstat is "" when no person is current.
    const db::PersonRow& person() const { return person_; }
    bool personIsCurrent() const { return !person_.bulstat.empty(); }
    // The head office has the empty branch number.
    bool onBranch() const { return !person_.klon.empty(); }
    bool filerIsAuthorised() const { return person_.flPredst == "A"; }

    const std::filesystem::path& dataFolder() const { return dataFolder_; }
    const std::filesystem::path& outputFolder() const { return outputFolder_; }

    // Reads the current person again (after the person chooser). Returns
    // true when one is current; otherwise only the bulstat is cleared, so
    // that every person-bound command is disabled.
    bool reload();

  private:
    db::Database& db_;
    const platform::Clock& clock_;
    std::filesystem::path dataFolder_, outputFolder_;
    db::PersonRow person_;
};

}  // namespace session
