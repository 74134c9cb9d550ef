#pragma once
// The texts of the printed returns that name the currency. A return is stated
// in the currency of its period (platform/Currency.h: leva up to 202512, euro
// from 202601), so each wording is chosen by the period; a new currency adds
// one set here.

#include <string>

namespace print {

struct CurrencyWording {
    // The last sentence of the VAT return's note and of the VIES declaration.
    std::string valuesNote;
    // Over columns к3 to к5 of the VIES table.
    std::string viesBaseHeading;
    // The first summary line of VIES section В.
    std::string viesTotalLabel;
};

const CurrencyWording& CurrencyWordingFor(const std::string& period);

}  // namespace print
