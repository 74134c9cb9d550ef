#include "files/checker/FormatAmount15.h"

#include <cstdio>
#include <cstdlib>

namespace files::checker {

std::string FormatAmount15(std::int64_t stotinki) {
    // Division truncates towards zero, so u and h keep the sign of the amount.
    const long long fraction = std::llabs(stotinki % 100);
    const long long units = (stotinki / 100) % 100000;
    const long long high = stotinki / 10000000;
    char text[64];
    if (high != 0)
        std::snprintf(text, sizeof text, "% 7lld%05lld.%02lld", high, std::llabs(units), fraction);
    else if (units != 0 || stotinki >= 0)
        std::snprintf(text, sizeof text, "% 12lld.%02lld", units, fraction);
    else
        std::snprintf(text, sizeof text, "          -0.%02lld", fraction);
    return std::string(text).substr(0, 15);
}

}  // namespace files::checker
