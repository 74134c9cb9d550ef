#include "returns/DeklCells.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>

namespace returns {

std::string FormatLeva(double leva) {
    char shown[64];
    std::snprintf(shown, sizeof shown, "%.2f", leva);
    return shown;
}

std::string FormatStotinki(journals::Stotinki amount) {
    const journals::Stotinki magnitude = amount < 0 ? -amount : amount;
    char shown[32];
    std::snprintf(shown, sizeof shown, "%s%lld.%02lld", amount < 0 ? "-" : "",
                  static_cast<long long>(magnitude / 100), static_cast<long long>(magnitude % 100));
    return shown;
}

bool TypedAmountIsValid(std::string_view text) {
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    const auto separators =
        std::count_if(text.begin(), text.end(), [](char c) { return c == '.' || c == ','; });
    const auto digits = std::count_if(text.begin(), text.end(), isDigit);
    return separators <= 1 && separators + digits == static_cast<std::ptrdiff_t>(text.size());
}

journals::Stotinki TypedStotinki(std::string_view text) {
    if (!TypedAmountIsValid(text)) return 0;
    return journals::ToStotinki(text, journals::Rounding::HalfUp);
}

double LeadingNumber(std::string_view text) {
    double value = 0;
    // from_chars reads the longest prefix that forms a number, whatever the
    // locale; it takes no '+' and no white space, and neither can be typed.
    const auto result =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    return result.ec == std::errc() ? value : 0;
}

}  // namespace returns
