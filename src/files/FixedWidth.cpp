#include "files/FixedWidth.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "platform/CodePage.h"

namespace files {
namespace {

void AppendAligned(std::string& line, const Field& field, std::string_view text,
                   std::size_t length) {
    const std::size_t padding = length < field.column.width ? field.column.width - length : 0;
    if (field.align == Align::Right) line.append(padding, ' ');
    line += text;
    if (field.align == Align::Left) line.append(padding, ' ');
}

void AppendInteger(std::string& line, const Field& field, long long value) {
    char buffer[24];
    const char* end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    const auto length = static_cast<std::size_t>(end - buffer);
    AppendAligned(line, field, std::string_view(buffer, length), length);
}

}  // namespace

void AppendText(std::string& line, const Field& field, std::string_view text) {
    AppendAligned(line, field, text, platform::Utf8Length(text));
}

void AppendAmount(std::string& line, const Field& field, platform::money::Stotinki amount) {
    platform::money::AppendFileField(line, amount, field.column.width);
}

void AppendWholeNumber(std::string& line, const Field& field, double value) {
    if (std::isfinite(value) && std::fabs(value) < 1e18)
        return AppendInteger(line, field, static_cast<long long>(std::nearbyint(value)));
    char buffer[400];
    const int length = std::snprintf(buffer, sizeof buffer, "%.0f", value);
    AppendAligned(line, field, std::string_view(buffer, static_cast<std::size_t>(length)),
                  static_cast<std::size_t>(length));
}

void AppendCount(std::string& line, const Field& field, long long count) {
    AppendInteger(line, field, count);
}

std::string PeriodAsMonthYear(std::string_view period) {
    if (period.size() < 6) return std::string(period);
    return std::string(period.substr(4, 2)) + "/" + std::string(period.substr(0, 4));
}

}  // namespace files
