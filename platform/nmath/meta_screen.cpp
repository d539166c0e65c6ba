// The typed screen-description calls of Meta and the values and states of screen items.
//
// Every call is recorded through the generic recorders (recordItem / recordAttribute), so the
// dump shows it in call order with its arguments. Beside that record the Meta keeps, per item
// made by a typed call, what it needs to evaluate and write the item: the item's own variable
// over the bound member(s), the member-bound conditions, range, integer-only and output-only
// flags and the list entries.
#include <cmath>
#include <nlohmann/json.hpp>
#include <unordered_map>

#include "drivesys/platform/nmath/meta.h"
#include "drivesys/platform/nmath/value_ops.h"

using json = nlohmann::json;

namespace {

std::string utf8(const wchar_t* text) { return text ? ntypes::toUtf8(std::wstring_view(text)) : std::string(); }
std::string narrow(const char* text) { return text ? std::string(text) : std::string(); }

// A check box shown negated: reads and writes the bool member inverted.
class InvertedFlagVar final : public MetaVar {
public:
    explicit InvertedFlagVar(bool* member) : member_(member) {}
    int GetType() const override { return nmath::kTypeBool; }
    void* GetRef() override { return member_; }
    bool SetVar(bool value) override {
        *member_ = !value;
        return true;
    }
    bool SetVar(int64_t value) override { return SetVar(value != 0); }
    bool SetVar(int value) override { return SetVar(value != 0); }
    bool SetVar(double value) override { return SetVar(value != 0.0); }
    bool SetVar(const nWString& text) override {
        bool v = false;
        if (!nmath::ValueOps<bool>::fromText(text, v)) return false;
        return SetVar(v);
    }
    using MetaVar::SetVar;
    double GetAsReal() const override { return *member_ ? 0.0 : 1.0; }
    using MetaVar::GetAsReal;
    nWString GetAsWString() const override { return nmath::ValueOps<bool>::toText(!*member_); }
    using MetaVar::GetAsWString;
    nStatusCodes::StatusCode GetAsJson(const json&, json& out) const override {
        out = !*member_;
        return nStatusCodes::Ok;
    }
    bool SetFromJson(const json& value) override {
        if (!value.is_boolean()) return false;
        return SetVar(value.get<bool>());
    }
    std::string typeWord() const override { return "bool"; }

private:
    bool* member_;
};

// A from/to pair of two double members; its value is [from, to].
class PairVar final : public MetaVar {
public:
    PairVar(double* from, double* to) : from_(from), to_(to) {}
    int GetType() const override { return nmath::kTypeList; }
    void* GetRef() override { return from_; }
    size_t size() const override { return 2; }
    bool SetVar(const nWString& text) override {
        std::vector<double> v;
        if (!nmath::ValueOps<std::vector<double>>::fromText(text, v) || v.size() != 2) return false;
        *from_ = v[0];
        *to_ = v[1];
        return true;
    }
    using MetaVar::SetVar;
    double GetAsReal(const MetaIndex& index) const override {
        return !index.empty() && index[0] == 1 ? *to_ : *from_;
    }
    double GetAsReal() const override { return *from_; }
    using MetaVar::GetAsReal;
    nWString GetAsWString() const override {
        return nmath::ValueOps<std::vector<double>>::toText(std::vector<double>{*from_, *to_});
    }
    using MetaVar::GetAsWString;
    nStatusCodes::StatusCode GetAsJson(const json&, json& out) const override {
        out = json::array({*from_, *to_});
        return nStatusCodes::Ok;
    }
    bool SetFromJson(const json& value) override {
        if (!value.is_array() || value.size() != 2 || !value[0].is_number() || !value[1].is_number()) return false;
        *from_ = value[0].get<double>();
        *to_ = value[1].get<double>();
        return true;
    }
    std::string typeWord() const override { return "pair<double>"; }
    double* to() const { return to_; }

private:
    double* from_;
    double* to_;
};

// One visibility, editability or input condition: a host condition (evaluated by the host
// only), or a bool member, or a short member compared with a value.
enum class ConditionKind : unsigned char { Visible, Editable, Input };
struct Condition {
    ConditionKind kind;
    bool host = false;
    const bool* flag = nullptr;
    const short* number = nullptr;
    short value = 0;
    bool inverted = false;
};

struct ItemState {
    size_t index = 0;  // position in the Meta's item list
    std::unique_ptr<MetaVar> var;
    const void* second = nullptr;  // second member of a pair
    std::vector<Condition> conditions;
    std::vector<nUiListEntry> entries;
    bool hasEntries = false;
    bool readOnly = false;
    bool integerOnly = false;
    bool hasRange = false;
    bool hasLock = false;
    double min = 0.0;
    double max = 0.0;
};

UiState evaluate(const ItemState& s, ConditionKind kind) {
    bool host = false;
    for (const Condition& c : s.conditions) {
        if (c.kind != kind) continue;
        if (c.host) {
            host = true;
            continue;
        }
        bool holds = c.flag ? *c.flag : (c.number && *c.number == c.value);
        if (c.inverted) holds = !holds;
        if (!holds) return UiState::No;
    }
    return host ? UiState::Host : UiState::Yes;
}

UiState editableState(const ItemState& s) { return s.readOnly ? UiState::No : evaluate(s, ConditionKind::Editable); }

json stateJson(UiState s) {
    switch (s) {
    case UiState::No: return false;
    case UiState::Yes: return true;
    case UiState::Host: break;
    }
    return "host";
}

// Builds the argument object of a call key by key (cheaper than the initializer-list form,
// which makes a temporary array per key).
class Args {
public:
    Args() : j_(json::value_t::object) {}
    Args& operator()(const char* key, json value) {
        j_.get_ref<json::object_t&>().emplace(key, std::move(value));
        return *this;
    }
    Args& text(const char* key, const wchar_t* value) { return (*this)(key, utf8(value)); }
    Args& name(const char* key, const char* value) { return (*this)(key, narrow(value)); }
    json take() { return std::move(j_); }

private:
    json j_;
};

json entriesJson(std::span<const nUiListEntry> entries) {
    json list(json::value_t::array);
    auto& a = list.get_ref<json::array_t&>();
    a.reserve(entries.size());
    for (const nUiListEntry& e : entries) {
        json pair(json::value_t::array);
        auto& p = pair.get_ref<json::array_t&>();
        p.reserve(2);
        p.emplace_back(e.textId);
        p.emplace_back(e.value);
        a.push_back(std::move(pair));
    }
    return list;
}

constexpr size_t kNoIndex = static_cast<size_t>(-1);

struct NameHash {
    using is_transparent = void;
    size_t operator()(std::string_view s) const noexcept { return std::hash<std::string_view>{}(s); }
};
}  // namespace

