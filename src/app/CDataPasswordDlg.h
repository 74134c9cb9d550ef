#pragma once
// "Парола за данните": sets, changes or removes the password of the user's
// own. The file is keyed anew in place; nothing of the password is kept
// anywhere, so a forgotten password cannot be recovered.

#include "db/Database.h"
#include "ui/Dialog.h"

namespace app {

class CDataPasswordDlg : public ui::Dialog {
  public:
    CDataPasswordDlg(ui::Host& host, db::Database& db);

    // Fewest characters a password may have.
    static constexpr std::size_t kMinimumLength = 8;

  protected:
    void opened() override;
    void pressed(ui::Button& button) override;
    void refresh() override;

  private:
    void save();
    void remove();
    // Whether the current password typed is the one that keys the file; says
    // so and keeps the focus on it when it is not.
    bool currentIsRight();
    bool newIsAcceptable();

    db::Database& db_;
    ui::Label& state_;
    ui::Label& warning_;
    ui::Edit& current_;
    ui::Edit& new_;
    ui::Edit& repeat_;
    ui::Button& save_;
    ui::Button& remove_;
    ui::Button& close_;
};

}  // namespace app
