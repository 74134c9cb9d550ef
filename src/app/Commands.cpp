#include "app/Commands.h"

#include <utility>

#include "app/CAboutDlg.h"
#include "app/CZorevaDoc.h"
#include "db/Database.h"
#include "files/CPeriodDlg.h"
#include "files/CPeriodKlonDlg.h"
#include "files/checker/CCheckFiles.h"
#include "journals/CPokupki.h"
#include "journals/CProdagbi.h"
#include "returns/CDDSPeriod.h"

namespace app {
namespace {

using Handler = void (*)(CommandContext&);

// A command whose dialog this version does not have yet says so, rather
// than doing nothing.
void notAvailable(CommandContext& context, Command command) {
    context.host.information("Функцията „" + menuText(command) +
                             "“ все още не е налична в тази версия на програмата.");
}

void about(CommandContext& context) {
    CAboutDlg dialog(context.host);
    context.host.runModal(dialog);
}

void helpTopics(CommandContext& context) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(context.guideFile, ec)) {
        context.host.error("Ръководството на програмата не е намерено: " +
                           context.guideFile.string());
        return;
    }
    context.host.openTextFile(context.guideFile);
}

void checkFiles(CommandContext& context) {
    files::checker::CCheckFiles dialog(context.host, context.doc.outputFolder(),
                                       context.doc.clock(), context.oemConversion);
    context.host.runModal(dialog);
}

void choosePerson(CommandContext& context) {
    context.doc.choosePerson(context.host);
}

files::WriterSession writerSession(const CZorevaDoc& doc) {
    const auto& p = doc.person();
    return {p.vin, p.bulstat, p.klon, doc.outputFolder()};
}

void writeSubmissionFiles(CommandContext& context) {
    files::CPeriodDlg dialog(context.host, context.doc.database(), writerSession(context.doc));
    context.host.runModal(dialog);
}

void writeMergeFiles(CommandContext& context) {
    files::CPeriodKlonDlg dialog(context.host, context.doc.database(), writerSession(context.doc));
    context.host.runModal(dialog);
}

// The period chooser, from which the VAT and VIES returns are opened.
void vatReturn(CommandContext& context) {
    returns::CDDSPeriod dialog(context.host, context.doc);
    context.host.runModal(dialog);
}

void purchaseJournal(CommandContext& context) {
    journals::CPokupki dialog(context.host, context.doc);
    context.host.runModal(dialog);
}

void salesJournal(CommandContext& context) {
    journals::CProdagbi dialog(context.host, context.doc);
    context.host.runModal(dialog);
}

// Commands with a handler; the others are not available yet.
constexpr std::pair<Command, Handler> kHandlers[] = {
    {Command::PurchaseJournal, purchaseJournal},
    {Command::SalesJournal, salesJournal},
    {Command::About, about},
    {Command::HelpTopics, helpTopics},
    {Command::ChoosePerson, choosePerson},
    {Command::WriteSubmissionFiles, writeSubmissionFiles},
    {Command::WriteMergeFiles, writeMergeFiles},
    {Command::VatReturn, vatReturn},
    {Command::CheckFiles, checkFiles},
};

}  // namespace

std::string menuText(Command command) {
    for (const auto& popup : mainMenu())
        for (const auto& item : popup.items)
            if (item.command == command) return item.text;
    return "";
}

void runCommand(Command command, CommandContext& context) {
    try {
        for (const auto& [handled, handler] : kHandlers)
            if (handled == command) return handler(context);
        notAvailable(context, command);
    } catch (const db::Error& e) {
        // A command that cannot even open its dialog says why.
        context.host.error(e.what());
    }
}

}  // namespace app
