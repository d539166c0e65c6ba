#pragma once
// Meta: the description of a record or of a whole screen.
//
// It holds, in call order, the described variables (PutVar/AppendVar bind a name to a member's
// storage) and the screen items (PutUi* calls and their attribute calls, recorded with all their
// arguments). Variables are found by name or by path ("cylinder.length", "elements[2].name");
// values are read and written through them as text, number or JSON; `dump` writes the whole
// description as JSON.
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "drivesys/platform/drivesys_export.h"
#include "drivesys/platform/nmath/json.h"
#include "drivesys/platform/nmath/metavar.h"
#include "drivesys/platform/nmath/ui_types.h"
#include "drivesys/platform/ntypes/nwstring.h"

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

    /// Same as recordItem/recordAttribute, taking the arguments over.
    void recordItem(const char* call, std::string name, nlohmann::json&& args, const void* bound = nullptr,
                    int boundType = 0);
    bool recordAttribute(const char* call, const std::string& itemName, nlohmann::json&& args,
                         const void* bound = nullptr);
    /// True when an item of this name was made.
    bool hasItem(std::string_view name) const;

    // ---- typed screen-description calls (meta_screen.cpp) ------------------------------------
    // Item-making calls record one item under `name`; calls that bind a member also make the
    // item's own variable, through which the item's value is read and written by name
    // (itemVar, setItemValue). Attribute calls attach to the item made last under that name and
    // return false (recording nothing) when there is none; an item made by a typed call keeps
    // its attributes even if recordItem later reuses its name (do not mix the two for one
    // name). Units are values of NDimensions::Unit; symbols, titles, pictures and icons are
    // wide texts; conditions, handlers, dialog files and database names are narrow names the
    // host resolves.

    /// Number whose value the host supplies and receives by name; count = number of values (1-3).
    void PutUiFuncVar(const char* name, int textId, const wchar_t* symbol, int unit, int count, bool flag);
    void PutUiFuncVar(const char* name, int textId, const wchar_t* symbol, int count, bool flag);
    /// Text field supplied by the host with `count` values.
    void PutUiTextFuncVar(const char* name, int textId, int count);
    /// Fixed label.
    void PutUiTextVar(const char* name, int textId);
    /// Header line with four column titles over a multi-value item.
    void PutUiTextVar(const char* name, const wchar_t* column1, const wchar_t* column2, const wchar_t* column3,
                      const wchar_t* column4);
    /// Selection list whose entries and value the host supplies.
    void PutUiListVar(const char* name, int textId, int flag);
    /// Selection list bound to a member, entries as (text id, value) in list order; a value
    /// written through the item must be one of the entries' values.
    MetaVar* PutUiListVar(const char* name, short& member, int textId, std::span<const nUiListEntry> entries);
    MetaVar* PutUiListVar(const char* name, int& member, int textId, std::span<const nUiListEntry> entries);
    /// Selection list with a fixed entry table whose chosen value goes to the host.
    void PutUiListFuncVar(const char* name, int textId, const wchar_t* symbol, std::span<const nUiListEntry> entries);
    /// Selection list with unit whose entries and value the host supplies.
    void PutUiListFuncVar(const char* name, int textId, const wchar_t* symbol, int unit);
    /// Check box supplied by the host.
    void PutUiFlagFuncVar(const char* name, int textId);
    /// Check box bound to a bool member; `inverted` shows (and writes) the member negated.
    MetaVar* PutUiFlagVar(const char* name, bool& member, int textId, bool inverted);
    /// Fields bound to a member, with or without unit.
    MetaVar* PutUiVar(const char* name, int& member, int textId, const wchar_t* symbol);
    MetaVar* PutUiVar(const char* name, int& member, int textId, const wchar_t* symbol, int unit);
    MetaVar* PutUiVar(const char* name, unsigned& member, int textId, const wchar_t* symbol);
    MetaVar* PutUiVar(const char* name, unsigned& member, int textId, const wchar_t* symbol, int unit);
    MetaVar* PutUiVar(const char* name, short& member, int textId, const wchar_t* symbol);
    MetaVar* PutUiVar(const char* name, short& member, int textId, const wchar_t* symbol, int unit);
    MetaVar* PutUiVar(const char* name, double& member, int textId, const wchar_t* symbol);
    MetaVar* PutUiVar(const char* name, double& member, int textId, const wchar_t* symbol, int unit);
    MetaVar* PutUiVar(const char* name, nWString& member, int textId, const wchar_t* symbol);
    /// A from/to pair of two double members; its item value is the JSON array [from, to].
    MetaVar* PutUiVar(const char* name, double& from, double& to, int textId, const wchar_t* symbol, int unit);
    /// File chooser, host-supplied or bound to a text member.
    void PutUiFileVar(const char* name, int textId, const wchar_t* filter);
    MetaVar* PutUiFileVar(const char* name, nWString& member, int textId, const wchar_t* filter);
    /// Folder chooser, host-supplied or bound to a text member.
    void PutUiDirVar(const char* name, int textId);
    MetaVar* PutUiDirVar(const char* name, nWString& member, int textId);
    /// List filled from a table of the suite's database, host-supplied or bound to a short.
    void PutUiDBListVar(const char* name, int textId, const wchar_t* table, const wchar_t* key, bool flag);
    MetaVar* PutUiDBListVar(const char* name, short& member, int textId, const wchar_t* table, const wchar_t* key,
                            bool flag);
    /// Load-spectrum type selector bound to a short member.
    MetaVar* PutUiLSVar(const char* name, short& member);
    /// Object tree of the host.
    void PutUiTreeVar(const char* name);
    /// Table the host fills, with a setup or a plain flag.
    void PutUiTableVar(const char* name, const nTableSetup& setup);
    void PutUiTableVar(const char* name, bool flag);
    /// Table over a list of records; `list` is the list's described variable (a record vector),
    /// which becomes the item's variable.
    MetaVar* PutUiTableVarFromVectorStruct(const char* name, std::unique_ptr<MetaVar> list, const nTableSetup& setup);
    /// Groups the named items (made before) in one line or block; the block is an item named
    /// "Block<n>" (n counts the blocks of this Meta from 1). False when a named item is missing.
    bool PutUiBlock(std::initializer_list<const char*> items, const wchar_t* title, int mode);

    /// Handler run by the host after the item changed.
    bool AddUpdate(const char* name, const char* handler);
    /// Plain change notification.
    bool AddUpdate(const char* name, bool notify, bool queued);
    /// Visibility / editability decided by the host for this item alone.
    bool AddVisibleCondition(const char* name);
    bool AddEditableCondition(const char* name);
    /// Visible / editable while the host's named condition holds (inverted: while it does not).
    bool AddVisibleCondition(const char* name, const char* condition, bool inverted = false, bool flag = false);
    bool AddEditableCondition(const char* name, const char* condition, bool inverted = false, bool flag = false);
    /// Visible / editable while the bool member is set (inverted: while it is not).
    bool AddVisibleCondition(const char* name, bool& member, bool inverted = false, bool flag = false);
    bool AddEditableCondition(const char* name, bool& member, bool inverted = false, bool flag = false);
    /// Visible / editable while the short member equals `value` (inverted: while it differs).
    bool AddVisibleCondition(const char* name, short& member, short value, bool inverted = false, bool flag = false);
    bool AddEditableCondition(const char* name, short& member, short value, bool inverted = false, bool flag = false);
    /// Output only: never editable, and values written through the item are refused.
    bool AddReadOnlyFlag(const char* name);
    /// Integer input only: values written through the item must be whole numbers.
    bool AddIntCondition(const char* name);
    /// Input range (inclusive); values written through the item must lie in it.
    bool SetRange(const char* name, double min, double max);
    bool SetDefaultDecimals(const char* name, int decimals);
    /// Picture shown as help next to the item.
    bool AddInfoFile(const char* name, const wchar_t* image, const wchar_t* text);
    /// Help-topic code.
    bool AddAuthorItCode(const char* name, int code);
    /// Button converting the input, shown while the condition holds.
    bool AddConvertButton(const char* name, const char* handler, const char* condition);
    /// Lock button: the host's state condition tells whether the value is a given input, the
    /// setter toggles it.
    bool AddEditButton(const char* name, const char* stateCondition, const char* setter);
    /// Lock button bound to a bool member: the value is a given input while the member is set
    /// (inverted: while it is not); the button toggles the member.
    bool AddEditButton(const char* name, bool& member, bool inverted = false);
    /// Sizing button running a handler or opening a dialog file, shown while the condition holds
    /// (none: always).
    bool AddSizeButton(const char* name, const char* action, const char* condition = nullptr);
    bool AddSizeToolTip(const char* name, int textId);
    /// Icon button on a table.
    bool AddIconButton(const char* name, const wchar_t* icon, int textId, const char* handler, const wchar_t* text);
    bool AddImportAndLinkButton(const char* name, const char* handler);
    bool AddStatusButtons(const char* name, bool flag);
    bool AddColumnButtons(const char* name);
    /// Button opening a further dialog (or running a handler), shown while the condition holds.
    bool AddPlusButton(const char* name, int textId, const char* dialog, const char* condition = nullptr);
    bool AddSettingsButton(const char* name, const char* dialog, int mode);
    /// Start folder of a file or folder chooser.
    bool AddFileDirectory(const char* name, const nWString& folder);

    // ---- values and states of screen items ----------------------------------------------------
    /// The variable of a bound item (null for host-supplied items and unknown names).
    MetaVar* itemVar(std::string_view name) const;
    /// The item's value as JSON; false for host-supplied items and unknown names.
    bool itemValue(std::string_view name, nlohmann::json& out) const;
    /// Writes a value through the item into its bound member(s). False, member unchanged, when
    /// the item is unknown or host-supplied, output only, or the value does not convert, is not
    /// whole for an integer-only item, lies outside the item's range or is no entry of its list.
    bool setItemValue(std::string_view name, const nlohmann::json& value);
    /// Visibility / editability from the conditions bound to members (all must hold); Host when
    /// they hold but a host condition also applies. Unknown items give No.
    UiState itemVisible(std::string_view name) const;
    UiState itemEditable(std::string_view name) const;
    /// Whether the item's value is a given input according to its member-bound lock buttons
    /// (Host for a host lock, Yes without lock button).
    UiState itemInput(std::string_view name) const;
    /// Names a member that no known record describes (a member outside its record's member
    /// list), so the dump can resolve it.
    void addKnownMember(const void* address, std::string recordClass, std::string memberPath);
    /// Attribute calls that named no earlier item ("call:name"), in call order.
    std::vector<std::string> unattachedAttributes() const;
    /// dump() plus, on every item made by a typed call, "visible", "editable" (true, false or
    /// "host") and, for items with lock buttons, "input".
    void dumpWithState(nlohmann::json& out) const;

    struct Impl;
    struct Screen;
    struct ScreenDeleter {
        void operator()(Screen* screen) const;
    };

private:
    /// Attaches an attribute to the item at this position of the item list.
    bool recordAttributeAt(size_t index, const char* call, nlohmann::json&& args, const void* bound);
    Screen& screen();
    bool resolveKnownMember(const void* address, std::string& recordClass, std::string& memberPath) const;
    void dumpScreenDetails(nlohmann::json& items) const;

    std::unique_ptr<Impl> impl_;
    std::unique_ptr<Screen, ScreenDeleter> screen_;
};
