#pragma once
// Described variables: a MetaVar binds a name to a value's storage and reads and writes it as
// text, number and JSON. The virtual operations stand in the framework's fixed order; record
// vectors (foundation/metavector.h) override the list operations.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "drivesys/platform/drivesys_export.h"
#include "drivesys/platform/nmath/json.h"
#include "drivesys/platform/nmath/statuscodes.h"
#include "drivesys/platform/nmath/value_ops.h"
#include "drivesys/platform/ntypes/nwstring.h"

class Meta;
class nMetaStruct;

/// Which map of a Meta a variable belongs to: 0 for variables bound with their default shown,
/// 1 for variables bound without one.
enum NMetaMaps : int { NMetaMapDefault = 0, NMetaMapPlain = 1 };

using MetaIndex = std::vector<size_t>;

class DRIVESYS_API MetaVar {
public:
    MetaVar() = default;
    MetaVar(const MetaVar&) = delete;
    MetaVar& operator=(const MetaVar&) = delete;
    virtual ~MetaVar();

    virtual int GetType() const = 0;
    virtual int GetSkriptType() const;
    virtual bool isDynamic() const;
    virtual bool isStruct() const;
    virtual bool isString() const;
    virtual size_t size() const;
    virtual void resize(size_t n);
    virtual void clear();
    virtual void erase(size_t i);
    virtual void swap(size_t i, size_t j);
    virtual void copy(size_t i, size_t j);
    virtual nWString getMemberName(size_t k) const;
    virtual Meta* GetMeta();
    virtual void* GetRef() = 0;
    /// Mode 0: back to the initial value (SetInit) or else the default; other modes: cleared.
    virtual void Initialize(int mode);
    virtual bool SetVar(bool value);
    virtual bool SetVar(int64_t value);
    virtual bool SetVar(int value);
    virtual bool SetVar(double value);
    virtual bool SetVar(const nWString& text);
    virtual bool SetVar(const wchar_t* text);
    virtual bool SetVar(const char* latin1);
    virtual void SetElementFromMetaVar(const MetaIndex& index, MetaVar& source);
    virtual void SetInit(const nWString& text);
    /// Empty path: this variable; other paths are resolved by structured variables.
    virtual MetaVar* GetMetaVar(const nWString& path, MetaIndex* index = nullptr);
    virtual bool remove(const nWString& path);
    virtual bool GetAsBool() const;
    virtual short GetAsShort() const;
    virtual double GetAsReal(const nWString& unit) const;
    virtual double GetAsReal(const MetaIndex& index) const;
    virtual double GetAsReal() const;
    virtual int GetAsInt(const MetaIndex& index) const;
    virtual int GetAsInt() const;
    virtual int64_t GetAsInt64(const MetaIndex& index) const;
    virtual int64_t GetAsInt64() const;
    virtual nWString GetAsWString(const nWString& unit) const;
    virtual nWString GetAsWString(const MetaIndex& index) const;
    virtual nWString GetAsWString(bool joined) const;
    virtual nWString GetAsWString() const;
    /// The value as JSON (the request is for variables that take parameters; plain ones ignore it).
    virtual nStatusCodes::StatusCode GetAsJson(const nlohmann::json& request, nlohmann::json& out) const;
    /// Sets the value from its JSON form; false (value unchanged) when it does not convert.
    virtual bool SetFromJson(const nlohmann::json& value);
    /// "prefix+name=text" lines (one per plain variable).
    virtual nWString serialize(const nWString& prefix, NMetaMaps map) const;
    virtual int dimensions() const;
    virtual void* elementAddress(size_t i);
    virtual std::shared_ptr<MetaVar> GetAsMetaVar(const MetaIndex& index);
    virtual size_t GetSize() const;

    // Convenience forms that take single indices (the first index is the one that counts).
    double GetAsReal(size_t i) const { return GetAsReal(MetaIndex{i}); }
    int GetAsInt(size_t i) const { return GetAsInt(MetaIndex{i}); }
    int64_t GetAsInt64(size_t i) const { return GetAsInt64(MetaIndex{i}); }
    nWString GetAsWString(size_t i) const { return GetAsWString(MetaIndex{i}); }
    nWString GetAsWString(const wchar_t* unit) const { return GetAsWString(nWString(unit)); }

