#include "drivesys/platform/nmath/nformat.h"

#include <clocale>
#include <cstdlib>
#include <locale.h>

#include <algorithm>
#include <cmath>
#include <fmt/format.h>
#include <fmt/xchar.h>

#include "drivesys/platform/nmath/ndimensions.h"

double Runde(double value, int decimals) {
    if (!std::isfinite(value)) return value;
    decimals = std::clamp(decimals, -15, 15);
    const double scale = std::pow(10.0, decimals);
    const double scaled = value * scale;
    // Beyond 2^52 a double has no fractional part left to round.
    if (!std::isfinite(scaled) || std::abs(scaled) >= 4503599627370496.0) return value;
    return std::round(scaled) / scale + 0.0;  // + 0.0 turns -0.0 into 0.0
}

nWString getWertStringUnitLength(double value, int unit, int width, int decimals, bool bracketUnit) {
    decimals = std::clamp(decimals, 0, 15);
    width = std::clamp(width, 0, 64);
    const double rounded = Runde(value, decimals);
    std::wstring text = fmt::format(L"{:>{}.{}f}", rounded == 0.0 ? 0.0 : rounded, width, decimals);
    const std::wstring symbol = NDimensions::unitText(unit);
    if (!symbol.empty()) text += bracketUnit ? L" [" + symbol + L"]" : L" " + symbol;
    return nWString(std::move(text));
}

double atofClassic(const char* text) {
    // One "C" locale for the process, made on first use and kept (newlocale is thread-safe;
    // the function-local static makes it once).
    static const locale_t classic = newlocale(LC_ALL_MASK, "C", locale_t(0));
    if (!text) return 0.0;
    if (classic == locale_t(0)) return std::strtod(text, nullptr);
    return strtod_l(text, nullptr, classic);
}
