#pragma once
// A document issued in leva entered in a euro period (a late purchase claim,
// a credit note against an invoice of 2025): its amounts are typed in leva and
// stored in euro.
//
// Each amount column is converted on its own (platform/Currency.h). A sales
// column that is the sum of others (9 of the tax bases, 10 of the VAT) is
// instead the sum of its converted parts, so that the sum rules hold in euro
// as they held in leva: converting a total on its own can differ by two cents
// from the sum of its converted parts. A total that did not agree with its
// parts in leva is converted on its own, and the sum rule asks about it as it
// would have in leva. The purchase journal has no sum columns: its totals
// (the list's totals row, the return's cells) are sums of the stored,
// converted amounts.

#include <span>
#include <string>
#include <vector>

#include "journals/JournalRules.h"

namespace journals {

struct LevaConversion {
    std::vector<Stotinki> leva;  // as typed, column 9 first
    std::vector<Stotinki> euro;  // to store
    std::vector<bool> derived;   // a sum column taken from its converted parts
};

// The conversion of the leva amounts of a document of the journal (7
// purchase columns 9-15 or 17 sales columns 9-25).
LevaConversion ConvertLevaDocument(Journal journal, std::span<const Stotinki> leva);

// The note that shows the user what was converted: the rate and, for each
// column with an amount, "к.N L лв. = E €".
std::string LevaConversionNote(const LevaConversion& conversion);

}  // namespace journals
