#include "qt/DialogUnits.h"

#include <QFontMetricsF>
#include <cmath>

namespace qt {

DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetricsF metrics(font);
    static const QString kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    xUnit_ = metrics.horizontalAdvance(kAlphabet) / kAlphabet.size() / 4.0;
    yUnit_ = metrics.height() / 8.0;
}

int DialogUnits::x(int units) const {
    return static_cast<int>(std::lround(units * xUnit_));
}
int DialogUnits::y(int units) const {
    return static_cast<int>(std::lround(units * yUnit_));
}

QRect DialogUnits::rect(const ui::Rect& rect) const {
    return {x(rect.x), y(rect.y), x(rect.width), y(rect.height)};
}

QSize DialogUnits::size(const ui::Size& size) const {
    return {x(size.width), y(size.height)};
}

}  // namespace qt
