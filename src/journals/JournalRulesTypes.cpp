#include "journals/JournalRulesTypes.h"

#include <algorithm>
#include <span>

namespace journals {
namespace {

// A document type of a journal. The list offers it for periods from..to
// (inclusive; "" leaves a side open); its name is shown from nameFrom on,
// whether or not the list offers the code.
struct DocumentType {
    std::string_view code, from, to, nameFrom, name;
};

constexpr std::string_view kOpen = "";

// The types both journals offer, with the same periods and names.
constexpr DocumentType kInvoice{"01", kOpen, kOpen, kOpen, "Фактура"};
constexpr DocumentType kDebitNote{"02", kOpen, kOpen, kOpen, "Дебитно известие"};
constexpr DocumentType kCreditNote{"03", kOpen, kOpen, kOpen, "Кредитно известие"};
constexpr DocumentType kCustomsDeclaration{"07", kOpen, kOpen, kOpen, "Митническа декларация"};
constexpr DocumentType kProtocol{"09", kOpen, kOpen, kOpen, "Протокол или друг документ"};
constexpr DocumentType kCashInvoice{"11", "201401", kOpen, kOpen, "Фактура - касова отчетност"};
constexpr DocumentType kCashDebitNote{"12", "201401", kOpen, kOpen,
                                      "Дебитно известие – касова отчетност"};
constexpr DocumentType kCashCreditNote{"13", "201401", kOpen, kOpen,
                                       "Кредитно известие – касова отчетност"};
constexpr DocumentType kCreditNote126b{"23", "202306", kOpen, "202207",
                                       "Кредитно известие по чл. 126б, ал. 1 от ЗДДС"};
constexpr DocumentType kProtocol91{"91", "201401", kOpen, kOpen,
                                   "Протокол за изискуемия данък по чл. 151в, ал. 3 от закона"};
constexpr DocumentType kProtocol93{
    "93", "201401", kOpen, kOpen,
    "Протокол за изискуемия данък по чл. 151в, ал. 7 от закона с получател по доставката лице, "
    "което не прилага специалния режим за касова отчетност"};
constexpr DocumentType kProtocol94{
    "94", "201401", kOpen, kOpen,
    "Протокол за изискуемия данък по чл. 151в, ал. 7 от закона с получател по доставката лице, "
    "което прилага специалния режим за касова отчетност"};

constexpr DocumentType kPurchaseTypes[] = {
    kInvoice,
    kDebitNote,
    kCreditNote,
    {"05", "202004", kOpen, "202004",
     "Регистър на стоки под режим складиране на стоки до поискване, получени на територията на "
     "страната"},
    kCustomsDeclaration,
    kProtocol,
    kCashInvoice,
    kCashDebitNote,
    kCashCreditNote,
    kCreditNote126b,
    kProtocol91,
    {"92", "201401", kOpen, kOpen,
     "Протокол за данъчния кредит по чл. 151г, ал. 8 от закона или отчет по чл. 104ж, ал. 1"},
    kProtocol93,
    kProtocol94,
};

constexpr DocumentType kSalesTypes[] = {
    kInvoice,
    kDebitNote,
    kCreditNote,
    {"04", "202004", kOpen, "202004",
     "Регистър на стоки под режим складиране на стоки до поискване, изпратени или транспортирани "
     "от територията на страната до територията на друга държава членка"},
    kCustomsDeclaration,
    kProtocol,
    {"81", kOpen, kOpen, kOpen, "Отчет за извършените продажби"},
    {"82", kOpen, kOpen, kOpen, "Отчет за извършените продажби при специален ред на облагане"},
    kCashInvoice,
    kCashDebitNote,
    kCashCreditNote,
    kProtocol91,
    kProtocol93,
    kProtocol94,
    {"95", "201704", kOpen, kOpen,
     "Протокол за безвъзмездно предоставяне на хранителни стоки, за което е приложим чл. 6, ал. "
     "4, т. 4 от ЗДДС"},
    {"50", "202207", "202212", "202207",
     "Протокол за начисляване на изискуемия ДДС за доставките на гориво, за които са "
     "предоставени компенсации"},
    {"83", "202207", kOpen, "202207",
     "Отчет за извършените продажби при предоставени компенсации за горива"},
    {"84", "202207", kOpen, "202207", "Отчет за извършените продажби на хляб"},
    {"85", "202207", kOpen, "202207", "Отчет за извършените продажби на брашно"},
    kCreditNote126b,
    {"29", "202306", kOpen, "202207", "Протокол по чл. 126б, ал. 2 и 7 от ЗДДС"},
};

// Before 2014 the sales types "11" and "12" were the sales reports that "81"
// and "82" are now; documents of those years show the old names.
struct OldSalesName {
    std::string_view code, name;
};
constexpr OldSalesName kSalesNamesBefore2014[] = {
    {"11", "Отчет за извършените продажби"},
    {"12", "Отчет за извършените продажби при специален ред на облагане"},
};

std::span<const DocumentType> TypesOf(Journal journal) {
    if (journal == Journal::Purchases) return kPurchaseTypes;
    return kSalesTypes;
}

bool Within(std::string_view period, std::string_view from, std::string_view to) {
    return (from.empty() || period >= from) && (to.empty() || period <= to);
}

const DocumentType* FindType(Journal journal, std::string_view code) {
    const auto types = TypesOf(journal);
    const auto found = std::find_if(types.begin(), types.end(),
                                    [code](const DocumentType& t) { return t.code == code; });
    return found == types.end() ? nullptr : &*found;
}

// Field 8а: which journal uses a code, and for which document types.
enum class Scope { Both, Purchases05, Sales04 };

struct Field8aCode {
    std::string_view code;
    Scope scope;
    std::string_view name;
};

constexpr Field8aCode kField8aCodes[] = {
    {"01", Scope::Both, "Доставка по част I на Приложение 2 от ЗДДС"},
    {"02", Scope::Both, "Доставка по част II на Приложение 2 от ЗДДС"},
    {"03", Scope::Both, "Внос по приложение 3 от ЗДДС"},
    {"07", Scope::Both, "Доставка, внос или вътреобщностно придобиване на хляб"},
    {"08", Scope::Both, "Доставка, внос или вътреобщностно придобиване на брашно"},
    {"51", Scope::Purchases05,
     "Пристигане на стоки на територията на страната под режим складиране на стоки до поискване "
     "по чл. 15а от ЗДДС"},
    {"53", Scope::Purchases05,
     "Замяна на лицето, за което са били предназначени стоките без прекратяване на договора по "
     "чл. 15а, ал. 4 от ЗДДС"},
    {"54", Scope::Purchases05, "Брак/липса/унищожаване на стоки по чл. 15а, ал. 10 от ЗДДС"},
    {"58", Scope::Purchases05,
     "Прекратяване на договора при режим складиране на стоки до поискване по чл. 15а от ЗДДС"},
    {"41", Scope::Sales04,
     "Изпращане или транспортиране на стоки от територията на страната до територията на друга "
     "държава членка под режим складиране на стоки до поискване по чл. 15а от ЗДДС"},
    {"43", Scope::Sales04,
     "Замяна на лицето, за което са били предназначени стоките по чл. 15а, ал. 4 от ЗДДС"},
    {"46", Scope::Sales04,
     "Грешка при посочване на идентификационен номер по ДДС на лицето, за което са предназначени "
     "стоките при операции, отразени с код 41"},
    {"48", Scope::Sales04, "Връщане на стоки на територията на страната по чл. 15а, ал. 5 от ЗДДС"},
};

// Bread ("07") and flour ("08") codes exist from July 2022.
constexpr std::string_view kBreadAndFlourFrom = "202207";

std::vector<std::string_view> CallOffStockCodes(Journal journal) {
    const Scope scope = journal == Journal::Purchases ? Scope::Purchases05 : Scope::Sales04;
    std::vector<std::string_view> codes;
    for (const auto& c : kField8aCodes) {
        if (c.scope == scope) codes.push_back(c.code);
    }
    return codes;
}

std::vector<std::string_view> GeneralCodes(std::string_view period) {
    std::vector<std::string_view> codes{"01", "02", "03"};
    if (period >= kBreadAndFlourFrom) codes.insert(codes.end(), {"07", "08"});
    return codes;
}

bool Contains(const std::vector<std::string_view>& codes, std::string_view code) {
    return std::find(codes.begin(), codes.end(), code) != codes.end();
}

}  // namespace

bool IsCallOffStockType(Journal journal, std::string_view type) {
    return type == (journal == Journal::Purchases ? "05" : "04");
}

std::vector<std::string_view> DocumentTypesFor(Journal journal, std::string_view period) {
    std::vector<std::string_view> codes;
    for (const auto& t : TypesOf(journal)) {
        if (Within(period, t.from, t.to)) codes.push_back(t.code);
    }
    return codes;
}

bool IsOfferedDocumentType(Journal journal, std::string_view code, std::string_view period) {
    return Contains(DocumentTypesFor(journal, period), code);
}

std::string_view DocumentTypeName(Journal journal, std::string_view code, std::string_view period) {
    const DocumentType* type = FindType(journal, code);
    if (type == nullptr || !Within(period, type->nameFrom, kOpen)) return {};
    if (journal == Journal::Sales && period.substr(0, 4) < "2014") {
        for (const auto& old : kSalesNamesBefore2014) {
            if (old.code == code) return old.name;
        }
    }
    return type->name;
}

std::vector<std::string_view> Field8aCodesFor(Journal journal, std::string_view type,
                                              std::string_view period) {
    std::vector<std::string_view> items;
    if (journal == Journal::Sales && type == "84") return {"07"};
    if (journal == Journal::Sales && type == "85") return {"08"};
    items.push_back("");
    if (!IsField8aSelectable(journal, type)) return items;
    const auto codes =
        IsCallOffStockType(journal, type) ? CallOffStockCodes(journal) : GeneralCodes(period);
    items.insert(items.end(), codes.begin(), codes.end());
    return items;
}

bool IsField8aSelectable(Journal journal, std::string_view type) {
    return !(journal == Journal::Sales && (type == "50" || type == "83"));
}

std::string_view Field8aName(Journal journal, std::string_view code) {
    const Scope own = journal == Journal::Purchases ? Scope::Purchases05 : Scope::Sales04;
    for (const auto& c : kField8aCodes) {
        if (c.code == code && (c.scope == Scope::Both || c.scope == own)) return c.name;
    }
    return {};
}

bool IsAcceptedField8aCode(Journal journal, std::string_view type, std::string_view code,
                           std::string_view period) {
    if (IsCallOffStockType(journal, type)) return Contains(CallOffStockCodes(journal), code);
    return code.empty() || code == "  " || Contains(GeneralCodes(period), code);
}

bool UsesPlaceholderCounterpart(Journal journal, std::string_view type) {
    return type == "07" || (journal == Journal::Sales && type == "50");
}

}  // namespace journals
