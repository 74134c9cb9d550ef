// The printouts on a Qt printer: the fonts that stand in for "Courier New
// Cyr" and "Tahoma", and each printout written as a PDF file. With
// ZOREVA_PRINT_SAMPLES set to a folder, the PDF files are kept there (the
// screenshots in docs/screenshots are made from them with pdftoppm).
#include <QFile>
#include <QFileInfo>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPrinter>
#include <QRawFont>
#include <QSettings>
#include <cstdlib>

#include <gtest/gtest.h>

#include "platform/Clock.h"
#include "platform/CodePage.h"
#include "print/CZorevaView.h"
#include "print/Surface.h"
#include "qt/PrinterSurface.h"
#include "qt/Printing.h"
#include "session/Session.h"
#include "support/PrintSamples.h"
#include "support/ScriptedHost.h"
#include "support/TempDir.h"
#include "support/TestDatabase.h"

namespace {

int PageCount(const QByteArray& pdf) {
    int pages = 0;
    for (qsizetype at = pdf.indexOf("/Type /Page"); at >= 0;
         at = pdf.indexOf("/Type /Page", at + 1))
        if (pdf.mid(at + 11, 1) != "s") ++pages;
    return pages;
}

QFont Face(print::Face face) {
    qt::LoadPrintFonts();
    QFont font(qt::FamilyOf(face));
    font.setPointSizeF(100);
    return font;
}

// A printer that writes a PDF file of the given name in a folder of its own.
struct PdfPrinter {
    explicit PdfPrinter(const char* name) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString((dir / name).string()));
    }
    testing_support::TempDir dir;
    QPrinter printer{QPrinter::HighResolution};
};

// Where the printouts are written: the folder ZOREVA_PRINT_SAMPLES names,
// where they are kept, else one removed after the test.
class SampleFolder {
  public:
    QString file(const std::string& name) const {
        return QString::fromStdString(folder_ + "/" + name);
    }

  private:
    testing_support::TempDir dir_;
    const char* keep_ = std::getenv("ZOREVA_PRINT_SAMPLES");
    std::string folder_ = keep_ ? keep_ : dir_.path().string();
};

// The bytes of the PDF file PrintToPdf writes for the printout; empty when
// it wrote none.
QByteArray PrintedPdf(print::CZorevaView& view, ui::PrintKind printout, const std::string& period,
                      const QString& file) {
    if (!qt::PrintToPdf(view, printout, period, file)) return {};
    QFile pdf(file);
    return pdf.open(QIODevice::ReadOnly) ? pdf.readAll() : QByteArray();
}

}  // namespace

TEST(PrintFonts, CourierNewIsDrawnWithAMonospacedFontOfItsMetricsAndCyrillic) {
    const QFont font = Face(print::Face::CourierNewCyr);
    EXPECT_EQ(QFontInfo(font).family(), "Liberation Mono");
    const QFontMetricsF m(font);
    // Courier New: every glyph advances 1229/2048 of the em.
    for (const QString glyph : {"0", "W", "Ж", "ш", " "})
        EXPECT_NEAR(m.horizontalAdvance(glyph) / m.horizontalAdvance("M"), 1.0, 1e-6)
            << glyph.toStdString();
    EXPECT_TRUE(m.inFontUcs4(U'Ж'));
    EXPECT_TRUE(m.inFontUcs4(U'щ'));
}

TEST(PrintFonts, TahomaIsWinesTahomaWithCyrillic) {
    const QFont font = Face(print::Face::Tahoma);
    EXPECT_EQ(QFontInfo(font).family(), "Tahoma");
    const QFontMetricsF m(font);
    for (char32_t c : {U'Б', U'ж', U'Щ', U'ъ', U'№'}) EXPECT_TRUE(m.inFontUcs4(c)) << int(c);
    // Tahoma's digits are all as wide.
    EXPECT_DOUBLE_EQ(m.horizontalAdvance("0"), m.horizontalAdvance("8"));
}

