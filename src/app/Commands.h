#pragma once
// The one place where the commands of the main menu are carried out. Each
// command opens its dialog modally through the host and returns when the
// dialog has closed; the main window refreshes its caption afterwards.

#include <filesystem>

#include "app/MainMenu.h"
#include "ui/Host.h"

namespace app {

class CZorevaDoc;

// What a command needs: the host that shows its dialogs, the session, and
// the user guide shipped with the program.
struct CommandContext {
    ui::Host& host;
    CZorevaDoc& doc;
    std::filesystem::path guideFile;
    // The CONVERT setting exists: the file checker offers "OEM -> ANSI".
    bool oemConversion = false;
};

void RunCommand(Command command, CommandContext& context);

// The text of the command's menu item, e.g. "Дневник за покупките".
std::string MenuText(Command command);

}  // namespace app
