#include "files/merge/MergeStore.h"

#include <cstdint>

#include "db/Renumber.h"
#include "db/Rows.h"
#include "db/SchemaCheck.h"

namespace files::merge {
namespace {

// The text columns in the order of MergedText; the sales have VIES_TYPE too.
constexpr const char* kTextColumns[] = {"VIN",   "PERIOD", "KLON",  "TYPE",  "DOCNO",
                                        "DDATE", "KNUM",   "KNAME", "SDELKA"};

std::string InsertSql(db::Journal journal) {
    const bool sales = journal == db::Journal::Sales;
    std::string columns, values;
    const auto add = [&](const std::string& column) {
        columns += (columns.empty() ? "" : ", ") + column;
        values += values.empty() ? "?" : ", ?";
    };
    for (const char* column : kTextColumns) add(column);
    add(db::Code8aColumn(journal));
    if (sales) add("VIES_TYPE");
    for (const char* column : db::AmountColumns(journal)) add(column);
    for (const char* column : {"NUMBER", "DATE_CREATE", "ERROR1", "ERROR2", "ERROR3", "ID"})
        add(column);
    return std::string("INSERT INTO ") + db::TableName(journal) + " (" + columns + ") VALUES (" +
           values + ")";
}

// The words hold the codes as their unsigned 32-bit contents.
std::int64_t UnsignedWord(const db::ErrorSet& errors, int word) {
    return static_cast<std::uint32_t>(errors.word(word));
}

}  // namespace

// One prepared insert, bound anew for every document; the texts are bound
// without a copy, as the document and `dateCreate` outlive the insert.
struct MergeStore::Inserter {
    Inserter(db::Database& db, db::Journal journal)
        : db(db),
          journal(journal),
          statement(db.prepare(InsertSql(journal))),
          counted(db::SchemaVersion(db) >= 1) {}

    void insert(const MergedDocument& d, long long number, const std::string& dateCreate) {
        db::Binder b(statement);
        for (std::size_t t = 0; t <= kMergedCode8a; ++t) b << db::Borrowed{d.text[t]};
        if (journal == db::Journal::Sales) b << db::Borrowed{d.text[kMergedViesType]};
        for (std::size_t k = 0; k < d.amountCount(); ++k) b << d.amounts[k];
        b << static_cast<double>(number) << db::Borrowed{dateCreate};
        for (int word = 0; word < 3; ++word) b << UnsignedWord(d.errors, word);
        if (counted)
            b << nextId();
        else
            b << db::Null{};  // files of the first version count the IDs themselves
        statement.run();
        statement.reset();
    }

    // IDs from the journal's counter, taken in blocks; the unused rest of the
    // last block is a gap, as a deleted document leaves one.
    std::int64_t nextId() {
        constexpr std::int64_t kBlock = 4096;
        if (next == end) {
            next = db::ReserveJournalIds(db, journal, kBlock);
            end = next + kBlock;
        }
        return next++;
    }

    db::Database& db;
    db::Journal journal;
    db::Statement statement;
    bool counted;
    std::int64_t next = 0, end = 0;
};

MergeStore::MergeStore(db::Database& db, std::string dateCreate)
    : db_(db),
      dateCreate_(std::move(dateCreate)),
      transaction_(db),
      purchases_(std::make_unique<Inserter>(db, db::Journal::Purchases)),
      sales_(std::make_unique<Inserter>(db, db::Journal::Sales)) {}

MergeStore::~MergeStore() = default;

// Every document of a VAT number and period is numbered in order of entry
// (by ID), branches together. The documents already there are renumbered
// first, when they need it; the added ones, entered after them, continue
// their numbers, so that the period never needs renumbering as a whole.
MergeStore::NextNumbers& MergeStore::nextNumbers(const MergedDocument& d) {
    const std::string& vin = d.text[kMergedVin];
    const std::string& period = d.text[kMergedPeriod];
    // Documents of one VAT number and period mostly follow one another.
    if (last_ && lastKey_.first == vin && lastKey_.second == period) return *last_;
    lastKey_ = {vin, period};
    auto [it, first] = next_.try_emplace(lastKey_);
    if (first) {
        db::RenumberPeriod(db_, vin, period);
        const auto count = [&](db::Journal journal) {
            db::Statement s =
                db_.query(std::string("SELECT count(*) FROM ") + db::TableName(journal) +
                              " WHERE VIN = ? AND PERIOD = ?",
                          vin, period);
            s.step();
            return s.integer(0);
        };
        it->second = {count(db::Journal::Purchases) + 1, count(db::Journal::Sales) + 1};
    }
    last_ = &it->second;
    return *last_;
}

void MergeStore::add(const MergedDocument& d) {
    NextNumbers& next = nextNumbers(d);
    if (d.journal == db::Journal::Sales) {
        sales_->insert(d, next.sale++, dateCreate_);
        ++added_.sales;
    } else {
        purchases_->insert(d, next.purchase++, dateCreate_);
        ++added_.purchases;
    }
}

AddedDocuments MergeStore::commit() {
    for (const auto& entry : next_) added_.periods.push_back(entry.first);
    // The prepared inserts must be finished before the unit is released.
    purchases_.reset();
    sales_.reset();
    transaction_.commit();
    return added_;
}

}  // namespace files::merge
