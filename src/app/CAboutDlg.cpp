#include "app/CAboutDlg.h"

#include <string>

#include "ui/Host.h"

namespace app {

const char* ProgramVersion() {
    return ZOREVA_VERSION;
}

CAboutDlg::CAboutDlg(ui::Host& host)
    : Dialog(host, "За програмата", {220, 92}),
      name_(addLabel(ui::kAppCaption, {12, 10, 196, 10}, "name")),
      version_(addLabel(std::string("Версия ") + ProgramVersion(), {12, 22, 196, 10}, "version")),
      purpose_(addLabel("Дневници за покупките и продажбите, справка-декларация по ЗДДС, "
                        "VIES-декларация и файловете за подаване към НАП.",
                        {12, 36, 196, 30}, "purpose")),
      ok_(addButton("ok", "Добре", {158, 72, 50, 14}).makeDefault()) {}

void CAboutDlg::pressed(ui::Button& button) {
    if (&button == &ok_) close(ui::Result::Ok);
}

}  // namespace app
