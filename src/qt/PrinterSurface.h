#pragma once
// The drawing surface of the printouts on a Qt paint device: a printer or a
// PDF file. Twips (y upwards, from the top left of the printable area) become
// device pixels; "Courier New Cyr" is drawn with Liberation Mono and "Tahoma"
// with the Tahoma of Wine's fonts, both with the metrics of the originals, so
// that the measured columns come out as the forms intend.

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <map>
#include <tuple>

#include "print/Surface.h"

namespace qt {

// Makes the fonts the printouts need known to Qt (Wine's Tahoma is not in the
// system's font folders). Safe to call more than once.
void LoadPrintFonts();

// The font families the two faces are drawn with.
QString FamilyOf(print::Face face);

class PrinterSurface : public print::Surface {
  public:
    explicit PrinterSurface(QPrinter& printer);
    ~PrinterSurface() override;

    bool beginPage() override;
    void endPage() override;
    int textWidth(std::string_view text, const print::Font& font) override;
    void text(const print::Box& box, std::string_view text, const print::Font& font,
              print::Align align) override;
    void line(print::Point from, print::Point to) override;
    void frame(const print::Box& box) override;

    // Ends the print job; the document is complete after it.
    void finish();

  private:
    struct Made {
        QFont font;
        QFontMetricsF metrics;
    };
    const Made& made(const print::Font& font);
    QPointF at(print::Point p) const;

    QPrinter& printer_;
    QPainter painter_;
    bool started_ = false;
    double pixelsPerTwipX_, pixelsPerTwipY_;
    std::map<std::tuple<int, int, int>, Made> fonts_;  // by face, weight, height
    const Made* current_ = nullptr;                    // the painter's font
};

}  // namespace qt
