#include "tools/cli_io.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <streambuf>

namespace drivesys_cli {
namespace {

std::string reason() { return std::strerror(errno); }

struct Fd {
    int fd = -1;
    bool owned = true;
    ~Fd() {
        if (owned && fd >= 0) ::close(fd);
    }
};

/// Reads from `fd` until end of file or until `limit` bytes are held; returns false when more
/// than `limit` bytes were on offer.
bool readAll(int fd, std::uintmax_t limit, std::string& out, const std::string& name) {
    char buffer[1 << 16];
    for (;;) {
        const std::uintmax_t room = limit - out.size();
        // One byte beyond the limit tells "exactly at the limit" from "longer".
        const size_t want = size_t(std::min<std::uintmax_t>(sizeof buffer, room + 1));
        const ssize_t n = ::read(fd, buffer, want);
        if (n < 0) {
            if (errno == EINTR) continue;
            throw UsageError("cannot read " + name + ": " + reason());
        }
        if (n == 0) return true;
        if (std::uintmax_t(n) > room) return false;
        out.append(buffer, size_t(n));
    }
}

/// The stream buffer of a file being written: passes its content on in blocks and keeps the
/// reason of the first failed write (after which it takes nothing more).
class FileBuffer : public std::streambuf {
public:
    explicit FileBuffer(int fd) : fd_(fd) { setp(block_, block_ + sizeof block_); }
    const std::string& failure() const { return failure_; }

protected:
    int_type overflow(int_type c) override {
        if (!drain()) return traits_type::eof();
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(c);
            pbump(1);
        }
        return traits_type::not_eof(c);
    }
    int sync() override { return drain() ? 0 : -1; }

private:
    bool drain() {
        if (!failure_.empty()) return false;
        const char* at = pbase();
        while (at < pptr()) {
            const ssize_t n = ::write(fd_, at, size_t(pptr() - at));
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                failure_ = n < 0 ? reason() : "nothing written";
                return false;
            }
            at += n;
        }
        setp(block_, block_ + sizeof block_);
        return true;
    }

    int fd_;
    char block_[1 << 16];
    std::string failure_;
};

}  // namespace

std::string inputName(const std::string& arg) { return arg == "-" ? std::string("standard input") : arg; }

std::string readInput(const std::string& arg) { return readInput(arg, kStreamInputLimit); }

std::string readInput(const std::string& arg, std::uintmax_t streamLimit) {
    const std::string name = inputName(arg);
    Fd file;
    if (arg == "-") {
        file.fd = STDIN_FILENO;
        file.owned = false;
    } else {
        if (arg.empty()) throw UsageError("no input file named");
        file.fd = ::open(nativePath(arg).c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
        if (file.fd < 0) throw UsageError("cannot open " + name + ": " + reason());
    }
    struct stat st {};
    if (::fstat(file.fd, &st) != 0) throw UsageError("cannot read " + name + ": " + reason());
    if (S_ISDIR(st.st_mode)) throw UsageError(name + " is a folder, not a file");
    std::string text;
    // A regular file is read by its size (and no further, should it grow meanwhile); files that
    // report size 0 without being empty (/proc) and every other kind are read as streams.
    const bool bySize = S_ISREG(st.st_mode) && st.st_size > 0;
    const std::uintmax_t limit = bySize ? std::uintmax_t(st.st_size) : streamLimit;
    if (bySize) text.reserve(size_t(st.st_size));
    if (!readAll(file.fd, limit, text, name) && !bySize)
        throw UsageError(name + " is not a regular file and holds more than " + std::to_string(streamLimit >> 20) +
                         " MiB (" + std::to_string(streamLimit) + " bytes), the limit for such inputs; refusing to read on");
    return text;
}

nlohmann::json readJsonInput(const std::string& arg) { return parseJsonInput(readInput(arg), arg); }

nlohmann::json parseJsonInput(const std::string& text, const std::string& arg) {
    try {
        return nlohmann::json::parse(text);
    } catch (const nlohmann::json::parse_error& e) {
        throw notValidJson(arg, e);
    }
}

UsageError notValidJson(const std::string& arg, const nlohmann::json::exception& e) {
    constexpr size_t kQuoted = 80;
    std::string what = e.what();
    const std::string mark = "; last read: '";
    const size_t from = what.rfind(mark);
    if (from != std::string::npos && what.size() > from + mark.size() + kQuoted + 1 && what.back() == '\'') {
        size_t keep = what.size() - 1 - kQuoted;
        // Not from the middle of a UTF-8 sequence.
        while (keep < what.size() && (static_cast<unsigned char>(what[keep]) & 0xC0) == 0x80) ++keep;
        what = what.substr(0, from + mark.size()) + "..." + what.substr(keep);
    }
    return UsageError(inputName(arg) + " is not valid JSON: " + what);
}

void writeOutput(const std::filesystem::path& path, std::string_view text) {
    writeOutput(path, [text](std::ostream& out) { out.write(text.data(), std::streamsize(text.size())); });
}

void writeOutput(const std::filesystem::path& path, const std::function<void(std::ostream&)>& write) {
    Fd file;
    file.fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOCTTY, 0666);
    if (file.fd < 0) throw UsageError("cannot write " + path.string() + ": " + reason());
    FileBuffer buffer(file.fd);
    std::ostream out(&buffer);
    write(out);
    out.flush();
    if (!buffer.failure().empty()) throw RefusedError("cannot write " + path.string() + ": " + buffer.failure());
    if (::close(file.fd) != 0) {
        file.fd = -1;
        throw RefusedError("cannot write " + path.string() + ": " + reason());
    }
    file.fd = -1;
}

