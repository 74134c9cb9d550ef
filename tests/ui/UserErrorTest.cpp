// A user error abandons the action in progress; the dialog says why.
#include <gtest/gtest.h>

#include "platform/UserError.h"
#include "support/DialogDriver.h"
#include "support/ScriptedHost.h"
#include "ui/Dialog.h"

using testing_support::DialogDriver;
using testing_support::ScriptedHost;

namespace {

class Failing : public ui::Dialog {
  public:
    Failing(ui::Host& host, bool failOnOpen)
        : Dialog(host, "Грешка", {100, 50}), fail_(failOnOpen) {}
    ui::Button& save = addButton("save", "Запис", {5, 5, 40, 14});
    int saves = 0;

  protected:
    void opened() override {
        if (fail_) throw platform::UserError("database disk image is malformed");
    }
    void pressed(ui::Button&) override {
        ++saves;
        throw platform::UserError("disk I/O error");
    }

  private:
    bool fail_;
};

// A property sheet whose first page reads its data when it is shown.
class FailingSheet : public ui::Dialog {
  public:
    explicit FailingSheet(ui::Host& host) : Dialog(host, "Справка", {100, 80}) {}
    ui::Sheet& sheet = addSheet("sheet", {5, 5, 90, 50});
    ui::Page& first = addPage(sheet, "a", "Раздел А");

  protected:
    void pageActivated(ui::Page&) override { throw platform::UserError("no such table: DEKLAR"); }
};

}  // namespace

TEST(UserErrors, AnActionThatFailsIsReportedAndTheDialogStaysOpen) {
    ScriptedHost host;
    Failing dialog(host, false);
    DialogDriver d(dialog);
    d.press("Запис");
    host.expectError("disk I/O error");
    EXPECT_TRUE(d.isOpen());
    d.press("Запис");
    host.expectError("disk I/O error");
    EXPECT_EQ(dialog.saves, 2);
}

TEST(UserErrors, ADialogThatCannotReadItsDataClosesAfterSayingWhy) {
    ScriptedHost host;
    Failing dialog(host, true);
    dialog.open();
    host.expectError("database disk image is malformed");
    EXPECT_FALSE(dialog.isOpen());
    EXPECT_EQ(dialog.result(), ui::Result::Cancel);
}

TEST(UserErrors, ASheetWhoseFirstPageCannotReadItsDataClosesAfterSayingWhy) {
    ScriptedHost host;
    FailingSheet dialog(host);
    dialog.open();
    host.expectError("no such table: DEKLAR");
    EXPECT_FALSE(dialog.isOpen());
}
