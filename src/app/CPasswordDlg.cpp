#include "app/CPasswordDlg.h"

#include "ui/Host.h"

namespace app {

CPasswordDlg::CPasswordDlg(ui::Host& host, const std::string& prompt, int attempt, int attempts)
    : Dialog(host, "Парола за данните", {220, 86}),
      prompt_(addLabel(prompt, {10, 8, 200, 20}, "prompt")),
      password_(addEdit("password", "Парола", {60, 32, 150, 14}).labelAt({10, 34, 48, 8}).mask()),
      attempt_(addLabel("Опит " + std::to_string(attempt) + " от " + std::to_string(attempts),
                        {60, 50, 150, 8}, "attempt")),
      ok_(addButton("ok", "OK", {104, 66, 50, 14}).makeDefault()),
      cancel_(addButton("cancel", "Отказ", {160, 66, 50, 14})) {}

void CPasswordDlg::opened() {
    setFocus(password_);
}

void CPasswordDlg::pressed(ui::Button& button) {
    if (&button == &ok_) close(ui::Result::Ok);
    if (&button == &cancel_) close(ui::Result::Cancel);
}

Unlocked OpenWithPassword(ui::Host& host, const std::filesystem::path& file,
                          const std::string& prompt, db::Access access) {
    const auto salt = db::ReadSalt(file);
    if (!salt) return {};
    for (int attempt = 1; attempt <= kPasswordAttempts; ++attempt) {
        CPasswordDlg dialog(host, prompt, attempt, kPasswordAttempts);
        if (host.runModal(dialog) != ui::Result::Ok) return {};
        const auto key = db::Key::fromPassword(dialog.password(), *salt);
        try {
            return {db::Database::open(file, db::LocksOf(key), access), false};
        } catch (const db::Error& e) {
            if (!e.wrongKey()) return {};  // the file itself failed, not the password
        }
        if (attempt < kPasswordAttempts) host.error("Паролата не е вярна. Опитайте отново.");
    }
    return {std::nullopt, true};
}

}  // namespace app
