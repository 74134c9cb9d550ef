#include "journals/ErrorCatalogue.h"

#include <string>

#include "journals/ErrorCatalogueTexts.h"

namespace journals {
namespace {

bool InRange(int code, int first, int last) {
    return code >= first && code <= last;
}

std::string WithLine(std::string_view prefix, int line, std::string_view rest) {
    std::string text(prefix);
    text += std::to_string(line);
    text += rest;
    return text;
}

// Section 1 of a VIES return lists intra-Community supplies (codes 1-8);
// section 2 the transfers of call-off stock (codes from 9).
std::string_view ViesSectionName(int code) {
    return code <= 8 ? "ВОД" : "Прехвърляне на стоки под режим ...";
}

}  // namespace

std::string ErrorText(int code, ErrorGroup group, int line) {
    const std::string_view text = CatalogueText(group, code);
    if (text.empty()) return "No error";
    if (line < 0) return std::string(text);
    switch (group) {
        case ErrorGroup::Purchases:
            return WithLine("Покупки - Ред ", line, ": " + std::string(text));
        case ErrorGroup::Sales:
            return WithLine("Продажби - Ред ", line, ": " + std::string(text));
        case ErrorGroup::ViesRows:
            return WithLine(
                "VIES - Ред ", line,
                " на секция '" + std::string(ViesSectionName(code)) + "': " + std::string(text));
        case ErrorGroup::Deklar:
        case ErrorGroup::ViesHeader:
            break;
    }
    return std::string(text);
}

bool IsFatal(ErrorGroup group, int code) {
    switch (group) {
        case ErrorGroup::Deklar:
            return InRange(code, 1, 72);
        case ErrorGroup::Purchases:
            return InRange(code, 1, 32) || InRange(code, 51, 53);
        case ErrorGroup::Sales:
            return InRange(code, 1, 39) || InRange(code, 71, 73) || code == 79;
        case ErrorGroup::ViesHeader:
        case ErrorGroup::ViesRows:
            return false;
    }
    return false;
}

}  // namespace journals
