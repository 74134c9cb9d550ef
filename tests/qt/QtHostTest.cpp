// The boxes of the Qt host: caption, icon, and the Bulgarian button texts.
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

#include "qt/QtHost.h"

namespace {

struct SeenBox {
    QString caption, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;
};

}  // namespace

TEST(QtHost, AQuestionIsCaptionedWithTheProgramAndAnswersInBulgarian) {
    struct Case {
        ui::Buttons buttons;
        ui::Icon icon;
        const char* press;
        ui::Answer answer;
        QStringList shown;
        QMessageBox::Icon boxIcon;
    };
    const Case cases[] = {
        {ui::Buttons::YesNo,
         ui::Icon::Error,
         "Да",
         ui::Answer::Yes,
         {"Да", "Не"},
         QMessageBox::Critical},
        {ui::Buttons::YesNo,
         ui::Icon::None,
         "Не",
         ui::Answer::No,
         {"Да", "Не"},
         QMessageBox::NoIcon},
        {ui::Buttons::YesNoCancel,
         ui::Icon::None,
         "Отказ",
         ui::Answer::Cancel,
         {"Да", "Не", "Отказ"},
         QMessageBox::NoIcon},
    };
    qt::QtHost host;
    for (const auto& c : cases) {
        SeenBox seen;
        QTimer::singleShot(0, [&seen, &c] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            seen = {box->windowTitle(), box->text(), box->icon(), {}};
            for (QAbstractButton* button : box->buttons()) seen.buttons << button->text();
            for (QAbstractButton* button : box->buttons())
                if (button->text() == c.press) button->click();
        });
        EXPECT_EQ(host.ask("Изтриване?\r\nСигурни ли сте?", c.buttons, c.icon), c.answer);
        EXPECT_EQ(seen.caption, "Зорева по ЗДДС");
        EXPECT_EQ(seen.text, "Изтриване?\nСигурни ли сте?");
        EXPECT_EQ(seen.icon, c.boxIcon);
        seen.buttons.sort();
        QStringList expected = c.shown;
        expected.sort();
        EXPECT_EQ(seen.buttons, expected);
    }
}

TEST(QtHost, MessagesCarryTheirIcon) {
    const std::pair<ui::Icon, QMessageBox::Icon> cases[] = {
        {ui::Icon::Error, QMessageBox::Critical},
        {ui::Icon::Information, QMessageBox::Information},
        {ui::Icon::Warning, QMessageBox::Warning},
    };
    qt::QtHost host;
    for (const auto& [icon, boxIcon] : cases) {
        QMessageBox::Icon seen = QMessageBox::NoIcon;
        QString caption;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            seen = box->icon();
            caption = box->windowTitle();
            box->accept();
        });
        host.message("Има фатални грешки!", icon);
        EXPECT_EQ(seen, boxIcon);
        EXPECT_EQ(caption, "Зорева по ЗДДС");
    }
}
