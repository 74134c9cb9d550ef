#pragma once
// The host of dialogs on screen: Qt message boxes captioned "Зорева по ЗДДС",
// questions with the buttons "Да", "Не" and "Отказ", dialog models shown
// through DialogView, the Qt file dialogs, and the person's text viewer.

#include <QWidget>
#include <functional>
#include <vector>

#include "ui/Host.h"

namespace qt {

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

    void message(const std::string& text, ui::Icon icon) override;
    ui::Answer ask(const std::string& text, ui::Buttons buttons, ui::Icon icon) override;
    ui::Result runModal(ui::Dialog& dialog) override;
    std::optional<std::filesystem::path> chooseFolder(const ui::FolderRequest& request) override;
    std::optional<std::filesystem::path> saveFile(const ui::SaveFileRequest& request) override;
    void print(const ui::PrintJob& job) override;
    void openTextFile(const std::filesystem::path& file) override;

  private:
    QWidget* mainWindow_ = nullptr;
    std::vector<QWidget*> openDialogs_;
    std::function<void(const ui::PrintJob&)> printer_;
};

}  // namespace qt
