// The VIES return dialog: generated from the sales journal each time it
// opens, shown in two lists, the call-off-stock list only from 202004 on.
#include "returns/CViesDeklDlg.h"

#include <gtest/gtest.h>

#include <optional>

#include "ReturnsFixture.h"

using namespace returns_test;
using testing_support::DialogDriver;
using Cells = std::vector<std::string>;

namespace {

class ViesDialog : public ::testing::Test, protected ReturnDialog<returns::CViesDeklDlg> {
  protected:
    ViesDialog() : ReturnDialog("202306") {}
    std::vector<Cells> rows(DialogDriver& d, const std::string& list) {
        std::vector<Cells> all;
        for (int i = 0; i < d.rowCount(list); ++i) all.push_back(d.row(list, i));
        return all;
    }
};

}  // namespace

TEST_F(ViesDialog, ShowsBothSectionsOfTheGeneratedReturn) {
    add({.knum = "DE123456789", .date = "05/06/2023", .ss15 = 100});
    add({.knum = "DE123456789", .date = "20/06/2023", .ss15 = 50});
    add({.knum = "DE123456789", .date = "28/05/2023", .ss15 = 7});
    add({.knum = "AT12345678", .date = "01/06/2023", .ss17 = 30, .ss25 = 4});
    add({.knum = "FR11111111111",
         .date = "10/06/2023",
         .type = "04",
         .ss8a = "43",
         .sdelka = "FR22222222222"});
    add({.knum = "NL111111111B01",
         .date = "10/06/2023",
         .type = "04",
         .ss8a = "43",
         .sdelka = "US12"});  // the earlier recipient is no EU number: no row
    auto& d = open();
    EXPECT_EQ(d.title(), "VIES Декларация");
    EXPECT_EQ(d.caption("supplies"), "Секция \"ВОД\"");
    EXPECT_EQ(d.headers("supplies"),
              (Cells{" № ", "Период", "VIN на контрагента", "          ВОД         ",
                     "Посредник в тристранни операции", "  Доставки на услуги  ",
                     "Данъчен период, през който данъкът е станал изискуем", ""}));
    EXPECT_EQ(rows(d, "supplies"),
              (std::vector<Cells>{
                  {"1", "202306", "AT12345678", "0.00", "4.00", "30.00", "", ""},
                  {"2", "202306", "DE123456789", "7.00", "0.00", "0.00", "05/2023", ""},
                  {"3", "202306", "DE123456789", "150.00", "0.00", "0.00", "", ""},
              }));
    EXPECT_TRUE(d.visible("callOffStock"));
    EXPECT_EQ(d.headers("callOffStock"),
              (Cells{" № ", "Период", "VIN на получателя", " Код на операцията",
                     "VIN на заместено лице-получател",
                     "Данъчен период, през който е извършена операцията", ""}));
    EXPECT_EQ(rows(d, "callOffStock"),
              (std::vector<Cells>{{"1", "202306", "FR11111111111", "3", "FR22222222222", "", ""}}));
    d.press("Затвори");
    EXPECT_FALSE(d.isOpen());
}

TEST_F(ViesDialog, BeforeAprilTwentyTwentyThereIsNoCallOffStockList) {
    add({.knum = "DE111111111", .date = "10/03/2020", .type = "04", .ss8a = "41"}, "202003");
    auto& d = open("202003");
    EXPECT_FALSE(d.visible("callOffStock"));
    EXPECT_EQ(d.rowCount("callOffStock"), 0);
    auto& april = open("202004");
    EXPECT_TRUE(april.visible("callOffStock"));
}

TEST_F(ViesDialog, EachOpeningGeneratesTheReturnAnew) {
    add({.knum = "DE123456789", .date = "05/06/2023", .ss15 = 100});
    const auto first = rows(open(), "supplies");
    EXPECT_EQ(rows(open(), "supplies"), first) << "the same rows and numbers again";

    add({.knum = "CY12345678X", .date = "07/06/2023", .ss15 = 3});
    add({.knum = "DE123456789", .date = "06/06/2023", .type = "03", .ss15 = -100});
    EXPECT_EQ(rows(open(), "supplies"),
              (std::vector<Cells>{{"1", "202306", "CY12345678X", "3.00", "0.00", "0.00", "", ""}}))
        << "a credit note that cancels the month leaves no row";
}
