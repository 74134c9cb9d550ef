#include "qt/PrinterSurface.h"

#include <QFileInfo>
#include <QFontDatabase>
#include <QPen>
#include <algorithm>

namespace qt {
namespace {

constexpr double kTwipsPerInch = 1440;
// Qt rounds a font's size to whole device pixels, which at 1200 dpi makes a
// 5-point font half a percent too wide. The page is drawn this many times
// larger and scaled down, so that the rounding falls below the width of a
// twip over a whole column.
constexpr double kOversize = 16;

// Where Debian's fonts-wine puts Wine's Tahoma.
constexpr const char* kTahomaFiles[] = {"/usr/share/wine/fonts/tahoma.ttf",
                                        "/usr/share/wine/fonts/tahomabd.ttf"};

// Qt sizes fonts by the em, the forms by the line height (ascent plus
// descent, as the originals' vertical metrics give it). The stand-ins share
// the originals' advance widths but not always their vertical metrics (Wine's
// Tahoma has a shorter line), so the originals' em per line height is used:
// Courier New 2048/2320, Tahoma 2048/2472.
double EmPerLine(print::Face face) {
    return face == print::Face::Tahoma ? 2048.0 / 2472.0 : 2048.0 / 2320.0;
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
      pixelsPerTwipX_(printer.logicalDpiX() / kTwipsPerInch * kOversize),
      pixelsPerTwipY_(printer.logicalDpiY() / kTwipsPerInch * kOversize) {
    LoadPrintFonts();
}

PrinterSurface::~PrinterSurface() {
    finish();
}

bool PrinterSurface::beginPage() {
    if (!started_) {
        if (!painter_.begin(&printer_)) return false;
        started_ = true;
        painter_.scale(1 / kOversize, 1 / kOversize);
        painter_.setRenderHint(QPainter::Antialiasing, false);
        QPen pen(Qt::black);
        pen.setWidthF(pixelsPerTwipX_ * 10);  // a rule of half a point
        painter_.setPen(pen);
        return true;
    }
    return printer_.newPage();
}

// A page ends when the next begins or the job is finished.
void PrinterSurface::endPage() {}

void PrinterSurface::finish() {
    if (painter_.isActive()) painter_.end();
}

const PrinterSurface::Made& PrinterSurface::made(const print::Font& font) {
    const auto key = std::make_tuple(static_cast<int>(font.face), font.weight, font.height());
    if (auto found = fonts_.find(key); found != fonts_.end()) return found->second;
    QFont q(FamilyOf(font.face));
    q.setStyleStrategy(QFont::PreferOutline);
    q.setHintingPreference(QFont::PreferNoHinting);
    q.setKerning(false);
    q.setWeight(static_cast<QFont::Weight>(std::clamp(font.weight, 100, 900)));
    // Points are twentieths of twips.
    q.setPointSizeF(font.height() * EmPerLine(font.face) / 20.0 * kOversize);
    return fonts_.emplace(key, Made{q, QFontMetricsF(q, &printer_)}).first->second;
}

QPointF PrinterSurface::at(print::Point p) const {
    return {p.x * pixelsPerTwipX_, -p.y * pixelsPerTwipY_};
}

int PrinterSurface::textWidth(std::string_view text, const print::Font& font) {
    const QString q = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    return static_cast<int>(made(font).metrics.horizontalAdvance(q) / pixelsPerTwipX_ + 0.5);
}

void PrinterSurface::text(const print::Box& box, std::string_view text, const print::Font& font,
                          print::Align align) {
    const Made& m = made(font);
    const QString q = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    const double left = box.left * pixelsPerTwipX_, right = box.right * pixelsPerTwipX_;
    double x = left;
    if (align != print::Align::Left) {
        const double width = m.metrics.horizontalAdvance(q);
        x = align == print::Align::Right ? right - width : (left + right - width) / 2;
    }
    if (current_ != &m) {
        painter_.setFont(m.font);
        current_ = &m;
    }
    painter_.drawText(QPointF(x, -box.top * pixelsPerTwipY_ + m.metrics.ascent()), q);
}

void PrinterSurface::line(print::Point from, print::Point to) {
    painter_.drawLine(at(from), at(to));
}

void PrinterSurface::frame(const print::Box& box) {
    painter_.drawRect(QRectF(at({box.left, box.top}), at({box.right, box.bottom})));
}

}  // namespace qt
