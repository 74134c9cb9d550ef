#include "files/checker/JournalLineRules.h"

namespace files::checker {

void CrossCheckWithReturn(const CheckState& s, DeklarField countField, int countCode,
                          std::size_t lines, std::span<const std::int64_t> sums,
                          std::span<const CellRule> cells, db::ErrorSet& e) {
    if (!HasReturnToCompare(s)) return;
    const auto& d = s.returnData;
    if (LeadingInteger(d[countField]) != static_cast<std::int64_t>(lines)) e.set(countCode);
    for (const CellRule& rule : cells) {
        const Stotinki cell = money::FromFileField(d[rule.cell], money::Rounding::HalfUp).value;
        const Stotinki sum = rule.otherColumn == CellRule::kNoColumn
                                 ? sums[rule.column]
                                 : money::WrappingAdd(sums[rule.column], sums[rule.otherColumn]);
        if (cell != sum) e.set(rule.code);
    }
}

}  // namespace files::checker
