#pragma once
// Field formatting of the fixed-width files the program writes. Widths count
// characters (the files are Windows-1251, one byte per character) and are
// minimums: a longer value is written whole.

#include <string>
#include <string_view>

namespace files {

// Text padded with spaces on the right (left-aligned) or on the left.
std::string PadRight(std::string_view text, std::size_t width);
std::string PadLeft(std::string_view text, std::size_t width);

// An amount with exactly two decimals, right-aligned: printf's "%.2f", which
// rounds the binary value to the nearest hundredth. A value that rounds to
// zero is written "0.00", never "-0.00".
std::string amountField(double value, int width);

// A whole number from a floating-point column, rounded, right-aligned ("%*.0f").
std::string wholeNumberField(double value, int width);

// A count, right-aligned ("%*lld").
std::string CountField(long long value, int width);

// The same fields appended to a line being built, without a string per field
// (the journal files have a line per document, up to millions of them).
void AppendLeft(std::string& line, std::string_view text, std::size_t width);
void AppendRight(std::string& line, std::string_view text, std::size_t width);
void appendAmount(std::string& line, double value, int width);
void appendWholeNumber(std::string& line, double value, int width);

// YYYYMM -> MM/YYYY.
std::string PeriodAsMonthYear(std::string_view period);

}  // namespace files
