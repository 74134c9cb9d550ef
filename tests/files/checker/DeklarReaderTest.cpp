// The rules of DEKLAR.TXT, run through the reader on a return written by hand.

#include <gtest/gtest.h>

#include "CheckerFiles.h"
#include "files/checker/Readers.h"

using namespace files;
using namespace files::checker;
using namespace checker_test;
using Codes = std::vector<int>;

namespace {

// The DEKLAR codes of the return text alone (no journal files read).
Codes DeklarCodes(const std::string& text, const std::string& today = "202306") {
    CheckState s;
    s.today.yearMonth = today;
    EXPECT_EQ(CheckDeklarFile(s, FileText::fromBytes(text), false), kFileRead);
    return s.returnErrors.codes();
}

Codes DeklarCodes(const Deklar& d) {
    return DeklarCodes(d.file());
}

Deklar WithCell(const std::string& cell, const std::string& value) {
    Deklar d;
    d.cells[cell] = value;
    return d;
}

}  // namespace

TEST(DeklarReader, TheConsistentReturnHasNoCode) {
    EXPECT_EQ(DeklarCodes(Deklar()), Codes{});
}

TEST(DeklarReader, StructureWantsOneLineOf590AndAShortEnding) {
    const std::string line = Deklar().line();
    struct Case {
        std::string text;
        bool code42;
    };
    const Case cases[] = {
        {line + "\r\n", false},
        {line + "\r\n\x1A", false},
        {line + "\r", false},
        {line + "\n", false},
        {line + "\n\n", false},
        {line + "\r\x1A\x1A", false},  // two or three of CR, LF, Ctrl-Z
        {line, true},                  // nothing after the line
        {line + "\x1A", true},         // the line runs on to a CR or LF
        {line + "\r\n\x1A\x1A", true},
        {line + "\r\nX", true},
        {line + "\r\n" + line + "\r\n", true},
        {line.substr(0, 589) + "\r\n", true},
        {line + " \r\n", true},
        {"", true},
    };
    for (const auto& c : cases) {
        const Codes codes = DeklarCodes(c.text);
        EXPECT_EQ(std::count(codes.begin(), codes.end(), 42), c.code42 ? 1 : 0)
            << testing::PrintToString(c.text.substr(std::min<std::size_t>(585, c.text.size())));
    }
}

TEST(DeklarReader, ShortLineIsStillCutAndTested) {
    // The fields that the short line holds are read (the filer in part); the
    // counts and cells beyond it are empty.
    const Codes codes = DeklarCodes(Deklar().line().substr(0, 100) + "\r\n");
    EXPECT_EQ(codes, (Codes{7, 8, 42}));
}

TEST(DeklarReader, PeriodAfterTheCurrentMonthSetsCode5) {
    Deklar d;
    d.period = "202307";
    EXPECT_EQ(DeklarCodes(d.file(), "202306"), Codes{5});
    d.period = "202306";
    EXPECT_EQ(DeklarCodes(d.file(), "202306"), Codes{});
}

TEST(DeklarReader, CoefficientAboveOneSetsCode31) {
    EXPECT_EQ(DeklarCodes(WithCell("DR33", "1.00")), Codes{});
    // 1.01 also changes the credit: 40.00 x 1.01 = 40.40, so DR40 no longer agrees.
    EXPECT_EQ(DeklarCodes(WithCell("DR33", "1.01")), (Codes{31, 33}));
    EXPECT_EQ(DeklarCodes(WithCell("DR33", "1.x")), (Codes{30, 33}));
}

TEST(DeklarReader, EmptyCoefficientCountsAsZero) {
    Deklar d = WithCell("DR33", "");
    EXPECT_EQ(DeklarCodes(d), Codes{33});
    d.cells["DR40"] = "30.00";  // DB41 + DB43
    d.cells["DR50"] = "70.00";
    EXPECT_EQ(DeklarCodes(d), Codes{});
}

