#pragma once

#include <cstdint>
#include <string>

namespace files::checker {

// An amount in stotinki as exactly 15 characters: right-aligned, two
// decimals, a point as separator. The value is split into parts that each
// fit 32-bit printf conversions ("% 7d%05d.%02d" or "% 12d.%02d"); what is
// longer than 15 characters is cut to its first 15.
std::string FormatAmount15(std::int64_t stotinki);

}  // namespace files::checker
