#pragma once
// "СПРАВКА-ПРОТОКОЛ": the protocol report of a period, built when the dialog
// opens (the VAT and VIES returns are computed anew first) and shown in a
// read-only box. "Печат" saves it as ReportProtokol.txt in the output folder
// and opens it in the text viewer.

#include <string>

#include "session/Session.h"
#include "ui/Dialog.h"

namespace files::protocol {

class CProtokolDDS : public ui::Dialog {
  public:
    // The report of the period for the session's person or branch.
    CProtokolDDS(ui::Host& host, session::Session& session, std::string period);

    // The report as shown (UTF-8).
    const std::string& report() const { return report_; }

  protected:
    void opened() override;
    void pressed(ui::Button& button) override;

  private:
    void print();

    session::Session& session_;
    std::string period_;
    std::string report_;

    ui::TextBox& reportBox_;
    ui::Button& print_;
    ui::Button& close_;
};

}  // namespace files::protocol
