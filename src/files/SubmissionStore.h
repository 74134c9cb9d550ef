#pragma once
// What the writers of the submission and merge files, and their dialogs,
// read from the database.

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "db/Database.h"
#include "db/Rows.h"
#include "returns/VatReturnComputation.h"

namespace files {

// What DEKLAR.TXT says about the person, from the head-office EDANNI row.
struct ReturnHeader {
    std::string vin, name, period;
    std::string faceEgn, face, phone;
    long long salesCount = 0, purchaseCount = 0;
};

// The head-office EDANNI row of the VAT number, if there is one.
std::optional<db::PersonRow> HeadOfficeRow(db::Database& db, const std::string& vin);

// What DEKLAR.TXT says about the person, from the head-office row; the
// counts of documents are the caller's.
ReturnHeader LoadReturnHeader(db::Database& db, const std::string& vin, const std::string& period);

// The order in which a journal's rows are read: as stored (by ID, the order
// that NUMBER follows once a period is numbered) or by NUMBER.
enum class RowOrder { Stored, ByNumber };

// What the files, the return sums and the VIES return read of a journal
// document: its texts as views of the row being read, valid until the next
// one, and each amount as the stotinki it shows, converted once.
struct JournalDocument {
    std::string_view vin, period, klon, type, docNo, date, knum, kname, sdelka, code8a;
    std::string_view viesType;  // sales only
    int number = 0;
    std::span<const platform::money::Stotinki> amounts;  // AmountColumns() order
    db::ErrorSet errors;
};

// The document of a stored row; its views and amounts live in `row` and
// `shown`.
JournalDocument DocumentOfRow(const db::JournalRow& row, returns::DocumentAmounts& shown);

// Visits the documents of a journal for the VIN and period in the order: all
// branches when `klon` is nullopt, else only that branch, until `visit`
// returns false. Rows are read one at a time, so a period of any size is
// written in constant memory; only the columns a document holds are read.
void ForEachJournalDocument(db::Database& db, db::Journal journal, const std::string& vin,
                            const std::string& period, const std::optional<std::string>& klon,
                            RowOrder order,
                            const std::function<bool(const JournalDocument&)>& visit);

// The periods of the VAT number that the submission files can be written
// for: those with a head-office VAT return and those with documents of the
// head office or a branch, each once, newest first.
std::vector<std::string> PeriodsToWrite(db::Database& db, const std::string& vin);

// (period, number of documents) of one journal of the branch, newest period
// first.
std::vector<std::pair<std::string, std::string>> CountsByPeriod(db::Database& db,
                                                                db::Journal journal,
                                                                const std::string& vin,
                                                                const std::string& klon);

}  // namespace files
