#pragma once
// Wide and narrow strings of the suite, and the UTF-8 bridge that every JSON text and file uses.
//
// nWString is a std::wstring (wchar_t is 4 bytes here: one code point per element) with the
// suite's extra operations. Converting to UTF-8 never throws and always yields valid UTF-8:
// surrogates and values above U+10FFFF become U+FFFD. Converting from UTF-8 never throws either:
// every malformed sequence (bad lead byte, truncated, overlong, surrogate, above U+10FFFF)
// becomes one U+FFFD.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "drivesys/platform/drivesys_export.h"

class nString;

class DRIVESYS_API nWString : public std::wstring {
public:
    nWString() = default;
    nWString(const wchar_t* text) : std::wstring(text ? text : L"") {}
    nWString(const wchar_t* text, size_t n) : std::wstring(text, n) {}
    nWString(std::wstring text) : std::wstring(std::move(text)) {}
    nWString(std::wstring_view text) : std::wstring(text) {}
    explicit nWString(wchar_t c) : std::wstring(1, c) {}
    explicit nWString(int value);
    explicit nWString(unsigned value);
    explicit nWString(long long value);
    explicit nWString(unsigned long long value);
    explicit nWString(long value) : nWString(static_cast<long long>(value)) {}
    explicit nWString(unsigned long value) : nWString(static_cast<unsigned long long>(value)) {}
    /// Shortest text that reads back to the same double ("1.5", "0.1", "1e-05").
    explicit nWString(double value);

    const wchar_t* data() const { return c_str(); }

    /// Copy without leading and trailing white space (blank, tab, CR, LF).
    nWString Trim() const;
    /// Parts between separators; an empty text gives an empty list, "a,,b" gives three parts.
    std::vector<nWString> ToStringList(wchar_t separator = L',') const;
    /// Latin-1 text: code points above U+00FF become '?'.
    std::string toLatin1() const;
    static nWString fromLatin1(std::string_view text);
    /// UTF-8 text (never throws; invalid code points become U+FFFD).
    std::string toUtf8() const;
    static nWString fromUtf8(std::string_view text);
};

inline nWString operator+(const nWString& a, const nWString& b) {
    nWString r(a);
    r.append(b);
    return r;
}
inline nWString operator+(const nWString& a, const wchar_t* b) {
    nWString r(a);
    r.append(b ? b : L"");
    return r;
}
inline nWString operator+(const wchar_t* a, const nWString& b) {
    nWString r(a);
    r.append(b);
    return r;
}

/// Narrow (byte) string of the suite; its bytes are UTF-8 where a text is meant.
class DRIVESYS_API nString : public std::string {
public:
    nString() = default;
    nString(const char* text) : std::string(text ? text : "") {}
    nString(std::string text) : std::string(std::move(text)) {}
    nString(std::string_view text) : std::string(text) {}
    const char* data() const { return c_str(); }
    nWString toWide() const { return nWString::fromUtf8(*this); }
    /// Parts between separators. With `keepEmpty` true "a,,b" gives three parts; with false
    /// empty parts (runs of separators, a leading or trailing one) are dropped.
    std::vector<nString> ToStringList(char separator = ',', bool keepEmpty = true) const;
};

namespace ntypes {
/// UTF-8 bridge used for JSON and files.
DRIVESYS_API std::string toUtf8(std::wstring_view text);
DRIVESYS_API std::wstring fromUtf8(std::string_view text);
/// Narrow ASCII/UTF-8 name widened (used for member names).
inline nWString widen(std::string_view name) { return nWString::fromUtf8(name); }
}  // namespace ntypes
