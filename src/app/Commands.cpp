#include "app/Commands.h"

#include <utility>

#include "app/Backups.h"
#include "app/CAboutDlg.h"
#include "app/CDataPasswordDlg.h"
#include "app/CZorevaDoc.h"
#include "files/CPeriodDlg.h"
#include "files/CPeriodKlonDlg.h"
#include "files/checker/CCheckFiles.h"
#include "files/protocol/CProtokolDDS.h"
#include "journals/CDeletePeriod.h"
#include "journals/CDublirani.h"
#include "journals/CPokupki.h"
#include "journals/CProdagbi.h"
#include "persons/CKontrag.h"
#include "platform/UserError.h"
#include "returns/CDDSPeriod.h"

namespace app {
namespace {

using Handler = void (*)(CommandContext&);

void RunAbout(CommandContext& context) {
    CAboutDlg dialog(context.host);
    context.host.runModal(dialog);
}

void RunHelpTopics(CommandContext& context) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(context.guideFile, ec)) {
        context.host.error("Ръководството на програмата не е намерено: " +
                           context.guideFile.string());
        return;
    }
    context.host.openTextFile(context.guideFile);
}

void RunCheckFiles(CommandContext& context) {
    session::Session& session = context.doc.session();
    // Loaded documents are added to the journals of the session's person,
    // when there is one.
    std::optional<files::checker::MergeTarget> target;
    if (session.personIsCurrent())
        target = files::checker::MergeTarget{&session.database(), session.person().vin};
    files::checker::CCheckFiles dialog(context.host, session.outputFolder(), session.clock(),
                                       context.oemConversion, std::move(target));
    context.host.runModal(dialog);
}

void RunChoosePerson(CommandContext& context) {
    context.doc.choosePerson(context.host);
}

// The counterparts register of the current person, kept before any document
// is typed; what "Избери" picks here goes nowhere.
void RunCounterparts(CommandContext& context) {
    const auto& session = context.doc.session();
    persons::CKontrag dialog(session.database(), context.host, session.person().vin);
    context.host.runModal(dialog);
}

files::WriterSession WriterSessionOf(const session::Session& session) {
    const auto& p = session.person();
    return {p.vin, p.bulstat, p.klon, session.outputFolder()};
}

// The dialogs that write files for a period: the submission files and the
// merge files of a branch.
template <typename Dialog>
void RunWriterDialog(CommandContext& context) {
    Dialog dialog(context.host, context.doc.session().database(),
                  WriterSessionOf(context.doc.session()));
    context.host.runModal(dialog);
}

// The period chooser, from which the VAT and VIES returns and the protocol
// report are opened.
void RunVatReturn(CommandContext& context) {
    session::Session& session = context.doc.session();
    auto openProtocol = [&session](ui::Host& host, const returns::ReturnScope& scope) {
        files::protocol::CProtokolDDS report(host, session, scope.period);
        host.runModal(report);
    };
    returns::CDDSPeriod dialog(context.host, session, openProtocol);
    context.host.runModal(dialog);
}

void RunDataPassword(CommandContext& context) {
    CDataPasswordDlg dialog(context.host, context.doc.session().database());
    context.host.runModal(dialog);
}

void RunBackUpData(CommandContext& context) {
    BackUpData(context.host, context.doc.session());
}

void RunRestoreData(CommandContext& context) {
    RestoreFromArchive(context.host, context.doc.session());
    context.doc.dataReplaced();
}

// The dialogs made from the host and the session alone: the journals and
// their clean-ups.
template <typename Dialog>
void RunSessionDialog(CommandContext& context) {
    Dialog dialog(context.host, context.doc.session());
    context.host.runModal(dialog);
}

// Every command of the menu with its handler, in the order of Command.
constexpr std::pair<Command, Handler> kHandlers[] = {
    {Command::PurchaseJournal, RunSessionDialog<journals::CPokupki>},
    {Command::SalesJournal, RunSessionDialog<journals::CProdagbi>},
    {Command::WriteSubmissionFiles, RunWriterDialog<files::CPeriodDlg>},
    {Command::CheckFiles, RunCheckFiles},
    {Command::WriteMergeFiles, RunWriterDialog<files::CPeriodKlonDlg>},
    {Command::VatReturn, RunVatReturn},
    {Command::ChoosePerson, RunChoosePerson},
    {Command::Counterparts, RunCounterparts},
    {Command::RemovePeriod, RunSessionDialog<journals::CDeletePeriod>},
    {Command::RemoveDuplicates, RunSessionDialog<journals::CDublirani>},
    {Command::DataPassword, RunDataPassword},
    {Command::BackUpData, RunBackUpData},
    {Command::RestoreData, RunRestoreData},
    {Command::HelpTopics, RunHelpTopics},
    {Command::About, RunAbout},
};

}  // namespace

std::string MenuText(Command command) {
    for (const auto& popup : MainMenu())
        for (const auto& item : popup.items)
            if (item.command == command) return item.text;
    return "";
}

void RunCommand(Command command, CommandContext& context) {
    try {
        for (const auto& [handled, handler] : kHandlers)
            if (handled == command) return handler(context);
    } catch (const platform::UserError& e) {
        // A command that cannot even open its dialog says why.
        context.host.error(e.what());
    }
}

}  // namespace app