struct Meta::Screen {
    std::vector<ItemState> states;
    std::unordered_map<std::string, size_t, NameHash, std::equal_to<>> byName;  // -> states
    struct KnownMember {
        const void* address;
        std::string recordClass;
        std::string memberPath;
    };
    std::vector<KnownMember> knownMembers;
    std::vector<std::string> unattached;
    size_t blocks = 0;

    Screen() {
        states.reserve(256);
        byName.reserve(256);
    }

    // Notes an item made at `index` of the item list; an earlier item of the same name loses
    // its state (attributes go to the item made last under a name).
    ItemState& made(std::string_view name, size_t index) {
        auto it = byName.find(name);
        if (it == byName.end()) {
            it = byName.emplace(std::string(name), states.size()).first;
            states.emplace_back();
        } else {
            states[it->second] = ItemState{};
        }
        ItemState& s = states[it->second];
        s.index = index;
        return s;
    }
    // Records an attribute on the item made last under `name` and gives its state; notes the
    // call as unattached and gives null when there is no such item. Items made by the generic
    // recorder are found by name and get a state on first use.
    ItemState* attach(Meta& meta, const char* call, const char* name, json&& args, const void* bound = nullptr);

    ItemState* find(std::string_view name) {
        auto it = byName.find(name);
        return it == byName.end() ? nullptr : &states[it->second];
    }
    const ItemState* find(std::string_view name) const { return const_cast<Screen*>(this)->find(name); }
};

void Meta::ScreenDeleter::operator()(Screen* screen) const { delete screen; }

Meta::Screen& Meta::screen() {
    if (!screen_) screen_.reset(new Screen);
    return *screen_;
}

