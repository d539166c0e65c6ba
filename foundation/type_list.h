#pragma once
// ds::TypeList: a list of types known at compile time. Each subsystem lists its record family
// once as a TypeList (<folder>/<folder>_records.h); the catalog and the contract tests both take
// the family from that list.
#include <type_traits>

namespace ds {
template <class... T>
struct TypeList {
    static constexpr unsigned size = sizeof...(T);
};

/// True when `T` is one of the list's types.
template <class List, class T>
inline constexpr bool listContains = false;
template <class... L, class T>
inline constexpr bool listContains<TypeList<L...>, T> = (std::is_same_v<L, T> || ...);
}  // namespace ds
