#pragma once
// The host of dialogs on screen: Qt message boxes captioned "Зорева по ЗДДС",
// questions with the buttons "Да", "Не" and "Отказ", dialog models shown
// through DialogView, the Qt file dialogs, and the desktop's text viewer and
// file manager. A text file the desktop cannot show is shown in the
// program's own viewer (ui::TextViewer).

#include <QWidget>
#include <functional>
#include <vector>

#include "ui/Host.h"

namespace qt {

// Opens the file or folder with the desktop's program for its type, when the
// desktop names one; false otherwise.
bool DesktopOpen(const std::filesystem::path& path, const char* mimeType);

class QtHost : public ui::Host {
  public:
    // Boxes and dialogs are centred on the window that is open at the time.
    void setMainWindow(QWidget* window) { mainWindow_ = window; }
    // The window boxes and dialogs open over: the dialog open last, else the
    // main window.
    QWidget* parent() const;
    // Carries out print jobs; until one is set, print() says printing is
    // not available.
    void setPrinter(std::function<void(const ui::PrintJob&)> printer) {
        printer_ = std::move(printer);
    }
    // Hands a file or folder to the desktop; false when the desktop has no
    // program for it. The default is DesktopOpen.
    using DesktopOpener = std::function<bool(const std::filesystem::path&, const char* mimeType)>;
    void setDesktopOpener(DesktopOpener opener) { desktopOpen_ = std::move(opener); }

    void message(const std::string& text, ui::Icon icon) override;
    ui::Answer ask(const std::string& text, ui::Buttons buttons, ui::Icon icon) override;
    ui::Result runModal(ui::Dialog& dialog) override;
    std::optional<std::filesystem::path> chooseFolder(const ui::FolderRequest& request) override;
    std::optional<std::filesystem::path> saveFile(const ui::SaveFileRequest& request) override;
    std::optional<std::filesystem::path> openFile(const ui::OpenFileRequest& request) override;
    void print(const ui::PrintJob& job) override;
    void openTextFile(const std::filesystem::path& file) override;
    void openFolder(const std::filesystem::path& folder) override;

  private:
    QWidget* mainWindow_ = nullptr;
    std::vector<QWidget*> openDialogs_;
    std::function<void(const ui::PrintJob&)> printer_;
    DesktopOpener desktopOpen_ = DesktopOpen;
};

}  // namespace qt
