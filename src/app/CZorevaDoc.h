#pragma once
// The application's document: the session the subsystems work in, the
// window title formed from it, and the person chooser kept for the run.

#include <filesystem>
#include <memory>
#include <string>

#include "db/Database.h"
#include "platform/Clock.h"
#include "session/Session.h"
#include "ui/Host.h"

namespace persons {
class CEmployer;
}

namespace app {

class CZorevaDoc {
  public:
    CZorevaDoc(db::Database& db, const platform::Clock& clock, std::filesystem::path dataFolder,
               std::filesystem::path outputFolder);
    ~CZorevaDoc();

    session::Session& session() { return session_; }
    const session::Session& session() const { return session_; }

    // "Зорева по ЗДДС - VIN  " for a head office, "Зорева по ЗДДС - VIN  - Клон: K"
    // for a branch.
    const std::string& title() const { return title_; }

    // Reads the current person again (after the person chooser). Returns true
    // when a person is current and the title was formed anew; otherwise the
    // person is cleared and the title left as it was.
    bool reloadSession();

    // Shows the person chooser, then reads the session again whatever its
    // result. One chooser serves the whole run, made on first use on the
    // host that shows it, so that it keeps the order the user gave its list.
    void choosePerson(ui::Host& host);

    // The data may have been replaced (restored from an archive): the
    // session and the title are read anew and the person chooser made again.
    void dataReplaced();

  private:
    void formTitle();

    session::Session session_;
    std::string title_;
    std::unique_ptr<persons::CEmployer> personChooser_;
};

// The title for a VAT number and branch, formed as "Зорева по ЗДДС - %s %s %s".
std::string DocumentTitle(const std::string& vin, const std::string& klon);

}  // namespace app
