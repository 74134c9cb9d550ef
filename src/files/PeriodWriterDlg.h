#pragma once
// The shape both file writers share: a list of periods, "Запис" that writes
// the files of the selected period, and "Затваряне". The dialog stays open
// after a write, so that several periods can be written one after another.
// The writer prepares and writes; this dialog asks the person for the file,
// shows why a write stopped, and after a write says in which folder and
// offers to open it.

#include <filesystem>
#include <optional>
#include <string>

#include "db/Database.h"
#include "files/SubmissionWriter.h"
#include "ui/Dialog.h"

namespace files {

class PeriodWriterDlg : public ui::Dialog {
  protected:
    PeriodWriterDlg(ui::Host& host, db::Database& db, WriterSession session, std::string title,
                    int listWidth);

    // The writer's first step for the period.
    virtual PeriodFiles prepare(const std::string& period) = 0;
    void pressed(ui::Button& button) override;

    db::Database& db_;
    const WriterSession session_;
    ui::ListView& periods_;

  private:
    void write(const std::string& period);
    void tellWhere(const std::filesystem::path& folder);

    ui::Button& write_;
    ui::Button& close_;
};

}  // namespace files
