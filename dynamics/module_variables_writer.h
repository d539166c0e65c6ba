#pragma once
// Builds module-variable lines with a reusable key buffer: key parts are appended, a mark taken
// before a nested part restores the enclosing prefix. Keys are ASCII and go to the stream as
// they are; values go through the stream's own formatting.
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

#include <fmt/format.h>

#include "platform/ncore/nfile.h"

namespace ds {

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
