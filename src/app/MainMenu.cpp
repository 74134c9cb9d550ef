#include "app/MainMenu.h"

#include "session/Session.h"

namespace app {
namespace {

constexpr MenuItem kInput[] = {
    {Command::PurchaseJournal, "Дневник за покупките"},
    {Command::SalesJournal, "Дневник за продажбите"},
};
constexpr MenuItem kDisk[] = {
    {Command::WriteSubmissionFiles, "Запис на дневници на файл"},
    {Command::CheckFiles, "Проверка на дневници от файл"},
    {Command::WriteMergeFiles, "Запис на дневници на файл за обединение"},
};
constexpr MenuItem kReports[] = {
    {Command::VatReturn, "Справка - декларация по ЗДДС и VIES"},
};
constexpr MenuItem kService[] = {
    {Command::ChoosePerson, "Избор на задължено лице"},
    {Command::Counterparts, "Контрагенти"},
    {Command::RemovePeriod, "Премахване на период"},
    {Command::RemoveDuplicates, "Изтриване на дублирани документи"},
    {Command::Separator, ""},
    {Command::DataPassword, "Парола за данните"},
    {Command::BackUpData, "Архивиране на данните"},
    {Command::RestoreData, "Възстановяване от архив"},
};
constexpr MenuItem kHelp[] = {
    {Command::HelpTopics, "&Теми от помощта"},
    {Command::Separator, ""},
    {Command::About, "За програмата"},
};
constexpr Popup kMenu[] = {
    {"Въвеждане", kInput},          {"Диск\\дискети", kDisk}, {"Справки", kReports},
    {"Служебни функции", kService}, {"Помощ", kHelp},
};

}  // namespace

std::span<const Popup> MainMenu() {
    return kMenu;
}

bool IsEnabled(Command command, const session::Session& session) {
    switch (command) {
        case Command::CheckFiles:
        case Command::ChoosePerson:
        case Command::DataPassword:
        case Command::BackUpData:
        case Command::RestoreData:
        case Command::HelpTopics:
        case Command::About:
            return true;
        case Command::WriteSubmissionFiles:
            return session.personIsCurrent() && !session.onBranch();
        case Command::WriteMergeFiles:
            return session.personIsCurrent() && session.onBranch();
        case Command::Separator:
            return false;
        default:
            return session.personIsCurrent();
    }
}

}  // namespace app
