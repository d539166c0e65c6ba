#pragma once
// Definitions of MetaVarT<T>: included by the .cpp files that instantiate it for a value type
// (value_ops.cpp's plain types in metavar.cpp; matrices and vectors in their own files).
#include <nlohmann/json.hpp>
#include <type_traits>

#include "drivesys/platform/nmath/metavar.h"

// ---- MetaVarT<T> -----------------------------------------------------------------------------
namespace nmath::detail {
template <class T> struct IsList : std::false_type {};
template <class T> struct IsList<std::vector<T>> : std::true_type {};
}  // namespace nmath::detail

template <class T>
MetaVarT<T>::MetaVarT(T* ref, const T* def) : ref_(ref) {
    if (def) {
        def_ = *def;
        hasDefault_ = true;
    }
}

template <class T> int MetaVarT<T>::GetType() const { return nmath::ValueOps<T>::typeCode(); }

template <class T> size_t MetaVarT<T>::size() const {
    if constexpr (nmath::detail::IsList<T>::value) return ref_->size();
    else return 1;
}

template <class T> void MetaVarT<T>::Initialize(int mode) {
    if (mode != 0) {
        *ref_ = T{};
        return;
    }
    if (hasInit_ && nmath::ValueOps<T>::fromText(init_, *ref_)) return;
    *ref_ = hasDefault_ ? def_ : T{};
}

template <class T> bool MetaVarT<T>::SetVar(bool value) {
    if constexpr (std::is_arithmetic_v<T>) {
        *ref_ = static_cast<T>(value);
        return true;
    } else {
        return MetaVar::SetVar(value);
    }
}

template <class T> bool MetaVarT<T>::SetVar(int64_t value) {
    if constexpr (std::is_same_v<T, bool>) {
        *ref_ = value != 0;
        return true;
    } else if constexpr (std::is_arithmetic_v<T>) {
        *ref_ = static_cast<T>(value);
        return true;
    } else {
        return MetaVar::SetVar(value);
    }
}

template <class T> bool MetaVarT<T>::SetVar(int value) { return SetVar(static_cast<int64_t>(value)); }

template <class T> bool MetaVarT<T>::SetVar(double value) {
    if constexpr (std::is_same_v<T, double>) {
        *ref_ = value;
        return true;
    } else if constexpr (std::is_same_v<T, bool>) {
        *ref_ = value != 0.0;
        return true;
    } else if constexpr (std::is_arithmetic_v<T>) {
        if (!(value == value)) return false;
        return nmath::ValueOps<T>::fromText(nWString(static_cast<long long>(value)), *ref_);
    } else {
        return MetaVar::SetVar(value);
    }
}

template <class T> bool MetaVarT<T>::SetVar(const nWString& text) { return nmath::ValueOps<T>::fromText(text, *ref_); }

template <class T> double MetaVarT<T>::GetAsReal() const {
    if constexpr (std::is_arithmetic_v<T>) return static_cast<double>(*ref_);
    else return MetaVar::GetAsReal();
}

template <class T> nWString MetaVarT<T>::GetAsWString() const { return nmath::ValueOps<T>::toText(*ref_); }

template <class T>
nStatusCodes::StatusCode MetaVarT<T>::GetAsJson(const nlohmann::json&, nlohmann::json& out) const {
    nmath::ValueOps<T>::toJson(out, *ref_);
    return nStatusCodes::Ok;
}

template <class T> bool MetaVarT<T>::SetFromJson(const nlohmann::json& value) { return nmath::ValueOps<T>::fromJson(value, *ref_); }

template <class T> nWString MetaVarT<T>::serialize(const nWString& prefix, NMetaMaps) const {
    return prefix + ntypes::widen(name_) + L"=" + GetAsWString() + L"\n";
}

template <class T> void MetaVarT<T>::defaultAsJson(nlohmann::json& out) const {
    if (hasDefault_) nmath::ValueOps<T>::toJson(out, def_);
    else out = nullptr;
}

template <class T> std::string MetaVarT<T>::typeWord() const { return nmath::ValueOps<T>::typeWord(); }

