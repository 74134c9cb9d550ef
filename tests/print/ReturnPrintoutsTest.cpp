#include "print/ReturnPrintouts.h"

#include <gtest/gtest.h>

#include <regex>

#include "print/CZorevaView.h"
#include "print/FormWording.h"
#include "print/RecordingSurface.h"
#include "support/TestDatabase.h"

using print::Align;
using testing_support::RecordingSurface;
using testing_support::TestDatabase;

namespace {

constexpr const char* kVin = "BG121212121";

db::PersonRow Person() {
    db::PersonRow p;
    p.bulstat = "121212121", p.vin = kVin, p.name = "Зорница ЕООД";
    p.adress = "София, ул. Шипка 1", p.bName = "Иван Петров", p.bPost = "управител";
    p.face = "Мария Иванова", p.faceEgn = "8001010000", p.faceAdr1 = "ул. Витоша 2";
    p.faceGrad = "София", p.facePk = "1000", p.flPredst = "П";
    return p;
}

db::ViesRow Vies(int section, int number, const std::string& knum, double ss15,
                 const std::string& period1 = "05/2024") {
    db::ViesRow v;
    v.vin = kVin, v.period = "202405", v.section = section, v.number = number;
    v.knum = knum, v.ss15 = ss15, v.period1 = period1;
    return v;
}

print::ViesReturnForm ViesForm() {
    print::ViesReturnForm form;
    form.person = Person();
    form.period = "202405";
    return form;
}

print::VatReturnForm VatForm(const std::string& period) {
    print::VatReturnForm form;
    form.person = Person();
    form.period = period;
    form.cells.period = period;
    form.signatory = {"Иван Петров", "управител"};
    form.today = {2024, 6, 3, 10, 0, 0};
    return form;
}

}  // namespace

// ---- VAT return ----

TEST(VatReturnPrintout, OnePageWithEveryCellInItsBoxAndTheSignatory) {
    auto form = VatForm("202405");
    form.cells.ds01 = 1234.5, form.cells.dr40 = 105.01, form.cells.dr50 = 7.994;
    form.cells.dr33 = 0.5;
    RecordingSurface s;
    ASSERT_TRUE(print::PrintVatReturn(s, form));
    EXPECT_EQ(s.pages(), 1);
    EXPECT_EQ(s.find("1234.50 01 ").size(), 1u);
    EXPECT_EQ(s.find("105.01 40 ").size(), 1u);
    EXPECT_EQ(s.find("7.99 50 ").size(), 1u);
    EXPECT_EQ(s.find("0.50 33 ").size(), 1u);
    for (const char* cell : {"01", "20", "11", "21", "12", "22", "23", "13", "24", "14",
                             "15", "16", "17", "18", "19", "30", "31", "41", "32", "42",
                             "43", "33", "40", "50", "60", "70", "71", "80", "81", "82"}) {
        const std::regex format("-?[0-9]+\\.[0-9]{2} " + std::string(cell) + " ");
        std::vector<testing_support::DrawnText> value;
        for (const auto& t : s.texts)
            if (std::regex_match(t.text, format)) value.push_back(t);
        ASSERT_EQ(value.size(), 1u) << cell;
        EXPECT_EQ(value[0].align, Align::Right);
        EXPECT_TRUE(value[0].box.right == 11150 || value[0].box.right < 5678) << cell;
    }
    EXPECT_EQ(s.containing("Долуподписаният, Иван Петров декларирам, че:").size(), 1u);
    EXPECT_EQ(s.containing("Дата на съставяне: 03/06/2024").size(), 1u);
    EXPECT_EQ(s.containing("Длъжност: управител").size(), 1u);
    EXPECT_EQ(s.containing("Идентификационен номер: 121212121").size(), 1u);
    EXPECT_EQ(s.containing("Идентификационен номер по ЗДДС: BG121212121").size(), 1u);
    EXPECT_EQ(s.find("05/2024").size(), 1u);
    for (const auto& t : s.texts) {
        EXPECT_LE(t.box.right, 11150) << t.text;
        EXPECT_GT(t.box.bottom, -16000) << t.text << ": the form fits one A4 page";
    }
}

