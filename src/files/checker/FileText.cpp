#include "files/checker/FileText.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>

#include "platform/CodePage.h"

namespace files::checker {
namespace {

class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

  private:
    int fd_;
};

// Reads until end of file into `bytes`, growing it when the file grew since
// its size was taken. Returns false on a read error.
bool ReadAll(int fd, std::unique_ptr<char[]>& bytes, std::size_t& capacity, std::size_t& size) {
    size = 0;
    for (;;) {
        if (size == capacity) {
            const std::size_t grown = capacity < 4096 ? 4096 : capacity * 2;
            auto larger = std::make_unique_for_overwrite<char[]>(grown);
            if (size > 0) std::memcpy(larger.get(), bytes.get(), size);
            bytes = std::move(larger);
            capacity = grown;
        }
        const ssize_t n = ::read(fd, bytes.get() + size, capacity - size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) return true;
        size += static_cast<std::size_t>(n);
    }
}

// The OEM-to-ANSI table, built from the platform's conversion byte by byte.
const std::array<char, 256>& OemTable() {
    static const std::array<char, 256> table = [] {
        std::array<char, 256> bytes{};
        for (int b = 0; b < 256; ++b) bytes[b] = static_cast<char>(b);
        const std::string converted =
            platform::Cp866ToCp1251(std::string_view(bytes.data(), bytes.size()));
        std::array<char, 256> result{};
        std::memcpy(result.data(), converted.data(), result.size());
        return result;
    }();
    return table;
}

}  // namespace

std::optional<FileText> FileText::read(const std::filesystem::path& file) {
    // O_NONBLOCK keeps a pipe with the file's name from blocking the open;
    // anything but a regular file is refused below.
    Descriptor fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0) return std::nullopt;
    struct stat status {};
    if (::fstat(fd.get(), &status) != 0 || !S_ISREG(status.st_mode)) return std::nullopt;

    FileText text;
    // One byte more than the size, so that reaching end of file needs no
    // second allocation.
    std::size_t capacity = static_cast<std::size_t>(status.st_size) + 1;
    text.bytes_ = std::make_unique_for_overwrite<char[]>(capacity);
    if (!ReadAll(fd.get(), text.bytes_, capacity, text.size_)) return std::nullopt;
    return text;
}

FileText FileText::fromBytes(std::string_view bytes) {
    FileText text;
    text.bytes_ = std::make_unique_for_overwrite<char[]>(bytes.size() + 1);
    if (!bytes.empty()) std::memcpy(text.bytes_.get(), bytes.data(), bytes.size());
    text.size_ = bytes.size();
    return text;
}

void FileText::convertFromOem() {
    const auto& table = OemTable();
    char* bytes = bytes_.get();
    for (std::size_t i = 0; i < size_; ++i) bytes[i] = table[static_cast<unsigned char>(bytes[i])];
}

}  // namespace files::checker
