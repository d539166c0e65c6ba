#include "drivesys/platform/ncore/nfile.h"

#include <cstdlib>
#include <filesystem>
#include <fmt/format.h>
#include <mutex>

namespace {
constexpr size_t kFlushSize = 1 << 16;

std::mutex& projectDirMutex() {
    static std::mutex m;
    return m;
}
nWString& projectDirOverride() {
    static nWString dir;
    return dir;
}
}  // namespace

nFStream::nFStream() = default;
nFStream::~nFStream() { detach(); }

void nFStream::attach(std::FILE* file, bool writing, nFileEncoding encoding) {
    detach();
    file_ = file;
    writing_ = writing;
    encoding_ = encoding;
    if (writing) buffer_.reserve(kFlushSize + 256);
}

void nFStream::detach() {
    if (!file_) return;
    flush();
    std::fclose(file_);
    file_ = nullptr;
    buffer_.clear();
}

void nFStream::flush() {
    if (!file_ || !writing_ || buffer_.empty()) return;
    std::fwrite(buffer_.data(), 1, buffer_.size(), file_);
    buffer_.clear();
}

void nFStream::writeBytes(const char* data, size_t n) {
    if (!accepting()) return;
    buffer_.append(data, n);
    if (buffer_.size() >= kFlushSize) flush();
}

nFStream& nFStream::operator<<(const nWString& text) {
    if (!accepting()) return *this;
    // ASCII goes straight through; anything else through the UTF-8 (or Latin-1) conversion.
    bool ascii = true;
    for (wchar_t c : text)
        if (static_cast<uint32_t>(c) >= 0x80) {
            ascii = false;
            break;
        }
    if (ascii) {
        const size_t start = buffer_.size();
        buffer_.resize(start + text.size());
        for (size_t i = 0; i < text.size(); ++i) buffer_[start + i] = static_cast<char>(text[i]);
        if (buffer_.size() >= kFlushSize) flush();
    } else {
        const std::string bytes = encoding_ == nFileEncodingUtf8 ? text.toUtf8() : text.toLatin1();
        writeBytes(bytes.data(), bytes.size());
    }
    return *this;
}

nFStream& nFStream::operator<<(const wchar_t* text) { return *this << nWString(text); }

nFStream& nFStream::writeRaw(std::string_view bytes) {
    writeBytes(bytes.data(), bytes.size());
    return *this;
}

template <class T> static void appendNumber(std::string& buffer, T value) {
    fmt::format_to(std::back_inserter(buffer), "{}", value);
}

nFStream& nFStream::operator<<(int value) {
    if (accepting()) appendNumber(buffer_, value);
    return *this;
}
nFStream& nFStream::operator<<(unsigned int value) {
    if (accepting()) appendNumber(buffer_, value);
    return *this;
}
nFStream& nFStream::operator<<(int64_t value) {
    if (accepting()) appendNumber(buffer_, value);
    return *this;
}
nFStream& nFStream::operator<<(uint64_t value) {
    if (accepting()) appendNumber(buffer_, value);
    return *this;
}
nFStream& nFStream::operator<<(double value) {
    if (accepting()) appendNumber(buffer_, value);
    return *this;
}

void nFStream::newLine() {
    if (!accepting()) return;
    buffer_.push_back('\n');
    if (buffer_.size() >= kFlushSize) flush();
}

nFStream& endl(nFStream& stream) {
    stream.newLine();
    return stream;
}

nFile::nFile(const nWString& path, int openMode, bool text, nFileEncoding encoding) { open(path, openMode, text, encoding); }

nFile::~nFile() { close(); }

bool nFile::open(const nWString& path, int openMode, bool text, nFileEncoding encoding) {
    close();
    eof_ = false;
    const char* mode = nullptr;
    bool writing = false;
    switch (openMode) {
        case 1: mode = "rb"; break;
        case 2: mode = "wb"; writing = true; break;
        case 10: mode = "ab"; writing = true; break;
        default: return false;
    }
    (void)text;  // lines end in '\n' on every platform we write for
    if (path.empty()) return false;
    std::FILE* f = std::fopen(path.toUtf8().c_str(), mode);
    if (!f) return false;
    attach(f, writing, encoding);
    return true;
}

void nFile::close() {
    detach();
    eof_ = false;
}

bool nFile::eof() const { return !file_ || writing_ || eof_; }

bool nFile::readLine(nString& line, char delimiter) {
    line.clear();
    if (!file_ || writing_ || eof_) return false;
    bool any = false;
    for (;;) {
        const int c = std::fgetc(file_);
        if (c == EOF) {
            eof_ = true;
            break;
        }
        any = true;
        if (static_cast<char>(c) == delimiter) break;
        line.push_back(static_cast<char>(c));
    }
    if (!any) return false;
    if (delimiter == '\n' && !line.empty() && line.back() == '\r') line.pop_back();
    return true;
}

nWString nFile::GetProjectDir() {
    {
        std::lock_guard lock(projectDirMutex());
        if (!projectDirOverride().empty()) return projectDirOverride();
    }
    if (const char* env = std::getenv("DRIVESYS_PROJECT_DIR"); env && *env) return nWString::fromUtf8(env);
    std::error_code ec;
    const auto cwd = std::filesystem::current_path(ec);
    return ec ? nWString(L".") : nWString::fromUtf8(cwd.string());
}

void nFile::SetProjectDir(const nWString& dir) {
    std::lock_guard lock(projectDirMutex());
    projectDirOverride() = dir;
}
