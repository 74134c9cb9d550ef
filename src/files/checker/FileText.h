#pragma once
// The bytes of one file that the checker reads, held whole in memory. Line
// records and fields are views into these bytes, so they never move once
// read: moving a FileText moves the ownership, not the bytes.

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>

namespace files::checker {

class FileText {
  public:
    FileText() = default;

    // Reads the whole regular file; nullopt when it cannot be opened or read
    // (missing, a folder, a device or pipe, no permission). Files of any
    // size are read in one allocation of their size.
    static std::optional<FileText> read(const std::filesystem::path& file);

    // For tests and the fuzz target: the given bytes as if read from a file.
    static FileText fromBytes(std::string_view bytes);

    std::string_view view() const { return {bytes_.get(), size_}; }

    // Turns the text from the OEM code page (CP866) into Windows-1251 in
    // place; one byte stays one byte, so every position keeps its meaning.
    void convertFromOem();

  private:
    std::unique_ptr<char[]> bytes_;
    std::size_t size_ = 0;
};

}  // namespace files::checker
