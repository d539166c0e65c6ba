#pragma once
// The record machinery: every record declares its member list once, and registration, Meta
// binding, JSON (inherited form, JSON pair and JSON assignment), reset, clone, equality and the
// schema all walk that list.
//
// A record class:
//
//   // header
//   class DRIVESYS_API Bearing : public AnnotatedData {
//       DS_RECORD(Bearing)          // first in the class; leaves the access private
//   public:
//       int64_t Id = 0;
//       nWString comment = L" ";
//       ...
//   };
//
//   // .cpp (includes "foundation/record_impl.h")
//   DS_DEFINE_RECORD(Bearing, AnnotatedData, DS_F(Id), DS_F(name), DS_F(comment), ...)
//
// Defaults are the in-class initialisers; the member list gives names and order (which may
// differ from declaration order); members left out of the list are neither registered, bound,
// written nor read. DS_F_NODEF binds a member without its default (map 1 for record lists).
// DS_F_UNDESCRIBED lists a member that is registered and stored as JSON but not bound in makeMeta.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "drivesys/platform/drivesys_export.h"
#include "drivesys/platform/nmath/json.h"
#include "drivesys/platform/nmath/meta.h"
#include "drivesys/platform/nmath/nmetastruct.h"
#include "drivesys/platform/ntypes/nwstring.h"

namespace ds {

class RecordInfo;

/// Operations of one member type (one table per type, shared by every record).
struct FieldOps {
    /// Schema word: bool, int, ..., record:<Class>, list<...>.
    std::string (*typeWord)();
    void (*toJson)(nlohmann::json& out, const void* member);
    /// Tolerant reading: false (member unchanged) when the value does not convert.
    bool (*fromJson)(const nlohmann::json& in, void* member);
    /// Strict reading (JSON assignment): the JSON library's exceptions escape.
    void (*assignJson)(const nlohmann::json& in, void* member);
    void (*bind)(Meta& meta, const char* name, void* member, const void* def, bool withDefault);
    bool (*equal)(const void* a, const void* b);
    /// Non-null for nested records: the member as a record.
    nMetaStruct* (*asRecord)(void* member);
    /// Info of the nested record type or the list's element record type (null for plain types).
    const RecordInfo* (*nested)();

    // Lists of records and lists of lists of records (all null for other members): an entry is
    // the element record of a list, the row (itself a list of records) of a list of lists.
    /// Operations of one entry.
    const FieldOps* entryOps = nullptr;
    size_t (*listSize)(const void* list) = nullptr;
    const void* (*listEntry)(const void* list, size_t index) = nullptr;
    /// Empties the list, keeping room for `expected` entries.
    void (*listRestart)(void* list, size_t expected) = nullptr;
    /// Appends a default entry and gives its address.
    void* (*listAppend)(void* list) = nullptr;
};

/// One entry of a member list.
struct FieldEntry {
    const char* name;
    void* (*access)(nMetaStruct& record);
    const FieldOps* ops;
    bool withDefault;
    /// False for members that are registered and stored as JSON but not bound in makeMeta.
    bool described = true;

    void* in(nMetaStruct& r) const { return access(r); }
    const void* in(const nMetaStruct& r) const { return access(const_cast<nMetaStruct&>(r)); }
};

/// The member list and factory of one record class.
class DRIVESYS_API RecordInfo {
public:
    using Factory = std::unique_ptr<nMetaStruct> (*)();
    /// Builds the list as the base's entries followed by `own`; throws std::logic_error on a
    /// duplicate or empty name.
    RecordInfo(const char* className, const RecordInfo* base, std::vector<FieldEntry> own, Factory factory);
    RecordInfo(const RecordInfo&) = delete;
    RecordInfo& operator=(const RecordInfo&) = delete;
    ~RecordInfo();

