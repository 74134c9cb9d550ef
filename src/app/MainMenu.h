#pragma once
// The menu of the main window as data: popups, items, and whether an item is
// enabled for the session. The front-end renders it and asks IsEnabled()
// every time a menu opens.

#include <span>
#include <string>

namespace session {
class Session;
}

namespace app {

enum class Command {
    PurchaseJournal,
    SalesJournal,
    WriteSubmissionFiles,
    CheckFiles,
    WriteMergeFiles,
    VatReturn,
    ChoosePerson,
    Counterparts,
    RemovePeriod,
    RemoveDuplicates,
    DataPassword,
    BackUpData,
    RestoreData,
    HelpTopics,
    About,
    Separator,
};

struct MenuItem {
    Command command;
    const char* text;  // "" for a separator
};

struct Popup {
    const char* title;
    std::span<const MenuItem> items;
};

std::span<const Popup> MainMenu();

// Enabling from the session alone: see the table in the popups.
bool IsEnabled(Command command, const session::Session& session);

}  // namespace app
