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

#include "platform/nmath/meta.h"
#include "platform/nmath/value_ops.h"

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

// One visibility, editability or input condition: a host condition (evaluated by the host only),
// or a bool member, or a short member compared with a value.
struct Condition {
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
    std::vector<Condition> visible;
    std::vector<Condition> editable;
    std::vector<Condition> input;
    std::vector<nUiListEntry> entries;
    bool hasEntries = false;
    bool readOnly = false;
    bool integerOnly = false;
    bool hasRange = false;
    bool hasLock = false;
    double min = 0.0;
    double max = 0.0;
};

UiState evaluate(const std::vector<Condition>& conditions) {
    bool host = false;
    for (const Condition& c : conditions) {
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

json stateJson(UiState s) {
    switch (s) {
    case UiState::No: return false;
    case UiState::Yes: return true;
    case UiState::Host: break;
    }
    return "host";
}

json entriesJson(std::span<const nUiListEntry> entries) {
    json list = json::array();
    list.get_ref<json::array_t&>().reserve(entries.size());
    for (const nUiListEntry& e : entries) list.push_back(json::array({e.textId, e.value}));
    return list;
}
}  // namespace

struct Meta::Screen {
    std::vector<ItemState> items;
    std::unordered_map<std::string, size_t> byName;
    struct KnownMember {
        const void* address;
        std::string recordClass;
        std::string memberPath;
    };
    std::vector<KnownMember> knownMembers;
    std::vector<std::string> unattached;
    size_t blocks = 0;

    // Notes a newly made item (made last under its name).
    ItemState& made(const std::string& name, size_t index) {
        auto [it, inserted] = byName.try_emplace(name, items.size());
        if (inserted) {
            items.emplace_back();
        } else {
            items[it->second] = ItemState{};
        }
        ItemState& s = items[it->second];
        s.index = index;
        return s;
    }
    ItemState* find(std::string_view name) {
        auto it = byName.find(std::string(name));
        return it == byName.end() ? nullptr : &items[it->second];
    }
    const ItemState* find(std::string_view name) const { return const_cast<Screen*>(this)->find(name); }
};

void Meta::ScreenDeleter::operator()(Screen* screen) const { delete screen; }

Meta::Screen& Meta::screen() {
    if (!screen_) screen_.reset(new Screen);
    return *screen_;
}

// ---- item-making calls --------------------------------------------------------------------------
namespace {
struct Call {
    Meta& meta;
    Meta::Screen& screen;

    ItemState& host(const char* call, const char* name, json&& args) {
        const size_t index = meta.GetNumberOfItems();
        std::string key = narrow(name);
        ItemState& s = screen.made(key, index);
        meta.recordItem(call, std::move(key), std::move(args));
        return s;
    }
    template <class T>
    MetaVar* bound(const char* call, const char* name, T& member, json&& args, std::unique_ptr<MetaVar> var = nullptr) {
        const size_t index = meta.GetNumberOfItems();
        std::string key = narrow(name);
        ItemState& s = screen.made(key, index);
        meta.recordItem(call, std::move(key), std::move(args), &member, var ? var->GetType() : nmath::ValueOps<T>::typeCode());
        s.var = var ? std::move(var) : std::make_unique<MetaVarT<T>>(&member, nullptr);
        s.var->SetName(narrow(name));
        return s.var.get();
    }
};

json fieldArgs(int textId, const wchar_t* symbol) { return json{{"textId", textId}, {"symbol", utf8(symbol)}}; }
json fieldArgs(int textId, const wchar_t* symbol, int unit) {
    return json{{"textId", textId}, {"symbol", utf8(symbol)}, {"unit", unit}};
}
}  // namespace

void Meta::PutUiFuncVar(const char* name, int textId, const wchar_t* symbol, int unit, int count, bool flag) {
    Call{*this, screen()}.host("PutUiFuncVar", name,
                               json{{"textId", textId}, {"symbol", utf8(symbol)}, {"unit", unit}, {"count", count}, {"flag", flag}});
}

void Meta::PutUiFuncVar(const char* name, int textId, const wchar_t* symbol, int count, bool flag) {
    Call{*this, screen()}.host("PutUiFuncVar", name,
                               json{{"textId", textId}, {"symbol", utf8(symbol)}, {"count", count}, {"flag", flag}});
}

void Meta::PutUiTextFuncVar(const char* name, int textId, int count) {
    Call{*this, screen()}.host("PutUiTextFuncVar", name, json{{"textId", textId}, {"count", count}});
}

void Meta::PutUiTextVar(const char* name, int textId) {
    Call{*this, screen()}.host("PutUiTextVar", name, json{{"textId", textId}});
}

void Meta::PutUiTextVar(const char* name, const wchar_t* column1, const wchar_t* column2, const wchar_t* column3,
                        const wchar_t* column4) {
    Call{*this, screen()}.host("PutUiTextVar", name,
                               json{{"columns", json::array({utf8(column1), utf8(column2), utf8(column3), utf8(column4)})}});
}

void Meta::PutUiListVar(const char* name, int textId, int flag) {
    Call{*this, screen()}.host("PutUiListVar", name, json{{"textId", textId}, {"flag", flag}});
}

MetaVar* Meta::PutUiListVar(const char* name, short& member, int textId, std::span<const nUiListEntry> entries) {
    Call c{*this, screen()};
    MetaVar* v = c.bound("PutUiListVar", name, member, json{{"textId", textId}, {"entries", entriesJson(entries)}});
    ItemState* s = c.screen.find(narrow(name));
    s->entries.assign(entries.begin(), entries.end());
    s->hasEntries = true;
    return v;
}

MetaVar* Meta::PutUiListVar(const char* name, int& member, int textId, std::span<const nUiListEntry> entries) {
    Call c{*this, screen()};
    MetaVar* v = c.bound("PutUiListVar", name, member, json{{"textId", textId}, {"entries", entriesJson(entries)}});
    ItemState* s = c.screen.find(narrow(name));
    s->entries.assign(entries.begin(), entries.end());
    s->hasEntries = true;
    return v;
}

void Meta::PutUiListFuncVar(const char* name, int textId, const wchar_t* symbol, std::span<const nUiListEntry> entries) {
    Call{*this, screen()}.host("PutUiListFuncVar", name,
                               json{{"textId", textId}, {"symbol", utf8(symbol)}, {"entries", entriesJson(entries)}});
}

void Meta::PutUiListFuncVar(const char* name, int textId, const wchar_t* symbol, int unit) {
    Call{*this, screen()}.host("PutUiListFuncVar", name, fieldArgs(textId, symbol, unit));
}

void Meta::PutUiFlagFuncVar(const char* name, int textId) {
    Call{*this, screen()}.host("PutUiFlagFuncVar", name, json{{"textId", textId}});
}

MetaVar* Meta::PutUiFlagVar(const char* name, bool& member, int textId, bool inverted) {
    return Call{*this, screen()}.bound("PutUiFlagVar", name, member, json{{"textId", textId}, {"inverted", inverted}},
                                       inverted ? std::make_unique<InvertedFlagVar>(&member) : nullptr);
}

#define NMATH_DEFINE_PUTUIVAR(T)                                                                      \
    MetaVar* Meta::PutUiVar(const char* name, T& member, int textId, const wchar_t* symbol) {         \
        return Call{*this, screen()}.bound("PutUiVar", name, member, fieldArgs(textId, symbol));      \
    }                                                                                                 \
    MetaVar* Meta::PutUiVar(const char* name, T& member, int textId, const wchar_t* symbol, int unit) { \
        return Call{*this, screen()}.bound("PutUiVar", name, member, fieldArgs(textId, symbol, unit)); \
    }
NMATH_DEFINE_PUTUIVAR(int)
NMATH_DEFINE_PUTUIVAR(unsigned)
NMATH_DEFINE_PUTUIVAR(short)
NMATH_DEFINE_PUTUIVAR(double)
#undef NMATH_DEFINE_PUTUIVAR

MetaVar* Meta::PutUiVar(const char* name, nWString& member, int textId, const wchar_t* symbol) {
    return Call{*this, screen()}.bound("PutUiVar", name, member, fieldArgs(textId, symbol));
}

MetaVar* Meta::PutUiVar(const char* name, double& from, double& to, int textId, const wchar_t* symbol, int unit) {
    Call c{*this, screen()};
    MetaVar* v = c.bound("PutUiVar", name, from, fieldArgs(textId, symbol, unit), std::make_unique<PairVar>(&from, &to));
    c.screen.find(narrow(name))->second = &to;
    return v;
}

void Meta::PutUiFileVar(const char* name, int textId, const wchar_t* filter) {
    Call{*this, screen()}.host("PutUiFileVar", name, json{{"textId", textId}, {"filter", utf8(filter)}});
}

MetaVar* Meta::PutUiFileVar(const char* name, nWString& member, int textId, const wchar_t* filter) {
    return Call{*this, screen()}.bound("PutUiFileVar", name, member, json{{"textId", textId}, {"filter", utf8(filter)}});
}

void Meta::PutUiDirVar(const char* name, int textId) {
    Call{*this, screen()}.host("PutUiDirVar", name, json{{"textId", textId}});
}

MetaVar* Meta::PutUiDirVar(const char* name, nWString& member, int textId) {
    return Call{*this, screen()}.bound("PutUiDirVar", name, member, json{{"textId", textId}});
}

void Meta::PutUiDBListVar(const char* name, int textId, const wchar_t* table, const wchar_t* key, bool flag) {
    Call{*this, screen()}.host("PutUiDBListVar", name,
                               json{{"textId", textId}, {"table", utf8(table)}, {"key", utf8(key)}, {"flag", flag}});
}

MetaVar* Meta::PutUiDBListVar(const char* name, short& member, int textId, const wchar_t* table, const wchar_t* key,
                              bool flag) {
    return Call{*this, screen()}.bound("PutUiDBListVar", name, member,
                                       json{{"textId", textId}, {"table", utf8(table)}, {"key", utf8(key)}, {"flag", flag}});
}

MetaVar* Meta::PutUiLSVar(const char* name, short& member) {
    return Call{*this, screen()}.bound("PutUiLSVar", name, member, json::object());
}

void Meta::PutUiTreeVar(const char* name) { Call{*this, screen()}.host("PutUiTreeVar", name, json::object()); }

namespace {
json setupJson(const nTableSetup& setup) {
    json flags = json::array();
    for (unsigned char f : setup.flags) flags.push_back(static_cast<int>(f));
    return json{{"frozenColumns", setup.frozenColumns}, {"sortColumn", setup.sortColumn}, {"flags", std::move(flags)}};
}
}  // namespace

void Meta::PutUiTableVar(const char* name, const nTableSetup& setup) {
    Call{*this, screen()}.host("PutUiTableVar", name, json{{"setup", setupJson(setup)}});
}

void Meta::PutUiTableVar(const char* name, bool flag) {
    Call{*this, screen()}.host("PutUiTableVar", name, json{{"flag", flag}});
}

MetaVar* Meta::PutUiTableVarFromVectorStruct(const char* name, std::unique_ptr<MetaVar> list, const nTableSetup& setup) {
    if (!list) return nullptr;
    Screen& sc = screen();
    const size_t index = GetNumberOfItems();
    std::string key = narrow(name);
    ItemState& s = sc.made(key, index);
    const int type = list->GetType();
    const void* address = list->GetRef();
    recordItem("PutUiTableVarFromVectorStruct", std::move(key), json{{"setup", setupJson(setup)}}, address, type);
    s.var = std::move(list);
    s.var->SetName(narrow(name));
    return s.var.get();
}

bool Meta::PutUiBlock(std::initializer_list<const char*> items, const wchar_t* title, int mode) {
    Screen& sc = screen();
    bool complete = true;
    json names = json::array();
    for (const char* item : items) {
        if (!hasItem(narrow(item))) {
            complete = false;
            sc.unattached.push_back("PutUiBlock:" + narrow(item));
        }
        names.push_back(narrow(item));
    }
    const std::string name = "Block" + std::to_string(++sc.blocks);
    const size_t index = GetNumberOfItems();
    sc.made(name, index);
    recordItem("PutUiBlock", name, json{{"items", std::move(names)}, {"title", utf8(title)}, {"mode", mode}});
    return complete;
}

// ---- attribute calls ----------------------------------------------------------------------------
namespace {
// Records an attribute; on success gives the item's state (made on demand for items made by
// the generic recorder), else notes the call as unattached and gives null.
ItemState* attach(Meta& meta, Meta::Screen& screen, const char* call, const char* name, json&& args,
                  const void* bound = nullptr) {
    const std::string key = narrow(name);
    if (!meta.recordAttribute(call, key, std::move(args), bound)) {
        screen.unattached.push_back(std::string(call) + ":" + key);
        return nullptr;
    }
    if (ItemState* s = screen.find(key)) return s;
    return &screen.made(key, meta.GetNumberOfItems());  // index unknown: not augmented in dumps
}
}  // namespace

bool Meta::AddUpdate(const char* name, const char* handler) {
    return attach(*this, screen(), "AddUpdate", name, json{{"handler", narrow(handler)}}) != nullptr;
}

bool Meta::AddUpdate(const char* name, bool notify, bool queued) {
    return attach(*this, screen(), "AddUpdate", name, json{{"notify", notify}, {"queued", queued}}) != nullptr;
}

namespace {
bool hostCondition(Meta& meta, Meta::Screen& screen, const char* call, const char* name, const char* condition,
                   bool inverted, bool flag, std::vector<Condition> ItemState::*list) {
    ItemState* s = attach(meta, screen, call, name,
                          json{{"condition", narrow(condition)}, {"inverted", inverted}, {"flag", flag}});
    if (!s) return false;
    (s->*list).push_back(Condition{true, nullptr, nullptr, 0, inverted});
    return true;
}
bool flagCondition(Meta& meta, Meta::Screen& screen, const char* call, const char* name, bool& member, bool inverted,
                   bool flag, std::vector<Condition> ItemState::*list) {
    ItemState* s = attach(meta, screen, call, name, json{{"inverted", inverted}, {"flag", flag}}, &member);
    if (!s) return false;
    (s->*list).push_back(Condition{false, &member, nullptr, 0, inverted});
    return true;
}
bool numberCondition(Meta& meta, Meta::Screen& screen, const char* call, const char* name, short& member, short value,
                     bool inverted, bool flag, std::vector<Condition> ItemState::*list) {
    ItemState* s = attach(meta, screen, call, name, json{{"equals", value}, {"inverted", inverted}, {"flag", flag}}, &member);
    if (!s) return false;
    (s->*list).push_back(Condition{false, nullptr, &member, value, inverted});
    return true;
}
}  // namespace

bool Meta::AddVisibleCondition(const char* name) {
    ItemState* s = attach(*this, screen(), "AddVisibleCondition", name, json::object());
    if (s) s->visible.push_back(Condition{true, nullptr, nullptr, 0, false});
    return s != nullptr;
}
bool Meta::AddEditableCondition(const char* name) {
    ItemState* s = attach(*this, screen(), "AddEditableCondition", name, json::object());
    if (s) s->editable.push_back(Condition{true, nullptr, nullptr, 0, false});
    return s != nullptr;
}
bool Meta::AddVisibleCondition(const char* name, const char* condition, bool inverted, bool flag) {
    return hostCondition(*this, screen(), "AddVisibleCondition", name, condition, inverted, flag, &ItemState::visible);
}
bool Meta::AddEditableCondition(const char* name, const char* condition, bool inverted, bool flag) {
    return hostCondition(*this, screen(), "AddEditableCondition", name, condition, inverted, flag, &ItemState::editable);
}
bool Meta::AddVisibleCondition(const char* name, bool& member, bool inverted, bool flag) {
    return flagCondition(*this, screen(), "AddVisibleCondition", name, member, inverted, flag, &ItemState::visible);
}
bool Meta::AddEditableCondition(const char* name, bool& member, bool inverted, bool flag) {
    return flagCondition(*this, screen(), "AddEditableCondition", name, member, inverted, flag, &ItemState::editable);
}
bool Meta::AddVisibleCondition(const char* name, short& member, short value, bool inverted, bool flag) {
    return numberCondition(*this, screen(), "AddVisibleCondition", name, member, value, inverted, flag, &ItemState::visible);
}
bool Meta::AddEditableCondition(const char* name, short& member, short value, bool inverted, bool flag) {
    return numberCondition(*this, screen(), "AddEditableCondition", name, member, value, inverted, flag,
                           &ItemState::editable);
}

bool Meta::AddReadOnlyFlag(const char* name) {
    ItemState* s = attach(*this, screen(), "AddReadOnlyFlag", name, json::object());
    if (s) s->readOnly = true;
    return s != nullptr;
}

bool Meta::AddIntCondition(const char* name) {
    ItemState* s = attach(*this, screen(), "AddIntCondition", name, json::object());
    if (s) s->integerOnly = true;
    return s != nullptr;
}

bool Meta::SetRange(const char* name, double min, double max) {
    ItemState* s = attach(*this, screen(), "SetRange", name, json{{"min", min}, {"max", max}});
    if (!s) return false;
    s->hasRange = true;
    s->min = min;
    s->max = max;
    return true;
}

bool Meta::SetDefaultDecimals(const char* name, int decimals) {
    return attach(*this, screen(), "SetDefaultDecimals", name, json{{"decimals", decimals}}) != nullptr;
}

bool Meta::AddInfoFile(const char* name, const wchar_t* image, const wchar_t* text) {
    return attach(*this, screen(), "AddInfoFile", name, json{{"image", utf8(image)}, {"text", utf8(text)}}) != nullptr;
}

bool Meta::AddAuthorItCode(const char* name, int code) {
    return attach(*this, screen(), "AddAuthorItCode", name, json{{"code", code}}) != nullptr;
}

bool Meta::AddConvertButton(const char* name, const char* handler, const char* condition) {
    return attach(*this, screen(), "AddConvertButton", name,
                  json{{"handler", narrow(handler)}, {"condition", narrow(condition)}}) != nullptr;
}

bool Meta::AddEditButton(const char* name, const char* stateCondition, const char* setter) {
    ItemState* s = attach(*this, screen(), "AddEditButton", name,
                          json{{"state", narrow(stateCondition)}, {"setter", narrow(setter)}});
    if (!s) return false;
    s->hasLock = true;
    s->input.push_back(Condition{true, nullptr, nullptr, 0, false});
    return true;
}

bool Meta::AddEditButton(const char* name, bool& member, bool inverted) {
    ItemState* s = attach(*this, screen(), "AddEditButton", name, json{{"inverted", inverted}}, &member);
    if (!s) return false;
    s->hasLock = true;
    s->input.push_back(Condition{false, &member, nullptr, 0, inverted});
    return true;
}

bool Meta::AddSizeButton(const char* name, const char* action, const char* condition) {
    json args{{"action", narrow(action)}};
    if (condition) args["condition"] = condition;
    return attach(*this, screen(), "AddSizeButton", name, std::move(args)) != nullptr;
}

bool Meta::AddSizeToolTip(const char* name, int textId) {
    return attach(*this, screen(), "AddSizeToolTip", name, json{{"textId", textId}}) != nullptr;
}

bool Meta::AddIconButton(const char* name, const wchar_t* icon, int textId, const char* handler, const wchar_t* text) {
    return attach(*this, screen(), "AddIconButton", name,
                  json{{"icon", utf8(icon)}, {"textId", textId}, {"handler", narrow(handler)}, {"text", utf8(text)}}) !=
           nullptr;
}

bool Meta::AddImportAndLinkButton(const char* name, const char* handler) {
    return attach(*this, screen(), "AddImportAndLinkButton", name, json{{"handler", narrow(handler)}}) != nullptr;
}

bool Meta::AddStatusButtons(const char* name, bool flag) {
    return attach(*this, screen(), "AddStatusButtons", name, json{{"flag", flag}}) != nullptr;
}

bool Meta::AddColumnButtons(const char* name) {
    return attach(*this, screen(), "AddColumnButtons", name, json::object()) != nullptr;
}

bool Meta::AddPlusButton(const char* name, int textId, const char* dialog, const char* condition) {
    json args{{"textId", textId}, {"dialog", narrow(dialog)}};
    if (condition) args["condition"] = condition;
    return attach(*this, screen(), "AddPlusButton", name, std::move(args)) != nullptr;
}

bool Meta::AddSettingsButton(const char* name, const char* dialog, int mode) {
    return attach(*this, screen(), "AddSettingsButton", name, json{{"dialog", narrow(dialog)}, {"mode", mode}}) != nullptr;
}

bool Meta::AddFileDirectory(const char* name, const nWString& folder) {
    return attach(*this, screen(), "AddFileDirectory", name, json{{"folder", folder.toUtf8()}}) != nullptr;
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
    return s ? evaluate(s->visible) : UiState::No;
}

UiState Meta::itemEditable(std::string_view name) const {
    const ItemState* s = screen_ ? screen_->find(name) : nullptr;
    if (!s || s->readOnly) return UiState::No;
    return evaluate(s->editable);
}

UiState Meta::itemInput(std::string_view name) const {
    const ItemState* s = screen_ ? screen_->find(name) : nullptr;
    if (!s) return UiState::No;
    return evaluate(s->input);
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
    for (const ItemState& s : screen_->items) {
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
        const ItemState& s = screen_->items[i];
        if (s.index >= items.size() || items[s.index]["name"] != name) continue;
        json& j = items[s.index];
        j["visible"] = stateJson(evaluate(s.visible));
        j["editable"] = stateJson(s.readOnly ? UiState::No : evaluate(s.editable));
        if (s.hasLock) j["input"] = stateJson(evaluate(s.input));
    }
}
