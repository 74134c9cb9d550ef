#pragma once
// Document types and field 8а codes of the two journals: which codes are
// offered in a tax period, and the names shown beside them. Periods are
// six-character YYYYMM texts and compare as text.

#include <string_view>
#include <vector>

#include "db/Journal.h"

namespace journals {

using db::Journal;

// The codes the type list offers for the period, in list order.
std::vector<std::string_view> DocumentTypesFor(Journal journal, std::string_view period);
bool IsOfferedDocumentType(Journal journal, std::string_view code, std::string_view period);
// The name shown beside the type, or "" (a code the journal does not know, or
// a name not yet in use in the period).
std::string_view DocumentTypeName(Journal journal, std::string_view code, std::string_view period);

// The items of the 8а list for the document type, in list order; "" is the
// blank item (stored as an empty BS8A/SS8A).
std::vector<std::string_view> Field8aCodesFor(Journal journal, std::string_view type,
                                              std::string_view period);
// The call-off-stock register of the journal (purchases "05", sales "04"):
// its 8а list is its own four codes.
bool IsCallOffStockType(Journal journal, std::string_view type);
// False for the sales types whose 8а list holds only the blank item and stays
// disabled ("50", "83").
bool IsField8aSelectable(Journal journal, std::string_view type);
// The name of an 8а code in the journal, or "" (the blank item, or a code the
// journal does not use).
std::string_view Field8aName(Journal journal, std::string_view code);
// The 8а codes a stored or filed document may carry: for the call-off-stock
// types (purchases "05", sales "04") one of their four codes; for every other
// type blank ("" or two spaces), "01", "02", "03", and from 202207 "07", "08".
bool IsAcceptedField8aCode(Journal journal, std::string_view type, std::string_view code,
                           std::string_view period);

// Customs declarations ("07", and the sales type "50") carry the placeholder
// counterpart "999999999999999" in a disabled field.
bool UsesPlaceholderCounterpart(Journal journal, std::string_view type);

}  // namespace journals
