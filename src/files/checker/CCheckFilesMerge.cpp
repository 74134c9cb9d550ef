// "Файлове от клон" and "Прибави" of the file checker's dialog.

#include "files/checker/BranchFiles.h"
#include "files/checker/CCheckFiles.h"
#include "files/checker/CheckRun.h"
#include "files/merge/MergeImport.h"
#include "ui/Host.h"

namespace files::checker {

void CCheckFiles::loadBranchFiles() {
    if (!chooseFolder()) return;
    mergeSource_ = true;
    salesSource_ = merge::SalesSource::MergeFile;
    load([&] { return LoadBranchFiles(state_, *folder_, clock_.now()); });
}

// The questions before an add; false when the person declines.
bool CCheckFiles::mayAdd() {
    if (alreadyAdded_ &&
        host().ask("Вече сте добавили тези записи!\r\nИскате ли да ги добавите пак?",
                   ui::Buttons::YesNo, ui::Icon::Error) != ui::Answer::Yes)
        return false;
    if (!TextsIntact(state_)) {
        // What would be added is no longer what the report shows.
        host().error("Файловете са променени след зареждането им. Заредете ги отново.");
        return false;
    }
    const auto other = merge::OtherVatNumber(state_, target_->vin);
    return !other || host().ask("Документите във файловете са на ИН по ДДС " + *other +
                                    ", а текущото лице е с ИН по ДДС " + target_->vin +
                                    ".\r\nИскате ли да ги добавите?",
                                ui::Buttons::YesNo, ui::Icon::Warning) == ui::Answer::Yes;
}

void CCheckFiles::addLoaded() {
    if (!target_ || !mayAdd()) return;
    merge::AddedDocuments added;
    try {
        added = merge::AddLoadedDocuments(*target_->db, state_, salesSource_, clock_.now());
    } catch (const db::Error& e) {
        // Nothing of the add is in the database.
        host().error(std::string("Документите не са добавени: ") + e.what());
        return;
    }
    alreadyAdded_ = true;
    host().message(merge::AddedMessage(added), ui::Icon::None);
}

}  // namespace files::checker
