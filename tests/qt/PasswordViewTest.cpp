// The password dialogs on screen: what is typed shows as dots. With
// ZOREVA_SCREENSHOTS set to a folder, their pictures are saved there.
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPixmap>
#include <QTest>
#include <cstdlib>

#include <gtest/gtest.h>

#include "ShownView.h"
#include "app/CDataPasswordDlg.h"
#include "app/CPasswordDlg.h"
#include "support/TempDir.h"

namespace {

using testing_support::KeepPicture;
using testing_support::TypeInto;

// Shows the dialog, types the password and checks it is hidden.
void ExpectHidden(ui::Dialog& dialog, const ui::Edit& edit, const char* picture) {
    const auto view = testing_support::Show(dialog);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
    auto* line = testing_support::WidgetOf<QLineEdit>(*view, edit);
    ASSERT_NE(line, nullptr);
    line->setFocus();
    TypeInto(line, QString::fromUtf8("тайна парола"));
    EXPECT_EQ(edit.text(), "тайна парола");
    EXPECT_EQ(line->echoMode(), QLineEdit::Password);
    EXPECT_EQ(line->displayText().indexOf(QString::fromUtf8("тайна")), -1);
    KeepPicture(*view, picture);
}

}  // namespace

TEST(PasswordView, TheStartUpQuestionHidesWhatIsTyped) {
    testing_support::ScriptedHost host;
    app::CPasswordDlg dialog(host, "Данните са защитени с парола. Въведете паролата.", 1, 3);
    ExpectHidden(dialog, static_cast<ui::Edit&>(*dialog.find("password")), "password-at-start.png");
}

TEST(PasswordView, TheSettingDialogHidesWhatIsTyped) {
    testing_support::ScriptedHost host;
    testing_support::TempDir dir;
    auto db = db::Database::create(dir / "ZORV.MDB");
    app::CDataPasswordDlg dialog(host, db);
    ExpectHidden(dialog, static_cast<ui::Edit&>(*dialog.find("new")), "password-settings.png");
}
