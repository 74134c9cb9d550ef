#include "journals/ViesType.h"

#include <charconv>

namespace journals {

std::vector<std::string_view> ViesColumnItems(std::string_view type) {
    if (type == "23" || type == "29") return {"ДО на осв.доставки, които не се включват във VIES"};
    return {"ДО на освободени ВОП", "ДО на освободени ВОД",
            "ДО на осв.доставки на услуги по чл.21(2)-тер. на др.д-ва",
            "ДО на осв.доставки, които не се включват във VIES"};
}

std::string EncodeViesType(const ViesAnalysis& analysis) {
    const int item = analysis.advance && analysis.item < 0 ? 0 : analysis.item;
    return std::to_string(item + 1 + (analysis.advance ? 5 : 0));
}

ViesAnalysis DecodeViesType(std::string_view viesType, Stotinki column24, Stotinki column25) {
    int n = 0;
    const auto [end, error] =
        std::from_chars(viesType.data(), viesType.data() + viesType.size(), n);
    ViesAnalysis analysis;
    // Nothing chosen was stored as 0 (or 5 with the mark); it decodes as no item.
    if (error != std::errc() || end != viesType.data() + viesType.size() || n < 1) return analysis;
    if (n == 5) {
        analysis.advance = column25 != 0;
        return analysis;
    }
    if (column24 != 0) analysis.item = (n - 1) % 5;
    if (column25 != 0) analysis.advance = (n - 1) / 5 > 0;
    return analysis;
}

}  // namespace journals
