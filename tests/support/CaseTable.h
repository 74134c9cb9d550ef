#pragma once
// Table-driven checks of a function: every row of the table holds the
// arguments of one call and, last, the result that call must give.
//
//   const CaseTable<Stotinki(Stotinki base, VatRate rate)> cases = {
//       {5, VatRate::Rate20, 1},
//       {-5, VatRate::Rate20, -1},
//   };
//   cases.expectEachCall(journals::TruncatedPercent);
//
// The signature names the columns of a row: the arguments as the row holds
// them, then the expected result (std::string_view for texts, so that texts
// are compared by content). A failure names the row by its number and values
// and is traced to the line of the test that called.

#include <cstddef>
#include <initializer_list>
#include <source_location>
#include <string>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace testing_support {

template <class Signature>
class CaseTable;

template <class Result, class... Arguments>
class CaseTable<Result(Arguments...)> {
  public:
    using Row = std::tuple<Arguments..., Result>;

    CaseTable(std::initializer_list<Row> rows) : rows_(rows) {}

    // Calls `function` with the arguments of every row and expects its result.
    template <class Function>
    void expectEachCall(const Function& function,
                        std::source_location caller = std::source_location::current()) const {
        std::size_t number = 0;
        for (const Row& row : rows_) {
            const testing::ScopedTrace trace(caller.file_name(), static_cast<int>(caller.line()),
                                             "row " + std::to_string(number++) + ": " + shown(row));
            expectCall(function, row, std::index_sequence_for<Arguments...>{});
        }
    }

  private:
    // The values of a row; an enumerator as its number (gtest would show bytes).
    static std::string shown(const Row& row) {
        return std::apply(
            [](const auto&... value) {
                std::string text;
                const char* separator = "";
                ((text += separator + shownValue(value), separator = ", "), ...);
                return text;
            },
            row);
    }
    template <class Value>
    static std::string shownValue(const Value& value) {
        if constexpr (std::is_enum_v<Value>)
            return std::to_string(static_cast<std::underlying_type_t<Value>>(value));
        else
            return testing::PrintToString(value);
    }

    template <class Function, std::size_t... argument>
    static void expectCall(const Function& function, const Row& row,
                           std::index_sequence<argument...>) {
        const auto actual = function(std::get<argument>(row)...);
        const Result& expected = std::get<sizeof...(Arguments)>(row);
        EXPECT_EQ(actual, expected);
    }

    std::vector<Row> rows_;
};

}  // namespace testing_support
