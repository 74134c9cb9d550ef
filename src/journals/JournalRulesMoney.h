#pragma once
// The VAT-rate rules of the journals and the file checker, in stotinki
// (platform/Money.h reads, converts and writes the amounts):
//
// * Percentages, TruncatedPercent: truncating integer division, as the VAT
//   rules demand (20 % of 0.05 is 0.01; of -0.05 is -0.01).
// * Agreement, AgreesWithRate: two amounts agree when they differ by at most
//   one stotinka.
// * The VAT a screen proposes, ProposedVat20: rounded half up.

#include "platform/Money.h"

namespace journals {

using platform::money::Stotinki;

enum class VatRate { Rate20 = 20, Rate9 = 9, Rate7 = 7 };

// rate % of the base, truncated toward zero.
Stotinki TruncatedPercent(Stotinki base, VatRate rate);

// True when vat is within one stotinka of TruncatedPercent(base, rate).
bool AgreesWithRate(Stotinki vat, Stotinki base, VatRate rate);

// True when the amounts differ by at most one stotinka.
bool Agree(Stotinki a, Stotinki b);

// The VAT at 20 % that a screen proposes when a tax base is left: the exact
// fifth of the base rounded half up on the third decimal (a fifth of whole
// stotinki never ends in a tie, so this is also the nearest stotinka, and
// what "%.2f" shows for 0.2 x the base). The rules that judge the VAT keep
// their truncated percentage and one-stotinka tolerance (AgreesWithRate).
Stotinki ProposedVat20(Stotinki base);

}  // namespace journals
