#pragma once
// Text files of the suite: nFile with its stream interface nFStream.
//
// Open modes: 1 = input; 2 = output (the file is replaced); 10 = output and append (existing
// content stays, lines are added at the end). Encoding 1 = UTF-8 (wide text is written as UTF-8;
// invalid code points become U+FFFD); 0 = Latin-1 (code points above U+00FF become '?').
//
// Output is buffered and written in large blocks. Numbers are written in their shortest exact
// text: integers in decimal, doubles as the shortest text that reads back to the same value
// ("0.1", "1e-05", "inf", "nan"). A file that could not be opened makes every write a no-op and
// every read fail; nothing throws.
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <utility>

#include "drivesys/platform/drivesys_export.h"
#include "drivesys/platform/ntypes/nwstring.h"

enum nFileEncoding : int { nFileEncodingLatin1 = 0, nFileEncodingUtf8 = 1 };

class DRIVESYS_API nFStream {
public:
    nFStream();
    virtual ~nFStream();
    nFStream(const nFStream&) = delete;
    nFStream& operator=(const nFStream&) = delete;

    nFStream& operator<<(const nWString& text);
    nFStream& operator<<(const wchar_t* text);
    nFStream& operator<<(int value);
    nFStream& operator<<(unsigned int value);
    nFStream& operator<<(int64_t value);
    nFStream& operator<<(uint64_t value);
    nFStream& operator<<(long long value) { return *this << static_cast<int64_t>(value); }
    nFStream& operator<<(unsigned long long value) { return *this << static_cast<uint64_t>(value); }
    nFStream& operator<<(double value);
    nFStream& operator<<(nFStream& (*manipulator)(nFStream&)) { return manipulator(*this); }
    /// Writes bytes that are already in the file's encoding (ASCII keys, UTF-8 text of a UTF-8
    /// file) without conversion.
    nFStream& writeRaw(std::string_view bytes);

    /// Ends the current line.
    void newLine();
    bool is_open() const { return file_ != nullptr; }
    /// Writes what is buffered to the file.
    void flush();

protected:
    void writeBytes(const char* data, size_t n);
    void attach(std::FILE* file, bool writing, nFileEncoding encoding);
    void detach();
    /// True when writes are kept: an open output file, or a memory stream.
    bool accepting() const { return memory_ || (file_ && writing_); }
    std::FILE* file_ = nullptr;
    bool writing_ = false;
    bool memory_ = false;
    nFileEncoding encoding_ = nFileEncodingUtf8;
    std::string buffer_;
};

/// Ends the line of a stream: `file << key << L"=" << value << endl;`
DRIVESYS_API nFStream& endl(nFStream& stream);

/// A stream that keeps everything written to it in memory, in the given encoding, so that a
/// whole text can be built before it goes anywhere.
class DRIVESYS_API nMemoryStream : public nFStream {
public:
    explicit nMemoryStream(nFileEncoding encoding = nFileEncodingUtf8) {
        memory_ = true;
        encoding_ = encoding;
    }
    const std::string& bytes() const { return buffer_; }
    /// The bytes written so far; the stream starts empty again.
    std::string take() { return std::exchange(buffer_, std::string()); }
};

class DRIVESYS_API nFile : public nFStream {
public:
    nFile() = default;
    nFile(const nWString& path, int openMode, bool text, nFileEncoding encoding = nFileEncodingUtf8);
    ~nFile() override;

    bool open(const nWString& path, int openMode, bool text, nFileEncoding encoding = nFileEncodingUtf8);
    void close();
    /// True once a read found no further data (or the file is not open for reading).
    bool eof() const;
    /// The next line without its end ('\n', and a '\r' before it); false when no line could be read.
    bool readLine(nString& line, char delimiter = '\n');

    /// The folder of the current project (start folder of file choosers). Taken from the
    /// environment variable DRIVESYS_PROJECT_DIR, else the current folder, unless set.
    static nWString GetProjectDir();
    static void SetProjectDir(const nWString& dir);

private:
    bool eof_ = false;
};
