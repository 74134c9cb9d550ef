#include "platform/Files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <random>
#include <system_error>
#include <utility>

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

AtomicFile::AtomicFile(std::filesystem::path target) : target_(std::move(target)) {
    const auto folder = target_.has_parent_path() ? target_.parent_path() : ".";
    std::string name = target_.filename().string();
    name.insert(0, 1, '.');
    name.append(".tmp").append(std::to_string(std::random_device{}()));
    temporary_ = folder / name;
    fd_ = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kPrivateFileMode);
    if (fd_ < 0) ThrowErrno("cannot create " + target_.string());
    if (::fchmod(fd_, kPrivateFileMode) != 0) {
        const int code = errno;
        ::close(fd_);
        ::unlink(temporary_.c_str());
        errno = code;
        ThrowErrno("cannot create " + target_.string());
    }
}

AtomicFile::~AtomicFile() {
    if (fd_ >= 0) {
        ::close(fd_);
        ::unlink(temporary_.c_str());
    }
}

void AtomicFile::append(std::string_view bytes) {
    buffer_.append(bytes);
    if (buffer_.size() >= (1u << 20)) flushBuffer();
}

void AtomicFile::flushBuffer() {
    for (std::size_t done = 0; done < buffer_.size();) {
        const ssize_t n = ::write(fd_, buffer_.data() + done, buffer_.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            ThrowErrno("cannot write " + target_.string());
        }
        done += static_cast<std::size_t>(n);
    }
    buffer_.clear();
}

void AtomicFile::commit() {
    flushBuffer();
    if (::fsync(fd_) != 0) ThrowErrno("cannot write " + target_.string());
    const int fd = std::exchange(fd_, -1);
    if (::close(fd) != 0) {
        const int code = errno;
        ::unlink(temporary_.c_str());
        errno = code;
        ThrowErrno("cannot write " + target_.string());
    }
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) {
        const int code = errno;
        ::unlink(temporary_.c_str());
        errno = code;
        ThrowErrno("cannot replace " + target_.string());
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
