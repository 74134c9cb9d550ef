#include "files/checker/CheckReport.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <utility>

#include "journals/ErrorCatalogue.h"
#include "platform/CodePage.h"
#include "platform/Money.h"

namespace files::checker {

using journals::ErrorGroup;
using journals::ErrorText;
using journals::IsFatal;

namespace {

// The catalogue texts, converted to Windows-1251 once per code.
class ReportTexts {
  public:
    const std::string& text(ErrorGroup group, int code) {
        auto [it, added] = cache_.try_emplace({group, code});
        if (added) it->second = platform::ToCp1251(ErrorText(code, group, -1));
        return it->second;
    }

  private:
    std::map<std::pair<ErrorGroup, int>, std::string> cache_;
};

// Appends report text: literals are written here in UTF-8 and converted;
// file fields are Windows-1251 already and appended as they are.
class ReportWriter {
  public:
    explicit ReportWriter(std::string& out) : out_(out) {}

    ReportWriter& text(std::string_view utf8) {
        out_ += platform::ToCp1251(utf8);
        return *this;
    }
    ReportWriter& bytes(std::string_view cp1251) {
        out_ += cp1251;
        return *this;
    }
    ReportWriter& number(const char* format, long long value) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, format, value);
        out_ += buffer;
        return *this;
    }
    // "label% 12s |cell\r\n": the amount is always 15 characters.
    ReportWriter& amountLine(std::string_view label, std::int64_t amount, std::string_view cell) {
        return text(label)
            .bytes(money::ToReportColumn(amount))
            .bytes(" |")
            .bytes(cell)
            .bytes("\r\n");
    }
    // "label|cell\r\n" for the lines that show a cell without an amount.
    ReportWriter& cellLine(std::string_view label, std::string_view cell) {
        return text(label).bytes(cell).bytes("\r\n");
    }
    // A "%-15s" field: padded with spaces to 15 bytes (characters).
    ReportWriter& padded15(std::string_view field) {
        out_ += field;
        if (field.size() < 15) out_.append(15 - field.size(), ' ');
        return *this;
    }

  private:
    std::string& out_;
};

std::string_view DeklarCell(const CheckState& s, DeklarField f) {
    return s.returnData[f];
}

void WriteHeader(ReportWriter& w, const CheckState& s, RunKind kind) {
    w.text("СПРАВКА-ПРОТОКОЛ\r\n");
    w.text("Текуща дата:").bytes(s.today.date).bytes("\r\n\r\n");
    w.text("Идентификационен номер:").bytes(DeklarCell(s, kVin)).bytes("\r\n");
    w.text("Наименование:").bytes(DeklarCell(s, kName)).bytes("\r\n");
    w.text(kind == RunKind::OemToAnsi ? "Отчетен период:" : "Данъчен период:")
        .bytes(DeklarCell(s, kPeriod))
        .bytes("\r\n");
    w.text("Лице, подаващо данните:").bytes(DeklarCell(s, kFiler)).bytes("\r\n\r\n");
}

