#pragma once
// The bytes of one file that the checker reads, whole. Line records and
// fields are views into these bytes, so they never move once read: moving a
// FileText moves the ownership, not the bytes.
//
// A file is mapped into memory rather than copied: the pages the system
// already holds are used as they are. Its size is taken once, when it is
// opened. Another program may still cut the file short while it is mapped;
// the pages past its new end then read as zeros instead of stopping the
// program (a process-wide handler of SIGBUS replaces them), and the text
// says it is no longer intact, so that the check is made again on a copy.

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>

namespace files::checker {

class FileText {
  public:
    FileText();
    ~FileText();
    FileText(FileText&&) noexcept;
    FileText& operator=(FileText&&) noexcept;

    // Maps the regular file read-only; an empty file, or one that cannot be
    // mapped, is read instead. nullopt when it cannot be opened or read
    // (missing, a folder, a device or pipe, no permission).
    static std::optional<FileText> map(const std::filesystem::path& file);

    // Reads a copy of the regular file, up to the size it has when opened
    // (fewer bytes when it shrinks meanwhile). nullopt as for map().
    static std::optional<FileText> read(const std::filesystem::path& file);

    // For tests and the fuzz target: the given bytes as if read from a file.
    static FileText fromBytes(std::string_view bytes);

    std::string_view view() const { return {data_, size_}; }

    // Turns the text from the OEM code page (CP866) into Windows-1251; one
    // byte stays one byte, so every position keeps its meaning. A mapped
    // text becomes a converted copy.
    void convertFromOem();

    // True while the bytes are those of the file as it was opened: always
    // for a copy; for a mapping, until the file is cut short under it or
    // written to (its size or modification time changes).
    bool isIntact() const;

  private:
    class Mapping;

    std::unique_ptr<char[]> copy_;
    std::unique_ptr<Mapping> mapping_;
    const char* data_ = nullptr;
    std::size_t size_ = 0;
};

// How a check run takes a file: mapped, or copied (when a mapping proved
// not to be intact).
using FileSource = std::optional<FileText> (*)(const std::filesystem::path&);

// The file of that name in the folder, its name in any case; nullopt when
// there is none or it cannot be read.
std::optional<FileText> ReadFileIn(const std::filesystem::path& folder, std::string_view name,
                                   FileSource source);

}  // namespace files::checker
