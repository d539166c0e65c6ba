#include "drivesys/platform/nmath/nvektor.h"

#include <cmath>
#include <nlohmann/json.hpp>
#include <stdexcept>

#include "drivesys/platform/nmath/metavar_impl.h"

double NVektor::operator[](int i) const {
    switch (i) {
        case 0: return x;
        case 1: return y;
        case 2: return z;
        default: throw std::out_of_range("NVektor index " + std::to_string(i) + " is not 0, 1 or 2");
    }
}

double& NVektor::operator[](int i) {
    switch (i) {
        case 0: return x;
        case 1: return y;
        case 2: return z;
        default: throw std::out_of_range("NVektor index " + std::to_string(i) + " is not 0, 1 or 2");
    }
}

NVektor& NVektor::operator+=(const NVektor& o) {
    x += o.x;
    y += o.y;
    z += o.z;
    return *this;
}

NVektor& NVektor::operator-=(const NVektor& o) {
    x -= o.x;
    y -= o.y;
    z -= o.z;
    return *this;
}

NVektor& NVektor::operator*=(double s) {
    x *= s;
    y *= s;
    z *= s;
    return *this;
}

NVektor NVektor::cross(const NVektor& o) const {
    return {y * o.z - z * o.y, z * o.x - x * o.z, x * o.y - y * o.x};
}

double NVektor::length() const { return std::sqrt(x * x + y * y + z * z); }

NVektor NVektor::normalized() const {
    const double l = length();
    if (!(l > 0.0) || !std::isfinite(l)) return {};
    return {x / l, y / l, z / l};
}

bool NVektor::isFinite() const { return std::isfinite(x) && std::isfinite(y) && std::isfinite(z); }

// ---- JSON and text forms ---------------------------------------------------------------------
namespace {
using json = nlohmann::json;

template <class T> struct Depth { static constexpr int value = 0; };
template <class T> struct Depth<std::vector<T>> { static constexpr int value = 1 + Depth<T>::value; };

[[noreturn]] void typeError(const json& j, const std::string& what) {
    throw json::type_error::create(302, what + ", but is " + j.type_name(), &j);
}

void write(json& j, const NVektor& v) { j = json::array({v.x, v.y, v.z}); }

template <class T> void write(json& j, const std::vector<T>& list) {
    j = json::array();
    auto& arr = j.get_ref<json::array_t&>();
    arr.reserve(list.size());
    for (const T& e : list) {
        arr.emplace_back();
        write(arr.back(), e);
    }
}

// Strict reading: throws the JSON library's type_error 302 on a value of the wrong shape.
void read(const json& j, NVektor& v) {
    if (!j.is_array() || j.size() != 3) typeError(j, "type must be an array of 3 numbers");
    for (const auto& e : j)
        if (!e.is_number()) typeError(e, "type must be number");
    v = NVektor(j[0].get<double>(), j[1].get<double>(), j[2].get<double>());
}

template <class T> void read(const json& j, std::vector<T>& out) {
    if (!j.is_array()) typeError(j, "type must be array");
    std::vector<T> tmp;
    tmp.reserve(j.size());
    for (const auto& e : j) {
        T v{};
        read(e, v);
        tmp.push_back(std::move(v));
    }
    out = std::move(tmp);
}
}  // namespace

namespace nmath {

#define NMATH_DEFINE_VEKTOR_OPS(T)                                                                  \
    template <> int ValueOps<T>::typeCode() { return Depth<T>::value == 0 ? kTypeVektor : kTypeList; } \
    template <> std::string ValueOps<T>::typeWord() {                                               \
        constexpr int d = Depth<T>::value + 1;                                                      \
        return d == 1 ? std::string("list<double>") : "list" + std::to_string(d) + "<double>";      \
    }                                                                                               \
    template <> void ValueOps<T>::toJson(json& j, const T& value) { write(j, value); }               \
    template <> bool ValueOps<T>::fromJson(const json& j, T& value) {                                \
        try {                                                                                       \
            T tmp{};                                                                                \
            read(j, tmp);                                                                           \
            value = std::move(tmp);                                                                 \
            return true;                                                                            \
        } catch (const std::exception&) {                                                           \
            return false;                                                                           \
        }                                                                                           \
    }                                                                                               \
    template <> void ValueOps<T>::assignJson(const json& j, T& value) {                              \
        T tmp{};                                                                                    \
        read(j, tmp);                                                                               \
        value = std::move(tmp);                                                                     \
    }                                                                                               \
    template <> bool ValueOps<T>::equal(const T& a, const T& b) { return a == b; }

NMATH_DEFINE_VEKTOR_OPS(NVektor)
NMATH_DEFINE_VEKTOR_OPS(std::vector<NVektor>)
NMATH_DEFINE_VEKTOR_OPS(std::vector<std::vector<NVektor>>)
NMATH_DEFINE_VEKTOR_OPS(std::vector<std::vector<std::vector<NVektor>>>)
#undef NMATH_DEFINE_VEKTOR_OPS

// Text form of one vector: "x,y,z" (shortest round-trip numbers); deeper lists use JSON text.
template <> nWString ValueOps<NVektor>::toText(const NVektor& v) {
    return nWString(v.x) + L"," + nWString(v.y) + L"," + nWString(v.z);
}

template <> bool ValueOps<NVektor>::fromText(const nWString& text, NVektor& value) {
    const auto parts = text.ToStringList(L',');
    if (parts.size() != 3) return false;
    NVektor v;
    for (int i = 0; i < 3; ++i)
        if (!ValueOps<double>::fromText(parts[static_cast<size_t>(i)], v[i])) return false;
    value = v;
    return true;
}

#define NMATH_DEFINE_VEKTOR_LIST_TEXT(T)                                      \
    template <> nWString ValueOps<T>::toText(const T& value) {                \
        json j;                                                               \
        write(j, value);                                                      \
        return nWString::fromUtf8(j.dump());                                  \
    }                                                                         \
    template <> bool ValueOps<T>::fromText(const nWString& text, T& value) {  \
        const auto j = json::parse(text.toUtf8(), nullptr, false);            \
        if (j.is_discarded()) return false;                                   \
        return fromJson(j, value);                                            \
    }

NMATH_DEFINE_VEKTOR_LIST_TEXT(std::vector<NVektor>)
NMATH_DEFINE_VEKTOR_LIST_TEXT(std::vector<std::vector<NVektor>>)
NMATH_DEFINE_VEKTOR_LIST_TEXT(std::vector<std::vector<std::vector<NVektor>>>)
#undef NMATH_DEFINE_VEKTOR_LIST_TEXT

template struct ValueOps<NVektor>;
template struct ValueOps<std::vector<NVektor>>;
template struct ValueOps<std::vector<std::vector<NVektor>>>;
template struct ValueOps<std::vector<std::vector<std::vector<NVektor>>>>;

}  // namespace nmath

template class MetaVarT<NVektor>;
template class MetaVarT<std::vector<NVektor>>;
template class MetaVarT<std::vector<std::vector<NVektor>>>;
template class MetaVarT<std::vector<std::vector<std::vector<NVektor>>>>;
