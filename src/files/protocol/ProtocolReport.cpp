#include "files/protocol/ProtocolReport.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

#include "journals/ErrorCatalogue.h"

namespace files::protocol {
namespace money = platform::money;
using journals::ErrorGroup;
using journals::ErrorText;
using journals::IsFatal;

namespace {

// The report sums fewer sales types than the return itself, which also takes
// 50, 83, 84 and 85: those documents count but add nothing here.
constexpr std::string_view kSummedSalesTypes[] = {"01", "02", "03", "07", "09", "81", "82",
                                                  "91", "93", "94", "95", "23", "29"};
constexpr std::string_view kSummedPurchaseTypes[] = {"01", "02", "03", "07", "09",
                                                     "91", "92", "93", "23"};

template <std::size_t N, std::size_t M>
void Add(JournalTotals<N>& totals, const StoredDocument& document,
         const std::string_view (&summedTypes)[M]) {
    ++totals.count;
    if (std::find(std::begin(summedTypes), std::end(summedTypes), document.type) !=
        std::end(summedTypes)) {
        for (std::size_t i = 0; i < N && i < document.amounts.size(); ++i)
            totals.sums[i] += money::FromStoredLeva(document.amounts[i]);
    }
    if (document.errors.any()) totals.withErrors.push_back({document.number, document.errors});
}

// Appends the report's lines: "%15.2f" amounts and "%16d" counts.
class Lines {
  public:
    explicit Lines(std::string& out) : out_(out) {}

    Lines& text(std::string_view text) {
        out_ += text;
        return *this;
    }
    Lines& amount(Stotinki value) {
        money::AppendFileField(out_, value, 15);
        return *this;
    }
    Lines& count(long long value) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%16lld", value);
        out_ += buffer;
        return *this;
    }
    // "label%15.2f |%15.2f \r\n": the column sum and the return's cell, which
    // the report takes to be the same sum.
    Lines& twice(std::string_view label, Stotinki value) {
        return text(label).amount(value).text(" |").amount(value).text(" \r\n");
    }
    // "label%15.2f" followed by `end`.
    Lines& once(std::string_view label, Stotinki value, std::string_view end) {
        return text(label).amount(value).text(end);
    }

