// The Qt host: the boxes' caption, icon and Bulgarian button texts; the
// program's own viewer for a file the desktop cannot show; the file dialogs
// in Bulgarian.
#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QFontInfo>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include "qt/DialogView.h"
#include "qt/QtHost.h"
#include "qt/Translation.h"
#include "support/TempDir.h"

namespace {

struct SeenBox {
    QString caption, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;
};

// Runs `look` on the modal window of class W once it is open: the host's call
// that opens the window returns only when it has closed, so `look` closes it.
template <class W, class Look>
void WhenOpen(Look look) {
    QTimer::singleShot(0, [look] {
        auto* window = qobject_cast<W*>(QApplication::activeModalWidget());
        ASSERT_NE(window, nullptr);
        look(*window);
    });
}

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
        WhenOpen<QMessageBox>([&seen, &c](QMessageBox& box) {
            seen = {box.windowTitle(), box.text(), box.icon(), {}};
            for (QAbstractButton* button : box.buttons()) seen.buttons << button->text();
            for (QAbstractButton* button : box.buttons())
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
        WhenOpen<QMessageBox>([&](QMessageBox& box) {
            seen = box.icon();
            caption = box.windowTitle();
            box.accept();
        });
        host.message("Има фатални грешки!", icon);
        EXPECT_EQ(seen, boxIcon);
        EXPECT_EQ(caption, "Зорева по ЗДДС");
    }
}

TEST(QtHost, AFileTheDesktopCannotShowIsShownInTheProgramsOwnViewer) {
    testing_support::TempDir dir;
    const auto report = dir.write(
        "Report.txt", "\xD1\xCF\xD0\xC0\xC2\xCA\xC0-\xCF\xD0\xCE\xD2\xCE\xCA\xCE\xCB\r\n\x1A");
    qt::QtHost host;
    std::vector<std::string> offered;
    bool desktopShows = true;
    host.setDesktopOpener([&](const std::filesystem::path& path, const char* type) {
        offered.push_back(path.filename().string() + " " + type);
        return desktopShows;
    });
    host.openTextFile(report);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "the desktop showed it";

    desktopShows = false;
    QString title, text;
    QFont font;
    WhenOpen<qt::DialogView>([&](qt::DialogView& viewer) {
        title = viewer.windowTitle();
        auto* box = viewer.findChild<QPlainTextEdit*>();
        ASSERT_NE(box, nullptr);
        text = box->toPlainText();
        font = box->font();
        viewer.findChild<QPushButton*>()->click();
    });
    host.openTextFile(report);
    EXPECT_EQ(title, "Report.txt");
    EXPECT_EQ(text, "СПРАВКА-ПРОТОКОЛ\n");
    EXPECT_TRUE(QFontInfo(font).fixedPitch());
    EXPECT_EQ(offered,
              (std::vector<std::string>{"Report.txt text/plain", "Report.txt text/plain"}));
}

TEST(QtHost, AFolderTheDesktopCannotShowIsSaidSo) {
    qt::QtHost host;
    host.setDesktopOpener([](const std::filesystem::path&, const char* type) {
        EXPECT_STREQ(type, "inode/directory");
        return false;
    });
    QString text;
    WhenOpen<QMessageBox>([&](QMessageBox& box) {
        text = box.text();
        box.accept();
    });
    host.openFolder("/out/121212121/202311");
    EXPECT_EQ(text,
              "Папката /out/121212121/202311 не може да бъде отворена: няма програма за преглед "
              "на папки.");
}

TEST(QtHost, TheFileDialogsSpeakBulgarian) {
    ASSERT_TRUE(qt::LoadBulgarianTranslation(*QCoreApplication::instance()))
        << "Qt's Bulgarian translation (qt6-translations-l10n) is installed";
    testing_support::TempDir dir;
    qt::QtHost host;
    QStringList texts;
    WhenOpen<QFileDialog>([&](QFileDialog& chooser) {
        for (auto label : {QFileDialog::LookIn, QFileDialog::FileName, QFileDialog::FileType,
                           QFileDialog::Accept, QFileDialog::Reject})
            texts << chooser.labelText(label);
        for (QAbstractButton* button : chooser.findChildren<QAbstractButton*>())
            if (button->isVisible() && !button->text().isEmpty()) texts << button->text();
        chooser.reject();
    });
    ui::SaveFileRequest request{
        "Save file", dir.path(), "Deklar.txt", "txt", {{"Text file", "*.txt"}}};
    EXPECT_EQ(host.saveFile(request), std::nullopt);
    EXPECT_TRUE(texts.contains("Преглед на:")) << texts.join(" | ").toStdString();
    EXPECT_TRUE(texts.contains("Отказ")) << texts.join(" | ").toStdString();
    for (const char* english : {"Look in:", "File name:", "Save", "Cancel", "&Save", "&Cancel"})
        EXPECT_FALSE(texts.contains(QString::fromLatin1(english))) << english;
}
