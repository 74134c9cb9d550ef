#pragma once
// The main window: the menu of the program and nothing else (no tool bar, no
// status bar); its caption is the session's title. Whether a menu item is
// enabled is decided anew each time its menu opens.

#include <QMainWindow>
#include <map>

#include "app/Commands.h"

class QAction;
class QMenu;

namespace qt {

class CMainFrame : public QMainWindow {
    Q_OBJECT
  public:
    explicit CMainFrame(app::CommandContext context);

    // The menu item of a command (for tests).
    QAction* action(app::Command command) const;

  private:
    void buildMenu();
    void enableItems(QMenu* menu);
    void run(app::Command command);

    app::CommandContext context_;
    std::map<app::Command, QAction*> actions_;
};

}  // namespace qt