ItemState* Meta::Screen::attach(Meta& meta, const char* call, const char* name, json&& args, const void* bound) {
    const std::string_view key = name ? name : "";
    ItemState* s = find(key);
    bool attached = false;
    if (s && s->index != kNoIndex) {
        attached = meta.recordAttributeAt(s->index, call, std::move(args), bound);
    } else {
        attached = meta.recordAttribute(call, std::string(key), std::move(args), bound);
        if (attached && !s) s = &made(key, kNoIndex);
    }
    if (!attached) {
        unattached.push_back(std::string(call) + ":" + std::string(key));
        return nullptr;
    }
    return s;
}

// ---- item-making calls --------------------------------------------------------------------------
namespace {

struct Call {
    Meta& meta;
    Meta::Screen& screen;

    ItemState& host(const char* call, const char* name, json&& args) {
        const std::string_view key = name ? name : "";
        ItemState& s = screen.made(key, meta.GetNumberOfItems());
        meta.recordItem(call, std::string(key), std::move(args));
        return s;
    }
    template <class T>
    ItemState& bound(const char* call, const char* name, T& member, json&& args, std::unique_ptr<MetaVar> var = nullptr) {
        const std::string_view key = name ? name : "";
        ItemState& s = screen.made(key, meta.GetNumberOfItems());
        if (!var) var = std::make_unique<MetaVarT<T>>(&member, nullptr);
        meta.recordItem(call, std::string(key), std::move(args), &member, var->GetType());
        var->SetName(std::string(key));
        s.var = std::move(var);
        return s;
    }
};

json fieldArgs(int textId, const wchar_t* symbol) { return Args()("textId", textId).text("symbol", symbol).take(); }
json fieldArgs(int textId, const wchar_t* symbol, int unit) {
    return Args()("textId", textId).text("symbol", symbol)("unit", unit).take();
}
}  // namespace

void Meta::PutUiFuncVar(const char* name, int textId, const wchar_t* symbol, int unit, int count, bool flag) {
    Call{*this, screen()}.host("PutUiFuncVar", name,
                               Args()("textId", textId).text("symbol", symbol)("unit", unit)("count", count)("flag", flag).take());
}

void Meta::PutUiFuncVar(const char* name, int textId, const wchar_t* symbol, int count, bool flag) {
    Call{*this, screen()}.host("PutUiFuncVar", name,
                               Args()("textId", textId).text("symbol", symbol)("count", count)("flag", flag).take());
}

void Meta::PutUiTextFuncVar(const char* name, int textId, int count) {
    Call{*this, screen()}.host("PutUiTextFuncVar", name, Args()("textId", textId)("count", count).take());
}

void Meta::PutUiTextVar(const char* name, int textId) {
    Call{*this, screen()}.host("PutUiTextVar", name, Args()("textId", textId).take());
}

void Meta::PutUiTextVar(const char* name, const wchar_t* column1, const wchar_t* column2, const wchar_t* column3,
                        const wchar_t* column4) {
    Call{*this, screen()}.host("PutUiTextVar", name,
                               Args()("columns", json::array({utf8(column1), utf8(column2), utf8(column3), utf8(column4)})).take());
}

void Meta::PutUiListVar(const char* name, int textId, int flag) {
    Call{*this, screen()}.host("PutUiListVar", name, Args()("textId", textId)("flag", flag).take());
}

MetaVar* Meta::PutUiListVar(const char* name, short& member, int textId, std::span<const nUiListEntry> entries) {
    ItemState& s = Call{*this, screen()}.bound("PutUiListVar", name, member,
                                               Args()("textId", textId)("entries", entriesJson(entries)).take());
    s.entries.assign(entries.begin(), entries.end());
    s.hasEntries = true;
    return s.var.get();
}

MetaVar* Meta::PutUiListVar(const char* name, int& member, int textId, std::span<const nUiListEntry> entries) {
    ItemState& s = Call{*this, screen()}.bound("PutUiListVar", name, member,
                                               Args()("textId", textId)("entries", entriesJson(entries)).take());
    s.entries.assign(entries.begin(), entries.end());
    s.hasEntries = true;
    return s.var.get();
}

void Meta::PutUiListFuncVar(const char* name, int textId, const wchar_t* symbol, std::span<const nUiListEntry> entries) {
    Call{*this, screen()}.host("PutUiListFuncVar", name,
                               Args()("textId", textId).text("symbol", symbol)("entries", entriesJson(entries)).take());
}

void Meta::PutUiListFuncVar(const char* name, int textId, const wchar_t* symbol, int unit) {
    Call{*this, screen()}.host("PutUiListFuncVar", name, fieldArgs(textId, symbol, unit));
}

