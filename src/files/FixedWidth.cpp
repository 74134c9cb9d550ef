#include "files/FixedWidth.h"

#include <cstdio>
#include <cstring>

#include "platform/CodePage.h"

namespace files {

void AppendLeft(std::string& line, std::string_view text, std::size_t width) {
    line += text;
    const auto length = platform::Utf8Length(text);
    if (length < width) line.append(width - length, ' ');
}

void AppendRight(std::string& line, std::string_view text, std::size_t width) {
    const auto length = platform::Utf8Length(text);
    if (length < width) line.append(width - length, ' ');
    line += text;
}

void appendAmount(std::string& line, double value, int width) {
    char buffer[64];
    int length = std::snprintf(buffer, sizeof buffer, "%.2f", value);
    if (std::string_view(buffer, length) == "-0.00") {
        // Floating noise below half a stotinka is zero, never "-0.00".
        std::memmove(buffer, buffer + 1, 5);
        --length;
    }
    if (length < width) line.append(static_cast<std::size_t>(width - length), ' ');
    line.append(buffer, static_cast<std::size_t>(length));
}

void appendWholeNumber(std::string& line, double value, int width) {
    char buffer[64];
    const int length = std::snprintf(buffer, sizeof buffer, "%*.0f", width, value);
    line.append(buffer, static_cast<std::size_t>(length));
}

std::string PadRight(std::string_view text, std::size_t width) {
    std::string out;
    AppendLeft(out, text, width);
    return out;
}

std::string PadLeft(std::string_view text, std::size_t width) {
    std::string out;
    AppendRight(out, text, width);
    return out;
}

std::string amountField(double value, int width) {
    std::string out;
    appendAmount(out, value, width);
    return out;
}

std::string wholeNumberField(double value, int width) {
    std::string out;
    appendWholeNumber(out, value, width);
    return out;
}

std::string CountField(long long value, int width) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%*lld", width, value);
    return buffer;
}

std::string PeriodAsMonthYear(std::string_view period) {
    if (period.size() < 6) return std::string(period);
    return std::string(period.substr(4, 2)) + "/" + std::string(period.substr(0, 4));
}

}  // namespace files
