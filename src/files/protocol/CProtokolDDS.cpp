#include "files/protocol/CProtokolDDS.h"

#include <cstdio>
#include <exception>

#include "files/protocol/ProtocolStore.h"
#include "platform/CodePage.h"
#include "platform/Files.h"
#include "ui/Host.h"

namespace files::protocol {
namespace {

std::string DateText(const platform::LocalDateTime& now) {
    char text[32];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d", now.day, now.month, now.year);
    return text;
}

}  // namespace

CProtokolDDS::CProtokolDDS(ui::Host& host, session::Session& session, std::string period)
    : Dialog(host, "СПРАВКА-ПРОТОКОЛ", {420, 260}),
      session_(session),
      period_(std::move(period)),
      reportBox_(addTextBox("report", "", {8, 8, 404, 222}).fixedPitch()),
      print_(addButton("print", "Печат", {8, 238, 60, 14})),
      close_(addButton("close", "Затвори", {352, 238, 60, 14})) {}

void CProtokolDDS::opened() {
    const db::PersonRow& person = session_.person();
    const ProtocolRequest request{{person.vin, person.klon, period_}, person.name, person.face1};
    report_ = BuildProtocolReport(
        LoadProtocolData(session_.database(), request, DateText(session_.clock().now())));
    reportBox_.setText(report_);
}

void CProtokolDDS::pressed(ui::Button& button) {
    if (&button == &print_) print();
    if (&button == &close_) close(ui::Result::Ok);
}

void CProtokolDDS::print() {
    const auto file = session_.outputFolder() / "ReportProtokol.txt";
    try {
        // Windows-1251, then the end-of-file mark of text reports; the old
        // file stays whole until the new one is complete.
        platform::WriteFileAtomically(file, platform::ToCp1251(report_) + '\x1A');
    } catch (const std::exception&) {
        host().error("Couldn't create the file!");
        return;
    }
    host().openTextFile(file);
}

}  // namespace files::protocol
