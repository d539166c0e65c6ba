// The UTF-8 bridge: bytes to wide text and back, and arbitrary code points to UTF-8.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <nlohmann/json.hpp>

#include "drivesys/platform/ntypes/nwstring.h"

namespace {
bool validUtf8(const std::string& s) {
    // The JSON library rejects invalid UTF-8 in strings.
    return !nlohmann::json::parse("\"" + nlohmann::json(s).dump().substr(1), nullptr, false).is_discarded();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::wstring wide = ntypes::fromUtf8(bytes);
    const std::string utf8 = ntypes::toUtf8(wide);
    if (ntypes::fromUtf8(utf8) != wide) std::abort();  // normalised text round-trips
    if (wide.size() > bytes.size()) std::abort();        // never more code points than bytes
    try {
        (void)nlohmann::json(utf8).dump();               // would throw on invalid UTF-8
    } catch (...) {
        std::abort();
    }
    std::wstring points(size / 4, L'\0');
    for (size_t i = 0; i < points.size(); ++i) {
        uint32_t v;
        std::memcpy(&v, data + 4 * i, 4);
        points[i] = static_cast<wchar_t>(v);
    }
    const std::string enc = ntypes::toUtf8(points);
    if (!validUtf8(enc)) std::abort();
    const std::wstring dec = ntypes::fromUtf8(enc);
    if (dec.size() != points.size()) std::abort();
    for (size_t i = 0; i < points.size(); ++i) {
        const uint32_t cp = static_cast<uint32_t>(points[i]);
        const bool valid = cp <= 0x10FFFF && !(cp >= 0xD800 && cp <= 0xDFFF);
        if (static_cast<uint32_t>(dec[i]) != (valid ? cp : 0xFFFDu)) std::abort();
    }
    return 0;
}
