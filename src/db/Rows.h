#pragma once
// Typed rows of the six tables and their basic access. A NULL text reads as
// "", a NULL number as 0. Queries particular to a subsystem live with it.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "db/Database.h"
#include "db/ErrorSet.h"
#include "db/Journal.h"

namespace db {

// ---- EDANNI: registered persons (KLON "") and their branches ----

struct PersonRow {
    std::string bulstat, klon, vin, name, adress, bPost, bName, faceEgn, flPredst, face, phone,
        face1, face2, face3, faceGrad, facePk, faceAdr1, faceAdr2, faceAdr3, flObst, period;
    bool last = false;

    bool isBranch() const { return !klon.empty(); }
    static PersonRow read(const Statement& row);  // from "select * from EDANNI"
};

void InsertPerson(Database& db, const PersonRow& person);
// Rewrites every column of the row with the key (bulstat, klon).
void UpdatePerson(Database& db, const std::string& bulstat, const std::string& klon,
                  const PersonRow& person);
std::optional<PersonRow> FindPerson(Database& db, const std::string& bulstat,
                                    const std::string& klon);
// The first row with LAST set: the person or branch of the session.
std::optional<PersonRow> CurrentPerson(Database& db);
// Clears LAST everywhere and sets it on the row with the key.
void MakeCurrent(Database& db, const std::string& bulstat, const std::string& klon);

// ---- POKUPKI and PRODAGBI: the two journals ----

// Amount columns of the purchase journal, in table order (positions 11 to 17).
enum PurchaseAmount { BS30, BS31, BS41, BS32, BS42, BS43, BS44, kPurchaseAmounts };
// Amount columns of the sales journal, in table order (positions 11 to 27).
enum SaleAmount {
    SS10,
    SS20,
    SS11,
    SS21,
    SS12,
    SS26,
    SS22,
    SS23,
    SS13,
    SS24,
    SS14,
    SS15,
    SS16,
    SS17,
    SS18,
    SS19,
    SS25,
    kSaleAmounts
};

const char* TableName(Journal journal);
std::span<const char* const> AmountColumns(Journal journal);
const char* Code8aColumn(Journal journal);  // BS8A or SS8A

struct JournalRow {
    std::int64_t id = 0;
    std::string vin, klon, period;
    int number = 0;
    std::string type, docNo, date, knum, kname, sdelka;
    std::string code8a;           // BS8A / SS8A
    std::vector<double> amounts;  // AmountColumns() order; sized by EmptyJournalRow()
    std::string viesType;         // sales only
    ErrorSet errors;
    std::string dateCreate, dateModified;
    std::string valid, error;  // kept from older databases only

    double amount(int column) const { return amounts.at(static_cast<std::size_t>(column)); }
    static JournalRow read(Journal journal, const Statement& row);  // from "select *"
};

// Reads journal rows from a "select *" statement, finding each column's
// position once rather than by name on every row.
class JournalRowReader {
  public:
    JournalRowReader(Journal journal, const Statement& statement);
    JournalRow read() const;
    // Reads into a row that is used again, keeping the memory of its texts.
    void readInto(JournalRow& row) const;

  private:
    // The position of a text column and the member it is read into.
    struct TextColumn {
        int column;
        std::string JournalRow::*member;
    };
    const Statement& s_;
    int id_, number_, viesType_, error1_, error2_, error3_;
    std::vector<TextColumn> texts_;
    std::vector<int> amounts_;
};

// An empty row of the journal, with all amounts at zero.
JournalRow EmptyJournalRow(Journal journal);

// Inserts the row (its id is ignored) and returns the id it was given.
std::int64_t InsertJournalRow(Database& db, Journal journal, const JournalRow& row);
// Reserves `count` new IDs of the journal, one after the other; returns the
// first. IDs increase in order of entry and are never given twice.
std::int64_t ReserveJournalIds(Database& db, Journal journal, std::int64_t count);
// Rewrites every column but ID of the row with row.id.
void UpdateJournalRow(Database& db, Journal journal, const JournalRow& row);
std::optional<JournalRow> LoadJournalRow(Database& db, Journal journal, std::int64_t id);
void DeleteJournalRow(Database& db, Journal journal, std::int64_t id);

// ---- KONTRAG: counterparts, per registered person's VIN or "ALL" ----

struct CounterpartRow {
    std::string kn, ki, vin, kb;
    static CounterpartRow read(const Statement& row);
};

void InsertCounterpart(Database& db, const CounterpartRow& row);

// ---- DEKLAR: VAT returns ----

struct ReturnRow {
    std::int64_t id = 0;
    std::string vin, klon, period;
    double snumber = 0, bnumber = 0;
    double ds01 = 0, ds20 = 0, ds11 = 0, ds21 = 0, ds12 = 0, ds22 = 0, ds23 = 0, ds13 = 0, ds24 = 0,
           ds14 = 0, ds15 = 0, ds16 = 0, ds17 = 0, ds18 = 0, ds19 = 0;
    double db30 = 0, db31 = 0, db41 = 0, db32 = 0, db42 = 0, db43 = 0;
    double dr33 = 0, dr40 = 0, dr50 = 0, dr60 = 0, dr70 = 0, dr71 = 0, dr80 = 0, dr81 = 0, dr82 = 0;
    ErrorSet errors;
    std::string name, face, error;  // kept from older databases only

    static ReturnRow read(const Statement& row);
};

// The number columns of DEKLAR with the member that holds each.
struct ReturnCell {
    const char* column;
    double ReturnRow::*member;
};
std::span<const ReturnCell> ReturnCells();

std::optional<ReturnRow> FindReturn(Database& db, const std::string& vin, const std::string& klon,
                                    const std::string& period);
// Inserts the return, or rewrites the row with the same VIN, KLON and PERIOD;
// returns its id.
std::int64_t SaveReturn(Database& db, const ReturnRow& row);

// ---- VIES: rows of the VIES return ----

struct ViesRow {
    std::string vin, klon, period;
    int section = 1, number = 0;
    std::string knum, knumz, period1;
    double ss15 = 0, ss17 = 0, ss25 = 0;
    static ViesRow read(const Statement& row);
};

void InsertViesRow(Database& db, const ViesRow& row);
// Rows of one section in NUMBER order.
std::vector<ViesRow> ViesRows(Database& db, const std::string& vin, const std::string& klon,
                              const std::string& period, int section);

}  // namespace db
