#pragma once
// The VAT return and the VIES return of a period as portrait forms after the
// official paper forms: a header with the boxes of the tax office, the data of
// the registered person, the cells of the return (or the rows of the VIES
// return) and the declaration of the signatory.

#include <string>
#include <vector>

#include "db/Rows.h"
#include "platform/Clock.h"
#include "print/PrintStore.h"
#include "print/Surface.h"

namespace print {

// Where the rows of a VIES page end, and its page number stands.
inline constexpr int kFormPageBottom = -14751;

struct VatReturnForm {
    db::PersonRow person;  // BULSTAT, VIN, NAME, ADRESS of the session
    db::ReturnRow cells;
    Signatory signatory;
    std::string period;  // YYYYMM
    platform::LocalDateTime today;
};

struct ViesReturnForm {
    db::PersonRow person;  // VIN, NAME, ADRESS and the filer's data of the session
    bool filerIsAuthorised = false;
    std::string period;                     // YYYYMM
    std::vector<db::ViesRow> supplies;      // section В
    std::vector<db::ViesRow> callOffStock;  // section Г
};

// The labels of the VAT return's cells for a period, by cell number
// ("01", "20" ...); "" for a cell the form does not label.
std::string VatCellLabel(const std::string& cell, const std::string& period);

// The footnotes printed under the VAT return from period 201602 on.
std::vector<std::string> VatReturnFootnotes(const std::string& period);

// Each form draws its pages; false when a page could not be started.
bool PrintVatReturn(Surface& surface, const VatReturnForm& form);
bool PrintViesReturn(Surface& surface, const ViesReturnForm& form);

// The forms of a scope read from the database.
VatReturnForm ReadVatReturnForm(db::Database& db, const db::PersonRow& person,
                                const PrintScope& scope, const platform::Clock& clock);
ViesReturnForm ReadViesReturnForm(db::Database& db, const db::PersonRow& person,
                                  const PrintScope& scope);

}  // namespace print
