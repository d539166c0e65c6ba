#pragma once
// Builds module-variable lines with a reusable key buffer: key parts are appended, a mark taken
// before a nested part restores the enclosing prefix. Keys are ASCII and go to the stream as
// they are; values go through the stream's own formatting, texts with their line-breaking
// characters replaced (singleLineValue). The writers build a whole block in a memory stream and
// hand it to appendModuleVariablesBlock.
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

#include <fmt/format.h>

#include "drivesys/platform/drivesys_export.h"
#include "drivesys/platform/ncore/nfile.h"

namespace ds {

/// `text` with every character that could end or disturb a line replaced by a blank: C0 controls
/// (line feed, carriage return, tab, ...), DEL, C1 controls (next line, ...) and the line and
/// paragraph separators U+2028/U+2029. A value read back line by line is then the value written.
DRIVESYS_API nWString singleLineValue(const nWString& text);

/// Appends `block` to the file `path` (created when missing) with one write under an exclusive
/// lock of the file, after a line feed when the file's last line lacks one. On any failure the
/// file is cut back to its previous length, `error` (when given) says why and the result is
/// false.
DRIVESYS_API bool appendModuleVariablesBlock(const wchar_t* path, std::string_view block, std::string* error);

/// Builds the block of `results` with `write` in memory and appends it (appendModuleVariablesBlock).
template <class Results>
bool appendModuleVariables(const wchar_t* path, void (*write)(nFStream&, const Results&), const Results& results,
                           std::string* error) {
    nMemoryStream block(nFileEncodingUtf8);
    write(block, results);
    return appendModuleVariablesBlock(path, block.bytes(), error);
}

class ModuleVariableLines {
public:
    explicit ModuleVariableLines(nFStream& out, std::string_view prefix) : out_(out), key_(prefix) {
        key_.reserve(256);
    }

    size_t mark() const { return key_.size(); }
    void restore(size_t mark) { key_.resize(mark); }

    ModuleVariableLines& add(std::string_view text) {
        key_.append(text);
        return *this;
    }
    /// Appends a position or number as an unsigned decimal.
    ModuleVariableLines& add(uint64_t number) {
        fmt::format_to(std::back_inserter(key_), "{}", number);
        return *this;
    }
    ModuleVariableLines& add(int number) {
        fmt::format_to(std::back_inserter(key_), "{}", number);
        return *this;
    }

    /// One line: the current key, `name` (ending in '='), the value and the line end.
    template <class T> void line(std::string_view name, const T& value) {
        out_.writeRaw(key_).writeRaw(name);
        out_ << value;
        out_ << endl;
    }
    void line(std::string_view name, bool value) { line(name, value ? 1 : 0); }
    void line(std::string_view name, const nWString& value) {
        out_.writeRaw(key_).writeRaw(name);
        out_ << singleLineValue(value);
        out_ << endl;
    }

    /// The small-value rule: key + `name` + "_x=", and the integer 0 when |value| < 1e-10.
    void smallValueLine(std::string_view name, double value) {
        out_.writeRaw(key_).writeRaw(name).writeRaw("_x=");
        if (std::fabs(value) < 1e-10) out_ << 0;
        else out_ << value;
        out_ << endl;
    }

private:
    nFStream& out_;
    std::string key_;
};

}  // namespace ds