void WriteSalesSums(ReportWriter& w, const CheckState& s) {
    const auto& sum = s.salesSums;
    const std::string_view period = DeklarCell(s, kPeriod);
    const auto col = [&](int column) { return sum[column - 9]; };

    w.text("Дневник за продажбите\t\t\t Суми по колони  | Сума от СД за ДДС\r\n");
    w.text("Брой записи:").number("%16lld", static_cast<long long>(s.sales.size()));
    w.bytes("\r\n");
    w.text("/в deklar/:  ").bytes(DeklarCell(s, kSalesCount)).bytes("\r\n\r\n");

    w.amountLine(" 9. Общ размер на ДО за облагане с ДДС\t:", col(9), DeklarCell(s, kDS01));
    w.amountLine("10. Всичко начислен ДДС\t\t\t:", col(10), DeklarCell(s, kDS20));
    w.amountLine("11. ДО на обл.дост.20%\t\t\t:", col(11), DeklarCell(s, kDS11));
    w.amountLine(period < "201602" ? "12. Начислен ДДС за доставки по к.11\t:"
                                   : "12. Начислен ДДС за доставки по к.11 и нач.\r\n"
                                     "данък 20%, предвиден в закона в др.случаи:",
                 col(12), {});
    w.amountLine("13. ДО на ВОП\t\t\t\t\t:", col(13), {});
    w.amountLine(period < "202004" ? "14. ДО на пол.доставки по чл.82,ал2-5 ЗДДС:"
                                   : "14. ДО на пол.доставки по чл.82,ал2-6 ЗДДС:",
                 col(14), {});
    w.amountLine("                        Общо к.13+к.14\t:", money::WrappingAdd(col(13), col(14)),
                 DeklarCell(s, kDS12));
    w.amountLine("15. Начислен ДДС за ВОП и доставки по к.14\t:", col(15), DeklarCell(s, kDS22));
    w.amountLine(period < "201602" ? "16. Начислен данък 20% по ЗДДС - други\t:"
                                   : "16. Начислен данък за доставки на стоки\r\n"
                                     "и услуги за лични нужди\t\t\t:",
                 col(16), DeklarCell(s, kDS23));
    w.amountLine(period < "201206" ? "17. ДО на обл.доставки 7/9%\t\t\t:"
                                   : "17. ДО на обл.доставки 9%\t\t\t:",
                 col(17), DeklarCell(s, kDS13));
    w.amountLine("18. Начислен ДДС по к.17\t\t\t:", col(18), DeklarCell(s, kDS24));
    w.amountLine("19. ДО на доставки с 0%\t\t\t:", col(19), DeklarCell(s, kDS14));
    w.amountLine("20. ДО на ВОД\t\t\t\t\t:", col(20), DeklarCell(s, kDS15));
    w.amountLine(period < "2014" ? "21. ДО по чл.140, 146, 173(1,4) от ЗДДС\t:"
                                 : "21. ДО по чл.140, 146, 173 от ЗДДС\t\t:",
                 col(21), DeklarCell(s, kDS16));
    w.amountLine("22. ДО по чл.21, ал.2, място-др.държава\t:", col(22), DeklarCell(s, kDS17));
    w.amountLine("24. ДО на осв.доставки и осв.ВОП\t\t:", col(24), DeklarCell(s, kDS19));
    w.amountLine("23. ДО чл.69 (2)\t\t\t\t:", col(23), {});
    w.amountLine("25. ДО посредник тристранни операции\t:", col(25), {});
    w.amountLine("                        Общо к.23+к.25\t:", money::WrappingAdd(col(23), col(25)),
                 DeklarCell(s, kDS18));
}

void WritePurchaseSums(ReportWriter& w, const CheckState& s) {
    const auto col = [&](int column) { return s.purchaseSums[column - 9]; };

    w.text("\r\n\r\nДневник за покупките\t\t\t\t Суми по колони  | Сума от СД за ДДС\r\n");
    w.text("Брой записи:").number("%16lld", static_cast<long long>(s.purchases.size()));
    w.bytes("\r\n");
    w.text("/в deklar/:  ").bytes(DeklarCell(s, kPurchaseCount)).bytes("\r\n\r\n");

    w.amountLine(" 9. ДО и данък на доставките без ДК\t:", col(9), {});
    w.amountLine("10. ДО на доставки с пълен ДК\t\t:", col(10), DeklarCell(s, kDB31));
    w.amountLine("11. ДДС - пълен ДК\t\t\t\t:", col(11), DeklarCell(s, kDB41));
    w.amountLine("12. ДО на доставки с частичен ДК\t\t:", col(12), DeklarCell(s, kDB32));
    w.amountLine("13. ДДС - частичен ДК\t\t\t:", col(13), DeklarCell(s, kDB42));
    w.amountLine("14. Годишна корекция\t\t\t\t:", col(14), DeklarCell(s, kDB43));
    w.amountLine("15. ДО тристранна операция\t\t\t:", col(15), {});
    w.amountLine("                        Общо к.9 +к.15\t:", money::WrappingAdd(col(9), col(15)),
                 DeklarCell(s, kDB30));
}