TEST(DeklarReader, PartialCreditRoundsHalfUp) {
    struct Case {
        const char *db42, *dr33, *dr40;
        bool code33;
    };
    // DB41 = 30.00, DB43 = 0: DR40 = 30.00 + DB42 x DR33.
    const Case cases[] = {
        {"1000.00", "0.75", "780.00", false},  // 750.00
        {"1000.00", "0.75", "780.01", true},
        {"0.01", "0.50", "30.01", false},   // 0.005 rounds up to 0.01
        {"0.01", "0.49", "30.00", false},   // 0.0049 rounds down
        {"-0.01", "0.50", "30.00", false},  // a negative share is truncated
    };
    for (const auto& c : cases) {
        Deklar d;
        d.cells["DB42"] = c.db42;
        d.cells["DR33"] = c.dr33;
        d.cells["DR40"] = c.dr40;
        d.cells["DR50"] = "0.00";
        d.cells["DS20"] = c.dr40;
        const Codes codes = DeklarCodes(d);
        EXPECT_EQ(std::count(codes.begin(), codes.end(), 33), c.code33 ? 1 : 0)
            << c.db42 << " x " << c.dr33;
    }
}

TEST(DeklarReader, TaxDueAgreesWithinHalfAStotinka) {
    // DS20 1000.00 - DR40 400.00 = 600.00 due; the credit rule is kept
    // apart by setting DB41 to 400.00 and DB42 to 0.
    const auto due = [](const char* dr50, const char* dr60 = "0.00") {
        Deklar d;
        d.cells = {{"DS20", "1000.00"}, {"DB41", "400.00"}, {"DR33", "1.00"},
                   {"DR40", "400.00"},  {"DR50", dr50},     {"DR60", dr60}};
        return d;
    };
    EXPECT_EQ(DeklarCodes(due("600.00")), Codes{});
    EXPECT_EQ(DeklarCodes(due("600.004")), Codes{});
    EXPECT_EQ(DeklarCodes(due("599.995")), Codes{});
    EXPECT_EQ(DeklarCodes(due("600.01")), Codes{34});
    EXPECT_EQ(DeklarCodes(due("600.00", "5.00")), Codes{});  // DR60 is not tested then

    // A refund: DS20 100.00 - DR40 400.00 < 0, DR60 must be 300.00.
    Deklar refund = due("0.00", "300.00");
    refund.cells["DS20"] = "100.00";
    EXPECT_EQ(DeklarCodes(refund), Codes{});
    refund.cells["DR60"] = "300.01";
    EXPECT_EQ(DeklarCodes(refund), Codes{35});
}

// Every amount is read one way: a decimal comma counts as a point in the
// credit rule and in the rules of fields 50 and 60 alike.
TEST(DeklarReader, ACommaDecimalReturnThatIsConsistentHasNoCode) {
    Deklar payable;
    payable.cells = {{"DS20", "1000,00"}, {"DB41", "400,00"}, {"DB42", "10,01"},
                     {"DR33", "0,50"},    {"DR40", "405,01"}, {"DR50", "594,99"}};
    EXPECT_EQ(DeklarCodes(payable), Codes{});
    payable.cells["DR50"] = "595,99";
    EXPECT_EQ(DeklarCodes(payable), Codes{34});

    Deklar refund;
    refund.cells = {{"DS20", "100,00"},
                    {"DB41", "400,00"},
                    {"DR33", "1,00"},
                    {"DR40", "400,00"},
                    {"DR60", "300,00"}};
    EXPECT_EQ(DeklarCodes(refund), Codes{});
    refund.cells["DR60"] = "300,01";
    EXPECT_EQ(DeklarCodes(refund), Codes{35});
}

