#pragma once
// Carrying out a print request on screen: the page orientation of the
// printout, the platform's print dialog (printer choice, "Print to file" as
// PDF), then the pages. The printer chosen last is offered first, in this run
// and the next.

#include <QPrinter>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "print/CZorevaView.h"
#include "session/Session.h"
#include "ui/Host.h"

namespace qt {

enum class PrintOutcome { Printed, Cancelled, Abandoned };

class Printing {
  public:
    // Asks where to print: shows the print dialog for the printer over the
    // parent; false when the person cancelled.
    using Ask = std::function<bool(QPrinter& printer, QWidget* parent)>;
    static bool ShowPrintDialog(QPrinter& printer, QWidget* parent);

    explicit Printing(Ask ask = ShowPrintDialog);

    // Asks where to print and prints; Cancelled when the dialog was
    // cancelled, Abandoned when the printer could not start a page.
    PrintOutcome run(print::CZorevaView& view, ui::PrintKind printout, const std::string& period,
                     QWidget* parent);

    QPrinter& printer() { return *printer_; }

  private:
    void prepare(ui::PrintKind printout, const std::string& period);
    void remember();

    Ask ask_;
    std::unique_ptr<QPrinter> printer_;
};

// Prints the job of a dialog's print button for the session's person, while
// the dialog stays open. Printing abandoned by the printer is said in an
// error box; a cancelled print dialog prints nothing and says nothing.
void CarryOutPrintJob(Printing& printing, const session::Session& session, const ui::PrintJob& job,
                      ui::Host& host, QWidget* parent);

// Prints straight into a PDF file, without a dialog; false when abandoned.
bool PrintToPdf(print::CZorevaView& view, ui::PrintKind printout, const std::string& period,
                const QString& file);

// The printer set up as the printouts expect it: high resolution, A4, the
// orientation of the printout, small margins for a PDF file.
void SetUpPrinter(QPrinter& printer, ui::PrintKind printout, const std::string& period);

}  // namespace qt
