#pragma once
// The session of a run: the registered person or branch all work refers to,
// the data and output folders, and a pending print request.

#include <filesystem>
#include <memory>
#include <string>

#include "db/Database.h"
#include "db/Rows.h"
#include "platform/Clock.h"
#include "ui/Host.h"

namespace persons {
class CEmployer;
}

namespace app {

enum class PrintKind { None = 0, Purchases = 1, Sales = 2, Vies = 3, VatReturn = 4 };

class CZorevaDoc {
  public:
    CZorevaDoc(db::Database& db, const platform::Clock& clock, std::filesystem::path dataFolder,
               std::filesystem::path outputFolder);
    ~CZorevaDoc();

    db::Database& database() { return db_; }
    const platform::Clock& clock() const { return clock_; }

    // The EDANNI row marked current; bulstat is "" when no person is current.
    const db::PersonRow& person() const { return person_; }
    bool personIsCurrent() const { return !person_.bulstat.empty(); }
    bool onBranch() const { return !person_.klon.empty(); }
    bool filerIsAuthorised() const { return person_.flPredst == "A"; }

    const std::filesystem::path& dataFolder() const { return dataFolder_; }
    const std::filesystem::path& outputFolder() const { return outputFolder_; }

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

    // The print request set by a dialog's print button.
    void requestPrint(PrintKind kind, const std::string& period);
    void printFinished() { printKind_ = PrintKind::None; }
    PrintKind printKind() const { return printKind_; }
    const std::string& printPeriod() const { return printPeriod_; }

  private:
    void formTitle();

    db::Database& db_;
    const platform::Clock& clock_;
    std::filesystem::path dataFolder_, outputFolder_;
    db::PersonRow person_;
    std::string title_;
    PrintKind printKind_ = PrintKind::None;
    std::string printPeriod_;
    std::unique_ptr<persons::CEmployer> personChooser_;
};

// The title for a VAT number and branch, formed as "Зорева по ЗДДС - %s %s %s".
std::string DocumentTitle(const std::string& vin, const std::string& klon);

}  // namespace app