TEST(PrintFonts, TheyHoldTheCharactersTheFormsPrint) {
    // Courier New Cyr prints the texts of the program, which are what
    // Windows-1251 holds; Tahoma prints numbers, codes and the Bulgarian
    // alphabet. Wine's Tahoma lacks the Serbian and Macedonian letters
    // (Ђ, Љ ...): a text with one is drawn through Qt's fallback fonts.
    const auto holds = [](print::Face face, int byte) {
        const QString c =
            QString::fromStdString(platform::DecodeCp1251(std::string(1, static_cast<char>(byte))));
        return QRawFont::fromFont(Face(face)).supportsCharacter(c.at(0));
    };
    for (int byte = 0x20; byte <= 0xFF; ++byte) {
        if (byte == 0x7F || byte == 0x98 || byte == 0xA0 || byte == 0xAD) continue;
        EXPECT_TRUE(holds(print::Face::CourierNewCyr, byte)) << "0x" << std::hex << byte;
        const bool bulgarian = byte < 0x7F || byte >= 0xC0 || byte == 0xB9;  // "№"
        if (bulgarian) {
            EXPECT_TRUE(holds(print::Face::Tahoma, byte)) << "0x" << std::hex << byte;
        }
    }
}

TEST(PrinterSurface, ACharacterTheFontLacksIsStillMeasuredAndDrawn) {
    PdfPrinter pdf("f.pdf");
    qt::PrinterSurface surface(pdf.printer);
    const print::Font tahoma{print::Face::Tahoma, 7, 400, 1};
    EXPECT_GT(surface.textWidth("ЂЉ", tahoma), surface.textWidth("Ђ", tahoma));
    ASSERT_TRUE(surface.beginPage());
    surface.text({0, 0, 1000, -117}, "Ђорђе 1", tahoma, print::Align::Right);
    surface.endPage();
    surface.finish();
    EXPECT_GT(QFileInfo(pdf.printer.outputFileName()).size(), 0);
}

TEST(PrinterSurface, AFontsHeightInTwipsIsItsLineHeight) {
    PdfPrinter pdf("m.pdf");
    qt::PrinterSurface surface(pdf.printer);
    // 25 characters of the 6-point Courier: 25 x 100 x 1229/2320 twips.
    const print::Font courier{print::Face::CourierNewCyr, 6, 400, 1};
    EXPECT_NEAR(surface.textWidth("АААДДДРРРТТТОООПППТТШШШШШ", courier), 1324, 3);
    const print::Font tahoma{print::Face::Tahoma, 7, 400, 1};
    EXPECT_NEAR(surface.textWidth("01", tahoma), 2 * 117 * 1118 / 2472, 3);
}

TEST(Printing, EachPrintoutIsWrittenAsAPdfWithItsFontsAndPages) {
    testing_support::TestDatabase t;
    const db::PersonRow person = testing_support::FillPrintSamples(t.db());
    platform::FixedClock clock({2024, 6, 3, 10, 0, 0});
    print::CZorevaView view(t.db(), clock, person);
    const SampleFolder samples;
    const struct {
        ui::PrintKind printout;
        const char* file;
        int pages;
    } cases[] = {{ui::PrintKind::Purchases, "print-purchase-journal.pdf", 2},
                 {ui::PrintKind::Sales, "print-sales-journal.pdf", 1},
                 {ui::PrintKind::VatReturn, "print-vat-return.pdf", 1},
                 {ui::PrintKind::Vies, "print-vies-return.pdf", 1}};
    for (const auto& c : cases) {
        const QByteArray bytes =
            PrintedPdf(view, c.printout, testing_support::kSamplePeriod, samples.file(c.file));
        ASSERT_FALSE(bytes.isEmpty()) << c.file;
        EXPECT_EQ(PageCount(bytes), c.pages) << c.file;
        EXPECT_TRUE(bytes.contains("LiberationMono")) << c.file;
        const bool tahoma =
            c.printout == ui::PrintKind::Purchases || c.printout == ui::PrintKind::Sales;
        EXPECT_EQ(bytes.contains("Tahoma"), tahoma) << c.file;
        const bool landscape = print::OrientationOf(c.printout) == print::Orientation::Landscape;
        EXPECT_TRUE(bytes.contains(landscape ? "/MediaBox [0 0 842.000000 595.000000]"
                                             : "/MediaBox [0 0 595.000000 842.000000]"))
            << "A4 " << c.file;
    }
}

