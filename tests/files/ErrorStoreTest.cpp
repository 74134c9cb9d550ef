// The error sets stored with documents and returns.
#include "files/ErrorStore.h"

#include <gtest/gtest.h>

#include "db/Rows.h"
#include "support/TestDatabase.h"

using files::ErrorTable;
using testing_support::TestDatabase;

// ---- queries on the database ----

namespace {

// The ERROR1..ERROR3 columns of a stored document, as SQL literals.
struct Words {
    const char* error1;
    const char* error2;
    const char* error3;
};

std::int64_t StoreDocument(TestDatabase& t, db::Journal journal, const std::string& klon,
                           Words words, const std::string& vin = "BG100000001",
                           const std::string& period = "202305") {
    const auto id = t.document(journal, vin, klon, period);
    t.db().execute(std::string("UPDATE ") + db::TableName(journal) +
                       " SET ERROR1 = " + words.error1 + ", ERROR2 = " + words.error2 +
                       ", ERROR3 = " + words.error3 + " WHERE ID = ?",
                   id);
    return id;
}

bool Fatal(TestDatabase& t, const std::string& branch = "",
           const std::string& vin = "BG100000001") {
    return files::HasFatalErrors(t.db(), vin, branch, "202305");
}

}  // namespace

TEST(HasFatalErrors, WarningsAreNotFatal) {
    TestDatabase t;
    StoreDocument(t, db::Journal::Purchases, "", {"0", "1", "0"});  // code 33
    StoreDocument(t, db::Journal::Sales, "", {"0", "0", "63"});     // codes 65-70
    StoreDocument(t, db::Journal::Sales, "", {"NULL", "NULL", "NULL"});
    EXPECT_FALSE(Fatal(t));
}

TEST(HasFatalErrors, FatalCodesInEachWordAreFound) {
    const struct {
        db::Journal journal;
        Words words;
    } cases[] = {
        {db::Journal::Purchases, {"1", "0", "0"}},             // code 1
        {db::Journal::Purchases, {"2147483648.0", "0", "0"}},  // code 32, unsigned as imported
        {db::Journal::Purchases, {"-2147483648", "0", "0"}},   // code 32, signed
        {db::Journal::Purchases, {"0", "262144", "0"}},        // code 51
        {db::Journal::Sales, {"0", "64", "0"}},                // code 39
        {db::Journal::Sales, {"0", "0", "64"}},                // code 71
        {db::Journal::Sales, {"0", "0", "16384"}},             // code 79
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.words.error1) + "/" + c.words.error2 + "/" + c.words.error3);
        TestDatabase t;
        StoreDocument(t, c.journal, "", c.words);
        EXPECT_TRUE(Fatal(t));
    }
}

TEST(HasFatalErrors, OnlyTheVatNumberAndPeriodCount) {
    TestDatabase t;
    StoreDocument(t, db::Journal::Sales, "", {"1", "0", "0"}, "BG100000086");
    StoreDocument(t, db::Journal::Purchases, "", {"1", "0", "0"}, "BG100000001", "202304");
    EXPECT_FALSE(Fatal(t));
    EXPECT_TRUE(Fatal(t, "", "BG100000086"));
    EXPECT_FALSE(Fatal(t, "", "BG1' OR '1'='1")) << "values are bound, never pasted";
}

TEST(HasFatalErrors, HeadOfficeCoversItsBranchesAndABranchOnlyItself) {
    TestDatabase t;
    StoreDocument(t, db::Journal::Sales, "0001", {"0", "0", "64"});  // a branch document, code 71
    EXPECT_TRUE(Fatal(t, "")) << "the head office's files carry the branch's documents";
    EXPECT_TRUE(Fatal(t, "0001"));
    EXPECT_FALSE(Fatal(t, "0002"));

    TestDatabase other;
    StoreDocument(other, db::Journal::Purchases, "", {"4", "0", "0"});  // head office, code 3
    EXPECT_TRUE(Fatal(other, ""));
    EXPECT_FALSE(Fatal(other, "0001"));
}

TEST(HasErrorCode, TestsOneBitOfTheAddressedRow) {
    TestDatabase t;
    const auto purchase = StoreDocument(t, db::Journal::Purchases, "", {"0", "1", "0"});
    const auto sale = StoreDocument(t, db::Journal::Sales, "", {"NULL", "NULL", "2147483648.0"});
    db::ReturnRow r;
    r.vin = "BG100000001";
    r.period = "202305";
    r.errors.set(76);
    const auto deklar = db::SaveReturn(t.db(), r);

    const struct {
        int code;
        ErrorTable table;
        std::int64_t id;
        bool present;
    } cases[] = {
        {33, ErrorTable::Pokupki, purchase, true},
        {1, ErrorTable::Pokupki, purchase, false},
        {34, ErrorTable::Pokupki, purchase, false},
        {96, ErrorTable::Prodagbi, sale, true},
        {1, ErrorTable::Prodagbi, sale, false},  // NULL column: no code
        {76, ErrorTable::Deklar, deklar, true},
        {77, ErrorTable::Deklar, deklar, false},
        {33, ErrorTable::Pokupki, purchase + 1000, false},  // no such row
        {0, ErrorTable::Pokupki, purchase, false},
        {97, ErrorTable::Pokupki, purchase, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(files::HasErrorCode(t.db(), c.code, c.table, c.id), c.present);
    }
}
