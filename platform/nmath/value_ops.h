#pragma once
// Operations on the plain value types a record member or described variable can have: JSON,
// text, schema word and equality. One explicit instantiation per type lives in value_ops.cpp;
// platform types with their own file (matrices, vectors) instantiate theirs there.
//
// JSON reading follows the JSON library's standard conversion (a double accepts any number, an
// int accepts any number and a boolean, a bool accepts only a boolean, a text only a string,
// a list only an array of convertible values). `fromJson` catches the failure and leaves the
// value as it was; `assignJson` lets the library's exception (type_error 302, ...) through.
#include <cstdint>
#include <string>
#include <vector>

#include "drivesys/platform/drivesys_export.h"
#include "drivesys/platform/nmath/json.h"
#include "drivesys/platform/ntypes/nwstring.h"

namespace nmath {

/// Type codes reported by `MetaVar::GetType` for described variables of plain types.
enum MetaTypeCode : int {
    kTypeBool = 1,
    kTypeShort = 2,
    kTypeInt = 3,
    kTypeUnsigned = 4,
    kTypeInt64 = 5,
    kTypeDouble = 6,
    kTypeStruct = 7,
    kTypeString = 8,
    kTypeList = 10,        // list of a plain type (any depth); see typeWord
    kTypeVektor = 22,
    kTypeMatrix = 23,
    kTypeRecordVector = 27,
    kTypeRecordVector2D = 28,
};

template <class T>
struct DRIVESYS_API ValueOps {
    static int typeCode();
    /// Schema word: bool, short, int, unsigned, int64, double, string, list<T>, list2<T>, ...
    static std::string typeWord();
    static void toJson(nlohmann::json& j, const T& value);
    /// Standard conversion; false (value unchanged) when the JSON value does not convert.
    static bool fromJson(const nlohmann::json& j, T& value);
    /// Standard conversion; the JSON library's exception escapes, value unchanged then.
    static void assignJson(const nlohmann::json& j, T& value);
    /// Text form: numbers as shortest round-trip text, bool as 1/0, lists comma-joined.
    static nWString toText(const T& value);
    /// Reads the text form; false (value unchanged) when it does not parse.
    static bool fromText(const nWString& text, T& value);
    static bool equal(const T& a, const T& b);
};

#define NMATH_PLAIN_VALUE_TYPES(X)                                                                   \
    X(bool) X(short) X(int) X(unsigned) X(int64_t) X(double) X(nWString) X(std::vector<bool>)       \
    X(std::vector<short>) X(std::vector<int>) X(std::vector<unsigned>) X(std::vector<int64_t>)      \
    X(std::vector<double>) X(std::vector<nWString>) X(std::vector<std::vector<double>>)             \
    X(std::vector<std::vector<std::vector<double>>>)                                               \
    X(std::vector<std::vector<std::vector<std::vector<double>>>>) X(std::vector<std::vector<int>>)  \
    X(std::vector<std::vector<std::vector<int>>>) X(std::vector<std::vector<nWString>>)             \
    X(std::vector<std::vector<std::vector<nWString>>>)                                             \
    X(std::vector<std::vector<std::vector<std::vector<int>>>>)                                     \
    X(std::vector<std::vector<std::vector<std::vector<nWString>>>>)

#define NMATH_DECLARE_VALUE_OPS(T) extern template struct ValueOps<T>;
NMATH_PLAIN_VALUE_TYPES(NMATH_DECLARE_VALUE_OPS)
#undef NMATH_DECLARE_VALUE_OPS

/// Leading decimal number of a text ("12.5abc" -> 12.5); false when there is none.
DRIVESYS_API bool leadingNumber(const nWString& text, double& out);

}  // namespace nmath
