#pragma once
// Meta: the description of a record or of a whole screen.
//
// It holds, in call order, the described variables (PutVar/AppendVar bind a name to a member's
// storage) and the screen items (PutUi* calls and their attribute calls, recorded with all their
// arguments). Variables are found by name or by path ("cylinder.length", "elements[2].name");
// values are read and written through them as text, number or JSON; `dump` writes the whole
// description as JSON.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/drivesys_export.h"
#include "platform/nmath/json.h"
#include "platform/nmath/metavar.h"
#include "platform/ntypes/nwstring.h"

class nMetaStruct;

class DRIVESYS_API Meta {
public:
    explicit Meta(nMetaStruct* owner = nullptr);
    ~Meta();
    Meta(const Meta&) = delete;
    Meta& operator=(const Meta&) = delete;

    nMetaStruct* owner() const;

    // ---- described variables ---------------------------------------------------------------
#define NMATH_DECLARE_PUTVAR(T)                                                   \
    MetaVar* PutVar(const char* name, T& member, const T& def, int flags = 0); \
    MetaVar* PutVar(const char* name, T& member);
    NMATH_PLAIN_VALUE_TYPES(NMATH_DECLARE_PUTVAR)
#undef NMATH_DECLARE_PUTVAR
    /// A nested record with its default (the sub-record of a default-constructed owner).
    MetaVar* PutVar(const char* name, nMetaStruct& sub, const nMetaStruct& def, bool flag);
    /// A nested record bound without default.
    MetaVar* PutVar(const char* name, nMetaStruct& sub, bool flag);
    /// Adds a prepared variable (a record vector, say); the Meta takes ownership.
    MetaVar* AppendVar(NMetaMaps map, const char* name, MetaVar* var);
    /// Adds a prepared variable in the given map with flags (generic form of PutVar).
    MetaVar* putVar(const char* name, std::unique_ptr<MetaVar> var, NMetaMaps map, int flags = 0);
    /// Sets the initial value text of a bound variable; false when there is no such variable.
    bool SetInit(const char* name, const nWString& value);
    /// Every variable back to its initial value (mode 0) or cleared (other modes).
    void Initialize(int mode = 0);

    /// Variable bound directly under this name, or null.
    MetaVar* GetVar(std::string_view name) const;
    /// Variable at a path: names joined by '.', list elements as "name[i]". Null when absent.
    MetaVar* GetMetaVar(const nWString& path) const;
    size_t GetNumberOfVars() const;
    MetaVar* GetVarAt(size_t i) const;
    /// Names and initial texts of the variables that have one (SetInit).
    std::vector<std::pair<std::string, nWString>> initValues() const;

    // ---- screen description -----------------------------------------------------------------
    /// Records an item-making call (PutUi...) with its arguments; `bound` is the address of the
    /// member the item is bound to, or null for host-supplied items.
    void recordItem(const char* call, const std::string& name, const nlohmann::json& args,
                    const void* bound = nullptr, int boundType = 0);
    /// Records an attribute call on an item; false when no item of that name was made before.
    bool recordAttribute(const char* call, const std::string& itemName, const nlohmann::json& args,
                         const void* bound = nullptr);
    size_t GetNumberOfItems() const;
    /// Makes the members of these records resolvable from their addresses in the dump.
    void addKnownRecord(nMetaStruct* record, std::string label = {});
    /// Record class and member path of a bound address ("nvSettingsTab", "namingSettings.x").
    bool resolveAddress(const void* address, std::string& recordClass, std::string& memberPath) const;

    /// The whole description: {"variables": [...], "items": [...]} in call order.
    void dump(nlohmann::json& out) const;

    struct Impl;

private:
    std::unique_ptr<Impl> impl_;
};
