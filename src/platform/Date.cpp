#include "platform/Date.h"

#include <chrono>
#include <cstdio>

#include "platform/Text.h"

namespace platform {
namespace {

// The value of `count` decimal digits at `text[from]`, or -1.
int Digits(std::string_view text, std::size_t from, std::size_t count) {
    const std::string_view digits = text.substr(from, count);
    if (!AllDigits(digits)) return -1;
    int value = 0;
    for (char c : digits) value = value * 10 + (c - '0');
    return value;
}

std::optional<Date> Valid(const Date& date) {
    if (!date.valid()) return std::nullopt;
    return date;
}

}  // namespace

std::string Date::text() const {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d/%02d/%04d", day, month, year);
    return buffer;
}

bool Date::valid() const {
    if (year < 1 || year > 9999 || month < 1 || day < 1) return false;
    const std::chrono::year_month_day date{std::chrono::year{year},
                                           std::chrono::month{static_cast<unsigned>(month)},
                                           std::chrono::day{static_cast<unsigned>(day)}};
    return date.ok();
}

std::optional<Date> Date::parse(std::string_view text) {
    if (text.size() != 10 || text[2] != '/' || text[5] != '/') return std::nullopt;
    return Valid({Digits(text, 6, 4), Digits(text, 3, 2), Digits(text, 0, 2)});
}

std::optional<Date> Date::parseIso(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
    return Valid({Digits(text, 0, 4), Digits(text, 5, 2), Digits(text, 8, 2)});
}

}  // namespace platform
