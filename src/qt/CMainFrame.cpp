#include "qt/CMainFrame.h"

#include <QAction>
#include <QMenuBar>
#include <QWidget>

#include "app/CZorevaDoc.h"
#include "qt/Convert.h"

namespace qt {

CMainFrame::CMainFrame(app::CommandContext context) : context_(std::move(context)) {
    buildMenu();
    // The client area shows nothing, as a blank page.
    auto* page = new QWidget;
    page->setBackgroundRole(QPalette::Base);
    page->setAutoFillBackground(true);
    setCentralWidget(page);
    setWindowTitle(ToQt(context_.doc.title()));
    resize(800, 560);
}

void CMainFrame::buildMenu() {
    for (const auto& popup : app::MainMenu()) {
        QMenu* menu = menuBar()->addMenu(ToQt(popup.title));
        for (const auto& item : popup.items) {
            if (item.command == app::Command::Separator) {
                menu->addSeparator();
                continue;
            }
            QAction* action = menu->addAction(ToQt(item.text));
            action->setData(static_cast<int>(item.command));
            connect(action, &QAction::triggered, this,
                    [this, command = item.command] { run(command); });
            actions_[item.command] = action;
        }
        connect(menu, &QMenu::aboutToShow, this, [this, menu] { enableItems(menu); });
        enableItems(menu);
    }
}

void CMainFrame::enableItems(QMenu* menu) {
    for (QAction* action : menu->actions())
        if (!action->isSeparator())
            action->setEnabled(app::IsEnabled(static_cast<app::Command>(action->data().toInt()),
                                              context_.doc.session()));
}

QAction* CMainFrame::action(app::Command command) const {
    const auto found = actions_.find(command);
    return found == actions_.end() ? nullptr : found->second;
}

// A command may have changed the session; the caption follows its title.
void CMainFrame::run(app::Command command) {
    if (!app::IsEnabled(command, context_.doc.session())) return;
    app::RunCommand(command, context_);
    setWindowTitle(ToQt(context_.doc.title()));
}

}  // namespace qt
