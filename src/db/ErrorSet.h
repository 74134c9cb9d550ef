#pragma once
// The error codes recorded with a document or a return: code c (from 1) is
// bit (c - 1) mod 32 of word (c - 1) div 32, the words being the columns
// ERROR1, ERROR2 and ERROR3.

#include <array>
#include <cstdint>
#include <vector>

namespace db {

class ErrorSet {
  public:
    static constexpr int kMaxCode = 96;

    ErrorSet() = default;
    ErrorSet(std::int32_t e1, std::int32_t e2, std::int32_t e3)
        : words_{static_cast<std::uint32_t>(e1), static_cast<std::uint32_t>(e2),
                 static_cast<std::uint32_t>(e3)} {}

    // Codes outside 1..96 are ignored by set/clear and never present.
    void set(int code) {
        if (valid(code)) words_[index(code)] |= bit(code);
    }
    void clear(int code) {
        if (valid(code)) words_[index(code)] &= ~bit(code);
    }
    bool has(int code) const { return valid(code) && (words_[index(code)] & bit(code)) != 0; }
    bool any() const { return words_[0] != 0 || words_[1] != 0 || words_[2] != 0; }
    void merge(const ErrorSet& other) {
        for (int i = 0; i < 3; ++i) words_[i] |= other.words_[i];
    }
    // The codes present, in ascending order.
    std::vector<int> codes() const {
        std::vector<int> present;
        for (int code = 1; code <= kMaxCode; ++code) {
            if (has(code)) present.push_back(code);
        }
        return present;
    }
    // The column value of ERROR1..ERROR3 (word 0..2) as the signed integer stored.
    std::int32_t word(int i) const { return static_cast<std::int32_t>(words_[i]); }
    bool operator==(const ErrorSet&) const = default;

  private:
    static bool valid(int code) { return code >= 1 && code <= kMaxCode; }
    static int index(int code) { return (code - 1) / 32; }
    static std::uint32_t bit(int code) { return std::uint32_t{1} << ((code - 1) % 32); }
    std::array<std::uint32_t, 3> words_{};
};

}  // namespace db
