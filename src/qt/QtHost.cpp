#include "qt/QtHost.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QUrl>

#include "qt/Convert.h"
#include "qt/DialogView.h"
#include "ui/Dialog.h"
#include "ui/TextViewer.h"

namespace qt {
namespace {

QMessageBox::Icon BoxIcon(ui::Icon icon) {
    switch (icon) {
        case ui::Icon::Error:
            return QMessageBox::Critical;
        case ui::Icon::Information:
            return QMessageBox::Information;
        case ui::Icon::Warning:
            return QMessageBox::Warning;
        case ui::Icon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

QString FilterText(const std::vector<ui::FileFilter>& filters) {
    QStringList parts;
    for (const auto& filter : filters)
        parts << ToQt(filter.name) + QStringLiteral(" (") + ToQt(filter.pattern) + QLatin1Char(')');
    return parts.join(QStringLiteral(";;"));
}

std::filesystem::path ToPath(const QString& file) {
    return std::filesystem::path(file.toStdU16String());
}

// Runs one of the program's own file dialogs, set up further by `setUp`: Qt's,
// which speaks Bulgarian, not the desktop's (the option takes effect only
// when set before any other). The file or folder chosen; nullopt when the
// person cancelled.
std::optional<std::filesystem::path> Choose(QWidget* parent, const std::string& title,
                                            const std::filesystem::path& folder,
                                            const QString& filter,
                                            const std::function<void(QFileDialog&)>& setUp) {
    QFileDialog chooser(parent, ToQt(title), ToQt(folder.string()), filter);
    chooser.setOption(QFileDialog::DontUseNativeDialog);
    setUp(chooser);
    if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty())
        return std::nullopt;
    return ToPath(chooser.selectedFiles().front());
}

}  // namespace

QWidget* QtHost::parent() const {
    return openDialogs_.empty() ? mainWindow_ : openDialogs_.back();
}

void QtHost::message(const std::string& text, ui::Icon icon) {
    QMessageBox box(BoxIcon(icon), ToQt(ui::kAppCaption), Displayed(text), QMessageBox::Ok,
                    parent());
    box.exec();
}

ui::Answer QtHost::ask(const std::string& text, ui::Buttons buttons, ui::Icon icon) {
    QMessageBox box(BoxIcon(icon), ToQt(ui::kAppCaption), Displayed(text), QMessageBox::NoButton,
                    parent());
    box.addButton(QMessageBox::Yes)->setText(QStringLiteral("Да"));
    box.addButton(QMessageBox::No)->setText(QStringLiteral("Не"));
    if (buttons == ui::Buttons::YesNoCancel)
        box.addButton(QMessageBox::Cancel)->setText(QStringLiteral("Отказ"));
    box.setDefaultButton(QMessageBox::Yes);
    switch (box.exec()) {
        case QMessageBox::Yes:
            return ui::Answer::Yes;
        case QMessageBox::No:
            return ui::Answer::No;
        default:
            // A box without "Отказ" closed by Escape or its close box answers "Не".
            return buttons == ui::Buttons::YesNoCancel ? ui::Answer::Cancel : ui::Answer::No;
    }
}

ui::Result QtHost::runModal(ui::Dialog& dialog) {
    dialog.open();
    if (!dialog.isOpen()) return dialog.result();
    DialogView view(dialog, parent());
    openDialogs_.push_back(&view);
    view.exec();
    openDialogs_.pop_back();
    return dialog.result();
}

std::optional<std::filesystem::path> QtHost::chooseFolder(const ui::FolderRequest& request) {
    return Choose(parent(), request.title, request.start, QString(), [&](QFileDialog& chooser) {
        chooser.setFileMode(QFileDialog::Directory);
        chooser.setOption(QFileDialog::ShowDirsOnly);
        if (!request.prompt.empty())
            chooser.setLabelText(QFileDialog::LookIn, ToQt(request.prompt));
    });
}

std::optional<std::filesystem::path> QtHost::saveFile(const ui::SaveFileRequest& request) {
    return Choose(parent(), request.title, request.folder, FilterText(request.filters),
                  [&](QFileDialog& chooser) {
                      chooser.setAcceptMode(QFileDialog::AcceptSave);
                      chooser.setDefaultSuffix(ToQt(request.defaultExtension));
                      chooser.selectFile(ToQt(request.proposedName));
                  });
}

std::optional<std::filesystem::path> QtHost::openFile(const ui::OpenFileRequest& request) {
    return Choose(parent(), request.title, request.folder, FilterText(request.filters),
                  [](QFileDialog& chooser) {
                      chooser.setAcceptMode(QFileDialog::AcceptOpen);
                      chooser.setFileMode(QFileDialog::ExistingFile);
                  });
}

void QtHost::print(const ui::PrintJob& job) {
    if (printer_)
        printer_(job);
    else
        information("Печатът все още не е наличен в тази версия на програмата.");
}

// The desktop hands a file to its program through xdg-open, which reports a
// missing program only after it has started, too late to be seen here; so
// the desktop is first asked whether it has a program for the type at all.
bool DesktopOpen(const std::filesystem::path& path, const char* mimeType) {
    QProcess query;
    query.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"),
                                             QString::fromLatin1(mimeType)});
    if (!query.waitForFinished(5000) || query.exitStatus() != QProcess::NormalExit ||
        query.exitCode() != 0 || query.readAllStandardOutput().trimmed().isEmpty())
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(ToQt(path.string())));
}

void QtHost::openTextFile(const std::filesystem::path& file) {
    if (desktopOpen_(file, "text/plain")) return;
    ui::TextViewer viewer(*this, file);
    runModal(viewer);
}

void QtHost::openFolder(const std::filesystem::path& folder) {
    if (!desktopOpen_(folder, "inode/directory"))
        error("Папката " + folder.string() + " не може да бъде отворена: няма програма за " +
              "преглед на папки.");
}

}  // namespace qt