void Meta::PutUiFlagFuncVar(const char* name, int textId) {
    Call{*this, screen()}.host("PutUiFlagFuncVar", name, Args()("textId", textId).take());
}

MetaVar* Meta::PutUiFlagVar(const char* name, bool& member, int textId, bool inverted) {
    return Call{*this, screen()}
        .bound("PutUiFlagVar", name, member, Args()("textId", textId)("inverted", inverted).take(),
               inverted ? std::make_unique<InvertedFlagVar>(&member) : nullptr)
        .var.get();
}

#define NMATH_DEFINE_PUTUIVAR(T)                                                                        \
    MetaVar* Meta::PutUiVar(const char* name, T& member, int textId, const wchar_t* symbol) {           \
        return Call{*this, screen()}.bound("PutUiVar", name, member, fieldArgs(textId, symbol)).var.get(); \
    }                                                                                                   \
    MetaVar* Meta::PutUiVar(const char* name, T& member, int textId, const wchar_t* symbol, int unit) {   \
        return Call{*this, screen()}.bound("PutUiVar", name, member, fieldArgs(textId, symbol, unit)).var.get(); \
    }
NMATH_DEFINE_PUTUIVAR(int)
NMATH_DEFINE_PUTUIVAR(unsigned)
NMATH_DEFINE_PUTUIVAR(short)
NMATH_DEFINE_PUTUIVAR(double)
#undef NMATH_DEFINE_PUTUIVAR

MetaVar* Meta::PutUiVar(const char* name, nWString& member, int textId, const wchar_t* symbol) {
    return Call{*this, screen()}.bound("PutUiVar", name, member, fieldArgs(textId, symbol)).var.get();
}

MetaVar* Meta::PutUiVar(const char* name, double& from, double& to, int textId, const wchar_t* symbol, int unit) {
    ItemState& s = Call{*this, screen()}.bound("PutUiVar", name, from, fieldArgs(textId, symbol, unit),
                                               std::make_unique<PairVar>(&from, &to));
    s.second = &to;
    return s.var.get();
}

void Meta::PutUiFileVar(const char* name, int textId, const wchar_t* filter) {
    Call{*this, screen()}.host("PutUiFileVar", name, Args()("textId", textId).text("filter", filter).take());
}

MetaVar* Meta::PutUiFileVar(const char* name, nWString& member, int textId, const wchar_t* filter) {
    return Call{*this, screen()}
        .bound("PutUiFileVar", name, member, Args()("textId", textId).text("filter", filter).take())
        .var.get();
}

void Meta::PutUiDirVar(const char* name, int textId) {
    Call{*this, screen()}.host("PutUiDirVar", name, Args()("textId", textId).take());
}

MetaVar* Meta::PutUiDirVar(const char* name, nWString& member, int textId) {
    return Call{*this, screen()}.bound("PutUiDirVar", name, member, Args()("textId", textId).take()).var.get();
}

void Meta::PutUiDBListVar(const char* name, int textId, const wchar_t* table, const wchar_t* key, bool flag) {
    Call{*this, screen()}.host("PutUiDBListVar", name,
                               Args()("textId", textId).text("table", table).text("key", key)("flag", flag).take());
}

MetaVar* Meta::PutUiDBListVar(const char* name, short& member, int textId, const wchar_t* table, const wchar_t* key,
                              bool flag) {
    return Call{*this, screen()}
        .bound("PutUiDBListVar", name, member,
               Args()("textId", textId).text("table", table).text("key", key)("flag", flag).take())
        .var.get();
}

MetaVar* Meta::PutUiLSVar(const char* name, short& member) {
    return Call{*this, screen()}.bound("PutUiLSVar", name, member, json(json::value_t::object)).var.get();
}

void Meta::PutUiTreeVar(const char* name) { Call{*this, screen()}.host("PutUiTreeVar", name, json(json::value_t::object)); }

namespace {
json setupJson(const nTableSetup& setup) {
    json flags(json::value_t::array);
    for (unsigned char f : setup.flags) flags.push_back(static_cast<int>(f));
    return Args()("frozenColumns", setup.frozenColumns)("sortColumn", setup.sortColumn)("flags", std::move(flags)).take();
}
}  // namespace