void WriteResultLines(ReportWriter& w, const CheckState& s) {
    w.text(
        "\r\n\r\nСПРАВКА ДЕКЛАРАЦИЯ ЗА ДДС (наименование на полето)\t                 | "
        "Сума в полето     \r\n");
    char coefficient[64];
    std::snprintf(coefficient, sizeof coefficient, "%14.*s",
                  static_cast<int>(DeklarCell(s, kDR33).size()), DeklarCell(s, kDR33).data());
    w.text("\r\nКоефициент по чл.73, ал.5 ЗДДС    \t\t\t:                | ")
        .bytes(coefficient)
        .bytes("\r\n");
    w.amountLine("Общо ДК (кл.41+кл.42*кл.33+кл.43)\t\t\t:", s.totalCredit, DeklarCell(s, kDR40));

    const std::int64_t due = money::WrappingSub(s.salesSums[10 - 9], s.totalCredit);
    if (due >= 0) {
        w.amountLine("ДДС за внасяне (кл.20-кл.40>=0)\t\t\t:", due, DeklarCell(s, kDR50));
        w.cellLine("ДДС за възстановяване (кл.20-кл.40<0)\t\t:                |",
                   DeklarCell(s, kDR60));
    } else {
        w.cellLine("ДДС за внасяне (кл.20-кл.40>=0)\t\t\t:                |", DeklarCell(s, kDR50));
        w.amountLine("ДДС за възстановяване (кл.20-кл.40<0)\t\t:", money::WrappingNeg(due),
                     DeklarCell(s, kDR60));
    }
    w.cellLine("Данък за внасяне от кл.50, припаднат по реда на чл.92(1)ЗДДС\t:  |",
               DeklarCell(s, kDR70));
    w.cellLine("Данък за внасяне от кл.50, внесен ефективно\t\t\t:  |", DeklarCell(s, kDR71));
    w.cellLine("ДДС,подл.на възст.чл.92(1) в 30-дневен срок от подаване на СД\t:  |",
               DeklarCell(s, kDR80));
    w.cellLine("ДДС,подл.на възст.чл.92(3) в 30-дневен срок от подаване на СД\t:  |",
               DeklarCell(s, kDR81));
    w.cellLine("ДДС,подл.на възст.чл.92(4) в 30-дневен срок от подаване на СД\t:  |",
               DeklarCell(s, kDR82));
}

// Which codes of a journal group a section lists.
struct CodeRange {
    ErrorGroup group;
    int last;
    bool fatalOnly;
    bool viesColumnListed = false;  // a branch's merge file says whether it was chosen
};

constexpr int kViesColumnCode = 37;  // a choice of the sales form, and of a merge file

bool Listed(const CodeRange& range, int code) {
    if (range.group == ErrorGroup::Sales && code == kViesColumnCode && !range.viesColumnListed)
        return false;
    return !range.fatalOnly || IsFatal(range.group, code);
}

// Writes "Покупки - Ред n: text" (or "Продажби - ...") lines of the records;
// returns whether any was written.
bool WriteRecordErrors(ReportWriter& w, ReportTexts& texts, const std::vector<LineRecord>& records,
                       const CodeRange& range) {
    const char* prefix =
        range.group == ErrorGroup::Purchases ? "Покупки - Ред " : "Продажби - Ред ";
    const std::string prefixBytes = platform::ToCp1251(prefix);
    bool any = false;
    for (std::size_t i = 0; i < records.size(); ++i) {
        const db::ErrorSet& errors = records[i].errors;
        if (!errors.any()) continue;
        for (int code = 1; code <= range.last; ++code) {
            if (!errors.has(code) || !Listed(range, code)) continue;
            w.bytes(prefixBytes).number("%lld", static_cast<long long>(i + 1)).bytes(": ");
            w.bytes(texts.text(range.group, code)).bytes("\r\n");
            any = true;
        }
    }
    return any;
}

constexpr int kLastDeklarCode = 78;
constexpr int kLastFatalDeklarCode = 72;
constexpr int kLastPurchaseCode = 53;
constexpr int kLastSalesCode = 79;
constexpr int kMissingViesCode = 76;

// The sections of the return and the journals, then the fatal errors. A
// branch's merge files have no return: no section of it, no code of it.
void WriteErrorSections(ReportWriter& w, ReportTexts& texts, const CheckState& s, RunKind kind) {
    const bool branch = kind == RunKind::BranchFiles;
    if (!branch) {
        w.text("\r\nПроверка на файл DEKLAR\r\n\r\n");
        if (!s.returnErrors.any()) w.text("Няма открити грешки в DEKLAR\r\n");
        for (int code = 1; code <= kLastDeklarCode; ++code)
            if (s.returnErrors.has(code))
                w.bytes(texts.text(ErrorGroup::Deklar, code)).bytes("\r\n");
    }

    const CodeRange purchases{ErrorGroup::Purchases, kLastPurchaseCode, false};
    const CodeRange sales{ErrorGroup::Sales, kLastSalesCode, false, branch};
    w.text("\r\nПроверка на файл ПОКУПКИ\r\n\r\n");
    if (!WriteRecordErrors(w, texts, s.purchases, purchases))
        w.text("Няма открити грешки в ПОКУПКИ\r\n");

    w.text("\r\nПроверка на файл ПРОДАЖБИ\r\n\r\n");
    if (!WriteRecordErrors(w, texts, s.sales, sales)) w.text("Няма открити грешки в ПРОДАЖБИ\r\n");

    w.text("\r\nФАТАЛНИ ГРЕШКИ\r\n\r\n");
    bool any = false;
    for (int code = 1; !branch && code <= kLastFatalDeklarCode; ++code) {
        if (!s.returnErrors.has(code)) continue;
        w.bytes(texts.text(ErrorGroup::Deklar, code)).bytes("\r\n");
        any = true;
    }
    any |= WriteRecordErrors(w, texts, s.purchases, {purchases.group, purchases.last, true});
    any |= WriteRecordErrors(w, texts, s.sales, {sales.group, sales.last, true, branch});
    if (!any) w.text("Няма открити фатални грешки\r\n");
}

