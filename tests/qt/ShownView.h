#pragma once
// Dialog models shown in their Qt view as the host shows them, for the tests
// of the view.

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <cstdlib>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "qt/DialogView.h"
#include "support/ScriptedHost.h"

namespace testing_support {

// Opens the model and shows its view, without waiting for it to be drawn.
inline std::unique_ptr<qt::DialogView> Show(ui::Dialog& model) {
    model.open();
    auto view = std::make_unique<qt::DialogView>(model, nullptr);
    view->show();
    return view;
}

// The widget that shows the control, as a W; a failure when it is none.
template <class W>
W* WidgetOf(const qt::DialogView& view, const ui::Control& control) {
    auto* widget = qobject_cast<W*>(view.widget(control));
    EXPECT_NE(widget, nullptr) << control.id();
    return widget;
}

// Types text as a keyboard does, whatever its alphabet.
inline void TypeInto(QWidget* widget, const QString& text) {
    for (const QChar character : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(character));
        QApplication::sendEvent(widget, &press);
    }
}

// With ZOREVA_SCREENSHOTS set to a folder, saves a picture of the window
// there under `name`.
inline void KeepPicture(QWidget& window, const char* name) {
    if (const char* folder = std::getenv("ZOREVA_SCREENSHOTS"))
        window.grab().save(QString::fromStdString(std::string(folder) + "/" + name));
}

// A fixture: the form over a scripted host, shown in a view that has the
// keyboard, so that keys and clicks reach it as a person's do.
template <class Form>
class ActiveViewTest : public ::testing::Test {
  protected:
    ActiveViewTest() : view(Show(form)) {
        view->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(view.get()));
    }

    ScriptedHost host;
    Form form{host};
    std::unique_ptr<qt::DialogView> view;
};

}  // namespace testing_support