    const std::string& GetName() const { return name_; }
    void SetName(std::string name) { name_ = std::move(name); }
    NMetaMaps map() const { return map_; }
    void setMap(NMetaMaps m) { map_ = m; }
    int flags() const { return flags_; }
    void setFlags(int f) { flags_ = f; }
    bool hasDefault() const { return hasDefault_; }
    bool hasInit() const { return hasInit_; }
    const nWString& initText() const { return init_; }
    /// Default value as JSON (null when bound without one).
    virtual void defaultAsJson(nlohmann::json& out) const;
    /// Schema word of the bound value (see ValueOps::typeWord; records: record:<identifier>).
    virtual std::string typeWord() const;

protected:
    std::string name_;
    NMetaMaps map_ = NMetaMapDefault;
    int flags_ = 0;
    bool hasDefault_ = false;
    bool hasInit_ = false;
    nWString init_;
};

/// Base of computed and list variables; `hasInitialList` is true for a vector made with one.
class DRIVESYS_API MetaCalcVar : public MetaVar {
public:
    MetaCalcVar(bool hasInitialList, int kind) : hasInitialList_(hasInitialList), kind_(kind) {}
    bool hasInitialList() const { return hasInitialList_; }
    int kind() const { return kind_; }

protected:
    bool hasInitialList_;
    int kind_;
};

/// A variable bound to a member of a plain type T (see NMATH_PLAIN_VALUE_TYPES).
template <class T>
class DRIVESYS_API MetaVarT final : public MetaVar {
public:
    MetaVarT(T* ref, const T* def);
    int GetType() const override;
    void* GetRef() override { return ref_; }
    size_t size() const override;
    void Initialize(int mode) override;
    bool SetVar(bool value) override;
    bool SetVar(int64_t value) override;
    bool SetVar(int value) override;
    bool SetVar(double value) override;
    bool SetVar(const nWString& text) override;
    using MetaVar::SetVar;
    double GetAsReal() const override;
    using MetaVar::GetAsReal;
    nWString GetAsWString() const override;
    using MetaVar::GetAsWString;
    nStatusCodes::StatusCode GetAsJson(const nlohmann::json& request, nlohmann::json& out) const override;
    bool SetFromJson(const nlohmann::json& value) override;
    nWString serialize(const nWString& prefix, NMetaMaps map) const override;
    void defaultAsJson(nlohmann::json& out) const override;
    std::string typeWord() const override;
    const T& value() const { return *ref_; }

private:
    T* ref_;
    T def_{};
};

#define NMATH_DECLARE_METAVAR(T) extern template class MetaVarT<T>;
NMATH_PLAIN_VALUE_TYPES(NMATH_DECLARE_METAVAR)
#undef NMATH_DECLARE_METAVAR

/// A variable wrapping one record (type 7); paths continue into the record's own Meta.
class DRIVESYS_API MetaVarStruct : public MetaVar {
public:
    MetaVarStruct(nMetaStruct* record, const nMetaStruct* def);
    int GetType() const override;
    void* GetRef() override;
    Meta* GetMeta() override;
    void Initialize(int mode) override;
    bool SetVar(const nWString& text) override;
    using MetaVar::SetVar;
    MetaVar* GetMetaVar(const nWString& path, MetaIndex* index = nullptr) override;
    bool remove(const nWString& path) override;
    nWString GetAsWString() const override;
    using MetaVar::GetAsWString;
    nStatusCodes::StatusCode GetAsJson(const nlohmann::json& request, nlohmann::json& out) const override;
    bool SetFromJson(const nlohmann::json& value) override;
    nWString serialize(const nWString& prefix, NMetaMaps map) const override;
    void defaultAsJson(nlohmann::json& out) const override;
    std::string typeWord() const override;
    nMetaStruct* record() const { return record_; }

private:
    nMetaStruct* record_;
    const nMetaStruct* def_;
};

/// A wrapper of the given record in shared ownership (the record itself is not owned).
DRIVESYS_API std::shared_ptr<MetaVarStruct> MakeMetaVar(nMetaStruct& record);