// Echoes a line's fields. After the reading stopped, a line that was not
// read (all its fields empty) is left out instead of showing as empty.
template <std::size_t N>
void WriteFields(ReportWriter& w, const std::array<std::string_view, N>& fields,
                 bool readingStopped = false) {
    if (readingStopped && std::all_of(fields.begin(), fields.end(),
                                      [](std::string_view field) { return field.empty(); }))
        return;
    for (auto field : fields) w.bytes(field);
    w.bytes("\r\n");
}

constexpr int kViesCharacterCode = 72;  // DEKLAR: nothing of the VIES file was tested
constexpr int kFirstViesStopCode = 25;  // header: a VIES.CSV field could not be read
constexpr int kLastViesStopCode = 29;   // header: lines 1 to 4 of the wrong length

// The reading of the VIES file stopped before its records: a character
// outside the set, a header line of the wrong length or a VIES.CSV field
// that could not be read.
bool ViesReadingStopped(const CheckState& s) {
    if (s.returnErrors.has(kViesCharacterCode)) return true;
    for (int code = kFirstViesStopCode; code <= kLastViesStopCode; ++code)
        if (s.vies.header.has(code)) return true;
    return false;
}

void WriteViesEcho(ReportWriter& w, const ViesData& v, RunKind kind, bool stopped) {
    WriteFields(w, v.vhr, stopped);
    WriteFields(w, v.vdr, stopped);
    WriteFields(w, v.vtr, stopped);
    WriteFields(w, v.ttr, stopped);
    for (const auto& row : v.section1) {
        if (kind == RunKind::OemToAnsi) {
            WriteFields(w, row.fields);
            continue;
        }
        const auto& f = row.fields;
        w.bytes(f[kVirCode]).bytes(f[kVirNumber]).padded15(f[kVirVin]);
        w.bytes(f[kVirGoods]).bytes(f[kVirTriangular]).bytes(f[kVirServices]);
        w.bytes(f[kVirPeriod]).bytes("\r\n");
    }
    if (kind == RunKind::OemToAnsi) return;
    WriteFields(w, v.chr, stopped);
    for (const auto& row : v.section2) {
        const auto& f = row.fields;
        w.bytes(f[kCosCode]).bytes(f[kCosNumber]).padded15(f[kCosVin]).bytes(f[kCosOperation]);
        w.padded15(f[kCosReplacingVin]).bytes(f[kCosPeriod]).bytes("\r\n");
    }
}

// The section of a VIES row error: the first eight codes are those of
// section 1 (intra-Community supplies), the others those of section 2.
constexpr int kLastSection1Code = 8;

template <typename Rows>
bool WriteViesRowErrors(ReportWriter& w, ReportTexts& texts, const Rows& rows, int first,
                        int last) {
    bool any = false;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        for (int code = first; code <= last; ++code) {
            if (!rows[i].errors.has(code)) continue;
            const char* section =
                code <= kLastSection1Code ? "ВОД" : "Прехвърляне на стоки под режим ...";
            w.text("VIES - Ред ").number("%lld", static_cast<long long>(i + 1));
            w.text(" на секция '").text(section).text("': ");
            w.bytes(texts.text(ErrorGroup::ViesRows, code)).bytes("\r\n");
            any = true;
        }
    }
    return any;
}

// An amount as the warnings show it: the report's amount without the
// padding.
std::string PlainAmount(std::int64_t stotinki) {
    const std::string padded = money::ToReportColumn(stotinki);
    return padded.substr(std::min(padded.find_first_not_of(' '), padded.size()));
}

