// The lines under the main window's menu: the first step on a fresh
// database, then the person the work refers to, a branch named as such.
#include "app/StatusLines.h"

#include <gtest/gtest.h>

#include "app/CZorevaDoc.h"
#include "db/Backups.h"
#include "support/TestDatabase.h"

using Lines = std::vector<std::string>;

TEST(StatusLinesTest, FirstStepThenTheCurrentPersonAndBranch) {
    testing_support::TestDatabase t;
    platform::FixedClock clock{{2026, 12, 8, 10, 0, 0}};
    app::CZorevaDoc doc(t.db(), clock, "/data", "/out");
    EXPECT_EQ(app::StatusLines(doc), (Lines{"Изберете или въведете задължено лице от „Служебни "
                                            "функции“ → „Избор на задължено лице“"}));

    t.person("121212121", "", "BG121212121", true);
    doc.reloadSession();
    // Data worth keeping: the reminder of a backup follows the person.
    EXPECT_EQ(app::StatusLines(doc),
              (Lines{"Задължено лице: Фирма 121212121, ИН по ДДС BG121212121",
                     "Данните още не са архивирани. Архивирайте ги: „Служебни функции“ → "
                     "„Архивиране на данните“."}));
    db::SetLastBackupDay(t.db(), 20261201);
    EXPECT_EQ(app::StatusLines(doc),
              (Lines{"Задължено лице: Фирма 121212121, ИН по ДДС BG121212121"}));

    t.person("121212121", "0008", "BG121212121", false);
    db::MakeCurrent(t.db(), "121212121", "0008");
    doc.reloadSession();
    EXPECT_EQ(app::StatusLines(doc),
              (Lines{"Задължено лице: Фирма 121212121, ИН по ДДС BG121212121, клон 0008"}));
}
