#pragma once
// Small file helpers shared by the subsystems.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace platform {

// Everything the program writes is its user's alone, whatever the umask:
// folders 0700, files 0600.
inline constexpr unsigned kPrivateFolderMode = 0700;
inline constexpr unsigned kPrivateFileMode = 0600;

// Creates the folder (not its parents) as the user's alone. An existing
// folder is no error and is left as it is; a missing parent is
// std::errc::no_such_file_or_directory.
std::error_code CreatePrivateFolder(const std::filesystem::path& folder);

// Takes every permission of the group and of others from a file or folder
// the program owns. False when that failed (e.g. the user does not own it).
bool MakePrivate(const std::filesystem::path& path);

// Reads a whole file as bytes. Throws std::system_error carrying the errno of
// the failed open or read.
std::string ReadWholeFile(const std::filesystem::path& file);

// Writes the bytes completely or not at all: a temporary file in the same
// folder is written, flushed and then renamed over `file`; the file is the
// user's alone (0600). Throws
// std::system_error; on failure the old file, if any, is left as it was.
void WriteFileAtomically(const std::filesystem::path& file, std::string_view bytes);

// A file written completely or not at all: bytes go to a temporary file in
// the same folder (".<name>.tmp<digits>"), and commit() flushes it to disk and
// renames it over the target. Destroyed without commit(), it removes the
// temporary file and the target stays as it was. The file is the user's alone
// (0600). Throws std::system_error.
//
// Files that must appear together are each finish()ed first, and committed
// only when every one of them is complete.
class AtomicFile {
  public:
    explicit AtomicFile(std::filesystem::path target);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    const std::filesystem::path& target() const { return target_; }

    void append(std::string_view bytes);
    // Writes what is buffered and flushes the temporary file to disk; nothing
    // can be appended afterwards. The target is not touched yet.
    void finish();
    // Gives the finished file another target, possibly in another folder: the
    // temporary file moves beside it (copied when the folder is on another
    // file system). The old target is not touched.
    void retarget(std::filesystem::path target);
    // finish() when not yet done, then renames the temporary file over the target.
    void commit();

  private:
    void flushBuffer();
    void copyInto(const std::filesystem::path& temporary);
    std::filesystem::path target_, temporary_;
    int fd_ = -1;
    long long written_ = 0;
    bool finished_ = false, committed_ = false;
    std::string buffer_;
};

// Removes the temporary files that an interrupted write of one of the named
// files left in the folder (".<name>.tmp<digits>", see AtomicFile). Anything
// else stays; failures are ignored, as the next write tries again.
void RemoveStaleTemporaryFiles(const std::filesystem::path& folder,
                               const std::vector<std::string>& names);

// Flushes a file, or the entries of a folder (after a rename in it), to disk.
// Throws std::system_error.
void SyncFile(const std::filesystem::path& file);
void SyncFolder(const std::filesystem::path& folder);

// Finds the entry of `folder` whose name equals `name` ignoring the case of
// ASCII letters (DEKLAR.TXT, Deklar.txt and deklar.txt are the same file).
// An exact match wins over others; nullopt when none exists.
std::optional<std::filesystem::path> FindIgnoringCase(const std::filesystem::path& folder,
                                                      std::string_view name);

}  // namespace platform
