// The program without its window: runs the start-up and prints the title.
#include <cstdio>

#include "app/CZorevaApp.h"
#include "ui/Dialog.h"

namespace {

class ConsoleHost : public ui::Host {
  public:
    void message(const std::string& text, ui::Icon) override {
        std::fprintf(stderr, "%s: %s\n", ui::kAppCaption, text.c_str());
    }
    ui::Answer ask(const std::string& text, ui::Buttons, ui::Icon) override {
        std::fprintf(stderr, "%s: %s\n", ui::kAppCaption, text.c_str());
        return ui::Answer::No;
    }
    ui::Result runModal(ui::Dialog&) override { return ui::Result::Cancel; }
    std::optional<std::filesystem::path> chooseFolder(const ui::FolderRequest&) override {
        return std::nullopt;
    }
    std::optional<std::filesystem::path> saveFile(const ui::SaveFileRequest&) override {
        return std::nullopt;
    }
    void print() override {}
    void openTextFile(const std::filesystem::path&) override {}
};

}  // namespace

int main() {
    ConsoleHost host;
    platform::SystemClock clock;
    app::CZorevaApp zoreva(host, platform::processEnvironment(), clock);
    if (!zoreva.InitInstance()) return 1;
    std::printf("%s\n", zoreva.document().title().c_str());
    return 0;
}