TEST(VatReturnPrintout, WordingsAndFootnotesFollowThePeriod) {
    const struct {
        const char* period;
        const char* cell;
        const char* label;
    } cases[] = {
        {"201512", "23", "Начислен данък (20%) в други случаи, предвидени в ЗДДС"},
        {"201602", "23", "Начислен данък за доставки на стоки и услуги за лични нужди****"},
        {"201312", "16", "-ДО на доставки по чл.140, 146 и чл.173, ал.1 и 4 ЗДДС"},
        {"201401", "16", "-ДО на доставки по чл.140, 146 и чл.173 ЗДДС"},
        {"201602", "16", "-ДО на доставки по чл.140, 146 и чл.173 ЗДДС*"},
        {"201512", "19", "-ДО на освободените доставки и освободените ВОП"},
        {"201602", "19", "-ДО на освободените доставки и освободените ВОП***"},
        {"202003", "12", "-ДО на ВОП и ДО на получени доставки по чл.82, ал.2-5 ЗДДС"},
        {"202004", "12", "-ДО на ВОП и ДО на получени доставки по чл.82, ал.2-6 ЗДДС"},
        {"202004", "22", "Начислен ДДС за ВОП и за получени доставки по чл.82, ал.2-6 ЗДДСС"},
    };
    for (const auto& c : cases) EXPECT_EQ(print::VatCellLabel(c.cell, c.period), c.label);
    EXPECT_NE(print::VatCellLabel("18", "201602").find("тристранна операция**"), std::string::npos);
    EXPECT_NE(print::VatCellLabel("30", "202003").find("ал.2-5"), std::string::npos);
    EXPECT_NE(print::VatCellLabel("31", "202004").find("ал.2-6"), std::string::npos);

    RecordingSurface before, after;
    ASSERT_TRUE(print::PrintVatReturn(before, VatForm("201512")));
    ASSERT_TRUE(print::PrintVatReturn(after, VatForm("201602")));
    EXPECT_TRUE(print::VatReturnFootnotes("201512").empty());
    EXPECT_EQ(print::VatReturnFootnotes("201602").size(), 4u);
    for (const char* start : {"*В клетка 16 се декларират", "**В клетка 18 се декларират",
                              "*** В клетка 19 не се декларират", "****В клетка 23"}) {
        EXPECT_TRUE(before.containing(start).empty()) << start;
        EXPECT_EQ(after.containing(start).size(), 1u) << start;
    }
    EXPECT_EQ(before.containing("Начислен данък (20%) в други случаи").size(), 1u);
    EXPECT_EQ(after.containing("нужди****").size(), 1u);
}

