#include "platform/Files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <random>
#include <system_error>
#include <utility>

#include "platform/Text.h"

namespace platform {
namespace {

[[noreturn]] void ThrowErrno(const std::string& what) {
    throw std::system_error(errno, std::generic_category(), what);
}

class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }

  private:
    int fd_;
};

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

}  // namespace

std::string ReadWholeFile(const std::filesystem::path& file) {
    FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) ThrowErrno("cannot open " + file.string());
    std::string bytes;
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            ThrowErrno("cannot read " + file.string());
        }
        if (n == 0) break;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    return bytes;
}

namespace {

std::filesystem::path TemporaryFor(const std::filesystem::path& target) {
    const auto folder = target.has_parent_path() ? target.parent_path() : ".";
    std::string name = target.filename().string();
    name.insert(0, 1, '.');
    name.append(".tmp").append(std::to_string(std::random_device{}()));
    return folder / name;
}

// A new private file, open for writing; throws naming `target`.
int CreatePrivateFile(const std::filesystem::path& temporary, const std::filesystem::path& target) {
    const int fd =
        ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kPrivateFileMode);
    if (fd < 0) ThrowErrno("cannot create " + target.string());
    if (::fchmod(fd, kPrivateFileMode) != 0) {
        const int code = errno;
        ::close(fd);
        ::unlink(temporary.c_str());
        errno = code;
        ThrowErrno("cannot create " + target.string());
    }
    return fd;
}

void WriteAll(int fd, const char* bytes, std::size_t size, const std::filesystem::path& target) {
    for (std::size_t done = 0; done < size;) {
        const ssize_t n = ::write(fd, bytes + done, size - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            ThrowErrno("cannot write " + target.string());
        }
        done += static_cast<std::size_t>(n);
    }
}

}  // namespace

AtomicFile::AtomicFile(std::filesystem::path target)
    : target_(std::move(target)), temporary_(TemporaryFor(target_)) {
    fd_ = CreatePrivateFile(temporary_, target_);
}

AtomicFile::~AtomicFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!committed_) ::unlink(temporary_.c_str());
}

void AtomicFile::append(std::string_view bytes) {
    buffer_.append(bytes);
    if (buffer_.size() >= (1u << 20)) flushBuffer();
}

void AtomicFile::flushBuffer() {
    WriteAll(fd_, buffer_.data(), buffer_.size(), target_);
    // Start writing what is written so far, so that a large file is mostly
    // on disk by the time finish() waits for it.
    ::sync_file_range(fd_, written_, static_cast<off_t>(buffer_.size()), SYNC_FILE_RANGE_WRITE);
    written_ += static_cast<off_t>(buffer_.size());
    buffer_.clear();
}

void AtomicFile::finish() {
    if (finished_) return;
    flushBuffer();
    if (::fsync(fd_) != 0) ThrowErrno("cannot write " + target_.string());
    if (::close(std::exchange(fd_, -1)) != 0) ThrowErrno("cannot write " + target_.string());
    finished_ = true;
}

void AtomicFile::retarget(std::filesystem::path target) {
    finish();
    auto temporary = TemporaryFor(target);
    if (::rename(temporary_.c_str(), temporary.c_str()) != 0) {
        if (errno != EXDEV) ThrowErrno("cannot create " + target.string());
        copyInto(temporary);
        ::unlink(temporary_.c_str());
    }
    temporary_ = std::move(temporary);
    target_ = std::move(target);
}

// The bytes of the finished temporary file into a new one, flushed to disk;
// the new one is removed again when that fails.
void AtomicFile::copyInto(const std::filesystem::path& temporary) {
    FileDescriptor from(::open(temporary_.c_str(), O_RDONLY | O_CLOEXEC));
    if (from.get() < 0) ThrowErrno("cannot read " + target_.string());
    FileDescriptor to(CreatePrivateFile(temporary, temporary));
    try {
        std::string buffer(1 << 20, '\0');
        for (;;) {
            const ssize_t n = ::read(from.get(), buffer.data(), buffer.size());
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) ThrowErrno("cannot read " + target_.string());
            if (n == 0) break;
            WriteAll(to.get(), buffer.data(), static_cast<std::size_t>(n), temporary);
        }
        if (::fsync(to.get()) != 0) ThrowErrno("cannot write " + temporary.string());
    } catch (...) {
        ::unlink(temporary.c_str());
        throw;
    }
}

void AtomicFile::commit() {
    finish();
    if (::rename(temporary_.c_str(), target_.c_str()) != 0)
        ThrowErrno("cannot replace " + target_.string());
    committed_ = true;
}

void RemoveStaleTemporaryFiles(const std::filesystem::path& folder,
                               const std::vector<std::string>& names) {
    std::error_code ec;
    std::filesystem::directory_iterator it(folder, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        const std::string entry = it->path().filename().string();
        for (const auto& name : names) {
            const std::string prefix = "." + name + ".tmp";
            if (entry.size() > prefix.size() && entry.starts_with(prefix) &&
                AllDigits(std::string_view(entry).substr(prefix.size()))) {
                std::error_code ignored;
                std::filesystem::remove(it->path(), ignored);
            }
        }
    }
}

void WriteFileAtomically(const std::filesystem::path& file, std::string_view bytes) {
    AtomicFile out(file);
    out.append(bytes);
    out.commit();
}

std::error_code CreatePrivateFolder(const std::filesystem::path& folder) {
    if (::mkdir(folder.c_str(), kPrivateFolderMode) != 0)
        return errno == EEXIST ? std::error_code{}
                               : std::error_code(errno, std::generic_category());
    // mkdir left out what the umask holds; the mode is set whole.
    if (::chmod(folder.c_str(), kPrivateFolderMode) != 0)
        return std::error_code(errno, std::generic_category());
    return {};
}

bool MakePrivate(const std::filesystem::path& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return false;
    if ((st.st_mode & 077) == 0) return true;
    return ::chmod(path.c_str(), st.st_mode & 07700) == 0;
}

void SyncFile(const std::filesystem::path& file) {
    FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0 || ::fsync(fd.get()) != 0) ThrowErrno("cannot write " + file.string());
}

void SyncFolder(const std::filesystem::path& folder) {
    FileDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() < 0 || ::fsync(fd.get()) != 0) ThrowErrno("cannot write " + folder.string());
}

std::optional<std::filesystem::path> FindIgnoringCase(const std::filesystem::path& folder,
                                                      std::string_view name) {
    std::error_code ec;
    if (std::filesystem::exists(folder / name, ec)) return folder / name;
    std::filesystem::directory_iterator it(folder, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        if (EqualsIgnoringAsciiCase(it->path().filename().string(), name)) return it->path();
    }
    return std::nullopt;
}

}  // namespace platform
