#pragma once
// What the writers of the submission and merge files, and their dialogs,
// read from the database.

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "db/Database.h"
#include "db/Rows.h"

namespace files {

// What DEKLAR.TXT says about the person, from the head-office EDANNI row.
struct ReturnHeader {
    std::string vin, name, period;
    std::string faceEgn, face, phone;
    long long salesCount = 0, purchaseCount = 0;
};

// The head-office EDANNI row of the VAT number, if there is one.
std::optional<db::PersonRow> HeadOfficeRow(db::Database& db, const std::string& vin);

// The person as a whole: head office and every branch of the VIN.
ReturnHeader LoadReturnHeader(db::Database& db, const std::string& vin, const std::string& period);
// Visits the rows of a journal for the VIN and period in NUMBER order: all
// branches when `klon` is nullopt, else only that branch. Rows are read one
// at a time, so a period of any size is written in constant memory.
void ForEachJournalRow(db::Database& db, db::Journal journal, const std::string& vin,
                       const std::string& period, const std::optional<std::string>& klon,
                       const std::function<void(const db::JournalRow&)>& visit);

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