void Meta::PutUiTableVar(const char* name, const nTableSetup& setup) {
    Call{*this, screen()}.host("PutUiTableVar", name, Args()("setup", setupJson(setup)).take());
}

void Meta::PutUiTableVar(const char* name, bool flag) {
    Call{*this, screen()}.host("PutUiTableVar", name, Args()("flag", flag).take());
}

MetaVar* Meta::PutUiTableVarFromVectorStruct(const char* name, std::unique_ptr<MetaVar> list, const nTableSetup& setup) {
    if (!list) return nullptr;
    const std::string_view key = name ? name : "";
    ItemState& s = screen().made(key, GetNumberOfItems());
    recordItem("PutUiTableVarFromVectorStruct", std::string(key), Args()("setup", setupJson(setup)).take(), list->GetRef(),
               list->GetType());
    list->SetName(std::string(key));
    s.var = std::move(list);
    return s.var.get();
}

bool Meta::PutUiBlock(std::initializer_list<const char*> items, const wchar_t* title, int mode) {
    Screen& sc = screen();
    bool complete = true;
    json names(json::value_t::array);
    for (const char* item : items) {
        if (!hasItem(narrow(item))) {
            complete = false;
            sc.unattached.push_back("PutUiBlock:" + narrow(item));
        }
        names.push_back(narrow(item));
    }
    const std::string name = "Block" + std::to_string(++sc.blocks);
    sc.made(name, GetNumberOfItems());
    recordItem("PutUiBlock", name, Args()("items", std::move(names)).text("title", title)("mode", mode).take());
    return complete;
}

// ---- attribute calls ----------------------------------------------------------------------------
bool Meta::AddUpdate(const char* name, const char* handler) {
    return screen().attach(*this, "AddUpdate", name, Args().name("handler", handler).take()) != nullptr;
}

bool Meta::AddUpdate(const char* name, bool notify, bool queued) {
    return screen().attach(*this, "AddUpdate", name, Args()("notify", notify)("queued", queued).take()) != nullptr;
}

namespace {
void addCondition(ItemState* s, ConditionKind kind, bool host, const bool* flag, const short* number, short value,
                  bool inverted) {
    if (s) s->conditions.push_back(Condition{kind, host, flag, number, value, inverted});
}
}  // namespace

bool Meta::AddVisibleCondition(const char* name) {
    ItemState* s = screen().attach(*this, "AddVisibleCondition", name, json(json::value_t::object));
    addCondition(s, ConditionKind::Visible, true, nullptr, nullptr, 0, false);
    return s != nullptr;
}

bool Meta::AddEditableCondition(const char* name) {
    ItemState* s = screen().attach(*this, "AddEditableCondition", name, json(json::value_t::object));
    addCondition(s, ConditionKind::Editable, true, nullptr, nullptr, 0, false);
    return s != nullptr;
}

bool Meta::AddVisibleCondition(const char* name, const char* condition, bool inverted, bool flag) {
    ItemState* s = screen().attach(*this, "AddVisibleCondition", name,
                                   Args().name("condition", condition)("inverted", inverted)("flag", flag).take());
    addCondition(s, ConditionKind::Visible, true, nullptr, nullptr, 0, inverted);
    return s != nullptr;
}

bool Meta::AddEditableCondition(const char* name, const char* condition, bool inverted, bool flag) {
    ItemState* s = screen().attach(*this, "AddEditableCondition", name,
                                   Args().name("condition", condition)("inverted", inverted)("flag", flag).take());
    addCondition(s, ConditionKind::Editable, true, nullptr, nullptr, 0, inverted);
    return s != nullptr;
}

bool Meta::AddVisibleCondition(const char* name, bool& member, bool inverted, bool flag) {
    ItemState* s = screen().attach(*this, "AddVisibleCondition", name, Args()("inverted", inverted)("flag", flag).take(),
                                   &member);
    addCondition(s, ConditionKind::Visible, false, &member, nullptr, 0, inverted);
    return s != nullptr;
}

bool Meta::AddEditableCondition(const char* name, bool& member, bool inverted, bool flag) {
    ItemState* s = screen().attach(*this, "AddEditableCondition", name, Args()("inverted", inverted)("flag", flag).take(),
                                   &member);
    addCondition(s, ConditionKind::Editable, false, &member, nullptr, 0, inverted);
    return s != nullptr;
}

