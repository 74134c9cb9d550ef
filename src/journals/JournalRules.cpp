#include "journals/JournalRules.h"

#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <stdexcept>

#include "platform/Text.h"

namespace journals {

std::string LastPeriodYear(const platform::LocalDateTime& today) {
    char year[16];
    std::snprintf(year, sizeof year, "%04d", today.year);
    return year;
}

std::optional<std::string_view> PeriodYearMonthError(std::string_view period,
                                                     std::string_view lastYear) {
    const auto year = period.substr(0, 4);
    const auto month = period.substr(4, 2);
    if (year < kFirstPeriodYear || year > lastYear) return "Некоректна година в поле 'Период'";
    if (month < "01" || month > "12") return "Некоректен месец в поле 'Период'";
    return std::nullopt;
}
namespace {

int Number(std::string_view digits) {
    int value = 0;
    for (const char c : digits) value = value * 10 + (c - '0');
    return value;
}

// Year x 12 + month of a "YYYYMM" text; nullopt unless six digits.
std::optional<int> MonthIndex(std::string_view yyyymm) {
    if (yyyymm.size() != 6 || !platform::AllDigits(yyyymm)) return std::nullopt;
    return Number(yyyymm.substr(0, 4)) * 12 + Number(yyyymm.substr(4, 2));
}

std::span<const Stotinki> Checked(Journal journal, std::span<const Stotinki> amounts) {
    const std::size_t expected = journal == Journal::Purchases ? 7 : 17;
    if (amounts.size() != expected) {
        throw std::invalid_argument("journal rules: " + std::to_string(amounts.size()) +
                                    " amounts given, " + std::to_string(expected) + " expected");
    }
    return amounts;
}

// The amount of journal column n (9 is the first amount column).
Stotinki Column(std::span<const Stotinki> amounts, int n) {
    return amounts[static_cast<std::size_t>(n - 9)];
}

Stotinki SumOf(std::span<const Stotinki> amounts, std::initializer_list<int> columns) {
    return SumOfColumns(amounts, std::span<const int>(columns.begin(), columns.size()));
}

bool AnyNonZero(std::span<const Stotinki> amounts, int first, int last) {
    for (int n = first; n <= last; ++n) {
        if (Column(amounts, n) != 0) return true;
    }
    return false;
}

bool IsOneOf(std::string_view value, std::initializer_list<std::string_view> options) {
    return std::find(options.begin(), options.end(), value) != options.end();
}

bool BreaksByMonth(DateRule rule, const DatedDocument& d, std::string_view month) {
    const bool sales = d.journal == Journal::Sales;
    switch (rule) {
        case DateRule::AfterPeriod:
            return month > d.period;
        case DateRule::ThirteenMonthsBefore: {
            if (sales) return false;
            const auto months = MonthsBefore(d.period, d.date);
            return months && *months > 12;
        }
        case DateRule::Type23Before202306:
            return (d.type == "23" || (sales && d.type == "29")) && month < "202306";
        case DateRule::Field8aBefore202207:
            return (d.code8a == "07" || d.code8a == "08") && month < "202207";
        case DateRule::SalesTypeBefore202207:
            return sales && IsOneOf(d.type, {"83", "84", "85"}) && month < "202207";
        case DateRule::Type50Outside2022H2:
            return sales && d.type == "50" && (month < "202207" || month > "202212");
        case DateRule::CallOffStockBefore2020:
            return d.type == (sales ? "04" : "05") && month < "202001";
    }
    return false;
}

}  // namespace

std::optional<YearMonth> DocumentMonth(std::string_view date) {
    if (date.size() != 10) return std::nullopt;
    const std::string_view day = date.substr(0, 2), month = date.substr(3, 2),
                           year = date.substr(6, 4);
    if (!platform::AllDigits(day) || !platform::AllDigits(month) || !platform::AllDigits(year))
        return std::nullopt;
    return YearMonth({year[0], year[1], year[2], year[3], month[0], month[1]});
}

std::optional<int> MonthsBefore(std::string_view period, std::string_view date) {
    const auto month = DocumentMonth(date);
    if (!month) return std::nullopt;
    const auto periodIndex = MonthIndex(period), documentIndex = MonthIndex(*month);
    if (!periodIndex || !documentIndex) return std::nullopt;
    return *periodIndex - *documentIndex;
}

bool BreaksDateRule(DateRule rule, const DatedDocument& document) {
    const auto month = DocumentMonth(document.date);
    return month && BreaksByMonth(rule, document, *month);
}

bool BreaksDateRule(DateRule rule, const DatedDocument& document, YearMonth month) {
    return BreaksByMonth(rule, document, month);
}

std::string_view DateRuleMessage(DateRule rule) {
    switch (rule) {
        case DateRule::AfterPeriod:
            return "Датата на документа е следваща на периода";
        case DateRule::ThirteenMonthsBefore:
            return "Внимание! Периодът на издаване на документа е\r\n13 месеца преди избрания "
                   "данъчен период!";
        case DateRule::Type23Before202306:
            return "За този вид документ датата не трябва да е по-ранна от 01.06.2023";
        case DateRule::Field8aBefore202207:
            return "За този код в поле 'Доставка по чл. 163а или внос по чл. 167а от ЗДДС' "
                   "датата не трябва да е по-ранна от 01.07.2022";
        case DateRule::SalesTypeBefore202207:
            return "За този вид документ датата не трябва да е по-ранна от 01.07.2022";
        case DateRule::Type50Outside2022H2:
            return "За този вид документ датата трябва да е от 01.07.2022 до 31.12.2022";
        case DateRule::CallOffStockBefore2020:
            return "За този вид документ датата не трябва да е по-ранна от 01.01.2020";
    }
    return {};
}

Stotinki ColumnOf(std::span<const Stotinki> amounts, int n) {
    return Column(amounts, n);
}

Stotinki SumOfColumns(std::span<const Stotinki> amounts, std::span<const int> columns) {
    Stotinki sum = 0;
    for (const int n : columns) sum += Column(amounts, n);
    return sum;
}

bool HasMixedSigns(Journal journal, std::span<const Stotinki> amounts) {
    Checked(journal, amounts);
    int last = 25;
    if (journal == Journal::Purchases) {
        // Annual corrections and triangular operations have rules of their own.
        if (Column(amounts, 14) != 0 || Column(amounts, 15) != 0) return false;
        last = 13;
    }
    bool positive = false, negative = false;
    for (int n = 9; n <= last; ++n) {
        positive = positive || Column(amounts, n) > 0;
        negative = negative || Column(amounts, n) < 0;
    }
    return positive && negative;
}

bool BreaksTriangularGroup(std::span<const Stotinki> purchaseAmounts) {
    const auto a = Checked(Journal::Purchases, purchaseAmounts);
    return Column(a, 15) != 0 && AnyNonZero(a, 9, 14);
}

bool BreaksAnnualCorrectionGroup(std::span<const Stotinki> purchaseAmounts) {
    const auto a = Checked(Journal::Purchases, purchaseAmounts);
    return Column(a, 14) != 0 && Column(a, 15) == 0 && AnyNonZero(a, 9, 13);
}

std::vector<Warning> RateRuleBreaches(Journal journal, std::span<const Stotinki> amounts,
                                      std::string_view period) {
    const auto a = Checked(journal, amounts);
    std::vector<Warning> breaches;
    auto require = [&breaches](bool holds, Warning w) {
        if (!holds) breaches.push_back(w);
    };
    if (journal == Journal::Purchases) {
        require(AgreesWithRate(Column(a, 11), Column(a, 10), VatRate::Rate20),
                Warning::PurchaseVat11);
        require(AgreesWithRate(Column(a, 13), Column(a, 12), VatRate::Rate20),
                Warning::PurchaseVat13);
        return breaches;
    }
    require(AgreesWithRate(Column(a, 12), Column(a, 11), VatRate::Rate20), Warning::SalesVat12);
    require(AgreesWithRate(Column(a, 15), SumOf(a, {13, 14}), VatRate::Rate20),
            Warning::SalesVat15);
    const Stotinki vat18 = Column(a, 18), base17 = Column(a, 17);
    if (period < "201206") {
        // The reduced rate was 7 % for some supplies and 9 % for others.
        require(AgreesWithRate(vat18, base17, VatRate::Rate7) ||
                    AgreesWithRate(vat18, base17, VatRate::Rate9),
                Warning::SalesVat18Before201206);
    } else {
        require(AgreesWithRate(vat18, base17, VatRate::Rate9), Warning::SalesVat18);
    }
    return breaches;
}

std::vector<Warning> SumRuleBreaches(std::string_view type, std::span<const Stotinki> amounts) {
    const auto a = Checked(Journal::Sales, amounts);
    std::vector<Warning> breaches;
    // A call-off-stock register has only column 9.
    if (type != "04" && !Agree(Column(a, 9), SumOfColumns(a, kSalesBaseParts))) {
        breaches.push_back(Warning::SalesSum9);
    }
    if (!Agree(Column(a, 10), SumOfColumns(a, kSalesVatParts)))
        breaches.push_back(Warning::SalesSum10);
    return breaches;
}

bool ClassifyCounterpart(Journal journal, std::string_view type, std::string_view identifier,
                         std::string_view documentMonth) {
    const bool sales = journal == Journal::Sales;
    if (sales && (type == "81" || type == "82")) return true;
    if (sales && identifier.empty() && (type == "09" || type == "29")) return true;
    return persons::IsKnownIdentifierForm(identifier, persons::EuPrefixVariant::A, documentMonth,
                                          sales);
}

}  // namespace journals
