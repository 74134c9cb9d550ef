#include "app/CZorevaDoc.h"

#include "persons/CEmployer.h"

namespace app {

std::string DocumentTitle(const std::string& vin, const std::string& klon) {
    const std::string branchMark = klon.empty() ? "" : " - Клон:";
    return "Зорева по ЗДДС - " + vin + " " + branchMark + " " + klon;
}

CZorevaDoc::CZorevaDoc(db::Database& db, const platform::Clock& clock,
                       std::filesystem::path dataFolder, std::filesystem::path outputFolder)
    : db_(db),
      clock_(clock),
      dataFolder_(std::move(dataFolder)),
      outputFolder_(std::move(outputFolder)) {
    if (auto current = db::CurrentPerson(db_))
        person_ = std::move(*current);
    else
        person_.bulstat.clear();
    formTitle();
}

CZorevaDoc::~CZorevaDoc() = default;

bool CZorevaDoc::reloadSession() {
    auto current = db::CurrentPerson(db_);
    if (!current) {
        person_.bulstat.clear();
        return false;
    }
    person_ = std::move(*current);
    formTitle();
    return true;
}

void CZorevaDoc::choosePerson(ui::Host& host) {
    if (!personChooser_) personChooser_ = std::make_unique<persons::CEmployer>(db_, host);
    host.runModal(*personChooser_);
    reloadSession();
}

void CZorevaDoc::formTitle() {
    title_ = DocumentTitle(person_.vin, person_.klon);
}

void CZorevaDoc::requestPrint(PrintKind kind, const std::string& period) {
    printKind_ = kind;
    printPeriod_ = period;
}

}  // namespace app
