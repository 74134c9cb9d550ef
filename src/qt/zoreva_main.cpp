// The program: the start-up with its messages in Qt boxes, then the main
// window until it closes.
#include <sys/stat.h>
#include <QApplication>
#include <QDir>
#include <QFileInfo>

#include <clocale>

#include "app/CZorevaApp.h"
#include "qt/CMainFrame.h"
#include "qt/Printing.h"
#include "qt/QtHost.h"
#include "qt/Translation.h"

namespace {

// The user guide sits in share/zoreva beside the program in the build tree,
// and in ../share/zoreva once installed.
std::filesystem::path GuideFile() {
    const QDir program(QCoreApplication::applicationDirPath());
    for (const char* relative : {"share/zoreva/guide.txt", "../share/zoreva/guide.txt"})
        if (QFileInfo::exists(program.filePath(relative)))
            return QDir::cleanPath(program.filePath(relative)).toStdString();
    return QDir::cleanPath(program.filePath("../share/zoreva/guide.txt")).toStdString();
}

}  // namespace

int main(int argc, char* argv[]) {
    // Whatever else writes a file for the program (the engine's temporary
    // files, a printout saved as PDF) writes it for the user alone.
    ::umask(077);
    QApplication application(argc, argv);
    // Qt has just set the C library's locale from the environment; under a
    // Bulgarian one "%.2f" would print 12,50 on the screens and in the
    // submission files. Numbers are written and read with a point everywhere.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral("zoreva"));
    qt::LoadBulgarianTranslation(application);
    qt::QtHost host;
    platform::SystemClock clock;
    app::CZorevaApp zoreva(host, platform::ProcessEnvironment(), clock);
    if (!zoreva.InitInstance()) return 1;

    const bool oemConversion = zoreva.settings().value("CONVERT").has_value();
    qt::CMainFrame frame({host, zoreva.document(), GuideFile(), oemConversion});
    host.setMainWindow(&frame);
    qt::Printing printing;
    host.setPrinter([&](const ui::PrintJob& job) {
        qt::CarryOutPrintJob(printing, zoreva.document().session(), job, host, host.parent());
    });
    frame.show();
    return QApplication::exec();
}
