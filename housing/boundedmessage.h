#pragma once
// The bounded message formatter: a translated wide {fmt} template filled with arguments into a
// buffer of kBoundedMessageSize wide characters. When the template does not format (a bad
// replacement field, too few arguments, a type mismatch) or the result would need
// kBoundedMessageSize characters or more, the template itself, cut to kBoundedMessageSize − 1
// characters, is the result instead.
#include <fmt/xchar.h>
#include <string_view>

#include "drivesys/platform/drivesys_export.h"
#include "drivesys/platform/ntypes/nwstring.h"

inline constexpr size_t kBoundedMessageSize = 1024;

nWString vformatBoundedMessage(std::wstring_view templ, fmt::wformat_args args);

/// Strings go in as std::wstring_view (an nWString converts to it).
template <class... Args> nWString formatBoundedMessage(std::wstring_view templ, const Args&... args) {
    return vformatBoundedMessage(templ, fmt::make_wformat_args(args...));
}
