// "Парола за данните": setting, changing and removing the password of the
// user's own, and what each leaves the file keyed with.
#include "app/CDataPasswordDlg.h"

#include <gtest/gtest.h>

#include "support/DialogDriver.h"
#include "support/ScriptedHost.h"
#include "support/TempDir.h"

using testing_support::DialogDriver;
using testing_support::ScriptedHost;
using testing_support::TempDir;

namespace {

class DataPassword : public ::testing::Test {
  protected:
    std::vector<db::Lock> locksOf(const std::optional<std::string>& password) {
        return password ? db::LocksOf(db::Key::fromPassword(*password, salt)) : db::BuiltInLocks();
    }
    // Whether the file, closed, opens with this password (nullopt: the built-in key).
    bool opensWith(const std::optional<std::string>& password) {
        db.reset();
        try {
            db::Database::open(file, locksOf(password));
            return true;
        } catch (const db::Error&) {
            return false;
        }
    }
    void reopen(const std::optional<std::string>& password) {
        db.reset();
        db = db::Database::open(file, locksOf(password));
    }

    TempDir dir;
    std::filesystem::path file = dir / "ZORV.MDB";
    std::optional<db::Database> db = db::Database::create(file);
    db::Salt salt = db->salt();
    ScriptedHost host;
};

}  // namespace

TEST_F(DataPassword, WithoutAPasswordOnlyANewOneCanBeTyped) {
    app::CDataPasswordDlg dialog(host, *db);
    DialogDriver d(dialog);
    EXPECT_FALSE(d.enabled("Текуща парола"));
    EXPECT_FALSE(d.enabled("Премахни паролата"));
    EXPECT_EQ(d.caption("save"), "Задай паролата");
    EXPECT_EQ(d.focused(), "new");
    EXPECT_NE(d.caption("warning").find("забравена парола не може да бъде възстановена"),
              std::string::npos);
    EXPECT_TRUE(d.get<ui::Edit>("new").masked());
}

TEST_F(DataPassword, AShortOrMistypedPasswordIsRefusedAndTheRightOneKeysTheFile) {
    app::CDataPasswordDlg dialog(host, *db);
    DialogDriver d(dialog);
    d.type("Нова парола", "кратка1").type("Повторете новата парола", "кратка1").press("save");
    host.expectError("Паролата трябва да бъде поне 8 знака.");
    EXPECT_EQ(d.focused(), "new");
    d.type("Нова парола", "дълга парола").type("Повторете новата парола", "дълга парола!");
    d.press("save");
    host.expectError("Повторената парола не съвпада с новата.");
    EXPECT_EQ(d.focused(), "repeat");
    EXPECT_FALSE(db->hasOwnPassword());

    d.type("Повторете новата парола", "дълга парола").press("save");
    const auto box = host.takeBox();
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text.rfind("Паролата е зададена.", 0), 0u) << box->text;
    EXPECT_FALSE(d.isOpen());
    EXPECT_FALSE(opensWith(std::nullopt));
    EXPECT_TRUE(opensWith("дълга парола"));
}

TEST_F(DataPassword, ChangingAndRemovingAskForTheCurrentPassword) {
    db->rekey(db::Key::fromPassword("първата парола", salt));
    {
        app::CDataPasswordDlg dialog(host, *db);
        DialogDriver d(dialog);
        EXPECT_EQ(d.caption("save"), "Смени паролата");
        EXPECT_EQ(d.focused(), "current");
        d.type("Текуща парола", "не е тя").type("Нова парола", "втората парола");
        d.type("Повторете новата парола", "втората парола").press("save");
        host.expectError("Текущата парола не е вярна.");
        EXPECT_EQ(d.focused(), "current");
        d.type("Текуща парола", "първата парола").press("save");
        host.expectInformation("Паролата е сменена.");
    }
    EXPECT_FALSE(opensWith("първата парола"));
    EXPECT_TRUE(opensWith("втората парола"));
    reopen("втората парола");
    {
        app::CDataPasswordDlg dialog(host, *db);
        DialogDriver d(dialog);
        d.type("Текуща парола", "първата парола").press("Премахни паролата");
        host.expectError("Текущата парола не е вярна.");
        host.answer(ui::Answer::Yes);
        d.type("Текуща парола", "втората парола").press("Премахни паролата");
        host.expectQuestion(
            "Да се премахне ли паролата? Данните ще останат защитени само с ключа на програмата.",
            ui::Buttons::YesNo, ui::Icon::Warning);
        host.expectInformation("Паролата е премахната.");
    }
    EXPECT_TRUE(opensWith(std::nullopt));
}
