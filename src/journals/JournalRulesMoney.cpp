#include "journals/JournalRulesMoney.h"

#include <cmath>
#include <cstdio>
#include <limits>

namespace journals {
namespace {

// Far above any amount a 15-character field can hold, far below the 64-bit
// limit even in hundredths.
constexpr Stotinki kMaxWholeLeva = 9'999'999'999'999'999;

// The parts of a money text as read, before any arithmetic.
struct MoneyDigits {
    bool negative = false;
    Stotinki whole = 0;    // integer part in leva
    int hundredths = 0;    // first two decimals
    int thirdDecimal = 0;  // decides HalfUp
};

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::optional<MoneyDigits> Split(std::string_view text) {
    MoneyDigits m;
    bool sawDigit = false, sawSign = false, sawSeparator = false;
    int decimals = 0;
    for (const char c : text) {
        if (c == ' ') continue;
        if (c == '-') {
            if (sawSign || sawDigit) return std::nullopt;
            sawSign = m.negative = true;
        } else if (c == '.' || c == ',') {
            if (sawSeparator) return std::nullopt;
            sawSeparator = true;
        } else if (IsDigit(c)) {
            sawDigit = true;
            const int digit = c - '0';
            if (!sawSeparator) {
                if (m.whole > (kMaxWholeLeva - digit) / 10) return std::nullopt;
                m.whole = m.whole * 10 + digit;
            } else if (++decimals <= 2) {
                m.hundredths += digit * (decimals == 1 ? 10 : 1);
            } else if (decimals == 3) {
                m.thirdDecimal = digit;
            }
        } else {
            return std::nullopt;
        }
    }
    return m;
}

}  // namespace

std::optional<Stotinki> ParseStotinki(std::string_view text, Rounding rounding) {
    const auto m = Split(text);
    if (!m) return std::nullopt;
    Stotinki magnitude = m->whole * 100 + m->hundredths;
    if (rounding == Rounding::HalfUp && m->thirdDecimal >= 5) ++magnitude;
    return m->negative ? -magnitude : magnitude;
}

Stotinki ToStotinki(std::string_view text, Rounding rounding) {
    return ParseStotinki(text, rounding).value_or(0);
}

Stotinki LevaToStotinki(double leva) {
    if (!std::isfinite(leva) || std::fabs(leva) >= 1e15) return 0;
    char shown[32];
    std::snprintf(shown, sizeof shown, "%.2f", leva);
    return ToStotinki(shown, Rounding::Truncate);  // exactly two decimals: nothing to round
}

Stotinki TruncatedPercent(Stotinki base, VatRate rate) {
    switch (rate) {
        case VatRate::Rate20:
            return base * 2 / 10;
        case VatRate::Rate9:
            return base * 9 / 100;
        case VatRate::Rate7:
            return base * 7 / 100;
    }
    return 0;
}

bool Agree(Stotinki a, Stotinki b) {
    return a - b >= -1 && a - b <= 1;
}

bool AgreesWithRate(Stotinki vat, Stotinki base, VatRate rate) {
    return Agree(vat, TruncatedPercent(base, rate));
}

Stotinki CoefficientShare(Stotinki amount, Stotinki coefficientHundredths) {
    // The product is taken in 128 bits: a checked file may hold any amount
    // and coefficient. A share beyond the 64-bit range is held at its limit.
    const __int128 product = static_cast<__int128>(amount) * coefficientHundredths;
    // C++ division truncates toward zero, so a negative remainder never
    // reaches 50 and a negative share stays truncated.
    const __int128 share = product / 100 + (product % 100 >= 50 ? 1 : 0);
    constexpr Stotinki kMax = std::numeric_limits<Stotinki>::max();
    constexpr Stotinki kMin = std::numeric_limits<Stotinki>::min();
    return share > kMax ? kMax : share < kMin ? kMin : static_cast<Stotinki>(share);
}

}  // namespace journals
