#include "ui/Date.h"

#include <cstdio>

namespace ui {
namespace {

bool LeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && LeapYear(year) ? 29 : kDays[month - 1];
}

// The value of `count` decimal digits at `text[from]`, or -1.
int Digits(std::string_view text, std::size_t from, std::size_t count) {
    int value = 0;
    for (std::size_t i = from; i < from + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

}  // namespace

std::string Date::text() const {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d/%02d/%04d", day, month, year);
    return buffer;
}

bool Date::valid() const {
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
           day <= DaysInMonth(year, month);
}

std::optional<Date> Date::parse(std::string_view text) {
    if (text.size() != 10 || text[2] != '/' || text[5] != '/') return std::nullopt;
    const Date date{Digits(text, 6, 4), Digits(text, 3, 2), Digits(text, 0, 2)};
    if (!date.valid()) return std::nullopt;
    return date;
}

}  // namespace ui
