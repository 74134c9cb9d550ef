#pragma once
// The about box: the program's name, version and purpose, and an OK button.

#include "ui/Dialog.h"

namespace app {

class CAboutDlg : public ui::Dialog {
  public:
    explicit CAboutDlg(ui::Host& host);

  protected:
    void pressed(ui::Button& button) override;

  private:
    ui::Label& name_;
    ui::Label& version_;
    ui::Label& purpose_;
    ui::Button& ok_;
};

// The version shown in the about box, e.g. "1.0".
const char* ProgramVersion();

}  // namespace app