    const std::string& className() const { return className_; }
    const RecordInfo* base() const { return base_; }
    const std::vector<FieldEntry>& fields() const { return fields_; }
    const FieldEntry* find(std::string_view name) const;
    /// Member names widened, in list order (what registerNames registers).
    const std::vector<nWString>& wideNames() const { return wideNames_; }
    /// "class <name>"; the same pointer for the life of the process.
    const wchar_t* identifier() const { return identifier_.c_str(); }
    std::unique_ptr<nMetaStruct> create() const { return factory_(); }
    /// The default-constructed instance every default is read from (made on first use).
    const nMetaStruct& prototype() const;

private:
    std::string className_;
    const RecordInfo* base_;
    std::vector<FieldEntry> fields_;
    std::vector<nWString> wideNames_;
    std::wstring identifier_;
    Factory factory_;
    struct PrototypeState;
    std::unique_ptr<PrototypeState> prototypeState_;
};

namespace detail {
/// True when DS_RECORD found public access in T's class body (its marker is visible from
/// outside the class).
template <class T>
concept RecordFoundPublicAccess = requires { typename T::ds_record_found_access; };
}  // namespace detail

// Generic operations over a member list (used by the generated record functions).
DRIVESYS_API void bindFields(Meta& meta, nMetaStruct& record, const RecordInfo& info);
DRIVESYS_API void writeJson(const nMetaStruct& record, const RecordInfo& info, nlohmann::json& out);
/// Tolerant reading: null changes nothing; a non-object throws std::invalid_argument; each
/// member present and convertible is read, others keep their values; unknown keys are ignored.
DRIVESYS_API void readJson(nMetaStruct& record, const RecordInfo& info, const nlohmann::json& in);
/// JSON assignment: a non-object throws type_error 305, a member of the wrong type throws
/// type_error 302, a missing key throws out_of_range 403; nested records recurse.
DRIVESYS_API void assignJson(nMetaStruct& record, const RecordInfo& info, const nlohmann::json& in);
DRIVESYS_API bool equalFields(const nMetaStruct& a, const nMetaStruct& b, const RecordInfo& info);
DRIVESYS_API int registerType(const RecordInfo& info);
DRIVESYS_API void registerNames(const RecordInfo& info, int token);
/// Schema of a record: {"class", "identifier", "members": [{"name", "type", "default", "withDefault"}]}.
DRIVESYS_API void schemaOf(const RecordInfo& info, nlohmann::json& out);

}  // namespace ds

/// Declares the record operations inside a record class. It stands first in the class body,
/// where a class's access is private, declares the operations public and leaves the access
/// private again, as it found it: the members that follow need their own `public:`.
/// DS_DEFINE_RECORD refuses a record whose DS_RECORD found public access (in a struct, or after
/// a `public:`), where ending private would change the access of what follows. (The copy, move
/// and name operations are marked maybe_unused: a record local to one file, as tests define them,
/// need not use all of them.)
#define DS_RECORD(T)                                                        \
    using ds_record_found_access = void;                                    \
public:                                                                     \
    T();                                                                    \
    [[maybe_unused]] T(const T& other);                                     \
    [[maybe_unused]] T(T&& other) noexcept;                                 \
    [[maybe_unused]] T& operator=(const T& other);                          \
    [[maybe_unused]] T& operator=(T&& other) noexcept;                      \
    ~T() override;                                                          \
    void makeMeta() override;                                               \
    void reset() override;                                                  \
    void resetTo(std::unique_ptr<nMetaStruct> other) override;              \
    std::unique_ptr<nMetaStruct> clone() const override;                    \
    void registerStruct() const override;                                   \
    nlohmann::json toJson() const override;                                 \
    void fromJson(const nlohmann::json& j) override;                        \
    const wchar_t* typeIdentifier() const override;                         \
    [[maybe_unused]] static void registerNames(int token);                  \
    static const wchar_t* struct_identifier();                              \
    /** Registers the type once per process and gives its token. */       \
    static int registerType();                                              \
    static const ::ds::RecordInfo& recordInfo();                            \
                                                                            \
private:

/// Declares the JSON assignment (first JSON form) inside a record class.
#define DS_JSON_ASSIGNMENT(T)          \
    using ds_json_assignment = void; \
    T& operator=(const nlohmann::json& j);

/// Declares `==` and `!=` over the member list inside a record class.
#define DS_EQUALITY(T)                  \
    bool operator==(const T& o) const; \
    bool operator!=(const T& o) const { return !(*this == o); }

/// Declares the JSON pair of a record inside its class: the free functions to_json/from_json
/// (found by argument-dependent lookup, so the JSON library converts the record directly) and
/// toJson/fromJson, which use them.
#define DS_JSON_PAIR(T)                                                                              \
    using ds_json_pair = void;                                                                       \
    friend void to_json(nlohmann::json& j, const T& value) { ::ds::writeJson(value, T::recordInfo(), j); } \
    friend void from_json(const nlohmann::json& j, T& value) { ::ds::readJson(value, T::recordInfo(), j); }
