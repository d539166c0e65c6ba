#include "drivesys/housing/boundedmessage.h"

nWString vformatBoundedMessage(std::wstring_view templ, fmt::wformat_args args) {
    wchar_t buffer[kBoundedMessageSize];
    try {
        const auto result = fmt::vformat_to_n(buffer, kBoundedMessageSize, fmt::wstring_view(templ.data(), templ.size()), args);
        if (result.size < kBoundedMessageSize) return nWString(buffer, result.size);
    } catch (const fmt::format_error&) {
    }
    return nWString(templ.substr(0, kBoundedMessageSize - 1));
}
