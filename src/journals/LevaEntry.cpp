#include "journals/LevaEntry.h"

#include "platform/Currency.h"

namespace journals {

namespace money = platform::money;

LevaConversion ConvertLevaDocument(Journal journal, std::span<const Stotinki> leva) {
    LevaConversion c;
    c.leva.assign(leva.begin(), leva.end());
    for (const Stotinki amount : leva) c.euro.push_back(money::LevaToEuro(amount));
    c.derived.assign(leva.size(), false);
    if (journal != Journal::Sales) return c;
    for (const SumColumn& sum : kSalesSumColumns) {
        if (!Agree(ColumnOf(c.leva, sum.column), SumOfColumns(c.leva, sum.parts))) continue;
        const auto at = static_cast<std::size_t>(sum.column - 9);
        c.euro.at(at) = SumOfColumns(c.euro, sum.parts);
        c.derived.at(at) = true;
    }
    return c;
}

std::string LevaConversionNote(const LevaConversion& c) {
    const std::string leva(money::CurrencySign(money::Currency::Leva));
    const std::string euro(money::CurrencySign(money::Currency::Euro));
    std::string note = "Документ в лева, превърнат в евро по курс 1 " + euro + " = " +
                       std::string(money::kLevaPerEuroText) + " " + leva + ":";
    const char* separator = " ";
    for (std::size_t i = 0; i < c.leva.size(); ++i) {
        if (c.leva[i] == 0 && c.euro[i] == 0) continue;
        note += separator;
        note += "к." + std::to_string(i + 9) + " " + money::ToScreenText(c.leva[i]) + " " + leva +
                " = " + money::ToScreenText(c.euro[i]) + " " + euro;
        if (c.derived[i]) note += " (сбор на превърнатите колони)";
        separator = "; ";
    }
    return note;
}

}  // namespace journals
