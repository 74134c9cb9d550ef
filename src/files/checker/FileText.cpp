#include "files/checker/FileText.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <string>
#include <utility>

#include "platform/CodePage.h"
#include "platform/Files.h"

namespace files::checker {
namespace {

class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(Descriptor&& other) noexcept : fd_(other.release()) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }

  private:
    int fd_;
};

// Opens a regular file for reading; -1 (closed) for anything else. O_NONBLOCK
// keeps a pipe with the file's name from blocking the open.
Descriptor OpenRegularFile(const std::filesystem::path& file, struct stat& status) {
    Descriptor fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() >= 0 && (::fstat(fd.get(), &status) != 0 || !S_ISREG(status.st_mode)))
        return Descriptor(-1);
    return fd;
}

// Reads up to `size` bytes; fewer when the file ended sooner. Returns false
// on a read error.
bool ReadUpTo(int fd, char* bytes, std::size_t size, std::size_t& read) {
    read = 0;
    while (read < size) {
        const ssize_t n = ::read(fd, bytes + read, size - read);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) break;
        read += static_cast<std::size_t>(n);
    }
    return true;
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

// ---- the mappings that a cut file must not turn into a crash ----
//
// Reading a page of a mapping past the end of a file raises SIGBUS. The
// handler looks the address up among the checker's mappings, maps zeros
// over the rest of that mapping and marks it cut; the read then goes on.
// A SIGBUS elsewhere goes to the handler that was there before.

struct MappedRange {
    std::atomic<bool> used{false};
    std::atomic<std::uintptr_t> begin{0}, end{0};
    std::atomic<bool> cut{false};
};
static_assert(std::atomic<std::uintptr_t>::is_always_lock_free);

constexpr std::size_t kMappedRanges = 64;
std::array<MappedRange, kMappedRanges> gMappedRanges;
struct sigaction gPreviousBusAction {};
std::uintptr_t gPageSize = 4096;

void OnBusError(int signal, siginfo_t* info, void* context) {
    const auto address = reinterpret_cast<std::uintptr_t>(info->si_addr);
    for (MappedRange& range : gMappedRanges) {
        const std::uintptr_t begin = range.begin.load(std::memory_order_acquire);
        const std::uintptr_t end = range.end.load(std::memory_order_acquire);
        if (begin == 0 || address < begin || address >= end) continue;
        const std::uintptr_t page = address & ~(gPageSize - 1);
        void* zeros = ::mmap(reinterpret_cast<void*>(page), end - page, PROT_READ,
                             MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0);
        if (zeros != MAP_FAILED) {
            range.cut.store(true, std::memory_order_release);
            return;
        }
    }
    if (gPreviousBusAction.sa_flags & SA_SIGINFO) {
        if (gPreviousBusAction.sa_sigaction) gPreviousBusAction.sa_sigaction(signal, info, context);
        return;
    }
    if (gPreviousBusAction.sa_handler == SIG_DFL || gPreviousBusAction.sa_handler == SIG_IGN) {
        // Ends the process as before: the signal stays blocked until the
        // handler returns, and is then taken the default way.
        ::signal(SIGBUS, SIG_DFL);
        ::raise(SIGBUS);
        return;
    }
    gPreviousBusAction.sa_handler(signal);
}

void InstallBusErrorHandler() {
    static std::once_flag installed;
    std::call_once(installed, [] {
        gPageSize = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
        struct sigaction action {};
        action.sa_sigaction = OnBusError;
        action.sa_flags = SA_SIGINFO | SA_RESTART;
        sigemptyset(&action.sa_mask);
        ::sigaction(SIGBUS, &action, &gPreviousBusAction);
    });
}

// Claims a free range for [begin, end); nullptr when all are taken.
MappedRange* ClaimRange(std::uintptr_t begin, std::uintptr_t end) {
    for (MappedRange& range : gMappedRanges) {
        if (range.used.exchange(true, std::memory_order_acq_rel)) continue;
        range.cut.store(false, std::memory_order_relaxed);
        range.end.store(end, std::memory_order_release);
        range.begin.store(begin, std::memory_order_release);
        return &range;
    }
    return nullptr;
}

void ReleaseRange(MappedRange& range) {
    range.begin.store(0, std::memory_order_release);
    range.end.store(0, std::memory_order_release);
    range.used.store(false, std::memory_order_release);
}

bool SameTime(const struct timespec& a, const struct timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

}  // namespace

