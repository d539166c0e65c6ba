#include "drivesys/platform/nmath/value_ops.h"

#include <cerrno>
#include <cmath>
#include <cwchar>
#include <fmt/format.h>
#include <fmt/xchar.h>
#include <limits>
#include <nlohmann/json.hpp>
#include <type_traits>

namespace nmath {
namespace {
using json = nlohmann::json;

template <class T> struct Scalar;
template <> struct Scalar<bool> { static constexpr const char* word = "bool"; static constexpr int code = kTypeBool; };
template <> struct Scalar<short> { static constexpr const char* word = "short"; static constexpr int code = kTypeShort; };
template <> struct Scalar<int> { static constexpr const char* word = "int"; static constexpr int code = kTypeInt; };
template <> struct Scalar<unsigned> { static constexpr const char* word = "unsigned"; static constexpr int code = kTypeUnsigned; };
template <> struct Scalar<int64_t> { static constexpr const char* word = "int64"; static constexpr int code = kTypeInt64; };
template <> struct Scalar<double> { static constexpr const char* word = "double"; static constexpr int code = kTypeDouble; };
template <> struct Scalar<nWString> { static constexpr const char* word = "string"; static constexpr int code = kTypeString; };

template <class T> struct Shape { static constexpr int depth = 0; using Base = T; };
template <class T> struct Shape<std::vector<T>> {
    static constexpr int depth = 1 + Shape<T>::depth;
    using Base = typename Shape<T>::Base;
};

template <class T> void write(json& j, const T& v) {
    if constexpr (std::is_same_v<T, nWString>) {
        j = v.toUtf8();
    } else if constexpr (Shape<T>::depth > 0) {
        j = json::array();
        auto& arr = j.get_ref<json::array_t&>();
        arr.reserve(v.size());
        for (const auto& e : v) {
            arr.emplace_back();
            write(arr.back(), static_cast<const typename T::value_type&>(e));
        }
    } else {
        j = v;
    }
}

// Standard conversion of the JSON library; throws its exceptions.
template <class T> void read(const json& j, T& out) {
    if constexpr (std::is_same_v<T, nWString>) {
        out = nWString::fromUtf8(j.get_ref<const json::string_t&>());
    } else if constexpr (Shape<T>::depth > 0) {
        if (!j.is_array())
            throw json::type_error::create(302, std::string("type must be array, but is ") + j.type_name(), &j);
        T tmp;
        tmp.reserve(j.size());
        for (const auto& e : j) {
            typename T::value_type v{};
            read(e, v);
            tmp.push_back(std::move(v));
        }
        out = std::move(tmp);
    } else if constexpr (std::is_integral_v<T> && !std::is_same_v<T, bool>) {
        // The JSON library casts any number to an integer; a value outside the member's range
        // (or a non-finite one) is refused instead of wrapping or being undefined.
        if (j.is_number_float()) {
            const double v = j.get<double>();
            if (!(v >= static_cast<double>(std::numeric_limits<T>::min()) &&
                  v < static_cast<double>(std::numeric_limits<T>::max()) + 1.0))
                throw json::out_of_range::create(406, "number overflow converting to an integer member", &j);
        } else if (j.is_number_unsigned()) {
            if (j.get<uint64_t>() > static_cast<uint64_t>(std::numeric_limits<T>::max()))
                throw json::out_of_range::create(406, "number overflow converting to an integer member", &j);
        } else if (j.is_number_integer()) {
            const int64_t v = j.get<int64_t>();
            if (v < static_cast<int64_t>(std::numeric_limits<T>::min()) ||
                (v > 0 && static_cast<uint64_t>(v) > static_cast<uint64_t>(std::numeric_limits<T>::max())))
                throw json::out_of_range::create(406, "number overflow converting to an integer member", &j);
        }
        out = j.get<T>();
    } else {
        out = j.get<T>();
    }
}

bool parseWide(const nWString& raw, double& out) {
    const nWString t = raw.Trim();
    if (t.empty()) return false;
    wchar_t* end = nullptr;
    errno = 0;
    const double v = std::wcstod(t.c_str(), &end);
    if (end != t.c_str() + t.size()) return false;
    out = v;
    return true;
}

bool parseWideInt(const nWString& raw, long long& out) {
    const nWString t = raw.Trim();
    if (t.empty()) return false;
    wchar_t* end = nullptr;
    errno = 0;
    const long long v = std::wcstoll(t.c_str(), &end, 10);
    if (end != t.c_str() + t.size() || errno == ERANGE) return false;
    out = v;
    return true;
}

template <class T> nWString scalarText(const T& v) {
    if constexpr (std::is_same_v<T, nWString>) return v;
    else if constexpr (std::is_same_v<T, bool>) return nWString(v ? L"1" : L"0");
    else if constexpr (std::is_same_v<T, double>) return nWString(fmt::format(L"{}", v));
    else return nWString(fmt::format(L"{}", v));
}

template <class T> bool scalarFromText(const nWString& text, T& out) {
    if constexpr (std::is_same_v<T, nWString>) {
        out = text;
        return true;
    } else if constexpr (std::is_same_v<T, bool>) {
        const nWString t = text.Trim();
        if (t == L"1" || t == L"true") { out = true; return true; }
        if (t == L"0" || t == L"false") { out = false; return true; }
        return false;
    } else if constexpr (std::is_same_v<T, double>) {
        return parseWide(text, out);
    } else {
        long long v = 0;
        if (!parseWideInt(text, v)) return false;
        if (v < static_cast<long long>(std::numeric_limits<T>::min()) ||
            (v > 0 && static_cast<unsigned long long>(v) > static_cast<unsigned long long>(std::numeric_limits<T>::max())))
            return false;
        out = static_cast<T>(v);
        return true;
    }
}
}  // namespace

bool leadingNumber(const nWString& text, double& out) {
    const nWString t = text.Trim();
    if (t.empty()) return false;
    wchar_t* end = nullptr;
    const double v = std::wcstod(t.c_str(), &end);
    if (end == t.c_str()) return false;
    out = v;
    return true;
}

template <class T> int ValueOps<T>::typeCode() {
    if constexpr (Shape<T>::depth == 0) return Scalar<T>::code;
    else return kTypeList;
}

template <class T> std::string ValueOps<T>::typeWord() {
    constexpr int d = Shape<T>::depth;
    const std::string base = Scalar<typename Shape<T>::Base>::word;
    if constexpr (d == 0) return base;
    else if constexpr (d == 1) return "list<" + base + ">";
    else return "list" + std::to_string(d) + "<" + base + ">";
}

template <class T> void ValueOps<T>::toJson(json& j, const T& value) { write(j, value); }

template <class T> bool ValueOps<T>::fromJson(const json& j, T& value) {
    try {
        T tmp{};
        read(j, tmp);
        value = std::move(tmp);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

template <class T> void ValueOps<T>::assignJson(const json& j, T& value) {
    T tmp{};
    read(j, tmp);
    value = std::move(tmp);
}

template <class T> nWString ValueOps<T>::toText(const T& value) {
    constexpr int d = Shape<T>::depth;
    if constexpr (d == 0) {
        return scalarText(value);
    } else if constexpr (d == 1) {
        nWString out;
        for (size_t i = 0; i < value.size(); ++i) {
            if (i) out.push_back(L',');
            out += scalarText(static_cast<typename T::value_type>(value[i]));
        }
        return out;
    } else {
        json j;
        write(j, value);
        return nWString::fromUtf8(j.dump());
    }
}

template <class T> bool ValueOps<T>::fromText(const nWString& text, T& value) {
    constexpr int d = Shape<T>::depth;
    if constexpr (d == 0) {
        return scalarFromText(text, value);
    } else if constexpr (d == 1) {
        T tmp;
        for (const auto& part : text.ToStringList(L',')) {
            typename T::value_type v{};
            if (!scalarFromText(part, v)) return false;
            tmp.push_back(v);
        }
        value = std::move(tmp);
        return true;
    } else {
        auto j = json::parse(text.toUtf8(), nullptr, false);
        if (j.is_discarded()) return false;
        return fromJson(j, value);
    }
}

template <class T> bool ValueOps<T>::equal(const T& a, const T& b) { return a == b; }

#define NMATH_DEFINE_VALUE_OPS(T) template struct ValueOps<T>;
NMATH_PLAIN_VALUE_TYPES(NMATH_DEFINE_VALUE_OPS)
#undef NMATH_DEFINE_VALUE_OPS

}  // namespace nmath
