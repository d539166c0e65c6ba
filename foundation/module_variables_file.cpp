// Appending a module-variables block to its file: the block lands whole or not at all, even when
// several threads or processes append to the same file or the disk fills up.
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>
#include <utility>

#include "drivesys/foundation/module_variables_writer.h"

namespace ds {
namespace {

bool fail(std::string* error, std::string text) {
    if (error) *error = std::move(text);
    return false;
}

std::string systemError(int code) { return std::strerror(code); }

/// Closes the descriptor (and so releases its lock) however the append ends.
struct Descriptor {
    int fd = -1;
    ~Descriptor() {
        if (fd >= 0) ::close(fd);
    }
};

/// Writes both parts with as few writev calls as the kernel allows (one for a regular file);
/// false with errno set when a call fails.
bool writeAll(int fd, std::string_view lead, std::string_view block) {
    iovec parts[2] = {{const_cast<char*>(lead.data()), lead.size()}, {const_cast<char*>(block.data()), block.size()}};
    iovec* next = lead.empty() ? parts + 1 : parts;
    int count = lead.empty() ? 1 : 2;
    while (count > 0) {
        const ssize_t n = ::writev(fd, next, count);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) {
            errno = EIO;
            return false;
        }
        size_t done = static_cast<size_t>(n);
        while (count > 0 && done >= next->iov_len) {
            done -= next->iov_len;
            ++next;
            --count;
        }
        if (count > 0) {
            next->iov_base = static_cast<char*>(next->iov_base) + done;
            next->iov_len -= done;
        }
    }
    return true;
}

}  // namespace

nWString singleLineValue(const nWString& text) {
    auto breaksLine = [](wchar_t c) {
        const auto u = static_cast<uint32_t>(c);
        return u < 0x20 || (u >= 0x7F && u <= 0x9F) || u == 0x2028 || u == 0x2029;
    };
    nWString result;
    bool clean = true;
    for (wchar_t c : text)
        if (breaksLine(c)) {
            clean = false;
            break;
        }
    if (clean) return text;
    result.reserve(text.size());
    for (wchar_t c : text) result.push_back(breaksLine(c) ? L' ' : c);
    return result;
}

bool appendModuleVariablesBlock(const wchar_t* path, std::string_view block, std::string* error) {
    if (!path || !*path) return fail(error, "no module-variables file name given");
    const std::string name = nWString(path).toUtf8();
    if (block.empty()) return true;
    // Read access only serves the look at the last byte; a write-only file is appended to all
    // the same. O_NONBLOCK keeps a FIFO without reader from blocking the caller for ever.
    Descriptor file;
    bool readable = true;
    file.fd = ::open(name.c_str(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0666);
    if (file.fd < 0 && errno == EACCES) {
        readable = false;
        file.fd = ::open(name.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0666);
    }
    if (file.fd < 0) return fail(error, "cannot open " + name + ": " + systemError(errno));
    // An exclusive lock of the whole file for the look at its end, the write and a possible cut
    // back: appenders in other threads and processes wait for each other.
    while (::flock(file.fd, LOCK_EX) != 0)
        if (errno != EINTR) return fail(error, "cannot lock " + name + ": " + systemError(errno));
    struct stat info {};
    if (::fstat(file.fd, &info) != 0) return fail(error, "cannot examine " + name + ": " + systemError(errno));
    const bool regular = S_ISREG(info.st_mode);
    const off_t before = regular ? info.st_size : 0;

    // A file whose last line lacks its line feed gets one, so the block starts on a line of its own.
    std::string_view lead;
    if (regular && readable && before > 0) {
        char last = '\n';
        if (::pread(file.fd, &last, 1, before - 1) == 1 && last != '\n') lead = "\n";
    }
    if (writeAll(file.fd, lead, block)) {
        const int fd = std::exchange(file.fd, -1);
        // A file system that reports its errors only when the file is closed (some network
        // ones do): the lock is gone by then, so the file cannot be cut back safely.
        if (::close(fd) != 0)
            return fail(error, "cannot write " + name + ": " + systemError(errno) + " (reported on closing the file)");
        return true;
    }
    const int writeError = errno;
    std::string text = "cannot write " + name + ": " + systemError(writeError);
    if (regular) {
        if (::ftruncate(file.fd, before) == 0) text += " (nothing was appended)";
        else text += "; cutting it back to its previous " + std::to_string(before) + " bytes failed: " + systemError(errno);
    }
    return fail(error, std::move(text));
}

}  // namespace ds