TEST(DeklarReader, EveryCellMustBeANumber) {
    const std::pair<const char*, int> cells[] = {
        {"DS01", 9},  {"DS20", 10}, {"DS11", 11}, {"DS21", 12}, {"DS12", 13}, {"DS22", 14},
        {"DS13", 15}, {"DS23", 16}, {"DS24", 17}, {"DS14", 18}, {"DS15", 19}, {"DS16", 20},
        {"DS17", 21}, {"DS18", 22}, {"DS19", 23}, {"DB30", 24}, {"DB31", 25}, {"DB32", 27},
        {"DB43", 29}, {"DR70", 36}, {"DR71", 37}, {"DR80", 38}, {"DR81", 39}, {"DR82", 40}};
    for (auto [cell, code] : cells) {
        // DS20 is also read as a number from its start (12), so the tax due
        // turns into a refund that DR60 does not show.
        const Codes expected = std::string_view(cell) == "DS20" ? Codes{code, 35} : Codes{code};
        EXPECT_EQ(DeklarCodes(WithCell(cell, "12a.00")), expected) << cell;
    }
}

TEST(DeklarReader, IdentityFieldsAndCounts) {
    struct Case {
        Deklar d;
        Codes codes;
    };
    const auto with = [](auto change) {
        Deklar d;
        change(d);
        return d;
    };
    const Case cases[] = {
        {with([](Deklar& d) { d.vin = ""; }), {1}},
        {with([](Deklar& d) { d.vin = "BG175074753"; }), {2}},     // wrong check digit
        {with([](Deklar& d) { d.vin = "BG1750747521"; }), {}},     // ten digits
        {with([](Deklar& d) { d.vin = "BG1750747520004"; }), {}},  // 13-digit EIK
        {with([](Deklar& d) { d.vin = "175074752"; }), {2}},
        {with([](Deklar& d) { d.name = ""; }), {3}},
        {with([](Deklar& d) { d.period = ""; }), {4}},
        {with([](Deklar& d) { d.filer = ""; }), {6}},
        {with([](Deklar& d) { d.salesCount = ""; }), {7}},
        {with([](Deklar& d) { d.salesCount = "-2"; }), {7}},
        {with([](Deklar& d) { d.salesCount = "2.0"; }), {7}},
        {with([](Deklar& d) { d.purchaseCount = "x"; }), {8}},
        {with([](Deklar& d) { d.cells["DR80"] = "-1.00"; }), {73}},
        {with([](Deklar& d) { d.cells["DR81"] = "-1.00"; }), {74}},
        {with([](Deklar& d) { d.cells["DR82"] = "-0.01"; }), {75}},
    };
    for (const auto& c : cases) EXPECT_EQ(DeklarCodes(c.d), c.codes) << c.d.line().substr(0, 160);
}

TEST(DeklarReader, ForbiddenCharacterSetsCode68AndTheFieldsAreStillTested) {
    Deklar d;
    d.name = "Зорева\tООД";
    EXPECT_EQ(DeklarCodes(d), Codes{68});
}

TEST(DeklarReader, MissingFileSetsCode41AndLeavesTheFieldsEmpty) {
    CheckState s;
    EXPECT_EQ(CheckDeklarFile(s, std::nullopt, false), kFileNotOpened);
    EXPECT_EQ(s.returnErrors.codes(), Codes{41});
    EXPECT_EQ(s.returnData[kVin], "");
    EXPECT_EQ(s.returnData[kDR33], "");
}

TEST(DeklarReader, SignatureStopsTheReaderBeforeAnyRule) {
    CheckState s;
    EXPECT_EQ(CheckDeklarFile(s, FileText::fromBytes("\xEF\xBB\xBF" + Deklar().file()), false), 2);
    EXPECT_FALSE(s.returnErrors.any());
}

TEST(DeklarReader, EmptyCellsReadAsZero) {
    CheckState s;
    s.today.yearMonth = "202306";
    Deklar d;
    d.cells = {{"DS01", ""}, {"DR33", ""}};
    CheckDeklarFile(s, FileText::fromBytes(d.file()), false);
    EXPECT_EQ(s.returnData[kDS01], "0.00");
    EXPECT_EQ(s.returnData[kDR33], "0.00");
    EXPECT_EQ(s.returnData[kName], Cp1251("Зорева ООД"));
    EXPECT_EQ(s.returnErrors.codes(), Codes{});
}
