#pragma once
// Sums of stotinki over files of any size. Sums wrap around on overflow
// (two's complement, as 64-bit registers do) instead of being undefined: a
// file of millions of 15-digit amounts must not crash the checker, and the
// cross-checks then simply fail.

#include <cstdint>

namespace files::checker {

inline std::int64_t wrappingAdd(std::int64_t a, std::int64_t b) {
    return static_cast<std::int64_t>(static_cast<std::uint64_t>(a) + static_cast<std::uint64_t>(b));
}
inline std::int64_t wrappingSub(std::int64_t a, std::int64_t b) {
    return static_cast<std::int64_t>(static_cast<std::uint64_t>(a) - static_cast<std::uint64_t>(b));
}
inline std::int64_t wrappingNeg(std::int64_t a) {
    return wrappingSub(0, a);
}

// The credit of partially creditable VAT: base × coefficient (in hundredths)
// / 100. Rounds half up when the remainder is 50 or more; a negative product
// truncates towards zero. The product is taken in 128 bits, so no text of a
// file can overflow it.
inline std::int64_t ProportionalCredit(std::int64_t base, std::int64_t coefficientHundredths) {
    const __int128 product = static_cast<__int128>(base) * coefficientHundredths;
    __int128 credit = product / 100;
    if (product % 100 >= 50) ++credit;
    return static_cast<std::int64_t>(credit);
}

}  // namespace files::checker
