#include "journals/AmountText.h"

#include <charconv>
#include <cinttypes>
#include <cmath>
#include <cstdio>

namespace journals {

std::string FormatStotinki(Stotinki amount) {
    const bool negative = amount < 0;
    // The magnitude as unsigned, so that the most negative value prints too.
    const auto magnitude =
        negative ? std::uint64_t{0} - static_cast<std::uint64_t>(amount) : std::uint64_t(amount);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%s%" PRIu64 ".%02" PRIu64, negative ? "-" : "",
                  magnitude / 100, magnitude % 100);
    return buffer;
}

Stotinki ProposedVat20(Stotinki base) {
    // base / 5, rounded half away from zero.
    const Stotinki half = base < 0 ? -2 : 2;
    return (base + half) / 5;
}

Stotinki StoredStotinki(double leva) {
    const double hundredths = leva * 100;
    // Below 1e13 the product is within 0.002 of the exact value, so that away
    // from a half it rounds as the exact value does.
    if (std::fabs(hundredths) < 1e13) {
        const double fraction = std::fabs(hundredths - std::trunc(hundredths));
        if (std::fabs(fraction - 0.5) > 0.01) return std::llround(hundredths);
    }
    return LevaToStotinki(leva);
}

std::optional<Stotinki> TypedAmount(std::string_view text) {
    return ParseStotinki(text, Rounding::HalfUp);
}

double StoredLeva(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() ? value : 0.0;
}

}  // namespace journals
