#include "app/StatusLines.h"

#include "app/Backups.h"
#include "app/CZorevaDoc.h"

namespace app {
namespace {

// "Задължено лице: Алфа ООД, ИН по ДДС BG121212121, клон 0001".
std::string CurrentPersonLine(const CZorevaDoc& doc) {
    const auto& person = doc.session().person();
    std::string line = "Задължено лице: " + person.name + ", ИН по ДДС " + person.vin;
    if (doc.session().onBranch()) line += ", клон " + person.klon;
    return line;
}

}  // namespace

std::vector<std::string> StatusLines(const CZorevaDoc& doc) {
    std::vector<std::string> lines;
    if (!doc.session().personIsCurrent()) {
        lines.push_back(kFirstStepHint);  // on a first start nothing else matters yet
        return lines;
    }
    lines.push_back(CurrentPersonLine(doc));
    if (auto reminder = BackupReminder(doc.session()); !reminder.empty())
        lines.push_back(std::move(reminder));
    return lines;
}

}  // namespace app
