#include "files/ErrorCatalogue.h"

#include <string>

#include "db/ErrorSet.h"
#include "files/ErrorCatalogueTexts.h"

namespace files {
namespace {

bool InRange(int code, int first, int last) {
    return code >= first && code <= last;
}

std::string WithLine(std::string_view prefix, int line, std::string_view rest) {
    std::string text(prefix);
    text += std::to_string(line);
    text += rest;
    return text;
}

// Section 1 of a VIES return lists intra-Community supplies (codes 1-8);
// section 2 the transfers of call-off stock (codes from 9).
std::string_view ViesSectionName(int code) {
    return code <= 8 ? "ВОД" : "Прехвърляне на стоки под режим ...";
}

const char* TableName(ErrorTable table) {
    switch (table) {
        case ErrorTable::Deklar:
            return "DEKLAR";
        case ErrorTable::Pokupki:
            return "POKUPKI";
        case ErrorTable::Prodagbi:
            return "PRODAGBI";
    }
    return "";
}

db::ErrorSet ReadErrorSet(const db::Statement& row) {
    // The columns hold the words as signed integers, or, after a merge
    // import, as the floating-point value of their unsigned contents; the low
    // 32 bits are the set either way. NULL reads as 0: no code.
    auto word = [&row](int column) { return static_cast<std::int32_t>(row.integer(column)); };
    return db::ErrorSet(word(0), word(1), word(2));
}

bool CarriesFatalCode(ErrorGroup group, const db::ErrorSet& errors) {
    for (int code : errors.codes()) {
        if (IsFatal(group, code)) return true;
    }
    return false;
}

bool JournalHasFatalErrors(db::Database& db, const char* table, ErrorGroup group,
                           std::string_view vin, std::string_view branch, std::string_view period) {
    std::string sql = "SELECT ERROR1, ERROR2, ERROR3 FROM ";
    sql += table;
    sql += " WHERE VIN = ? AND PERIOD = ?";
    if (!branch.empty()) sql += " AND KLON = ?";
    db::Statement rows = db.query(sql, vin, period);
    if (!branch.empty()) rows.bind(3, branch);
    while (rows.step()) {
        if (CarriesFatalCode(group, ReadErrorSet(rows))) return true;
    }
    return false;
}

}  // namespace

std::string ErrorText(int code, ErrorGroup group, int line) {
    const std::string_view text = CatalogueText(group, code);
    if (text.empty()) return "No error";
    if (line < 0) return std::string(text);
    switch (group) {
        case ErrorGroup::Purchases:
            return WithLine("Покупки - Ред ", line, ": " + std::string(text));
        case ErrorGroup::Sales:
            return WithLine("Продажби - Ред ", line, ": " + std::string(text));
        case ErrorGroup::ViesRows:
            return WithLine(
                "VIES - Ред ", line,
                " на секция '" + std::string(ViesSectionName(code)) + "': " + std::string(text));
        case ErrorGroup::Deklar:
        case ErrorGroup::ViesHeader:
            break;
    }
    return std::string(text);
}

bool IsFatal(ErrorGroup group, int code) {
    switch (group) {
        case ErrorGroup::Deklar:
            return InRange(code, 1, 72);
        case ErrorGroup::Purchases:
            return InRange(code, 1, 32) || InRange(code, 51, 53);
        case ErrorGroup::Sales:
            return InRange(code, 1, 39) || InRange(code, 71, 73) || code == 79;
        case ErrorGroup::ViesHeader:
        case ErrorGroup::ViesRows:
            return false;
    }
    return false;
}

bool HasFatalErrors(db::Database& db, std::string_view vin, std::string_view branch,
                    std::string_view period) {
    return JournalHasFatalErrors(db, "POKUPKI", ErrorGroup::Purchases, vin, branch, period) ||
           JournalHasFatalErrors(db, "PRODAGBI", ErrorGroup::Sales, vin, branch, period);
}

bool HasErrorCode(db::Database& db, int code, ErrorTable table, std::int64_t rowId) {
    if (code < 1 || code > db::ErrorSet::kMaxCode) return false;
    std::string sql = "SELECT ERROR1, ERROR2, ERROR3 FROM ";
    sql += TableName(table);
    sql += " WHERE ID = ?";
    db::Statement row = db.query(sql, rowId);
    return row.step() && ReadErrorSet(row).has(code);
}

}  // namespace files