void appendOutput(const std::filesystem::path& path, std::string_view text) {
    Fd file;
    file.fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_APPEND | O_CLOEXEC | O_NOCTTY, 0666);
    if (file.fd < 0) throw RefusedError("cannot open " + path.string() + ": " + reason());
    struct stat st {};
    if (::fstat(file.fd, &st) != 0) throw RefusedError("cannot write " + path.string() + ": " + reason());
    if (S_ISDIR(st.st_mode)) throw UsageError(path.string() + " is a folder, not a file");
    const bool regular = S_ISREG(st.st_mode);
    // One block at a time per file, across threads and processes; the size is read under the lock.
    if (regular) {
        int locked;
        do {
            locked = ::flock(file.fd, LOCK_EX);
        } while (locked != 0 && errno == EINTR);
        if (locked != 0) throw RefusedError("cannot lock " + path.string() + ": " + reason());
        if (::fstat(file.fd, &st) != 0) throw RefusedError("cannot write " + path.string() + ": " + reason());
    }
    const off_t before = st.st_size;
    // A file that does not end with a line feed gets one first, in the same write, so that its
    // last line and the block's first stay apart.
    std::string joined;
    if (regular && before > 0) {
        char last = '\n';
        if (::pread(file.fd, &last, 1, before - 1) == 1 && last != '\n') {
            joined.reserve(text.size() + 1);
            joined = "\n";
            joined.append(text);
            text = joined;
        }
    }
    ssize_t n;
    do {
        n = ::write(file.fd, text.data(), text.size());
    } while (n < 0 && errno == EINTR);
    if (n == ssize_t(text.size()) && ::fsync(file.fd) == 0) return;
    const std::string why = n < 0 ? reason() : n == ssize_t(text.size()) ? reason() : "the device is full";
    // Never leave a partial block behind.
    if (regular && ::ftruncate(file.fd, before) != 0) {
        throw RefusedError("cannot append to " + path.string() + ": " + why + "; cutting it back to its previous " +
                           std::to_string(before) + " bytes failed too: " + reason());
    }
    throw RefusedError("cannot append to " + path.string() + ": " + why);
}

TempFile::TempFile() {
    std::error_code ec;
    std::filesystem::path dir = std::filesystem::temp_directory_path(ec);
    if (ec) dir = "/tmp";
    std::string pattern = (dir / "drivesys-XXXXXX").string();
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) throw RefusedError("cannot create a temporary file in " + dir.string() + ": " + reason());
    ::close(fd);
    path_ = pattern;
}

TempFile::TempFile(std::string_view content) : TempFile() { writeOutput(path_, content); }

TempFile::~TempFile() {
    std::error_code ec;
    std::filesystem::remove(path_, ec);
}

CLI::Validator inputFileValidator() {
    return CLI::Validator(
        [](std::string& arg) -> std::string {
            if (arg == "-") return {};
            std::error_code ec;
            const auto status = std::filesystem::status(nativePath(arg), ec);
            if (ec || !std::filesystem::exists(status)) return "no such file: " + arg;
            if (std::filesystem::is_directory(status)) return arg + " is a folder, not a file";
            return {};
        },
        "FILE");
}

}  // namespace drivesys_cli
