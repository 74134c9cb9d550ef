#include "qt/CMainFrame.h"

#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QVBoxLayout>
#include <QWidget>

#include "app/CZorevaDoc.h"
#include "app/StatusLines.h"
#include "qt/Convert.h"

namespace qt {

CMainFrame::CMainFrame(app::CommandContext context) : context_(std::move(context)) {
    buildMenu();
    // A blank page with the status lines at its top.
    auto* page = new QWidget;
    page->setBackgroundRole(QPalette::Base);
    page->setAutoFillBackground(true);
    statusArea_ = new QVBoxLayout(page);
    statusArea_->addStretch();
    setCentralWidget(page);
    setWindowTitle(ToQt(context_.doc.title()));
    showStatus();
    resize(800, 560);
}

void CMainFrame::showStatus() {
    const auto lines = app::StatusLines(context_.doc);
    while (statusLabels_.size() > lines.size()) {
        delete statusLabels_.back();
        statusLabels_.pop_back();
    }
    while (statusLabels_.size() < lines.size()) {
        auto* label = new QLabel;
        label->setWordWrap(true);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        statusArea_->insertWidget(statusArea_->count() - 1, label);  // above the stretch
        statusLabels_.push_back(label);
    }
    for (std::size_t i = 0; i < lines.size(); ++i) statusLabels_[i]->setText(ToQt(lines[i]));
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
    showStatus();
}

}  // namespace qt
