#include "returns/CDeklRazdelA.h"

#include "platform/Money.h"

namespace returns {
namespace {

// Wording of the form by period (YYYYMM, compared as text). From 201602 on
// four captions carry the marks of their footnotes, "*" to "****".
std::string WithFootnote(const std::string& p, std::string caption, std::string_view marks) {
    return p < "201602" ? caption : caption + std::string(marks);
}

std::string Caption16(const std::string& p) {
    if (p.substr(0, 4) < "2014") return "16.ДО на доставки по чл.140, 146 и чл.173, ал.1 и 4 ЗДДС";
    return WithFootnote(p, "16.ДО на доставки по чл. 140, 146 и чл.173 ЗДДС", "*");
}

std::string Caption23(const std::string& p) {
    return p < "201602" ? "23.Начислен данък (20%) в други случаи, предвидени в ЗДДС"
                        : "23.Начислен данък за доставки на стоки и услуги за лични нужди****";
}

}  // namespace

CDeklRazdelA::CDeklRazdelA(CDeklDDS& sheet) : DeklPage(sheet, "razdelA", "Раздел А") {
    const std::string& p = scope().period;
    using R = db::ReturnRow;
    section("Раздел А: Данни за начислен данък върху добавената стойност");
    auto add = [&](const char* id, std::string caption, double R::*value, int lines = 1) {
        cells_.push_back({cell(id, std::move(caption), lines), value});
    };
    add("DS01", "01. Общ размер на данъчните основи за облагане с ДДС (сума от кл. 11 до кл. 16)",
        &R::ds01, 2);
    add("DS20", "20.Всичко начислен ДДС\r\n(сума от кл.21 до кл.24)", &R::ds20, 2);
    add("DS11",
        "11.ДО на облагаемите доставки със ставка 20%, вкл. доставките при условия на "
        "дистанционни продажби с място на изпълнение на територията на страната",
        &R::ds11, 2);
    add("DS21", "21.Начислен ДДС", &R::ds21);
    const std::string art82(Art82Paragraphs(p));
    add("DS12", "12.ДО на ВОП и ДО на получени доставки по чл.82, " + art82 + " ЗДДС", &R::ds12);
    add("DS22", "22.Начислен ДДС за ВОП и за получени доставки по чл.82, " + art82 + " ЗДДС",
        &R::ds22);
    add("DS23", Caption23(p), &R::ds23);
    // The reduced rate was 7 % or 9 % before 201206.
    const std::string reducedRate = p < "201206" ? "7%/ 9%" : "9%";
    add("DS13", "13.ДО на облагаемите доставки със ставка " + reducedRate, &R::ds13);
    add("DS24", "24.Начислен ДДС " + reducedRate, &R::ds24);
    add("DS14", "14.ДО на доставките по глава трета от ЗДДС, облагаеми със ставка 0%", &R::ds14);
    add("DS15", "15.ДО на ВОД на стоки", &R::ds15);
    add("DS16", Caption16(p), &R::ds16);
    add("DS17",
        "17.ДО на доставки на услуги по чл.21, ал.2 ЗДДС с място на изпълнение на територията "
        "на друга държава членка",
        &R::ds17, 2);
    add("DS18",
        WithFootnote(p,
                     "18.ДО на доставки по чл.69, ал.2 ЗДДС, вкл.доставките при условия на дист. "
                     "продажби с място на изпълнение т-рията на друга държава членка, както и на "
                     "доставки като посредник в тристранна операция",
                     "**"),
        &R::ds18, 2);
    add("DS19", WithFootnote(p, "19.ДО на освободените доставки и освободените ВОП", "***"),
        &R::ds19);
    endSection();
}

void CDeklRazdelA::show(bool first) {
    if (!first) return;
    const auto row = readRow();
    for (const auto& c : cells_)
        c.edit.setText(
            platform::money::ToScreenText(platform::money::FromStoredLeva(row.*c.value)));
}

}  // namespace returns
