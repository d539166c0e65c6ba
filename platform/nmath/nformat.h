#pragma once
// Rounding and formatting of numbers for generated texts.
#include "drivesys/platform/drivesys_export.h"
#include "drivesys/platform/ntypes/nwstring.h"

/// `value` rounded to `decimals` decimal places, halves away from zero (negative `decimals`
/// round to tens, hundreds, ...). Values too large to carry that many decimals, and non-finite
/// values, come back unchanged.
DRIVESYS_API double Runde(double value, int decimals);

/// A length as text: the value (already in `unit`, an NDimensions::Unit code) rounded with
/// Runde to `decimals` places and written with exactly that many decimals, right-aligned to at
/// least `width` characters (0: no padding), then a blank and the unit symbol, in square
/// brackets when `bracketUnit` is true: "12.35 mm", "12.35 [mm]". An unknown unit code gives the
/// number alone. `decimals` is clamped to 0 … 15.
DRIVESYS_API nWString getWertStringUnitLength(double value, int unit, int width, int decimals, bool bracketUnit);

/// The C library's `atof` as it reads in the "C" locale, whatever locale the host has set: the
/// longest number at the start of `text` (after white space), 0 when there is none. "0.02" is
/// 0.02 also under a locale whose decimal separator is a comma.
DRIVESYS_API double atofClassic(const char* text);
