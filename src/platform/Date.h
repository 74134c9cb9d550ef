#pragma once
// A calendar date as the date pickers hold it and as documents store it,
// "DD/MM/YYYY".

#include <optional>
#include <string>
#include <string_view>

namespace platform {

struct Date {
    int year = 0, month = 0, day = 0;

    // "DD/MM/YYYY".
    std::string text() const;
    // Reads "DD/MM/YYYY"; nullopt unless the text has that shape and names a
    // day of the calendar.
    static std::optional<Date> parse(std::string_view text);
    // Reads "YYYY-MM-DD" (ISO 8601) likewise.
    static std::optional<Date> parseIso(std::string_view text);
    // A day of the calendar, years 1 to 9999.
    bool valid() const;

    friend bool operator==(const Date&, const Date&) = default;
};

}  // namespace platform
