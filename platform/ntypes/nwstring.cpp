#include "drivesys/platform/ntypes/nwstring.h"

#include <fmt/format.h>
#include <fmt/xchar.h>

namespace {
bool isSpace(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; }

void appendUtf8(std::string& out, char32_t cp) {
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}
}  // namespace

namespace ntypes {
std::string toUtf8(std::wstring_view text) {
    std::string out;
    out.reserve(text.size());
    for (wchar_t c : text) appendUtf8(out, static_cast<char32_t>(static_cast<uint32_t>(c)));
    return out;
}

std::wstring fromUtf8(std::string_view s) {
    std::wstring out;
    out.reserve(s.size());
    size_t i = 0;
    const size_t n = s.size();
    while (i < n) {
        const auto b0 = static_cast<unsigned char>(s[i]);
        if (b0 < 0x80) {
            out.push_back(static_cast<wchar_t>(b0));
            ++i;
            continue;
        }
        size_t len = 0;
        char32_t cp = 0;
        char32_t minCp = 0;
        if (b0 >= 0xC2 && b0 <= 0xDF) { len = 2; cp = b0 & 0x1F; minCp = 0x80; }
        else if (b0 >= 0xE0 && b0 <= 0xEF) { len = 3; cp = b0 & 0x0F; minCp = 0x800; }
        else if (b0 >= 0xF0 && b0 <= 0xF4) { len = 4; cp = b0 & 0x07; minCp = 0x10000; }
        else { out.push_back(0xFFFD); ++i; continue; }
        size_t k = 1;
        for (; k < len && i + k < n; ++k) {
            const auto b = static_cast<unsigned char>(s[i + k]);
            if ((b & 0xC0) != 0x80) break;
            cp = (cp << 6) | (b & 0x3F);
        }
        if (k < len || cp < minCp || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            out.push_back(0xFFFD);
            i += (k < len) ? k : len;  // skip the bytes that belonged to the broken sequence
            continue;
        }
        out.push_back(static_cast<wchar_t>(cp));
        i += len;
    }
    return out;
}
}  // namespace ntypes

nWString::nWString(int value) : std::wstring(fmt::format(L"{}", value)) {}
nWString::nWString(unsigned value) : std::wstring(fmt::format(L"{}", value)) {}
nWString::nWString(long long value) : std::wstring(fmt::format(L"{}", value)) {}
nWString::nWString(unsigned long long value) : std::wstring(fmt::format(L"{}", value)) {}
nWString::nWString(double value) : std::wstring(fmt::format(L"{}", value)) {}

nWString nWString::Trim() const {
    size_t b = 0, e = size();
    while (b < e && isSpace((*this)[b])) ++b;
    while (e > b && isSpace((*this)[e - 1])) --e;
    return nWString(substr(b, e - b));
}

std::vector<nWString> nWString::ToStringList(wchar_t separator) const {
    std::vector<nWString> parts;
    if (empty()) return parts;
    size_t start = 0;
    for (;;) {
        const size_t pos = find(separator, start);
        if (pos == npos) {
            parts.emplace_back(substr(start));
            break;
        }
        parts.emplace_back(substr(start, pos - start));
        start = pos + 1;
    }
    return parts;
}

std::vector<nString> nString::ToStringList(char separator, bool keepEmpty) const {
    std::vector<nString> parts;
    if (empty()) return parts;
    size_t start = 0;
    for (;;) {
        const size_t pos = find(separator, start);
        const size_t end = pos == npos ? size() : pos;
        if (keepEmpty || end > start) parts.emplace_back(std::string_view(*this).substr(start, end - start));
        if (pos == npos) break;
        start = pos + 1;
    }
    return parts;
}

std::string nWString::toLatin1() const {
    std::string out;
    out.reserve(size());
    for (wchar_t c : *this) out.push_back(static_cast<uint32_t>(c) <= 0xFF ? static_cast<char>(c) : '?');
    return out;
}

nWString nWString::fromLatin1(std::string_view text) {
    nWString out;
    out.reserve(text.size());
    for (char c : text) out.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
    return out;
}

std::string nWString::toUtf8() const { return ntypes::toUtf8(*this); }
nWString nWString::fromUtf8(std::string_view text) { return nWString(ntypes::fromUtf8(text)); }
