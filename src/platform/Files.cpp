#include "platform/Files.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <random>
#include <system_error>
#include <utility>

namespace platform {
namespace {

[[noreturn]] void throwErrno(const std::string& what) {
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
    int release() { return std::exchange(fd_, -1); }

private:
    int fd_;
};

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

}  // namespace

std::string readWholeFile(const std::filesystem::path& file) {
    FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) throwErrno("cannot open " + file.string());
    std::string bytes;
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            throwErrno("cannot read " + file.string());
        }
        if (n == 0) break;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    return bytes;
}

void writeFileAtomically(const std::filesystem::path& file, std::string_view bytes) {
    const auto folder = file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
    std::random_device random;
    std::string name = file.filename().string();
    name.insert(0, 1, '.');
    name.append(".tmp").append(std::to_string(random()));
    const auto temporary = folder / name;
    FileDescriptor fd(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
    if (fd.get() < 0) throwErrno("cannot create " + temporary.string());
    auto fail = [&](const std::string& what) {
        const int code = errno;
        ::close(fd.release());
        ::unlink(temporary.c_str());
        errno = code;
        throwErrno(what);
    };
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t n = ::write(fd.get(), bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            fail("cannot write " + file.string());
        }
        done += static_cast<std::size_t>(n);
    }
    if (::fsync(fd.get()) != 0) fail("cannot write " + file.string());
    if (::close(fd.release()) != 0) {
        const int code = errno;
        ::unlink(temporary.c_str());
        errno = code;
        throwErrno("cannot write " + file.string());
    }
    if (::rename(temporary.c_str(), file.c_str()) != 0) {
        const int code = errno;
        ::unlink(temporary.c_str());
        errno = code;
        throwErrno("cannot replace " + file.string());
    }
}

std::optional<std::filesystem::path> findIgnoringCase(const std::filesystem::path& folder,
                                                      std::string_view name) {
    std::error_code ec;
    if (std::filesystem::exists(folder / name, ec)) return folder / name;
    std::filesystem::directory_iterator it(folder, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        if (equalsIgnoringAsciiCase(it->path().filename().string(), name)) return it->path();
    }
    return std::nullopt;
}

}  // namespace platform
