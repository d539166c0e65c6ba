#include "drivesys/platform/nmath/ncolor.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>

namespace {
struct Rgb {
    uint8_t r, g, b;
};

// Scheme 0: the sketch colours (see the table in ncolor.h). Distinct hues of similar weight so
// that neighbouring elements stay apart in the sketch.
constexpr std::array<Rgb, 12> kScheme0{{
    {0x4E, 0x79, 0xA7},
    {0xF2, 0x8E, 0x2B},
    {0x7A, 0x86, 0x91},
    {0x59, 0xA1, 0x4F},
    {0x9C, 0x75, 0x5F},
    {0xE1, 0x57, 0x59},
    {0xED, 0xC9, 0x48},
    {0x76, 0xB7, 0xB2},
    {0xB0, 0x7A, 0xA1},
    {0xFF, 0x9D, 0xA7},
    {0xBA, 0xB0, 0xAC},
    {0x2F, 0x4B, 0x7C},
}};

// Scheme 1: the curve colours of diagrams, 17 types (0 … 16). Type 1 is the signal colour of
// point markers; neighbouring types differ strongly in hue so that curves drawn in counter order
// stay apart.
constexpr std::array<Rgb, 17> kScheme1{{
    {0x1F, 0x77, 0xB4},  //  0 blue
    {0xD6, 0x27, 0x28},  //  1 red
    {0x2C, 0xA0, 0x2C},  //  2 green
    {0xFF, 0x7F, 0x0E},  //  3 orange
    {0x94, 0x67, 0xBD},  //  4 purple
    {0x8C, 0x56, 0x4B},  //  5 brown
    {0xE3, 0x77, 0xC2},  //  6 pink
    {0x17, 0xBE, 0xCF},  //  7 cyan
    {0xBC, 0xBD, 0x22},  //  8 olive
    {0x7F, 0x7F, 0x7F},  //  9 grey
    {0x00, 0x3F, 0x8C},  // 10 navy
    {0x9E, 0x0A, 0x0A},  // 11 dark red
    {0x1B, 0x6E, 0x20},  // 12 dark green
    {0xB3, 0x58, 0x06},  // 13 dark orange
    {0x54, 0x2B, 0x8C},  // 14 indigo
    {0x00, 0x80, 0x80},  // 15 teal
    {0x33, 0x33, 0x33},  // 16 near black
}};

int hexDigit(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

uint8_t clampChannel(int v) { return static_cast<uint8_t>(std::clamp(v, 0, 255)); }
}  // namespace

NColor NColor::fromRgb(int red, int green, int blue) {
    return NColor(clampChannel(red), clampChannel(green), clampChannel(blue));
}

int NColor::schemeSize(int scheme) {
    if (scheme == 0) return static_cast<int>(kScheme0.size());
    if (scheme == 1) return static_cast<int>(kScheme1.size());
    return 0;
}

bool NColor::hasSchemeColor(int scheme, int type) { return type >= 0 && type < schemeSize(scheme); }

NColor NColor::fromScheme(int scheme, int type) {
    if (!hasSchemeColor(scheme, type))
        throw std::out_of_range("no colour of scheme " + std::to_string(scheme) + " and type " + std::to_string(type));
    const Rgb& c = scheme == 0 ? kScheme0[static_cast<size_t>(type)] : kScheme1[static_cast<size_t>(type)];
    return NColor(c.r, c.g, c.b);
}

std::optional<NColor> NColor::parse(std::wstring_view text) {
    const auto blank = [](wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    if (text.size() != 7 || text[0] != L'#') return std::nullopt;
    int channels[3];
    for (int i = 0; i < 3; ++i) {
        const int hi = hexDigit(text[1 + 2 * i]);
        const int lo = hexDigit(text[2 + 2 * i]);
        if (hi < 0 || lo < 0) return std::nullopt;
        channels[i] = hi * 16 + lo;
    }
    return fromRgb(channels[0], channels[1], channels[2]);
}

nWString NColor::text() const {
    static constexpr wchar_t kHex[] = L"0123456789ABCDEF";
    std::wstring t(7, L'#');
    const uint8_t channels[3] = {red_, green_, blue_};
    for (int i = 0; i < 3; ++i) {
        t[1 + 2 * i] = kHex[channels[i] >> 4];
        t[2 + 2 * i] = kHex[channels[i] & 0xF];
    }
    return nWString(std::move(t));
}
