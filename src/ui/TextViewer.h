#pragma once
// The program's own read-only viewer of a text file, for when the desktop
// has no text viewer to hand it to: the guide, a check report. The text is
// shown in a fixed-width font with the tab-marked columns of a report lined
// up (ui/TabColumns.h). A file in UTF-8 is shown as
// it is; any other is read as Windows-1251, the code page of the reports.
// The end-of-file mark (Ctrl-Z) of a report is not shown.

#include <filesystem>
#include <string>
#include <string_view>

#include "ui/Dialog.h"

namespace ui {

class TextViewer : public Dialog {
  public:
    TextViewer(Host& host, std::filesystem::path file);

    const std::filesystem::path& file() const { return file_; }
    const std::string& text() const { return text_.text(); }

  protected:
    void opened() override;
    void pressed(Button& button) override;

  private:
    std::filesystem::path file_;
    TextBox& text_;
    Button& close_;
};

// The bytes of a text file as the viewer shows them (UTF-8).
std::string ViewedText(std::string_view bytes);

}  // namespace ui
