#include "app/CDataPasswordDlg.h"

#include "platform/CodePage.h"
#include "ui/Host.h"

namespace app {
namespace {

constexpr const char* kBuiltInOnly =
    "Данните са защитени с ключа на програмата: други програми не могат да ги прочетат, "
    "но всеки, който има тази програма и достъп до файла, може. Парола ги пази от всеки, "
    "който не я знае.";
constexpr const char* kPasswordSet =
    "Данните са защитени с парола. Програмата я иска при всяко стартиране.";
constexpr const char* kForgotten =
    "Паролата не се пази никъде: забравена парола не може да бъде възстановена и без нея "
    "данните не могат да се отворят.";

}  // namespace

CDataPasswordDlg::CDataPasswordDlg(ui::Host& host, db::Database& db)
    : Dialog(host, "Парола за данните", {260, 146}),
      db_(db),
      state_(addLabel("", {10, 8, 240, 26}, "state")),
      warning_(addLabel(kForgotten, {10, 36, 240, 18}, "warning")),
      current_(
          addEdit("current", "Текуща парола", {110, 60, 140, 14}).labelAt({10, 62, 98, 8}).mask()),
      new_(addEdit("new", "Нова парола", {110, 80, 140, 14}).labelAt({10, 82, 98, 8}).mask()),
      repeat_(addEdit("repeat", "Повторете новата парола", {110, 100, 140, 14})
                  .labelAt({10, 102, 98, 8})
                  .mask()),
      save_(addButton("save", "Задай паролата", {10, 124, 80, 14}).makeDefault()),
      remove_(addButton("remove", "Премахни паролата", {96, 124, 80, 14})),
      close_(addButton("close", "Затвори", {190, 124, 60, 14})) {}

void CDataPasswordDlg::opened() {
    setFocus(db_.hasOwnPassword() ? current_ : new_);
}

void CDataPasswordDlg::refresh() {
    const bool has = db_.hasOwnPassword();
    state_.setCaption(has ? kPasswordSet : kBuiltInOnly);
    current_.setEnabled(has);
    remove_.setEnabled(has);
    save_.setCaption(has ? "Смени паролата" : "Задай паролата");
}

void CDataPasswordDlg::pressed(ui::Button& button) {
    if (&button == &save_) save();
    if (&button == &remove_) remove();
    if (&button == &close_) close(ui::Result::Cancel);
}

bool CDataPasswordDlg::currentIsRight() {
    if (db::Key::fromPassword(current_.text(), db_.salt()) == db_.lock().key) return true;
    host().error("Текущата парола не е вярна.");
    setFocus(current_);
    return false;
}

bool CDataPasswordDlg::newIsAcceptable() {
    if (platform::Utf8Length(new_.text()) < kMinimumLength) {
        host().error("Паролата трябва да бъде поне " + std::to_string(kMinimumLength) + " знака.");
        setFocus(new_);
        return false;
    }
    if (repeat_.text() != new_.text()) {
        host().error("Повторената парола не съвпада с новата.");
        setFocus(repeat_);
        return false;
    }
    return true;
}

void CDataPasswordDlg::save() {
    const bool had = db_.hasOwnPassword();
    if (had && !currentIsRight()) return;
    if (!newIsAcceptable()) return;
    db_.rekey(db::Key::fromPassword(new_.text(), db_.salt()));
    host().information(had ? "Паролата е сменена."
                           : std::string("Паролата е зададена. Програмата ще я иска при всяко "
                                         "стартиране.\n") +
                                 kForgotten);
    close(ui::Result::Ok);
}

void CDataPasswordDlg::remove() {
    if (!currentIsRight()) return;
    if (host().ask("Да се премахне ли паролата? Данните ще останат защитени само с ключа на "
                   "програмата.",
                   ui::Buttons::YesNo, ui::Icon::Warning) != ui::Answer::Yes)
        return;
    db_.rekey(db::Key::builtIn());
    host().information("Паролата е премахната.");
    close(ui::Result::Ok);
}

}  // namespace app
