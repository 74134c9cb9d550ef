#include "journals/DuplicateStore.h"

#include "db/Renumber.h"
#include "journals/JournalStore.h"

namespace journals {
namespace {

using db::Journal;
using F = ListedDocument::Field;

constexpr const char* kTypes = "TYPE IN ('01', '02', '03', '09', '11', '12', '13')";
constexpr const char* kNoIdentifier = "999999999999999";

// Whether two documents, read in order of their group, are of one group.
bool SameGroup(Journal journal, const ListedDocument& a, const ListedDocument& b) {
    if (a.field(F::Klon) != b.field(F::Klon) || a.field(F::DocNo) != b.field(F::DocNo))
        return false;
    return journal == Journal::Sales || a.field(F::Knum) == b.field(F::Knum);
}

}  // namespace

std::vector<DuplicateDocument> FindDuplicates(db::Database& db, Journal journal,
                                              const std::string& vin, const std::string& period) {
    // One read of the period, its documents in order of group and entry.
    const bool purchases = journal == Journal::Purchases;
    std::string sql = ListSelect(journal) + " WHERE VIN = ? AND PERIOD = ? AND " + kTypes;
    sql +=
        purchases ? " AND KNUM <> ? ORDER BY KLON, DOCNO, KNUM, ID" : " ORDER BY KLON, DOCNO, ID";
    auto s = purchases ? db.query(sql, vin, period, kNoIdentifier) : db.query(sql, vin, period);
    const int amounts = static_cast<int>(db::AmountColumns(journal).size());

    std::vector<DuplicateDocument> found;
    std::vector<ListedDocument> group;
    const auto closeGroup = [&] {
        if (group.size() >= 2)
            for (std::size_t i = 0; i < group.size(); ++i)
                found.push_back({std::move(group[i]), i == 0});
        group.clear();
    };
    while (s.step()) {
        auto document = ReadListedDocument(s, amounts);
        if (!group.empty() && !SameGroup(journal, group.front(), document)) closeGroup();
        group.push_back(std::move(document));
    }
    closeGroup();
    return found;
}

DeletedDocuments DeleteDuplicates(db::Database& db, const std::string& vin,
                                  const std::string& period,
                                  std::span<const std::int64_t> purchases,
                                  std::span<const std::int64_t> sales) {
    db::Transaction unit(db);
    const auto remove = [&](Journal journal, std::span<const std::int64_t> ids) {
        auto s = db.prepare(std::string("DELETE FROM ") + db::TableName(journal) +
                            " WHERE VIN = ? AND PERIOD = ? AND ID = ? AND " + kTypes);
        int deleted = 0;
        for (const auto id : ids) {
            s.bindAll(vin, period, id).run();
            deleted += db.changes();
            s.reset();
        }
        return deleted;
    };
    DeletedDocuments deleted;
    deleted.purchases = remove(Journal::Purchases, purchases);
    deleted.sales = remove(Journal::Sales, sales);
    db::RenumberPeriod(db, vin, period);
    unit.commit();
    return deleted;
}

}  // namespace journals
