#include "qt/Printing.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QSettings>

#include "qt/Convert.h"
#include "qt/PrinterSurface.h"

namespace qt {
namespace {

// The last printer (or PDF folder) is kept in a small file of the front-end's
// own, beside the program's settings: the settings file itself is only read.
QSettings PrintSettings() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("TAVO"),
                     QStringLiteral("zoreva-print"));
}

constexpr const char* kPrinterKey = "printer";
constexpr const char* kPdfFolderKey = "pdfFolder";
// The pages are placed from the top left of the printable area; a PDF page
// keeps this much paper around it, which leaves the page numbers of the
// journals (11420 twips down) on a landscape A4 sheet.
constexpr double kPdfMarginMm = 3;

bool Draw(print::CZorevaView& view, ui::PrintKind printout, const std::string& period,
          QPrinter& printer) {
    PrinterSurface surface(printer);
    const bool printed = view.print(printout, period, surface);
    surface.finish();
    return printed;
}

}  // namespace

void SetUpPrinter(QPrinter& printer, ui::PrintKind printout, const std::string& period) {
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(print::OrientationOf(printout) == print::Orientation::Landscape
                                   ? QPageLayout::Landscape
                                   : QPageLayout::Portrait);
    printer.setDocName(ToQt(print::JobName(printout, period)));
    if (printer.outputFormat() == QPrinter::PdfFormat)
        printer.setPageMargins(QMarginsF(kPdfMarginMm, kPdfMarginMm, kPdfMarginMm, kPdfMarginMm),
                               QPageLayout::Millimeter);
}

bool Printing::ShowPrintDialog(QPrinter& printer, QWidget* parent) {
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Печат"));
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    return dialog.exec() == QDialog::Accepted;
}

Printing::Printing(Ask ask)
    : ask_(std::move(ask)), printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    const QString last = PrintSettings().value(kPrinterKey).toString();
    if (!last.isEmpty() && QPrinterInfo::availablePrinterNames().contains(last))
        printer_->setPrinterName(last);
}

void Printing::prepare(ui::PrintKind printout, const std::string& period) {
    SetUpPrinter(*printer_, printout, period);
    if (printer_->outputFormat() == QPrinter::PdfFormat || printer_->printerName().isEmpty()) {
        // A PDF is proposed under the printout's name, in the folder of the last one.
        const QString folder = PrintSettings().value(kPdfFolderKey, QDir::homePath()).toString();
        printer_->setOutputFileName(
            QDir(folder).filePath(ToQt(print::JobName(printout, period)) + QStringLiteral(".pdf")));
    }
}

void Printing::remember() {
    QSettings settings = PrintSettings();
    if (printer_->outputFormat() == QPrinter::PdfFormat) {
        settings.setValue(kPdfFolderKey, QFileInfo(printer_->outputFileName()).absolutePath());
    } else {
        settings.setValue(kPrinterKey, printer_->printerName());
    }
}

PrintOutcome Printing::run(print::CZorevaView& view, ui::PrintKind printout,
                           const std::string& period, QWidget* parent) {
    prepare(printout, period);
    if (!ask_(*printer_, parent)) return PrintOutcome::Cancelled;
    remember();
    if (printer_->outputFormat() == QPrinter::PdfFormat)
        printer_->setPageMargins(QMarginsF(kPdfMarginMm, kPdfMarginMm, kPdfMarginMm, kPdfMarginMm),
                                 QPageLayout::Millimeter);
    // The orientation may have been changed in the dialog's properties; the
    // printout keeps the one chosen there.
    // A long journal takes seconds to draw; the program waits for it (a
    // database error ends the wait too, and the dialog layer shows it).
    struct WaitCursor {
        WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
        ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    } waiting;
    return Draw(view, printout, period, *printer_) ? PrintOutcome::Printed
                                                   : PrintOutcome::Abandoned;
}

void CarryOutPrintJob(Printing& printing, const session::Session& session, const ui::PrintJob& job,
                      ui::Host& host, QWidget* parent) {
    print::CZorevaView view(session.database(), session.clock(), session.person());
    if (printing.run(view, job.kind, job.period, parent) == PrintOutcome::Abandoned)
        host.error("Печатът е прекъснат: принтерът не започна страница.");
}

bool PrintToPdf(print::CZorevaView& view, ui::PrintKind printout, const std::string& period,
                const QString& file) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    SetUpPrinter(printer, printout, period);
    return Draw(view, printout, period, printer);
}

}  // namespace qt
