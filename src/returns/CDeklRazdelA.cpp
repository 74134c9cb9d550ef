#include "returns/CDeklRazdelA.h"

#include "platform/Money.h"

namespace returns {
namespace {

// Wording of the form by period (YYYYMM, compared as text).
std::string Caption12(const std::string& p) {
    return p < "202004" ? "12.ДО на ВОП и ДО на получени доставки по чл.82, ал.2-5 ЗДДС"
                        : "12.ДО на ВОП и ДО на получени доставки по чл.82, ал.2-6 ЗДДС";
}

std::string Caption22(const std::string& p) {
    return p < "202004" ? "22.Начислен ДДС за ВОП и за получени доставки по чл.82, ал.2-5 ЗДДС"
                        : "22.Начислен ДДС за ВОП и за получени доставки по чл.82, ал.2-6 ЗДДС";
}

std::string Caption23(const std::string& p) {
    return p < "201602" ? "23.Начислен данък (20%) в други случаи, предвидени в ЗДДС"
                        : "23.Начислен данък за доставки на стоки и услуги за лични нужди****";
}

std::string Caption13(const std::string& p) {
    return p < "201206" ? "13.ДО на облагаемите доставки със ставка 7%/ 9%"
                        : "13.ДО на облагаемите доставки със ставка 9%";
}

std::string Caption24(const std::string& p) {
    return p < "201206" ? "24.Начислен ДДС 7%/ 9%" : "24.Начислен ДДС 9%";
}

std::string Caption16(const std::string& p) {
    if (p.substr(0, 4) < "2014") return "16.ДО на доставки по чл.140, 146 и чл.173, ал.1 и 4 ЗДДС";
    if (p < "201602") return "16.ДО на доставки по чл. 140, 146 и чл.173 ЗДДС";
    return "16.ДО на доставки по чл. 140, 146 и чл.173 ЗДДС*";
}

std::string Caption18(const std::string& p) {
    const std::string text =
        "18.ДО на доставки по чл.69, ал.2 ЗДДС, вкл.доставките при условия на дист. продажби с "
        "място на изпълнение т-рията на друга държава членка, както и на доставки като посредник "
        "в тристранна операция";
    return p < "201602" ? text : text + "**";
}

std::string Caption19(const std::string& p) {
    return p < "201602" ? "19.ДО на освободените доставки и освободените ВОП"
                        : "19.ДО на освободените доставки и освободените ВОП***";
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
    add("DS12", Caption12(p), &R::ds12);
    add("DS22", Caption22(p), &R::ds22);
    add("DS23", Caption23(p), &R::ds23);
    add("DS13", Caption13(p), &R::ds13);
    add("DS24", Caption24(p), &R::ds24);
    add("DS14", "14.ДО на доставките по глава трета от ЗДДС, облагаеми със ставка 0%", &R::ds14);
    add("DS15", "15.ДО на ВОД на стоки", &R::ds15);
    add("DS16", Caption16(p), &R::ds16);
    add("DS17",
        "17.ДО на доставки на услуги по чл.21, ал.2 ЗДДС с място на изпълнение на територията "
        "на друга държава членка",
        &R::ds17, 2);
    add("DS18", Caption18(p), &R::ds18, 2);
    add("DS19", Caption19(p), &R::ds19);
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
