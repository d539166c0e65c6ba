#pragma once
// Definitions behind DS_RECORD: included by the .cpp file that defines a record's member list.
#include <nlohmann/json.hpp>
#include <type_traits>
#include <typeinfo>

#include "drivesys/foundation/metavector.h"
#include "drivesys/foundation/record.h"
#include "drivesys/platform/nmath/metavar.h"

namespace ds {
namespace detail {

template <class P> struct MemberPointer;
template <class C, class M> struct MemberPointer<M C::*> {
    using Class = C;
    using Member = M;
};

template <class T> constexpr bool isRecord = std::is_base_of_v<nMetaStruct, T>;
template <class T> struct ListOf { static constexpr bool value = false; };
template <class T> struct ListOf<std::vector<T>> { static constexpr bool value = isRecord<T>; using Elem = T; };
template <class T> struct List2Of { static constexpr bool value = false; };
template <class T> struct List2Of<std::vector<std::vector<T>>> { static constexpr bool value = isRecord<T>; using Elem = T; };

template <auto PM> void* access(nMetaStruct& r) {
    using C = typename MemberPointer<decltype(PM)>::Class;
    return &(static_cast<C&>(r).*PM);
}

// ---- plain members (numbers, flags, texts, lists of them, matrices) ----------------------
/// Member types the framework binds only without a default.
template <class M> constexpr bool bindsWithoutDefault = std::is_same_v<M, std::vector<nWString>>;

template <class M> struct PlainOps {
    static std::string typeWord() { return nmath::ValueOps<M>::typeWord(); }
    static void toJson(nlohmann::json& j, const void* m) { nmath::ValueOps<M>::toJson(j, *static_cast<const M*>(m)); }
    static bool fromJson(const nlohmann::json& j, void* m) { return nmath::ValueOps<M>::fromJson(j, *static_cast<M*>(m)); }
    static void assignJson(const nlohmann::json& j, void* m) { nmath::ValueOps<M>::assignJson(j, *static_cast<M*>(m)); }
    static void bind(Meta& meta, const char* name, void* m, const void* def, bool withDefault) {
        // The framework binds a list of texts only with (name, member): it has no form with a
        // default, so such a member is bound that way whatever its withDefault flag says.
        if constexpr (bindsWithoutDefault<M>) withDefault = false;
        if (withDefault) meta.putVar(name, std::make_unique<MetaVarT<M>>(static_cast<M*>(m), static_cast<const M*>(def)), NMetaMapDefault, 0);
        else meta.putVar(name, std::make_unique<MetaVarT<M>>(static_cast<M*>(m), nullptr), NMetaMapPlain, 0);
    }
    static bool equal(const void* a, const void* b) { return nmath::ValueOps<M>::equal(*static_cast<const M*>(a), *static_cast<const M*>(b)); }
    static constexpr FieldOps ops{&typeWord, &toJson, &fromJson, &assignJson, &bind, &equal, nullptr, nullptr};
};

// ---- nested records ------------------------------------------------------------------------
template <class R> struct RecordOps {
    static const RecordInfo* nested() { return &R::recordInfo(); }
    static std::string typeWord() { return "record:" + R::recordInfo().className(); }
    static void toJson(nlohmann::json& j, const void* m) { writeJson(*static_cast<const R*>(m), R::recordInfo(), j); }
    static bool fromJson(const nlohmann::json& j, void* m) {
        if (!j.is_object()) return false;
        static_cast<R*>(m)->fromJson(j);
        return true;
    }
    static void assignJson(const nlohmann::json& j, void* m) { ds::assignJson(*static_cast<R*>(m), R::recordInfo(), j); }
    static void bind(Meta& meta, const char* name, void* m, const void* def, bool withDefault) {
        if (withDefault) meta.PutVar(name, *static_cast<R*>(m), *static_cast<const R*>(def), true);
        else meta.PutVar(name, *static_cast<R*>(m), true);
    }
    static bool equal(const void* a, const void* b) { return equalFields(*static_cast<const R*>(a), *static_cast<const R*>(b), R::recordInfo()); }
    static nMetaStruct* asRecord(void* m) { return static_cast<R*>(m); }
    static constexpr FieldOps ops{&typeWord, &toJson, &fromJson, &assignJson, &bind, &equal, &asRecord, &nested};
};

// ---- lists of records ----------------------------------------------------------------------
/// The entry access of FieldOps over a std::vector.
template <class L> struct ListAccess {
    static size_t size(const void* m) { return static_cast<const L*>(m)->size(); }
    static const void* entry(const void* m, size_t i) { return &(*static_cast<const L*>(m))[i]; }
    static void restart(void* m, size_t expected) {
        L fresh;
        fresh.reserve(expected);
        *static_cast<L*>(m) = std::move(fresh);
    }
    static void* append(void* m) { return &static_cast<L*>(m)->emplace_back(); }
};

template <class R> struct RecordListOps {
    using L = std::vector<R>;
    static const RecordInfo* nested() { return &R::recordInfo(); }
    static std::string typeWord() { return "list<record:" + R::recordInfo().className() + ">"; }
    static void toJson(nlohmann::json& j, const void* m) {
        const L& list = *static_cast<const L*>(m);
        j = nlohmann::json::array();
        auto& arr = j.get_ref<nlohmann::json::array_t&>();
        arr.reserve(list.size());
        for (const R& e : list) {
            arr.emplace_back();
            writeJson(e, R::recordInfo(), arr.back());
        }
    }
    static bool fromJson(const nlohmann::json& j, void* m) {
        if (!j.is_array()) return false;
        L fresh(j.size());
        for (size_t i = 0; i < j.size(); ++i) {
            try {
                readJson(fresh[i], R::recordInfo(), j[i]);
            } catch (const std::exception&) {
            }
        }
        *static_cast<L*>(m) = std::move(fresh);
        return true;
    }
    static void assignJson(const nlohmann::json& j, void* m) {
        if (!j.is_array())
            throw nlohmann::json::type_error::create(302, std::string("type must be array, but is ") + j.type_name(), &j);
        L fresh(j.size());
        for (size_t i = 0; i < j.size(); ++i) ds::assignJson(fresh[i], R::recordInfo(), j[i]);
        *static_cast<L*>(m) = std::move(fresh);
    }
    static void bind(Meta& meta, const char* name, void* m, const void* def, bool withDefault) {
        if (withDefault) meta.AppendVar(NMetaMapDefault, name, new MetaVectorStruct<R>(static_cast<L*>(m), *static_cast<const L*>(def)));
        else meta.AppendVar(NMetaMapPlain, name, new MetaVectorStruct<R>(static_cast<L*>(m)));
    }
    static bool equal(const void* a, const void* b) {
        const L& x = *static_cast<const L*>(a);
        const L& y = *static_cast<const L*>(b);
        if (x.size() != y.size()) return false;
        for (size_t i = 0; i < x.size(); ++i)
            if (!equalFields(x[i], y[i], R::recordInfo())) return false;
        return true;
    }
    static constexpr FieldOps ops{&typeWord, &toJson,  &fromJson,      &assignJson, &bind,         &equal,
                                  nullptr,   &nested, &RecordOps<R>::ops, &ListAccess<L>::size, &ListAccess<L>::entry,
                                  &ListAccess<L>::restart, &ListAccess<L>::append};
};

// ---- lists of lists of records -------------------------------------------------------------
template <class R> struct RecordList2Ops {
    using Row = std::vector<R>;
    using L = std::vector<Row>;
    static const RecordInfo* nested() { return &R::recordInfo(); }
    static std::string typeWord() { return "list2<record:" + R::recordInfo().className() + ">"; }
    static void toJson(nlohmann::json& j, const void* m) {
        const L& list = *static_cast<const L*>(m);
        j = nlohmann::json::array();
        auto& arr = j.get_ref<nlohmann::json::array_t&>();
        arr.reserve(list.size());
        for (const Row& row : list) {
            arr.emplace_back();
            RecordListOps<R>::toJson(arr.back(), &row);
        }
    }
    static bool fromJson(const nlohmann::json& j, void* m) {
        if (!j.is_array()) return false;
        L fresh(j.size());
        for (size_t i = 0; i < j.size(); ++i) RecordListOps<R>::fromJson(j[i], &fresh[i]);
        *static_cast<L*>(m) = std::move(fresh);
        return true;
    }
    static void assignJson(const nlohmann::json& j, void* m) {
        if (!j.is_array())
            throw nlohmann::json::type_error::create(302, std::string("type must be array, but is ") + j.type_name(), &j);
        L fresh(j.size());
        for (size_t i = 0; i < j.size(); ++i) RecordListOps<R>::assignJson(j[i], &fresh[i]);
        *static_cast<L*>(m) = std::move(fresh);
    }
    static void bind(Meta& meta, const char* name, void* m, const void* def, bool withDefault) {
        if (withDefault) meta.AppendVar(NMetaMapDefault, name, new MetaVectorStruct2D<R>(static_cast<L*>(m), *static_cast<const L*>(def)));
        else meta.AppendVar(NMetaMapPlain, name, new MetaVectorStruct2D<R>(static_cast<L*>(m)));
    }
    static bool equal(const void* a, const void* b) {
        const L& x = *static_cast<const L*>(a);
        const L& y = *static_cast<const L*>(b);
        if (x.size() != y.size()) return false;
        for (size_t i = 0; i < x.size(); ++i)
            if (!RecordListOps<R>::equal(&x[i], &y[i])) return false;
        return true;
    }
    static constexpr FieldOps ops{&typeWord, &toJson,  &fromJson,            &assignJson, &bind,         &equal,
                                  nullptr,   &nested, &RecordListOps<R>::ops, &ListAccess<L>::size, &ListAccess<L>::entry,
                                  &ListAccess<L>::restart, &ListAccess<L>::append};
};

template <class M> constexpr const FieldOps* opsFor() {
    if constexpr (isRecord<M>) return &RecordOps<M>::ops;
    else if constexpr (ListOf<M>::value) return &RecordListOps<typename ListOf<M>::Elem>::ops;
    else if constexpr (List2Of<M>::value) return &RecordList2Ops<typename List2Of<M>::Elem>::ops;
    else return &PlainOps<M>::ops;
}

template <class T> const RecordInfo* baseInfo() {
    if constexpr (std::is_same_v<T, nMetaStruct>) return nullptr;
    else return &T::recordInfo();
}

template <class T> std::unique_ptr<nMetaStruct> create() { return std::make_unique<T>(); }

}  // namespace detail

/// One member-list entry; the member's type picks its operations.
template <auto PM> FieldEntry field(const char* name, bool withDefault, bool described = true) {
    using M = typename detail::MemberPointer<decltype(PM)>::Member;
    return FieldEntry{name, &detail::access<PM>, detail::opsFor<M>(), withDefault, described};
}

}  // namespace ds

