#pragma once
// The question for the password of the user's own, asked at start-up (and
// for an archive keyed with another password) before the database opens.

#include <filesystem>
#include <optional>
#include <string>

#include "db/Database.h"
#include "ui/Dialog.h"

namespace app {

class CPasswordDlg : public ui::Dialog {
  public:
    // `prompt` says what the password is for; `attempt` counts from 1.
    CPasswordDlg(ui::Host& host, const std::string& prompt, int attempt, int attempts);
    const std::string& password() const { return password_.text(); }

  protected:
    void opened() override;
    void pressed(ui::Button& button) override;

  private:
    ui::Label& prompt_;
    ui::Edit& password_;
    ui::Label& attempt_;
    ui::Button& ok_;
    ui::Button& cancel_;
};

inline constexpr int kPasswordAttempts = 3;

// The outcome of asking for a password.
struct Unlocked {
    std::optional<db::Database> database;  // opened with the key of the password typed
    bool refused = false;                  // three wrong passwords (not a cancel)
};

// Asks up to three times for the password that opens `file` and opens the
// file with its key; a wrong password is said after each try but the last.
Unlocked OpenWithPassword(ui::Host& host, const std::filesystem::path& file,
                          const std::string& prompt, db::Access access = db::Access::ReadWrite);

}  // namespace app
