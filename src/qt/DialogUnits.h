#pragma once
// Dialog units to pixels: a horizontal unit is a quarter of the average
// character width of the font, a vertical unit an eighth of its line height.

#include <QFont>
#include <QRect>
#include <QSize>

#include "ui/Controls.h"

namespace qt {

class DialogUnits {
  public:
    explicit DialogUnits(const QFont& font);

    int x(int units) const;
    int y(int units) const;
    QRect rect(const ui::Rect& rect) const;
    QSize size(const ui::Size& size) const;

  private:
    double xUnit_, yUnit_;
};

}  // namespace qt
