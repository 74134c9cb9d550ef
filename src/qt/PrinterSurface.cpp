#include "qt/PrinterSurface.h"

#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPen>
#include <algorithm>

namespace qt {
namespace {

constexpr double kTwipsPerInch = 1440;

// Where Debian's fonts-wine puts Wine's Tahoma.
constexpr const char* kTahomaFiles[] = {"/usr/share/wine/fonts/tahoma.ttf",
                                        "/usr/share/wine/fonts/tahomabd.ttf"};

// Qt sizes fonts by the em, the forms by the line height (ascent plus
// descent, as the originals' vertical metrics give it). The stand-ins share
// the originals' advance widths but not always their vertical metrics (Wine's
// Tahoma has a shorter line), so the originals' em and ascent per line height
// are used: Courier New em 2048/2320, ascent 1705/2320; Tahoma em 2048/2472,
// ascent 2049/2472.
double EmPerLine(print::Face face) {
    return face == print::Face::Tahoma ? 2048.0 / 2472.0 : 2048.0 / 2320.0;
}
double AscentPerLine(print::Face face) {
    return face == print::Face::Tahoma ? 2049.0 / 2472.0 : 1705.0 / 2320.0;
}

// The next character of UTF-8 text; advances `at`. An invalid byte reads as
// U+FFFD.
char32_t NextCharacter(std::string_view text, std::size_t& at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    int length = lead < 0x80         ? 1
                 : (lead >> 5) == 6  ? 2
                 : (lead >> 4) == 14 ? 3
                 : (lead >> 3) == 30 ? 4
                                     : 0;
    if (length == 0 || at + length > text.size()) {
        ++at;
        return U'\uFFFD';
    }
    char32_t c = length == 1 ? lead : lead & (0x7F >> length);
    for (int i = 1; i < length; ++i) c = (c << 6) | (byte(at + i) & 0x3F);
    at += length;
    return c;
}

}  // namespace

void LoadPrintFonts() {
    static const bool loaded = [] {
        for (const char* file : kTahomaFiles)
            if (QFileInfo::exists(QString::fromLatin1(file)))
                QFontDatabase::addApplicationFont(QString::fromLatin1(file));
        return true;
    }();
    (void)loaded;
}

QString FamilyOf(print::Face face) {
    return face == print::Face::Tahoma ? QStringLiteral("Tahoma")
                                       : QStringLiteral("Liberation Mono");
}

PrinterSurface::PrinterSurface(QPrinter& printer)
    : printer_(printer),
      pixelsPerTwipX_(printer.logicalDpiX() / kTwipsPerInch),
      pixelsPerTwipY_(printer.logicalDpiY() / kTwipsPerInch) {
    LoadPrintFonts();
}

PrinterSurface::~PrinterSurface() {
    finish();
}

bool PrinterSurface::beginPage() {
    if (!started_) {
        if (!painter_.begin(&printer_)) return false;
        started_ = true;
        QPen pen(Qt::black);
        pen.setWidthF(pixelsPerTwipX_ * 10);  // a rule of half a point
        painter_.setPen(pen);
        return true;
    }
    return printer_.newPage();
}

// The printer's page ends when the next begins or the job is finished.
void PrinterSurface::endPage() {
    flush();
}

void PrinterSurface::finish() {
    flush();
    if (painter_.isActive()) painter_.end();
}

void PrinterSurface::flush() {
    for (auto& [m, glyphs] : pending_) {
        if (glyphs.indexes.isEmpty()) continue;
        QGlyphRun run;
        run.setRawFont(m->raw);
        run.setGlyphIndexes(glyphs.indexes);
        run.setPositions(glyphs.positions);
        painter_.drawGlyphRun(QPointF(0, 0), run);
        glyphs.indexes.clear();
        glyphs.positions.clear();
    }
}

PrinterSurface::Made& PrinterSurface::made(const print::Font& font) {
    const auto key = std::make_tuple(static_cast<int>(font.face), font.weight, font.height());
    if (auto found = fonts_.find(key); found != fonts_.end()) return *found->second;
    const double line = font.height() * pixelsPerTwipY_;
    const double em = line * EmPerLine(font.face);
    QFont q(FamilyOf(font.face));
    q.setStyleStrategy(QFont::PreferOutline);
    q.setHintingPreference(QFont::PreferNoHinting);
    q.setKerning(false);
    q.setWeight(static_cast<QFont::Weight>(std::clamp(font.weight, 100, 900)));
    q.setPixelSize(std::max(1, static_cast<int>(em + 0.5)));
    auto m = std::make_unique<Made>();
    m->font = QFont(q, &printer_);
    m->raw = QRawFont::fromFont(m->font);
    m->raw.setPixelSize(em);  // exactly: QFont would round it to whole pixels
    m->ascent = line * AscentPerLine(font.face);
    return *fonts_.emplace(key, std::move(m)).first->second;
}

const PrinterSurface::Glyph& PrinterSurface::glyph(Made& m, char32_t c) {
    if (auto found = m.glyphs.find(c); found != m.glyphs.end()) return found->second;
    Glyph g;
    if (m.raw.isValid() && m.raw.supportsCharacter(c)) {
        const QList<quint32> index = m.raw.glyphIndexesForString(QString::fromUcs4(&c, 1));
        if (index.size() == 1 && index[0] != 0) {
            g.index = index[0];
            g.advance = m.raw.advancesForGlyphIndexes(index, QRawFont::UseDesignMetrics)[0].x();
            g.present = true;
        }
    }
    return m.glyphs.emplace(c, g).first->second;
}

bool PrinterSurface::shape(Made& m, std::string_view text, double& width) {
    indexes_.clear();
    positions_.clear();
    width = 0;
    for (std::size_t at = 0; at < text.size();) {
        const Glyph& g = glyph(m, NextCharacter(text, at));
        if (!g.present) return false;
        indexes_.push_back(g.index);
        positions_.push_back(QPointF(width, 0));
        width += g.advance;
    }
    return true;
}

QPointF PrinterSurface::at(print::Point p) const {
    return {p.x * pixelsPerTwipX_, -p.y * pixelsPerTwipY_};
}

int PrinterSurface::textWidth(std::string_view text, const print::Font& font) {
    Made& m = made(font);
    double width = 0;
    if (!shape(m, text, width)) {
        const QString q = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
        width = QFontMetricsF(m.font, &printer_).horizontalAdvance(q);
    }
    return static_cast<int>(width / pixelsPerTwipX_ + 0.5);
}

void PrinterSurface::text(const print::Box& box, std::string_view text, const print::Font& font,
                          print::Align align) {
    Made& m = made(font);
    double width = 0;
    const bool shaped = shape(m, text, width);
    QString fallback;
    if (!shaped) {
        fallback = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
        width = QFontMetricsF(m.font, &printer_).horizontalAdvance(fallback);
    }
    const double left = box.left * pixelsPerTwipX_, right = box.right * pixelsPerTwipX_;
    const double x = align == print::Align::Left    ? left
                     : align == print::Align::Right ? right - width
                                                    : (left + right - width) / 2;
    const QPointF baseline(x, -box.top * pixelsPerTwipY_ + m.ascent);
    if (!shaped) {
        painter_.setFont(m.font);
        painter_.drawText(baseline, fallback);
        return;
    }
    Pending& page = pending_[&m];
    for (qsizetype i = 0; i < indexes_.size(); ++i) {
        page.indexes.push_back(indexes_[i]);
        page.positions.push_back(baseline + positions_[i]);
    }
}

void PrinterSurface::line(print::Point from, print::Point to) {
    painter_.drawLine(at(from), at(to));
}

void PrinterSurface::frame(const print::Box& box) {
    painter_.drawRect(QRectF(at({box.left, box.top}), at({box.right, box.bottom})));
}

}  // namespace qt
