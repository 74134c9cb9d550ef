#pragma once
// Writing the fields of the fixed-width files, by their layout (Layouts.h).
// Widths count characters (the files are Windows-1251, one byte per
// character) and are minimums: a longer value is written whole. Amounts are
// written by the money module (money::AppendFileField).

#include <string>
#include <string_view>

#include "files/Layouts.h"
#include "platform/Money.h"

namespace files {

// Text padded with spaces to the field's width on the side its alignment
// leaves free.
void AppendText(std::string& line, const Field& field, std::string_view text);

// An amount with two decimals, right-aligned.
void AppendAmount(std::string& line, const Field& field, platform::money::Stotinki amount);

// A whole number from a floating-point column, rounded to the nearest
// integer (a tie to the even one, as "%.0f" does), right-aligned.
void AppendWholeNumber(std::string& line, const Field& field, double value);

// A count, right-aligned.
void AppendCount(std::string& line, const Field& field, long long count);

// YYYYMM -> MM/YYYY.
std::string PeriodAsMonthYear(std::string_view period);

}  // namespace files
