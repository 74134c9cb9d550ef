#pragma once
// The drawing surface of the printouts on a Qt paint device: a printer or a
// PDF file. Twips (y upwards, from the top left of the printable area) become
// device pixels; "Courier New Cyr" is drawn with Liberation Mono and "Tahoma"
// with the Tahoma of Wine's fonts, both with the advance widths of the
// originals, so that the measured columns come out as the forms intend.
//
// A journal of a hundred thousand documents draws one and a half million
// texts, so text is not shaped: each character's glyph and advance are looked
// up once per font, and the texts of a page are drawn as one glyph run per
// font when the page ends. The printouts hold
// Windows-1251 text (Cyrillic and Latin, no ligatures and no kerning), which
// needs no shaping; a text with a character the font lacks is drawn by Qt's
// text layout, which falls back on another font.

#include <QFont>
#include <QGlyphRun>
#include <QPainter>
#include <QPrinter>
#include <QRawFont>
#include <map>
#include <memory>
#include <tuple>
#include <unordered_map>
#include <vector>

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
    struct Glyph {
        quint32 index = 0;
        double advance = 0;  // device pixels
        bool present = false;
    };
    struct Made {
        QFont font;     // for texts with characters the raw font lacks
        QRawFont raw;   // sized exactly, in device pixels
        double ascent;  // device pixels, of the line height the forms use
        std::unordered_map<char32_t, Glyph> glyphs;
    };
    Made& made(const print::Font& font);
    const Glyph& glyph(Made& m, char32_t c);
    // The text's glyphs and their advances; false when the font lacks one.
    bool shape(Made& m, std::string_view text, double& width);
    QPointF at(print::Point p) const;

    QPrinter& printer_;
    QPainter painter_;
    bool started_ = false;
    double pixelsPerTwipX_, pixelsPerTwipY_;
    std::map<std::tuple<int, int, int>, std::unique_ptr<Made>> fonts_;  // by face, weight, height
    // Draws the glyphs gathered on the page, one run per font.
    void flush();

    // The glyphs and positions of the text shaped last.
    QList<quint32> indexes_;
    QList<QPointF> positions_;
    // The glyphs of the page not drawn yet, by font: a page is drawn with a
    // few glyph runs rather than one per text.
    struct Pending {
        QList<quint32> indexes;
        QList<QPointF> positions;
    };
    std::map<Made*, Pending> pending_;
};

}  // namespace qt