// The returns of the first euro period, kept as docs/screenshots show them:
// the VAT return's note and the VIES return's headings name the euro.
TEST(Printing, TheReturnsOfAEuroPeriodArePrintedInEuro) {
    testing_support::TestDatabase t;
    const db::PersonRow person =
        testing_support::FillPrintSamples(t.db(), testing_support::kEuroSamplePeriod);
    platform::FixedClock clock({2026, 2, 10, 10, 0, 0});
    print::CZorevaView view(t.db(), clock, person);
    const SampleFolder samples;
    for (const auto& [printout, name] :
         {std::pair{ui::PrintKind::VatReturn, "print-vat-return-202601.pdf"},
          std::pair{ui::PrintKind::Vies, "print-vies-return-202601.pdf"}}) {
        const QByteArray bytes =
            PrintedPdf(view, printout, testing_support::kEuroSamplePeriod, samples.file(name));
        ASSERT_FALSE(bytes.isEmpty()) << name;
        EXPECT_EQ(PageCount(bytes), 1) << name;
    }
}

TEST(Printing, ThePrinterIsSetUpForEachPrintout) {
    const struct {
        ui::PrintKind printout;
        QPageLayout::Orientation orientation;
        const char* name;
    } cases[] = {
        {ui::PrintKind::Purchases, QPageLayout::Landscape, "Дневник за покупките 05-2024"},
        {ui::PrintKind::Sales, QPageLayout::Landscape, "Дневник за продажбите 05-2024"},
        {ui::PrintKind::Vies, QPageLayout::Portrait, "VIES-декларация 05-2024"},
        {ui::PrintKind::VatReturn, QPageLayout::Portrait, "Справка-декларация по ЗДДС 05-2024"},
    };
    // One printer for the run: a journal after a return turns it back.
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    for (const auto& c : cases) {
        qt::SetUpPrinter(printer, c.printout, "202405");
        EXPECT_EQ(printer.pageLayout().orientation(), c.orientation) << c.name;
        EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A4) << c.name;
        EXPECT_EQ(printer.docName().toStdString(), c.name);
        // The journals' page numbers, 11420 twips down, stay on the sheet.
        const QRectF printable = printer.pageLayout().paintRect(QPageLayout::Inch);
        EXPECT_GE(printable.height() * 1440,
                  c.orientation == QPageLayout::Landscape ? 11420 + 100 : 14751 + 133)
            << c.name;
    }
}

TEST(Printing, ACancelledDialogPrintsNothingAndTheSameJobPrintsAfterwards) {
    testing_support::TempDir dir;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       QString::fromStdString((dir / "config").string()));
    testing_support::TestDatabase t;
    testing_support::FillPrintSamples(t.db());
    platform::FixedClock clock({2024, 6, 3, 10, 0, 0});
    session::Session session(t.db(), clock, "/data", "/out");
    testing_support::ScriptedHost host;
    std::filesystem::create_directories(dir / "pdf");
    const QString chosen = QString::fromStdString((dir / "pdf" / "sales.pdf").string());
    int asked = 0;
    QPageLayout::Orientation shown{};
    qt::Printing printing([&](QPrinter& printer, QWidget*) {
        shown = printer.pageLayout().orientation();
        if (++asked == 1) return false;  // the person cancels the first time
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(chosen);
        return true;
    });
    const ui::PrintJob sales{ui::PrintKind::Sales, testing_support::kSamplePeriod};
    qt::CarryOutPrintJob(printing, session, sales, host, nullptr);
    EXPECT_FALSE(QFileInfo::exists(chosen)) << "a cancelled dialog prints nothing";
    EXPECT_EQ(shown, QPageLayout::Landscape);
    qt::CarryOutPrintJob(printing, session, sales, host, nullptr);
    EXPECT_GT(QFileInfo(chosen).size(), 0);
    host.expectNoMoreBoxes();

    // The next run proposes a PDF of the new printout in the folder used last.
    QString proposed;
    qt::Printing next([&](QPrinter& printer, QWidget*) {
        proposed = printer.outputFileName();
        shown = printer.pageLayout().orientation();
        return false;
    });
    qt::CarryOutPrintJob(next, session, {ui::PrintKind::VatReturn, testing_support::kSamplePeriod},
                         host, nullptr);
    EXPECT_EQ(QFileInfo(proposed).absolutePath(), QFileInfo(chosen).absolutePath());
    EXPECT_EQ(QFileInfo(proposed).fileName().toStdString(),
              "Справка-декларация по ЗДДС 05-2024.pdf");
    EXPECT_EQ(shown, QPageLayout::Portrait);
}