// A read-only private mapping of a whole file, with its descriptor, kept
// open to tell later whether the file changed.
class FileText::Mapping {
  public:
    // nullptr when the file cannot be mapped (then it is read instead).
    static std::unique_ptr<Mapping> of(Descriptor& fd, const struct stat& status) {
        const auto size = static_cast<std::size_t>(status.st_size);
        if (size == 0) return nullptr;
        InstallBusErrorHandler();
        // Pages already in memory are mapped at once rather than one fault at
        // a time.
        void* bytes = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd.get(), 0);
        if (bytes == MAP_FAILED) return nullptr;
        const auto begin = reinterpret_cast<std::uintptr_t>(bytes);
        const std::size_t length = (size + gPageSize - 1) & ~(gPageSize - 1);
        MappedRange* range = ClaimRange(begin, begin + length);
        if (!range) {
            ::munmap(bytes, size);
            return nullptr;
        }
        return std::unique_ptr<Mapping>(
            new Mapping(fd.release(), static_cast<const char*>(bytes), size, status, *range));
    }

    ~Mapping() {
        ReleaseRange(range_);
        ::munmap(const_cast<char*>(bytes_), size_);
        ::close(fd_);
    }
    Mapping(const Mapping&) = delete;
    Mapping& operator=(const Mapping&) = delete;

    const char* bytes() const { return bytes_; }

    bool isIntact() const {
        if (range_.cut.load(std::memory_order_acquire)) return false;
        struct stat now {};
        return ::fstat(fd_, &now) == 0 && now.st_size == status_.st_size &&
               SameTime(now.st_mtim, status_.st_mtim) && SameTime(now.st_ctim, status_.st_ctim);
    }

  private:
    Mapping(int fd, const char* bytes, std::size_t size, const struct stat& status,
            MappedRange& range)
        : fd_(fd), bytes_(bytes), size_(size), status_(status), range_(range) {}

    int fd_;
    const char* bytes_;
    std::size_t size_;
    struct stat status_;
    MappedRange& range_;
};

FileText::FileText() = default;
FileText::~FileText() = default;
FileText::FileText(FileText&&) noexcept = default;
FileText& FileText::operator=(FileText&&) noexcept = default;

std::optional<FileText> FileText::map(const std::filesystem::path& file) {
    struct stat status {};
    Descriptor fd = OpenRegularFile(file, status);
    if (fd.get() < 0) return std::nullopt;
    FileText text;
    text.mapping_ = Mapping::of(fd, status);
    if (!text.mapping_) return read(file);
    text.data_ = text.mapping_->bytes();
    text.size_ = static_cast<std::size_t>(status.st_size);
    return text;
}

std::optional<FileText> FileText::read(const std::filesystem::path& file) {
    struct stat status {};
    Descriptor fd = OpenRegularFile(file, status);
    if (fd.get() < 0) return std::nullopt;
    const auto size = static_cast<std::size_t>(status.st_size);
    FileText text;
    text.copy_ = std::make_unique_for_overwrite<char[]>(size);
    if (!ReadUpTo(fd.get(), text.copy_.get(), size, text.size_)) return std::nullopt;
    text.data_ = text.copy_.get();
    return text;
}

FileText FileText::fromBytes(std::string_view bytes) {
    FileText text;
    text.copy_ = std::make_unique_for_overwrite<char[]>(bytes.size());
    if (!bytes.empty()) std::memcpy(text.copy_.get(), bytes.data(), bytes.size());
    text.data_ = text.copy_.get();
    text.size_ = bytes.size();
    return text;
}

void FileText::convertFromOem() {
    const auto& table = OemTable();
    // A copy is converted in place, a mapping into a copy of its own.
    std::unique_ptr<char[]> converted;
    if (!copy_) converted = std::make_unique_for_overwrite<char[]>(size_);
    char* out = copy_ ? copy_.get() : converted.get();
    for (std::size_t i = 0; i < size_; ++i) out[i] = table[static_cast<unsigned char>(data_[i])];
    if (converted) {
        copy_ = std::move(converted);
        mapping_.reset();
        data_ = copy_.get();
    }
}

bool FileText::isIntact() const {
    return !mapping_ || mapping_->isIntact();
}

std::optional<FileText> ReadFileIn(const std::filesystem::path& folder, std::string_view name,
                                   FileSource source) {
    const auto file = platform::FindIgnoringCase(folder, name);
    if (!file) return std::nullopt;
    return source(*file);
}

}  // namespace files::checker
