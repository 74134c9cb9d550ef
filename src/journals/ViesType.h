#pragma once
// The VIES analysis of a sales document: which VIES column list item column
// 24 (exempt supplies) is analysed as, and the mark of column 25 for an
// advance payment left out of the VIES return. Both are stored together in
// the VIES_TYPE text of the sales journal.

#include <string>
#include <string_view>
#include <vector>

#include "journals/JournalRulesMoney.h"

namespace journals {

// The items of the VIES column list for a sales document type: one item for
// types "23" and "29", four for every other type.
std::vector<std::string_view> ViesColumnItems(std::string_view type);

struct ViesAnalysis {
    int item = -1;         // index into ViesColumnItems, -1 for none chosen
    bool advance = false;  // column 25 is an advance payment left out of VIES
};

// The stored text: item + 1, plus 5 with the advance mark ("3", "8"; "0" with
// neither). The mark without an item is stored as "6", as if the first item
// were chosen: "5" would read back as no mark, for this screen and for every
// reader of the column (the item is ignored while column 24 is zero).
std::string EncodeViesType(const ViesAnalysis& analysis);

// Reads VIES_TYPE back for a document with the given columns 24 and 25: the
// item is (n - 1) mod 5 while column 24 is not zero, the mark is
// (n - 1) div 5 > 0 while column 25 is not zero. A stored "5" (the mark
// without an item, as older versions wrote it) reads as the mark. A text that
// is not a number reads as nothing chosen.
ViesAnalysis DecodeViesType(std::string_view viesType, Stotinki column24, Stotinki column25);

}  // namespace journals