  private:
    std::string& out_;
};

void WriteHeader(Lines& l, const ProtocolData& d) {
    l.text("СПРАВКА-ПРОТОКОЛ\r\n");
    l.text("Текуща дата:").text(d.today).text("\r\n\r\n");
    l.text("Идентификационен номер:").text(d.vin).text("\r\n");
    l.text("Наименование:").text(d.name).text("\r\n");
    l.text("Данъчен период:").text(d.period).text("\r\n");
    l.text("Лице, подаващо данните:").text(d.filer).text("\r\n\r\n");
}

void WriteCounts(Lines& l, long long count) {
    l.text("Брой записи:").count(count).text("\r\n");
    l.text("/в deklar/: ").count(count).text("\r\n\r\n");
}

void WriteSales(Lines& l, const ProtocolData& d) {
    using namespace db;
    const auto& s = d.sales.sums;
    const std::string_view p = d.period;
    l.text("Дневник за продажбите\t\t\t Суми по колони  | Сума от СД за ДДС\r\n");
    WriteCounts(l, d.sales.count);
    l.twice(" 9. Общ размер на ДО за облагане с ДДС\t:", s[SS10]);
    l.twice("10. Всичко начислен ДДС\t\t\t:", s[SS20]);
    l.twice("11. ДО на обл.дост.20%\t\t\t:", s[SS11]);
    l.twice(p < "201602" ? "12. Начислен ДДС за доставки по к.11\t:"
                         : "12. Начислен ДДС за доставки по к.11 и нач.\r\n"
                           "данък 20%, предвиден в закона в др.случаи:",
            s[SS21]);
    l.once("13. ДО на ВОП\t\t\t\t\t:", s[SS12], " | \r\n");
    l.once(p < "202004" ? "14. ДО на пол.доставки по чл.82,ал2-5 ЗДДС:"
                        : "14. ДО на пол.доставки по чл.82,ал2-6 ЗДДС:",
           s[SS26], " |\r\n");
    l.twice("                        Общо к.13+к.14\t:", s[SS12] + s[SS26]);
    l.twice("15. Начислен ДДС за ВОП и доставки по к.14\t:", s[SS22]);
    l.twice(p < "201602" ? "16. Начислен данък 20% по ЗДДС - други\t:"
                         : "16. Начислен данък за доставки на стоки\r\n"
                           "и услуги за лични нужди\t\t\t:",
            s[SS23]);
    l.twice(
        p < "201206" ? "17. ДО на обл.доставки 7/9%\t\t\t:" : "17. ДО на обл.доставки 9%\t\t\t:",
        s[SS13]);
    l.twice("18. Начислен ДДС по к.17\t\t\t:", s[SS24]);
    l.twice("19. ДО на доставки с 0%\t\t\t:", s[SS14]);
    l.twice("20. ДО на ВОД\t\t\t\t\t:", s[SS15]);
    l.twice(p.substr(0, 4) < "2014" ? "21. ДО по чл.140, 146, 173(1,4) от ЗДДС\t:"
                                    : "21. ДО по чл.140, 146, 173 от ЗДДС\t\t:",
            s[SS16]);
    l.twice("22. ДО по чл.21, ал.2, място-др.държава\t:", s[SS17]);
    // Line 24 stands before lines 23 and 25, whose total it is not part of.
    l.twice("24. ДО на осв.доставки и осв.ВОП\t\t:", s[SS19]);
    l.once("23. ДО чл.69 (2)\t\t\t\t:", s[SS18], " |\r\n");
    l.once("25. ДО посредник тристранни операции\t:", s[SS25], " |\r\n");
    l.twice("                        Общо к.23+к.25\t:", s[SS18] + s[SS25]);
}

void WritePurchases(Lines& l, const ProtocolData& d) {
    using namespace db;
    const auto& s = d.purchases.sums;
    l.text("\r\n\r\nДневник за покупките\t\t\t\t Суми по колони  | Сума от СД за ДДС\r\n");
    WriteCounts(l, d.purchases.count);
    l.once(" 9. ДО и данък на доставките без ДК\t:", s[BS30], "\r\n");
    l.twice("10. ДО на доставки с пълен ДК\t\t:", s[BS31]);
    l.twice("11. ДДС - пълен ДК\t\t\t\t:", s[BS41]);
    l.twice("12. ДО на доставки с частичен ДК\t\t:", s[BS32]);
    l.twice("13. ДДС - частичен ДК\t\t\t:", s[BS42]);
    l.twice("14. Годишна корекция\t\t\t\t:", s[BS43]);
    l.once("15. ДО тристранна операция\t\t\t:", s[BS44], "\r\n");
    l.twice("                        Общо к.9 +к.15\t:", s[BS30] + s[BS44]);
}

void WriteReturn(Lines& l, const ReturnCells& c) {
    constexpr std::string_view kNoAmount = ":                |";
    l.text(
        "\r\n\r\nСПРАВКА ДЕКЛАРАЦИЯ ЗА ДДС (наименование на полето)\t                 | "
        "Сума в полето     \r\n");
    l.text("\r\nКоефициент по чл.73, ал.5 ЗДДС    \t\t\t:                | ")
        .amount(c.dr33)
        .text("\r\n");
    l.text("Общо ДК (кл.41+кл.42*кл.33+кл.43)\t\t\t:")
        .amount(c.dr40)
        .text(" |")
        .amount(c.dr40)
        .text("\r\n");
    const Stotinki due = c.ds20 - c.dr40;
    if (due >= 0) {
        l.text("ДДС за внасяне (кл.20-кл.40>=0)\t\t\t:").amount(due).text(" |").amount(c.dr50);
        l.text("\r\nДДС за възстановяване (кл.20-кл.40<0)\t\t").text(kNoAmount).amount(c.dr60);
    } else {
        l.text("ДДС за внасяне (кл.20-кл.40>=0)\t\t\t").text(kNoAmount).amount(c.dr50);
        l.text("\r\nДДС за възстановяване (кл.20-кл.40<0)\t\t:").amount(-due).text(" |");
        l.amount(c.dr60);
    }
    l.text("\r\n");
    l.text("Данък за внасяне от кл.50, припаднат по реда на чл.92(1)ЗДДС\t:  |")
        .amount(c.dr70)
        .text("\r\n");
    l.text("Данък за внасяне от кл.50, внесен ефективно\t\t\t:  |").amount(c.dr71).text("\r\n");
    for (const auto& [paragraph, cell] : {std::pair{"1", c.dr80}, {"3", c.dr81}, {"4", c.dr82}}) {
        l.text("ДДС,подл.на възст.чл.92(").text(paragraph);
        l.text(") в 30-дневен срок от подаване на СД\t:  |").amount(cell).text("\r\n");
    }
}

// Codes of a journal group that the stored words can hold.
constexpr int kLastPurchaseCode = 53;
constexpr int kLastSalesCode = 79;

// One line per stored code; returns whether any was written.
bool WriteCodes(Lines& l, const std::vector<StoredErrors>& rows, ErrorGroup group, int lastCode,
                bool fatalOnly) {
    bool any = false;
    for (const auto& row : rows) {
        for (int code = 1; code <= lastCode; ++code) {
            if (!row.errors.has(code) || (fatalOnly && !IsFatal(group, code))) continue;
            l.text(ErrorText(code, group, static_cast<int>(row.number))).text("\r\n");
            any = true;
        }
    }
    return any;
}

void WriteErrors(Lines& l, const ProtocolData& d) {
    // Nothing of the return is checked here: its section always says so.
    l.text("\r\nПроверка на файл DEKLAR\r\n\r\n").text("Няма открити грешки в DEKLAR\r\n");
    const auto& purchases = d.purchases.withErrors;
    const auto& sales = d.sales.withErrors;
    l.text("\r\nПроверка на файл ПОКУПКИ\r\n\r\n");
    if (!WriteCodes(l, purchases, ErrorGroup::Purchases, kLastPurchaseCode, false))
        l.text("Няма открити грешки в ПОКУПКИ\r\n");
    l.text("\r\nПроверка на файл ПРОДАЖБИ\r\n\r\n");
    if (!WriteCodes(l, sales, ErrorGroup::Sales, kLastSalesCode, false))
        l.text("Няма открити грешки в ПРОДАЖБИ\r\n");
    l.text("\r\nФАТАЛНИ ГРЕШКИ\r\n\r\n");
    const bool fatalPurchases =
        WriteCodes(l, purchases, ErrorGroup::Purchases, kLastPurchaseCode, true);
    const bool fatalSales = WriteCodes(l, sales, ErrorGroup::Sales, kLastSalesCode, true);
    if (!fatalPurchases && !fatalSales) l.text("Няма открити фатални грешки\r\n");
}

}  // namespace

ReturnCells CellsOf(const db::ReturnRow& r) {
    const auto st = money::FromStoredLeva;
    return {st(r.dr33), st(r.ds20), st(r.dr40), st(r.dr50), st(r.dr60),
            st(r.dr70), st(r.dr71), st(r.dr80), st(r.dr81), st(r.dr82)};
}

void ProtocolData::addSale(const StoredDocument& document) {
    Add(sales, document, kSummedSalesTypes);
}

void ProtocolData::addPurchase(const StoredDocument& document) {
    Add(purchases, document, kSummedPurchaseTypes);
}

std::string BuildProtocolReport(const ProtocolData& data) {
    std::string report;
    Lines lines(report);
    WriteHeader(lines, data);
    WriteSales(lines, data);
    WritePurchases(lines, data);
    WriteReturn(lines, data.cells);
    WriteErrors(lines, data);
    return report;
}

}  // namespace files::protocol
