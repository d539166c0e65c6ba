#pragma once
// nMetaStruct: base of every record. It owns the record's Meta (built on demand through the
// record's makeMeta) and remembers the record type's registration token.
//
// Copying a record copies its members and its token, never its Meta (a Meta is bound to the
// storage of the record that built it); initial values set with SetInit travel with the copy and
// are applied when the copy builds its own Meta.
//
// Size: a record adds a virtual-table pointer, one pointer and the token to its members. The Meta
// and the carried-over initial values sit behind that one pointer, which stays null until a Meta
// is built or initial values are carried over, so a list element read from JSON holds nothing on
// the heap but its own members.
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "drivesys/platform/drivesys_export.h"
#include "drivesys/platform/nmath/json.h"
#include "drivesys/platform/nmath/metavar.h"
#include "drivesys/platform/ntypes/nwstring.h"

class Meta;

class DRIVESYS_API nMetaStruct {
public:
    nMetaStruct();
    nMetaStruct(const nMetaStruct& other);
    nMetaStruct(nMetaStruct&& other) noexcept;
    nMetaStruct& operator=(const nMetaStruct& other);
    nMetaStruct& operator=(nMetaStruct&& other) noexcept;

    // The six record operations, then the three inherited ones, in the framework's order.
    virtual ~nMetaStruct();
    virtual void makeMeta() = 0;
    virtual void reset() = 0;
    virtual void resetTo(std::unique_ptr<nMetaStruct> other) = 0;
    virtual std::unique_ptr<nMetaStruct> clone() const = 0;
    virtual void registerStruct() const = 0;
    /// "prefix+name=value" lines, one per plain member, nested records and lists with extended
    /// prefixes ("p.sub." and "p.list[0].").
    virtual nWString serialize(const nWString& prefix, NMetaMaps map) const;
    /// The record as a JSON object keyed by its member names (through its Meta variables).
    virtual nlohmann::json toJson() const;
    /// Reads a JSON object: null changes nothing, a non-object throws std::invalid_argument, a
    /// member whose value does not convert keeps its value, unknown keys are ignored.
    virtual void fromJson(const nlohmann::json& j);
    /// The record's type identifier ("class X").
    virtual const wchar_t* typeIdentifier() const = 0;

    /// The record's Meta, built through makeMeta when there is none yet.
    Meta* getMeta();
    bool hasMeta() const;

    bool isRegistered(const wchar_t* identifier) const;
    /// Registers the type and stores its token; returns the token.
    int doRegister(const wchar_t* identifier) const;
    static void registerName(int token, const nWString& name);
    int registerToken() const { return token_; }
    /// Remembers the type's token (records that register atomically through the registry).
    void storeRegisterToken(int token) const { token_ = token; }

    nWString getMemberName(size_t k) const;
    size_t getNumberOfMembers() const;
    nWString GetAsWString() const;
    MetaVar* GetMetaVar(const nWString& path);
    /// Removes a list element ("list[3]"), or delegates into nested records and list elements.
    bool remove(const nWString& path);

protected:
    /// Stores a newly made Meta (called by makeMeta); returns it.
    Meta* installMeta(std::unique_ptr<Meta> meta);
    /// Applies initial values carried over from a copied record (called at the end of makeMeta).
    void finishMeta();

private:
    using InitList = std::vector<std::pair<std::string, nWString>>;
    /// What a record holds only once it is described or carries initial values.
    struct State;
    InitList initValues() const;
    void takeInitValues(InitList values);
    State& state();

    std::unique_ptr<State> state_;
    mutable int token_ = 0;
};
