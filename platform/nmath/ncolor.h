#pragma once
// NColor: a colour of the suite, either picked from a colour scheme (scheme, type) or given as
// RGB. Records keep a colour as its text form, "#RRGGBB" (upper-case hex, always seven
// characters), which reads back with NColor::parse.
//
// Scheme 0 holds the colours of the system sketch; its types are:
//   0 gears               #4E79A7 (blue)
//   1 couplings           #F28E2B (orange)
//   2 shafts              #7A8691 (steel grey)
//   3 connections         #59A14F (green)
//   4 constraints         #9C755F (brown)
//   5 loads and masses    #E15759 (red)
//   6 boundaries          #EDC948 (yellow)
//   7 bearings, supports  #76B7B2 (teal)
//   8 sheaves, synchros   #B07AA1 (purple)
//   9 power losses        #FF9DA7 (pink)
//  10 housings            #BAB0AC (light grey)
//  11 sketch dots         #2F4B7C (dark blue)
//
// Scheme 1 holds the 17 curve colours of diagrams (types 0 … 16; type 1, red, marks points).
#include <cstdint>
#include <optional>
#include <string_view>

#include "drivesys/platform/drivesys_export.h"
#include "drivesys/platform/ntypes/nwstring.h"

class DRIVESYS_API NColor {
public:
    /// Black.
    constexpr NColor() = default;

    /// An RGB colour; each channel is clamped to 0..255.
    static NColor fromRgb(int red, int green, int blue);
    /// The colour of a scheme entry; throws std::out_of_range for a scheme or type not in the
    /// table (see hasSchemeColor).
    static NColor fromScheme(int scheme, int type);
    static bool hasSchemeColor(int scheme, int type);
    /// Number of types of a scheme (0 for an unknown scheme).
    static int schemeSize(int scheme);

    /// Reads the text form "#RRGGBB" (hex digits in either case, surrounding blanks allowed);
    /// nothing for any other text.
    static std::optional<NColor> parse(std::wstring_view text);

    int red() const { return red_; }
    int green() const { return green_; }
    int blue() const { return blue_; }
    /// 0xRRGGBB.
    uint32_t rgb() const { return (uint32_t(red_) << 16) | (uint32_t(green_) << 8) | uint32_t(blue_); }

    /// The text form, "#RRGGBB".
    nWString text() const;

    bool operator==(const NColor& other) const = default;

private:
    constexpr NColor(uint8_t r, uint8_t g, uint8_t b) : red_(r), green_(g), blue_(b) {}
    uint8_t red_ = 0;
    uint8_t green_ = 0;
    uint8_t blue_ = 0;
};
