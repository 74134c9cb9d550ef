#include "print/FormWording.h"

namespace print {

const CurrencyWording& CurrencyWordingFor(const std::string& /*period*/) {
    static const CurrencyWording kLeva{
        "Стойностите се посочват в левове и стотинки.",
        "Данъчна основа в лв.",
        "Данъчна основа - общо в лева\r\n(сума на колони к3+к4+к5),\r\nв това число:",
    };
    return kLeva;
}

}  // namespace print
