#pragma once
// The shape both file writers share: a list of periods, "Запис" that writes
// the files of the selected period, and "Затваряне". The dialog stays open
// after a write, so that several periods can be written one after another.
// A write that succeeded says in which folder, and offers to open it.

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

    // Writes the files of the period; the messages are the writer's.
    // Returns the folder written in; nullopt when nothing was written.
    virtual std::optional<std::filesystem::path> write(const std::string& period) = 0;
    void pressed(ui::Button& button) override;

    db::Database& db_;
    const WriterSession session_;
    ui::ListView& periods_;

  private:
    void tellWhere(const std::filesystem::path& folder);

    ui::Button& write_;
    ui::Button& close_;
};

}  // namespace files