bool Meta::AddVisibleCondition(const char* name, short& member, short value, bool inverted, bool flag) {
    ItemState* s = screen().attach(*this, "AddVisibleCondition", name,
                                   Args()("equals", value)("inverted", inverted)("flag", flag).take(), &member);
    addCondition(s, ConditionKind::Visible, false, nullptr, &member, value, inverted);
    return s != nullptr;
}

bool Meta::AddEditableCondition(const char* name, short& member, short value, bool inverted, bool flag) {
    ItemState* s = screen().attach(*this, "AddEditableCondition", name,
                                   Args()("equals", value)("inverted", inverted)("flag", flag).take(), &member);
    addCondition(s, ConditionKind::Editable, false, nullptr, &member, value, inverted);
    return s != nullptr;
}

bool Meta::AddReadOnlyFlag(const char* name) {
    ItemState* s = screen().attach(*this, "AddReadOnlyFlag", name, json(json::value_t::object));
    if (s) s->readOnly = true;
    return s != nullptr;
}

bool Meta::AddIntCondition(const char* name) {
    ItemState* s = screen().attach(*this, "AddIntCondition", name, json(json::value_t::object));
    if (s) s->integerOnly = true;
    return s != nullptr;
}

bool Meta::SetRange(const char* name, double min, double max) {
    ItemState* s = screen().attach(*this, "SetRange", name, Args()("min", min)("max", max).take());
    if (!s) return false;
    s->hasRange = true;
    s->min = min;
    s->max = max;
    return true;
}

bool Meta::SetDefaultDecimals(const char* name, int decimals) {
    return screen().attach(*this, "SetDefaultDecimals", name, Args()("decimals", decimals).take()) != nullptr;
}

bool Meta::AddInfoFile(const char* name, const wchar_t* image, const wchar_t* text) {
    return screen().attach(*this, "AddInfoFile", name, Args().text("image", image).text("text", text).take()) != nullptr;
}

bool Meta::AddAuthorItCode(const char* name, int code) {
    return screen().attach(*this, "AddAuthorItCode", name, Args()("code", code).take()) != nullptr;
}

bool Meta::AddConvertButton(const char* name, const char* handler, const char* condition) {
    return screen().attach(*this, "AddConvertButton", name,
                           Args().name("handler", handler).name("condition", condition).take()) != nullptr;
}

bool Meta::AddEditButton(const char* name, const char* stateCondition, const char* setter) {
    ItemState* s = screen().attach(*this, "AddEditButton", name,
                                   Args().name("state", stateCondition).name("setter", setter).take());
    if (!s) return false;
    s->hasLock = true;
    addCondition(s, ConditionKind::Input, true, nullptr, nullptr, 0, false);
    return true;
}

bool Meta::AddEditButton(const char* name, bool& member, bool inverted) {
    ItemState* s = screen().attach(*this, "AddEditButton", name, Args()("inverted", inverted).take(), &member);
    if (!s) return false;
    s->hasLock = true;
    addCondition(s, ConditionKind::Input, false, &member, nullptr, 0, inverted);
    return true;
}

bool Meta::AddSizeButton(const char* name, const char* action, const char* condition) {
    Args args;
    args.name("action", action);
    if (condition) args.name("condition", condition);
    return screen().attach(*this, "AddSizeButton", name, args.take()) != nullptr;
}

bool Meta::AddSizeToolTip(const char* name, int textId) {
    return screen().attach(*this, "AddSizeToolTip", name, Args()("textId", textId).take()) != nullptr;
}

bool Meta::AddIconButton(const char* name, const wchar_t* icon, int textId, const char* handler, const wchar_t* text) {
    return screen().attach(*this, "AddIconButton", name,
                           Args().text("icon", icon)("textId", textId).name("handler", handler).text("text", text).take()) !=
           nullptr;
}

bool Meta::AddImportAndLinkButton(const char* name, const char* handler) {
    return screen().attach(*this, "AddImportAndLinkButton", name, Args().name("handler", handler).take()) != nullptr;
}

bool Meta::AddStatusButtons(const char* name, bool flag) {
    return screen().attach(*this, "AddStatusButtons", name, Args()("flag", flag).take()) != nullptr;
}

bool Meta::AddColumnButtons(const char* name) {
    return screen().attach(*this, "AddColumnButtons", name, json(json::value_t::object)) != nullptr;
}

