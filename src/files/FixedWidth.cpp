#include "files/FixedWidth.h"

#include <cstdio>

#include "platform/CodePage.h"

namespace files {

std::string padRight(std::string_view text, std::size_t width) {
    std::string out(text);
    const auto length = platform::utf8Length(text);
    if (length < width) out.append(width - length, ' ');
    return out;
}

std::string padLeft(std::string_view text, std::size_t width) {
    const auto length = platform::utf8Length(text);
    std::string out;
    if (length < width) out.assign(width - length, ' ');
    out += text;
    return out;
}

std::string amountField(double value, int width) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.2f", value);
    std::string text = buffer;
    if (text == "-0.00") text = "0.00";  // floating noise below half a stotinka
    return padLeft(text, static_cast<std::size_t>(width));
}

std::string wholeNumberField(double value, int width) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%*.0f", width, value);
    return buffer;
}

std::string countField(long long value, int width) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%*lld", width, value);
    return buffer;
}

std::string periodAsMonthYear(std::string_view period) {
    if (period.size() < 6) return std::string(period);
    return std::string(period.substr(4, 2)) + "/" + std::string(period.substr(0, 4));
}

}  // namespace files