// The counterparts whose VIES rows do not match their sales: warnings, so
// they never count as fatal.
bool WriteMismatches(ReportWriter& w, const std::vector<CounterpartMismatch>& mismatches) {
    for (const auto& m : mismatches) {
        w.text("ВНИМАНИЕ! Контрагент ").bytes(m.vin).text(": сума в дневник Продажби ");
        w.bytes(PlainAmount(m.sales));
        if (m.vies)
            w.text(", сума в секция 'ВОД' на VIES ").bytes(PlainAmount(*m.vies));
        else
            w.text(", няма ред в секция 'ВОД' на VIES");
        w.bytes("\r\n");
    }
    return !mismatches.empty();
}

void WriteViesPart(ReportWriter& w, ReportTexts& texts, const CheckState& s, RunKind kind) {
    w.text("\r\nVIES - ДЕКЛАРАЦИЯ\r\n\r\n");
    if (s.returnErrors.has(kMissingViesCode)) {
        w.bytes(texts.text(ErrorGroup::Deklar, kMissingViesCode)).bytes("\r\n");
        return;
    }
    w.text("Прочетен файл: ").text(s.vies.fileName).text("\r\n");
    WriteViesEcho(w, s.vies, kind, ViesReadingStopped(s));

    w.text("\r\nПроверка на файл VIES\r\n\r\n");
    const bool oem = kind == RunKind::OemToAnsi;
    bool any = false;
    for (int code = 1, last = oem ? 30 : 32; code <= last; ++code) {
        if (!s.vies.header.has(code)) continue;
        w.bytes(texts.text(ErrorGroup::ViesHeader, code)).bytes("\r\n");
        any = true;
    }
    any |= WriteViesRowErrors(w, texts, s.vies.section1, 1, kLastSection1Code);
    if (!oem) any |= WriteViesRowErrors(w, texts, s.vies.section2, kLastSection1Code + 1, 18);
    any |= WriteMismatches(w, s.vies.mismatches);
    if (!any) w.text("Няма открити грешки\r\n");
    w.text("\r\nПроверка на VIES файла ще се осъществи при приемане на данните\r\n\r\n");
}

// One line for each file that is not in Windows-1251, in the order the
// files are read.
std::string EncodingMessage(const ReaderResults& r) {
    std::string message;
    const auto add = [&](int result, std::string_view line) {
        if (result > kFileNotOpened) message += platform::ToCp1251(line);
    };
    add(r.deklar, "Файла deklar.txt не е в енкодинг Cp1251!\r\n");
    add(r.purchases, "Файла pokupki.txt не е в енкодинг Cp1251!\r\n");
    add(r.sales, "Файла prodagbi.txt не е в енкодинг Cp1251!\r\n");
    add(r.vies, "Файла vies.txt(vies.csv) не е в енкодинг Cp1251!\r\n");
    return message;
}

}  // namespace

bool HasEncodingSignature(const ReaderResults& r) {
    return r.deklar > kFileNotOpened || r.purchases > kFileNotOpened || r.sales > kFileNotOpened ||
           r.vies > kFileNotOpened;
}

std::string BuildCheckReport(const CheckState& s, RunKind kind) {
    const ReaderResults& results = s.results;
    if (HasEncodingSignature(results)) return EncodingMessage(results);
    std::string report;
    ReportWriter w(report);
    ReportTexts texts;
    WriteHeader(w, s, kind);
    WriteSalesSums(w, s);
    WritePurchaseSums(w, s);
    WriteResultLines(w, s);
    WriteErrorSections(w, texts, s, kind);
    if (kind == RunKind::BranchFiles) return report;
    if (s.viesSales.needViesReturn() || results.vies == kFileRead) WriteViesPart(w, texts, s, kind);
    return report;
}

bool HasFatalErrorsListed(const CheckState& s) {
    for (int code = 1; code <= kLastFatalDeklarCode; ++code)
        if (s.returnErrors.has(code)) return true;
    const auto anyFatal = [](const std::vector<LineRecord>& records, const CodeRange& range) {
        for (const auto& record : records)
            for (int code = 1; record.errors.any() && code <= range.last; ++code)
                if (record.errors.has(code) && Listed(range, code)) return true;
        return false;
    };
    return anyFatal(s.purchases, {ErrorGroup::Purchases, kLastPurchaseCode, true}) ||
           anyFatal(s.sales, {ErrorGroup::Sales, kLastSalesCode, true});
}

}  // namespace files::checker