bool Meta::AddPlusButton(const char* name, int textId, const char* dialog, const char* condition) {
    Args args;
    args("textId", textId).name("dialog", dialog);
    if (condition) args.name("condition", condition);
    return screen().attach(*this, "AddPlusButton", name, args.take()) != nullptr;
}

bool Meta::AddSettingsButton(const char* name, const char* dialog, int mode) {
    return screen().attach(*this, "AddSettingsButton", name, Args().name("dialog", dialog)("mode", mode).take()) != nullptr;
}

bool Meta::AddFileDirectory(const char* name, const nWString& folder) {
    return screen().attach(*this, "AddFileDirectory", name, Args()("folder", folder.toUtf8()).take()) != nullptr;
}

// ---- values and states --------------------------------------------------------------------------
MetaVar* Meta::itemVar(std::string_view name) const {
    if (!screen_) return nullptr;
    const ItemState* s = screen_->find(name);
    return s ? s->var.get() : nullptr;
}

bool Meta::itemValue(std::string_view name, json& out) const {
    MetaVar* v = itemVar(name);
    if (!v) return false;
    return v->GetAsJson(json(), out) == nStatusCodes::Ok;
}

namespace {
bool inRange(const ItemState& s, double v) { return !s.hasRange || (v >= s.min && v <= s.max); }

// The checks of an item's range, integer-only flag and list entries on a value about to be
// written; the conversion itself is left to the item's variable.
bool acceptable(const ItemState& s, const json& value) {
    if (value.is_array()) {
        for (const json& e : value)
            if (e.is_number() && !inRange(s, e.get<double>())) return false;
        return true;
    }
    if (!value.is_number()) return !s.hasEntries;
    const double v = value.get<double>();
    if (!inRange(s, v)) return false;
    if ((s.integerOnly || s.hasEntries) && v != std::floor(v)) return false;
    if (s.hasEntries) {
        for (const nUiListEntry& e : s.entries)
            if (e.value == v) return true;
        return false;
    }
    return true;
}
}  // namespace

bool Meta::setItemValue(std::string_view name, const json& value) {
    if (!screen_) return false;
    ItemState* s = screen_->find(name);
    if (!s || !s->var || s->readOnly || !acceptable(*s, value)) return false;
    return s->var->SetFromJson(value);
}

UiState Meta::itemVisible(std::string_view name) const {
    const ItemState* s = screen_ ? screen_->find(name) : nullptr;
    return s ? evaluate(*s, ConditionKind::Visible) : UiState::No;
}

UiState Meta::itemEditable(std::string_view name) const {
    const ItemState* s = screen_ ? screen_->find(name) : nullptr;
    return s ? editableState(*s) : UiState::No;
}

UiState Meta::itemInput(std::string_view name) const {
    const ItemState* s = screen_ ? screen_->find(name) : nullptr;
    return s ? evaluate(*s, ConditionKind::Input) : UiState::No;
}

void Meta::addKnownMember(const void* address, std::string recordClass, std::string memberPath) {
    if (address) screen().knownMembers.push_back({address, std::move(recordClass), std::move(memberPath)});
}

bool Meta::resolveKnownMember(const void* address, std::string& recordClass, std::string& memberPath) const {
    if (!screen_) return false;
    for (const auto& m : screen_->knownMembers) {
        if (m.address == address) {
            recordClass = m.recordClass;
            memberPath = m.memberPath;
            return true;
        }
    }
    return false;
}

std::vector<std::string> Meta::unattachedAttributes() const {
    return screen_ ? screen_->unattached : std::vector<std::string>{};
}

void Meta::dumpScreenDetails(json& items) const {
    for (const ItemState& s : screen_->states) {
        if (!s.second || s.index >= items.size()) continue;
        std::string cls, path;
        if (resolveAddress(s.second, cls, path)) items[s.index]["secondBinding"] = {{"record", cls}, {"member", path}};
    }
}

void Meta::dumpWithState(json& out) const {
    dump(out);
    if (!screen_) return;
    json& items = out["items"];
    for (const auto& [name, i] : screen_->byName) {
        const ItemState& s = screen_->states[i];
        if (s.index >= items.size() || items[s.index]["name"] != name) continue;
        json& j = items[s.index];
        j["visible"] = stateJson(evaluate(s, ConditionKind::Visible));
        j["editable"] = stateJson(editableState(s));
        if (s.hasLock) j["input"] = stateJson(evaluate(s, ConditionKind::Input));
    }
}
