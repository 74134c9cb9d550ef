// The documents the file writers read of a journal are its stored rows.

#include "files/SubmissionStore.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "support/PeriodGenerator.h"
#include "support/TestDatabase.h"

using testing_support::PeriodGenerator;
using testing_support::TestDatabase;

namespace {

// A document with its texts and amounts copied, to outlive the row read.
struct Copy {
    std::vector<std::string> texts;
    int number;
    std::vector<platform::money::Stotinki> amounts;
    db::ErrorSet errors;
    bool operator==(const Copy&) const = default;
};

Copy CopyOf(const files::JournalDocument& d) {
    return {{std::string(d.vin), std::string(d.period), std::string(d.klon), std::string(d.type),
             std::string(d.docNo), std::string(d.date), std::string(d.knum), std::string(d.kname),
             std::string(d.sdelka), std::string(d.code8a), std::string(d.viesType)},
            d.number,
            {d.amounts.begin(), d.amounts.end()},
            d.errors};
}

// The rows as the journal row reader reads every column of them.
std::vector<Copy> ExpectedDocuments(db::Database& db, db::Journal journal, const std::string& vin,
                                    const std::string& period,
                                    const std::optional<std::string>& klon, files::RowOrder order) {
    auto s =
        db.prepare(std::string("SELECT * FROM ") + db::TableName(journal) +
                   " WHERE VIN = ? AND PERIOD = ?" + (klon ? " AND KLON = ?" : "") +
                   (order == files::RowOrder::Stored ? " ORDER BY ID" : " ORDER BY NUMBER, ID"));
    db::Binder b(s);
    b << vin << period;
    if (klon) b << *klon;
    std::vector<Copy> rows;
    while (s.step()) {
        returns::DocumentAmounts shown;
        rows.push_back(CopyOf(files::DocumentOfRow(db::JournalRow::read(journal, s), shown)));
    }
    return rows;
}

}  // namespace

// Every column in its place, for all branches and for one, in either order;
// error words and numbers out of ID order are stirred in, as the generated
// periods have neither.
TEST(JournalDocuments, AreTheStoredRowsColumnForColumn) {
    TestDatabase t;
    PeriodGenerator generator(18);
    for (int i = 0; i < 4; ++i) {
        const auto p = generator.Store(t.db());
        for (const char* table : {"POKUPKI", "PRODAGBI"})
            t.db().execute(std::string("UPDATE ") + table +
                               " SET ERROR1 = ID % 7, ERROR2 = -(ID % 3), ERROR3 = ID % 5 << 29, "
                               "NUMBER = (ID * 7919) % 101 WHERE VIN = ?",
                           p.vin);
        const std::optional<std::string> branch =
            p.branches.empty() ? std::string() : p.branches.front();
        for (const auto journal : {db::Journal::Purchases, db::Journal::Sales})
            for (const auto& klon : {std::optional<std::string>(), branch})
                for (const auto order : {files::RowOrder::Stored, files::RowOrder::ByNumber}) {
                    SCOPED_TRACE(std::string(db::TableName(journal)) + " " + p.period + " " +
                                 klon.value_or("all") +
                                 (order == files::RowOrder::Stored ? " stored" : " by number"));
                    std::vector<Copy> read;
                    files::ForEachJournalDocument(t.db(), journal, p.vin, p.period, klon, order,
                                                  [&](const files::JournalDocument& d) {
                                                      read.push_back(CopyOf(d));
                                                      return true;
                                                  });
                    const auto expected =
                        ExpectedDocuments(t.db(), journal, p.vin, p.period, klon, order);
                    EXPECT_FALSE(expected.empty() && klon == std::nullopt);
                    ASSERT_EQ(read.size(), expected.size());
                    for (std::size_t k = 0; k < read.size(); ++k)
                        EXPECT_TRUE(read[k] == expected[k]) << "document " << expected[k].texts[4];
                }
    }
}
