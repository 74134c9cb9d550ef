#pragma once
// A loaded journal line as the merge import stores it: the fields cut from
// the line exactly as the checker cut and judged them (text right-trimmed
// and decoded from Windows-1251, amounts through the one reader of file
// amounts), and the codes the checker found in it.

#include <array>
#include <cstddef>
#include <string>

#include "db/ErrorSet.h"
#include "db/Rows.h"
#include "files/checker/CheckState.h"

namespace files::merge {

// The text columns, in the order the store binds them.
enum MergedText : std::size_t {
    kMergedVin,
    kMergedPeriod,
    kMergedKlon,
    kMergedType,
    kMergedDocNo,
    kMergedDate,
    kMergedKnum,
    kMergedKname,
    kMergedSdelka,
    kMergedCode8a,    // BS8A / SS8A: the two characters as read, spaces included
    kMergedViesType,  // sales only
    kMergedTextCount
};

struct MergedDocument {
    db::Journal journal = db::Journal::Purchases;
    std::array<std::string, kMergedTextCount> text;
    std::array<double, db::kSaleAmounts> amounts{};  // the journal's amounts first
    db::ErrorSet errors;

    std::size_t amountCount() const { return db::AmountColumns(journal).size(); }
};

// Where the sales lines came from: a branch's prodagbix.txt has the VIES
// column digit in column 425, PRODAGBI.TXT has none ("0" is stored).
enum class SalesSource { MergeFile, SubmissionFile };

// Fills `document` from a purchase line (pokupkix.txt or POKUPKI.TXT) or a
// sales line. The sequence code ("Нарушена поредност") is left out: the
// documents are renumbered as they are added. A line of the wrong length
// gives what stands in its columns; it carries the length code.
void ReadMergedPurchase(const checker::LineRecord& record, MergedDocument& document);
void ReadMergedSale(const checker::LineRecord& record, SalesSource source,
                    MergedDocument& document);

// An empty line is no document and is not added.
bool IsDocumentLine(const checker::LineRecord& record);

}  // namespace files::merge
