#pragma once
// Field tests that the readers of the return, the journals and the VIES file
// share. Texts are the right-trimmed fields as cut from the file's lines.

#include <array>
#include <initializer_list>
#include <string_view>

#include "db/ErrorSet.h"

namespace files::checker {

enum class VatNumberVerdict { Valid, Empty, BadFormat };

// The VAT number of a file line: "BG" with nine EIK digits or with ten
// digits, and (where `thirteenDigitEik`) "BG" with a 13-digit EIK.
VatNumberVerdict TestVatNumber(std::string_view vin, bool thirteenDigitEik);

// Sets `emptyCode` or `badFormatCode` as the verdict on a VAT number says.
inline void SetVatNumberCode(VatNumberVerdict verdict, int emptyCode, int badFormatCode,
                             db::ErrorSet& e) {
    if (verdict == VatNumberVerdict::Empty) e.set(emptyCode);
    if (verdict == VatNumberVerdict::BadFormat) e.set(badFormatCode);
}

// A document date DD/MM/YYYY whose year lies between the given years; all
// tests compare text, as the files hold text.
bool IsWellFormedDate(std::string_view date, std::string_view firstYear, std::string_view lastYear);

// Inline: the rules ask it of short codes on every line, and the compiler
// then compares the few bytes of each literal in place.
inline bool IsOneOf(std::string_view text, std::initializer_list<std::string_view> values) {
    for (std::string_view value : values)
        if (text == value) return true;
    return false;
}

// The verdict of a test for the last texts it was asked about. The lines of
// a file mostly repeat their VAT number, type and codes, so most lines are
// judged without running the test (some tests allocate).
template <std::size_t N>
class LastVerdict {
  public:
    template <typename Test>
    auto of(const std::array<std::string_view, N>& key, Test&& test) {
        if (!known_ || key != key_) {
            key_ = key;
            verdict_ = static_cast<int>(test());
            known_ = true;
        }
        return static_cast<decltype(test())>(verdict_);
    }

  private:
    std::array<std::string_view, N> key_{};
    int verdict_ = 0;
    bool known_ = false;
};

}  // namespace files::checker
