#include "app/CZorevaDoc.h"

#include "persons/CEmployer.h"

namespace app {

std::string DocumentTitle(const std::string& vin, const std::string& klon) {
    const std::string branchMark = klon.empty() ? "" : " - Клон:";
    return "Зорева по ЗДДС - " + vin + " " + branchMark + " " + klon;
}

CZorevaDoc::CZorevaDoc(db::Database& db, const platform::Clock& clock,
                       std::filesystem::path dataFolder, std::filesystem::path outputFolder)
    : session_(db, clock, std::move(dataFolder), std::move(outputFolder)) {
    formTitle();
}

CZorevaDoc::~CZorevaDoc() = default;

bool CZorevaDoc::reloadSession() {
    if (!session_.reload()) return false;
    formTitle();
    return true;
}

void CZorevaDoc::choosePerson(ui::Host& host) {
    if (!personChooser_)
        personChooser_ = std::make_unique<persons::CEmployer>(session_.database(), host);
    host.runModal(*personChooser_);
    reloadSession();
}

void CZorevaDoc::dataReplaced() {
    personChooser_.reset();
    session_.reload();
    formTitle();
}

void CZorevaDoc::formTitle() {
    title_ = DocumentTitle(session_.person().vin, session_.person().klon);
}

}  // namespace app