#define DS_F(m) ::ds::field<&Self::m>(#m, true)
#define DS_F_NODEF(m) ::ds::field<&Self::m>(#m, false)
#define DS_F_UNDESCRIBED(m) ::ds::field<&Self::m>(#m, false, false)

/// Everything of a record but its default constructor.
#define DS_DEFINE_RECORD_NO_CTOR(T, BASE, ...)                                                           \
    static_assert(!::ds::detail::RecordFoundPublicAccess<T>,                                             \
                  "DS_RECORD(" #T ") must stand first in a class body, where the access is private");   \
    const ::ds::RecordInfo& T::recordInfo() {                                                            \
        using Self = T;                                                                                  \
        static const ::ds::RecordInfo info(#T, ::ds::detail::baseInfo<BASE>(), {__VA_ARGS__},            \
                                           &::ds::detail::create<T>);                                    \
        return info;                                                                                     \
    }                                                                                                    \
    T::T(const T& other) = default;                                                                      \
    T::T(T&& other) noexcept = default;                                                                  \
    T& T::operator=(const T& other) = default;                                                           \
    T& T::operator=(T&& other) noexcept = default;                                                       \
    T::~T() = default;                                                                                   \
    void T::makeMeta() {                                                                                 \
        if (hasMeta()) return;                                                                           \
        Meta* meta = installMeta(std::make_unique<Meta>(this));                                          \
        ::ds::bindFields(*meta, *this, recordInfo());                                                    \
        finishMeta();                                                                                    \
    }                                                                                                    \
    void T::reset() { *this = T(); }                                                                     \
    void T::resetTo(std::unique_ptr<nMetaStruct> other) {                                                \
        if (other.get() == this) {                                                                       \
            (void)other.release();                                                                       \
            return;                                                                                      \
        }                                                                                                \
        if (nMetaStruct* given = other.get(); given && typeid(*given) == typeid(T))                       \
            *this = std::move(static_cast<T&>(*given));                                                  \
        else reset();                                                                                    \
        other.reset();                                                                                   \
    }                                                                                                    \
    std::unique_ptr<nMetaStruct> T::clone() const { return std::make_unique<T>(*this); }                \
    void T::registerStruct() const {                                                                     \
        if (registerToken() == 0) storeRegisterToken(registerType());                 \
    }                                                                                                    \
    nlohmann::json T::toJson() const {                                                                   \
        nlohmann::json j;                                                                                \
        ::ds::writeJson(*this, recordInfo(), j);                                                         \
        return j;                                                                                        \
    }                                                                                                    \
    void T::fromJson(const nlohmann::json& j) { ::ds::readJson(*this, recordInfo(), j); }                \
    const wchar_t* T::typeIdentifier() const { return struct_identifier(); }                            \
    void T::registerNames(int token) { ::ds::registerNames(recordInfo(), token); }                      \
    const wchar_t* T::struct_identifier() {                                                              \
        static const std::wstring id = std::wstring(L"class ") + ntypes::fromUtf8(#T);                   \
        return id.c_str();                                                                               \
    }                                                                                                    \
    int T::registerType() { return ::ds::registerType(recordInfo()); }

#define DS_DEFINE_RECORD(T, BASE, ...)                   \
    DS_DEFINE_RECORD_NO_CTOR(T, BASE, __VA_ARGS__)       \
    T::T() = default;

#define DS_DEFINE_JSON_ASSIGNMENT(T)                      \
    T& T::operator=(const nlohmann::json& j) {           \
        ::ds::assignJson(*this, recordInfo(), j);        \
        return *this;                                    \
    }

#define DS_DEFINE_EQUALITY(T) \
    bool T::operator==(const T& o) const { return ::ds::equalFields(*this, o, recordInfo()); }

