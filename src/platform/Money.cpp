#include "platform/Money.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "platform/Text.h"

namespace platform::money {
namespace {

// Far above any amount a 15-character field can hold, far below the 64-bit
// limit even in hundredths.
constexpr Stotinki kMaxWholeLeva = 9'999'999'999'999'999;

// The parts of a money text as read, before any arithmetic.
struct Digits {
    bool negative = false;
    Stotinki whole = 0;    // integer part in leva
    int hundredths = 0;    // first two decimals
    int thirdDecimal = 0;  // decides HalfUp
};

// The one reader of money texts: every conversion from text starts here.
template <class Visit>
bool Read(std::string_view text, Digits& d, Visit&& visitDigit) {
    bool sawDigit = false, sawSign = false, sawSeparator = false;
    int decimals = 0;
    for (const char c : text) {
        if (c == ' ') continue;
        if (c == '-') {
            if (sawSign || sawDigit) return false;
            sawSign = d.negative = true;
        } else if (c == '.' || c == ',') {
            if (sawSeparator) return false;
            sawSeparator = true;
            visitDigit('.');
        } else if (IsDigit(c)) {
            sawDigit = true;
            visitDigit(c);
            const int digit = c - '0';
            if (!sawSeparator) {
                if (d.whole > (kMaxWholeLeva - digit) / 10) return false;
                d.whole = d.whole * 10 + digit;
            } else if (++decimals <= 2) {
                d.hundredths += digit * (decimals == 1 ? 10 : 1);
            } else if (decimals == 3) {
                d.thirdDecimal = digit;
            }
        } else {
            return false;
        }
    }
    return true;
}

// The magnitude as unsigned, so that the most negative value writes too.
std::uint64_t Magnitude(Stotinki amount) {
    return amount < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(amount)
                      : static_cast<std::uint64_t>(amount);
}

// "-12.34" into the buffer; returns its end.
char* WriteScreenText(char* out, char* end, Stotinki amount) {
    const std::uint64_t magnitude = Magnitude(amount);
    if (amount < 0) *out++ = '-';
    out = std::to_chars(out, end, magnitude / 100).ptr;
    const auto cents = static_cast<unsigned>(magnitude % 100);
    *out++ = '.';
    *out++ = static_cast<char>('0' + cents / 10);
    *out++ = static_cast<char>('0' + cents % 10);
    return out;
}

// The stotinki of "%.2f" of the value, by formatting it: exact for every
// double, and the reference the fast path of FromStoredLeva agrees with.
Stotinki FormattedStotinki(double leva) {
    char shown[40];
    std::snprintf(shown, sizeof shown, "%.2f", leva);
    return FromText(shown, Rounding::Truncate).value_or(0);  // two decimals: nothing to round
}

}  // namespace

std::optional<Stotinki> FromText(std::string_view text, Rounding rounding) {
    Digits d;
    if (!Read(text, d, [](char) {})) return std::nullopt;
    Stotinki magnitude = d.whole * 100 + d.hundredths;
    if (rounding == Rounding::HalfUp && d.thirdDecimal >= 5) ++magnitude;
    return d.negative ? -magnitude : magnitude;
}

FileAmount FromFileField(std::string_view text, Rounding rounding) {
    // Most amount columns of a line are zero: "  ...  0.00".
    if (text.ends_with("0.00") && (text.size() == 4 || text[text.size() - 5] == ' ')) {
        bool blank = true;
        for (std::size_t i = 0; i + 4 < text.size(); ++i) blank = blank && text[i] == ' ';
        if (blank) return {0, true};
    }
    const auto read = FromText(text, rounding);
    return {read.value_or(0), read.has_value()};
}

double LevaFromText(std::string_view text) {
    Digits d;
    std::string number;
    if (!Read(text, d, [&](char c) { number += c; })) return 0;
    if (number.empty() || number == ".") return 0;
    double value = 0;
    std::from_chars(number.data(), number.data() + number.size(), value, std::chars_format::fixed);
    return d.negative ? -value : value;
}

Stotinki FromStoredLeva(double leva) {
    if (!std::isfinite(leva) || std::fabs(leva) >= 1e16) return 0;
    const double hundredths = leva * 100;
    // Below 1e13 the product is within 0.002 of the exact value, so that away
    // from a half it rounds as the exact value does; near a half the
    // formatted value decides.
    if (std::fabs(hundredths) < 1e13) {
        const double fraction = std::fabs(hundredths - std::trunc(hundredths));
        if (std::fabs(fraction - 0.5) > 0.01) return std::llround(hundredths);
    }
    return FormattedStotinki(leva);
}

std::string ToScreenText(Stotinki amount) {
    char buffer[32];
    return std::string(buffer, WriteScreenText(buffer, buffer + sizeof buffer, amount));
}

void AppendFileField(std::string& line, Stotinki amount, std::size_t width) {
    char buffer[32];
    const char* end = WriteScreenText(buffer, buffer + sizeof buffer, amount);
    const auto length = static_cast<std::size_t>(end - buffer);
    if (length < width) line.append(width - length, ' ');
    line.append(buffer, length);
}

std::string ToFileField(Stotinki amount, std::size_t width) {
    std::string field;
    AppendFileField(field, amount, width);
    return field;
}

std::string ToReportColumn(Stotinki amount) {
    // Division truncates toward zero, so units and high keep the sign.
    const long long fraction = std::llabs(amount % 100);
    const long long units = (amount / 100) % 100000;
    const long long high = amount / 10000000;
    char text[64];
    if (high != 0)
        std::snprintf(text, sizeof text, "% 7lld%05lld.%02lld", high, std::llabs(units), fraction);
    else if (units != 0 || amount >= 0)
        std::snprintf(text, sizeof text, "% 12lld.%02lld", units, fraction);
    else
        std::snprintf(text, sizeof text, "          -0.%02lld", fraction);
    return std::string(text).substr(0, 15);
}

bool NormaliseMoneyText(std::string& text, int maxLength) {
    std::string amount(Trim(text));
    std::replace(amount.begin(), amount.end(), ',', '.');
    if (amount == "-" || amount == "-.") return false;

    const std::string_view magnitude = std::string_view(amount).substr(amount.starts_with('-'));
    if (!std::all_of(magnitude.begin(), magnitude.end(),
                     [](char c) { return IsDigit(c) || c == '.'; })) {
        return false;
    }
    const auto points = std::count(magnitude.begin(), magnitude.end(), '.');
    if (points > 1) return false;

    const auto length = static_cast<int>(amount.size());  // digits, '-' and '.' only
    if (points == 0) {
        if (length > maxLength - 3) return false;
        amount = amount.empty() ? "0.00" : amount + ".00";
    } else {
        if (amount == ".") return false;
        const auto decimals = amount.size() - amount.find('.') - 1;
        if (decimals == 0) {
            if (length > maxLength - 2) return false;
            amount += "00";
        } else if (decimals == 1) {
            if (length > maxLength - 1) return false;
            amount += "0";
        }
    }
    text = std::move(amount);
    return true;
}

Stotinki CoefficientShare(Stotinki amount, Stotinki coefficientHundredths) {
    const __int128 product = static_cast<__int128>(amount) * coefficientHundredths;
    // Division truncates toward zero, so a negative remainder never reaches
    // 50: a negative share stays truncated (Truncate), a positive one rounds
    // half up (HalfUp).
    const __int128 share = product / 100 + (product % 100 >= 50 ? 1 : 0);
    constexpr Stotinki kMax = std::numeric_limits<Stotinki>::max();
    constexpr Stotinki kMin = std::numeric_limits<Stotinki>::min();
    return share > kMax ? kMax : share < kMin ? kMin : static_cast<Stotinki>(share);
}

}  // namespace platform::money