// Leva up to 202512, euro from 202601: the note of the VAT return, and the
// headings and closing note of the VIES return, name the period's currency
// and never the other.
TEST(ReturnPrintouts, TheCurrencyTextsFollowThePeriod) {
    const struct {
        const char* period;
        std::vector<const char*> named, absent;
    } cases[] = {
        {"202405",
         {"Стойностите се посочват в левове и стотинки.", "Данъчна основа в лв.",
          "Данъчна основа - общо в лева"},
         {"евро"}},
        {"202512", {"Стойностите се посочват в левове и стотинки."}, {"евро"}},
        {"202601",
         {"Стойностите се посочват в евро и евроцентове.", "Данъчна основа в евро",
          "Данъчна основа - общо в евро"},
         {"лв.", "в лева", "левове"}},
        {"202611", {"Стойностите се посочват в евро и евроцентове."}, {"лв.", "в лева"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.period);
        RecordingSurface vat, vies;
        ASSERT_TRUE(print::PrintVatReturn(vat, VatForm(c.period)));
        auto form = ViesForm();
        form.period = c.period;
        form.supplies = {Vies(1, 1, "DE123456789", 100)};
        ASSERT_TRUE(print::PrintViesReturn(vies, form));
        EXPECT_EQ(vat.containing(c.named.front()).size(), 1u);
        EXPECT_EQ(vies.containing(c.named.front()).size(), 1u);
        for (const char* text : c.named) EXPECT_FALSE(vies.containing(text).empty()) << text;
        for (const char* text : c.absent) {
            EXPECT_TRUE(vat.containing(text).empty()) << text;
            EXPECT_TRUE(vies.containing(text).empty()) << text;
        }
    }
}

// ---- VIES return ----

TEST(ViesReturnPrintout, WithoutCallOffStockTheDeclarationFollowsTheNoteOnColumn6) {
    auto form = ViesForm();
    form.supplies = {Vies(1, 1, "DE123456789", 100), Vies(1, 2, "AT U12345678", 50.5)};
    form.supplies[1].ss17 = 10, form.supplies[1].ss25 = 1;
    RecordingSurface s;
    ASSERT_TRUE(print::PrintViesReturn(s, form));
    EXPECT_EQ(s.pages(), 1);
    EXPECT_TRUE(s.containing("Г. Прехвърляне").empty());
    EXPECT_TRUE(s.containing("В колона к. 3 се посочва код").empty());
    const auto note = s.containing("В колона к.6 се вписва");
    const auto declaration = s.containing("Долуподписаният, ____");
    ASSERT_EQ(note.size(), 1u);
    ASSERT_EQ(declaration.size(), 1u);
    EXPECT_LT(declaration[0].box.top, note[0].box.top);
    // The summary: all three bases, the goods, the count.
    EXPECT_EQ(s.find("161.50").size(), 1u);
    EXPECT_EQ(s.find("150.50").size(), 1u);
    EXPECT_EQ(s.find("2").size(), 2u) << "the count of rows and the second row's number";
    const auto total = s.find("161.50")[0];
    EXPECT_EQ(total.box.right, 10637);
    EXPECT_EQ(total.align, Align::Right);
    EXPECT_EQ(s.find("Стр.1").size(), 1u);
    EXPECT_EQ(s.find("Стр.1")[0].box.right, 10637);
    EXPECT_EQ(s.find("Стр.1")[0].box.top, print::kFormPageBottom);
}

TEST(ViesReturnPrintout, Column6IsEmptyForTheReturnsOwnMonth) {
    auto form = ViesForm();
    form.supplies = {Vies(1, 1, "DE123456789", 100, "05/2024"),
                     Vies(1, 2, "DE123456789", 100, "04/2024"), Vies(1, 3, "FR12345678901", 1, "")};
    RecordingSurface s;
    ASSERT_TRUE(print::PrintViesReturn(s, form));
    EXPECT_TRUE(s.find("05/2024").size() == 1u) << "only the period in the header";
    EXPECT_EQ(s.find("04/2024").size(), 1u);
    EXPECT_EQ(s.find("04/2024")[0].align, Align::Center);
}

TEST(ViesReturnPrintout, TheFilerIsAnAuthorisedPersonOrARepresentative) {
    for (const auto& [flag, wording] :
         {std::pair{true, "пълномощник"}, std::pair{false, "предстваляващ"}}) {
        auto form = ViesForm();
        form.filerIsAuthorised = flag;
        RecordingSurface s;
        ASSERT_TRUE(print::PrintViesReturn(s, form));
        EXPECT_EQ(s.find(std::string("В качеството на  ") + wording).size(), 1u) << wording;
    }
    TestDatabase t;
    auto person = Person();
    for (const auto& [stored, authorised] :
         {std::pair{"A", true}, std::pair{"П", false}, std::pair{"", false}}) {
        person.flPredst = stored;
        EXPECT_EQ(print::ReadViesReturnForm(t.db(), person, {kVin, "", "202405"}).filerIsAuthorised,
                  authorised)
            << stored;
    }
}

TEST(ViesReturnPrintout, BothSectionsWithTheirTablesAndFootnotes) {
    auto form = ViesForm();
    form.supplies = {Vies(1, 1, "DE123456789", 100)};
    auto callOff = Vies(2, 1, "DE999999999", 3, "04/2024");
    callOff.knumz = "DE888888888";
    form.callOffStock = {callOff};
    RecordingSurface s;
    ASSERT_TRUE(print::PrintViesReturn(s, form));
    const auto title = s.containing("Г. Прехвърляне на стоки");
    ASSERT_EQ(title.size(), 1u);
    EXPECT_EQ(s.find("3").size(), 1u) << "the operation code without decimals";
    EXPECT_EQ(s.find("DE888888888").size(), 1u);
    EXPECT_EQ(s.containing("1 - изпращане или транспортиране на стоки").size(), 1u);
    EXPECT_EQ(s.containing("** В колона к. 5 се вписва").size(), 1u);
    for (const char* k : {"к1", "к2", "к3", "к4", "к5"}) EXPECT_EQ(s.find(k).size(), 2u) << k;
    EXPECT_EQ(s.find("к6").size(), 1u);
    const auto declaration = s.containing("Долуподписаният, ____");
    ASSERT_EQ(declaration.size(), 1u);
    EXPECT_TRUE(declaration[0].page > title[0].page || declaration[0].box.top < title[0].box.top);
}

TEST(ViesReturnPrintout, LongTablesBreakIntoNumberedPagesThatRepeatTheColumnNumbers) {
    auto form = ViesForm();
    for (int i = 1; i <= 150; ++i)
        form.supplies.push_back(Vies(1, i, "DE" + std::to_string(100000000 + i), i));
    RecordingSurface s;
    ASSERT_TRUE(print::PrintViesReturn(s, form));
    ASSERT_GE(s.pages(), 3);
    for (int page = 1; page <= s.pages(); ++page) {
        EXPECT_EQ(s.onPage(page, s.find("к1")).size(), 1u) << page;
        EXPECT_EQ(s.onPage(page, s.find("Стр." + std::to_string(page))).size(), 1u) << page;
    }
    for (const auto& t : s.texts)
        if (t.text.rfind("Стр.", 0) != 0) {
            EXPECT_GE(t.box.bottom, print::kFormPageBottom) << t.text << " p" << t.page;
        }
    for (int i = 1; i <= 150; ++i)
        EXPECT_EQ(s.find("DE" + std::to_string(100000000 + i)).size(), 1u) << i;
    // A continuation page starts at y = -380 with the row of column numbers.
    const auto second = s.onPage(2, s.find("к1"));
    EXPECT_LE(second[0].box.top, -380);
    EXPECT_GT(second[0].box.top, -380 - 400);
}

TEST(ViesReturnPrintout, ABlockThatWouldEndBelowThePageStartsANewOne) {
    // Enough rows to fill the first page almost to its end.
    for (int rows = 30; rows <= 60; ++rows) {
        auto form = ViesForm();
        for (int i = 1; i <= rows; ++i) form.supplies.push_back(Vies(1, i, "DE123456789", 1));
        RecordingSurface s;
        ASSERT_TRUE(print::PrintViesReturn(s, form));
        for (const auto& t : s.texts)
            if (t.text.rfind("Стр.", 0) != 0) {
                ASSERT_GE(t.box.bottom, print::kFormPageBottom) << rows << ": " << t.text;
            }
        const auto note = s.containing("В колона к.6 се вписва");
        const auto noteLines = s.containing("тази декларация");
        ASSERT_EQ(note.size(), 1u);
        ASSERT_FALSE(noteLines.empty());
        EXPECT_EQ(note[0].page, noteLines.back().page) << rows << ": the note is not split";
    }
}

TEST(ViesReturnPrintout, ReadFromTheDatabaseForTheBranchOfTheSession) {
    TestDatabase t;
    auto row = Vies(1, 1, "DE123456789", 10);
    db::InsertViesRow(t.db(), row);
    row.klon = "0001", row.knum = "DE000000001";
    db::InsertViesRow(t.db(), row);
    auto person = Person();
    person.klon = "0001";
    platform::FixedClock clock({2024, 6, 3, 0, 0, 0});
    print::CZorevaView view(t.db(), clock, person);
    RecordingSurface s;
    ASSERT_TRUE(view.print(ui::PrintKind::Vies, "202405", s));
    EXPECT_EQ(s.find("DE000000001").size(), 1u);
    EXPECT_TRUE(s.find("DE123456789").empty());
}

TEST(CZorevaView, EachPrintoutHasItsOrientationAndName) {
    using print::Orientation;
    using ui::PrintKind;
    EXPECT_EQ(print::OrientationOf(ui::PrintKind::Purchases), Orientation::Landscape);
    EXPECT_EQ(print::OrientationOf(ui::PrintKind::Sales), Orientation::Landscape);
    EXPECT_EQ(print::OrientationOf(ui::PrintKind::Vies), Orientation::Portrait);
    EXPECT_EQ(print::OrientationOf(ui::PrintKind::VatReturn), Orientation::Portrait);
    EXPECT_EQ(print::JobName(ui::PrintKind::Purchases, "202405"), "Дневник за покупките 05-2024");
}

TEST(CZorevaView, TheVatReturnIsTheStoredOneWithItsSignatory) {
    TestDatabase t;
    auto person = Person();
    db::InsertPerson(t.db(), person);
    db::ReturnRow r;
    r.vin = kVin, r.period = "202405", r.dr40 = 105.01, r.ds20 = 200;
    db::SaveReturn(t.db(), r);
    platform::FixedClock clock({2024, 6, 3, 0, 0, 0});
    print::CZorevaView view(t.db(), clock, person);
    RecordingSurface s;
    ASSERT_TRUE(view.print(ui::PrintKind::VatReturn, "202405", s));
    EXPECT_EQ(s.find("105.01 40 ").size(), 1u);
    EXPECT_EQ(s.find("200.00 20 ").size(), 1u);
    EXPECT_EQ(s.containing("Долуподписаният, Иван Петров").size(), 1u);
    RecordingSurface none;
    ASSERT_TRUE(view.print(ui::PrintKind::VatReturn, "202406", none));
    EXPECT_EQ(none.find("0.00 40 ").size(), 1u) << "a period without a return prints zeros";
}
