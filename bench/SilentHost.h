#pragma once
// The host of the benchmarks that open dialogs: it answers Yes to every
// question, cancels every chooser and shows nothing, counting the messages.

#include <filesystem>
#include <optional>
#include <string>

#include "ui/Dialog.h"
#include "ui/Host.h"

class SilentHost : public ui::Host {
  public:
    void message(const std::string&, ui::Icon) override { ++messages; }
    ui::Answer ask(const std::string&, ui::Buttons, ui::Icon) override { return ui::Answer::Yes; }
    ui::Result runModal(ui::Dialog&) override { return ui::Result::Cancel; }
    std::optional<std::filesystem::path> chooseFolder(const ui::FolderRequest&) override {
        return std::nullopt;
    }
    std::optional<std::filesystem::path> saveFile(const ui::SaveFileRequest&) override {
        return std::nullopt;
    }
    std::optional<std::filesystem::path> openFile(const ui::OpenFileRequest&) override {
        return std::nullopt;
    }
    void print(const ui::PrintJob&) override {}
    void openTextFile(const std::filesystem::path&) override {}
    void openFolder(const std::filesystem::path&) override {}
    int messages = 0;
};
