#pragma once
// The main window: the menu of the program and, below it, the lines that say
// what to do first and whom the work refers to (app::StatusLines); no tool
// bar. Its caption is the session's title. Whether a menu item is enabled is
// decided anew each time its menu opens; the lines after every command.

#include <QMainWindow>
#include <map>
#include <vector>

#include "app/Commands.h"

class QAction;
class QLabel;
class QMenu;
class QVBoxLayout;

namespace qt {

class CMainFrame : public QMainWindow {
    Q_OBJECT
  public:
    explicit CMainFrame(app::CommandContext context);

    // The menu item of a command (for tests).
    QAction* action(app::Command command) const;
    // The lines shown, in order (for tests).
    std::vector<QLabel*> statusLabels() const { return statusLabels_; }

  private:
    void buildMenu();
    void enableItems(QMenu* menu);
    void run(app::Command command);
    void showStatus();

    app::CommandContext context_;
    std::map<app::Command, QAction*> actions_;
    QVBoxLayout* statusArea_ = nullptr;
    std::vector<QLabel*> statusLabels_;
};

}  // namespace qt
