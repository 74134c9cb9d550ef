#pragma once
// Amounts as the journal screens show and compute them. Amounts are held in
// stotinki (JournalRulesMoney.h); a screen shows them with two decimals, as
// "%.2f" shows the stored value.

#include <string>
#include <string_view>

#include "journals/JournalRulesMoney.h"

namespace journals {

// "1234.50", "-0.05", "0.00": the amount with two decimals.
std::string FormatStotinki(Stotinki amount);

// The VAT at 20 % that a screen proposes when a tax base is left: the exact
// fifth of the base rounded half up on the third decimal (a fifth of whole
// stotinki never ends in a tie, so this is also the nearest stotinka, and
// what "%.2f" shows for 0.2 x the base). The rules that judge the VAT keep
// their truncated percentage and one-stotinka tolerance (AgreesWithRate).
Stotinki ProposedVat20(Stotinki base);

// LevaToStotinki (the stotinki "%.2f" shows for a stored amount) without
// formatting text, for lists of many rows: the same result, computed directly
// unless the value lies within a hair of a half stotinka, where the formatted
// value decides.
Stotinki StoredStotinki(double leva);

// The amount typed into a money field, rounded half up on the third decimal
// (Rounding::HalfUp) so that a rule judges what the screen shows; "" is 0.
// Nullopt for a text that is not an amount.
std::optional<Stotinki> TypedAmount(std::string_view text);

// The leva to store for a typed amount: the value of the text as typed
// (a normalised text may keep more than two decimals).
double StoredLeva(std::string_view text);

}  // namespace journals
