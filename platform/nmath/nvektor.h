#pragma once
// NVektor: a point or direction in space (three doubles), with the vector algebra the geometry
// code needs. It is also a plain value type for records and described variables: its JSON form
// is an array of three numbers ([x, y, z]) and its schema word is list<double>; lists of vectors
// (one to three levels deep) are nested arrays of such triples.
#include <vector>

#include "drivesys/platform/drivesys_export.h"
#include "drivesys/platform/nmath/metavar.h"
#include "drivesys/platform/nmath/value_ops.h"

class DRIVESYS_API NVektor {
public:
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;

    constexpr NVektor() = default;
    constexpr NVektor(double x_, double y_, double z_) : x(x_), y(y_), z(z_) {}

    /// Component by index 0, 1, 2; other indices throw std::out_of_range.
    double operator[](int i) const;
    double& operator[](int i);

    NVektor operator+(const NVektor& o) const { return {x + o.x, y + o.y, z + o.z}; }
    NVektor operator-(const NVektor& o) const { return {x - o.x, y - o.y, z - o.z}; }
    NVektor operator-() const { return {-x, -y, -z}; }
    NVektor operator*(double s) const { return {x * s, y * s, z * s}; }
    NVektor operator/(double s) const { return {x / s, y / s, z / s}; }
    NVektor& operator+=(const NVektor& o);
    NVektor& operator-=(const NVektor& o);
    NVektor& operator*=(double s);
    /// Exact component-wise comparison.
    bool operator==(const NVektor& o) const { return x == o.x && y == o.y && z == o.z; }
    bool operator!=(const NVektor& o) const { return !(*this == o); }

    double dot(const NVektor& o) const { return x * o.x + y * o.y + z * o.z; }
    NVektor cross(const NVektor& o) const;
    /// Euclidean length.
    double length() const;
    /// Euclidean distance to another point.
    double distance(const NVektor& o) const { return (*this - o).length(); }
    /// The unit vector in this direction; a zero (or non-finite) vector gives the zero vector.
    NVektor normalized() const;
    bool isZero() const { return x == 0.0 && y == 0.0 && z == 0.0; }
    bool isFinite() const;
};

inline NVektor operator*(double s, const NVektor& v) { return v * s; }

namespace nmath {
// Member-wise specialisations of ValueOps for the vector types (defined in nvektor.cpp).
#define NMATH_DECLARE_VALUE_OPS_SPECIALISATION(T)                                     \
    template <> int ValueOps<T>::typeCode();                                          \
    template <> std::string ValueOps<T>::typeWord();                                  \
    template <> void ValueOps<T>::toJson(nlohmann::json& j, const T& value);          \
    template <> bool ValueOps<T>::fromJson(const nlohmann::json& j, T& value);        \
    template <> void ValueOps<T>::assignJson(const nlohmann::json& j, T& value);      \
    template <> nWString ValueOps<T>::toText(const T& value);                         \
    template <> bool ValueOps<T>::fromText(const nWString& text, T& value);           \
    template <> bool ValueOps<T>::equal(const T& a, const T& b);                      \
    extern template struct ValueOps<T>;

NMATH_DECLARE_VALUE_OPS_SPECIALISATION(NVektor)
NMATH_DECLARE_VALUE_OPS_SPECIALISATION(std::vector<NVektor>)
NMATH_DECLARE_VALUE_OPS_SPECIALISATION(std::vector<std::vector<NVektor>>)
NMATH_DECLARE_VALUE_OPS_SPECIALISATION(std::vector<std::vector<std::vector<NVektor>>>)
}  // namespace nmath

extern template class MetaVarT<NVektor>;
extern template class MetaVarT<std::vector<NVektor>>;
extern template class MetaVarT<std::vector<std::vector<NVektor>>>;
extern template class MetaVarT<std::vector<std::vector<std::vector<NVektor>>>>;
