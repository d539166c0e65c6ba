#include "drivesys/platform/nmath/meta.h"

#include <nlohmann/json.hpp>
#include <unordered_map>

#include "drivesys/platform/nmath/nmetastruct.h"

using json = nlohmann::json;

namespace {
struct Attribute {
    std::string call;
    json args;
    const void* bound = nullptr;
};
struct Item {
    std::string call;
    std::string name;
    json args;
    const void* bound = nullptr;
    int boundType = 0;
    std::vector<Attribute> attributes;
};
struct VarEntry {
    std::string name;
    std::unique_ptr<MetaVar> var;
};

// Splits "head.rest" / "head[3].rest" into head and the rest starting at '.' or '['.
void splitPath(const std::wstring& path, std::wstring& head, std::wstring& rest) {
    const size_t pos = path.find_first_of(L".[");
    if (pos == std::wstring::npos) {
        head = path;
        rest.clear();
    } else {
        head = path.substr(0, pos);
        rest = path.substr(pos);
    }
}
}  // namespace

struct Meta::Impl {
    nMetaStruct* owner = nullptr;
    std::vector<VarEntry> vars;
    std::unordered_map<std::string, size_t> varIndex;
    std::vector<Item> items;
    std::unordered_map<std::string, size_t> itemIndex;
    std::vector<std::pair<nMetaStruct*, std::string>> known;

    MetaVar* add(const char* name, std::unique_ptr<MetaVar> var, NMetaMaps map) {
        var->SetName(name);
        var->setMap(map);
        MetaVar* raw = var.get();
        varIndex[name] = vars.size();
        vars.push_back(VarEntry{name, std::move(var)});
        return raw;
    }
};

Meta::Meta(nMetaStruct* owner) : impl_(std::make_unique<Impl>()) { impl_->owner = owner; }
Meta::~Meta() = default;
nMetaStruct* Meta::owner() const { return impl_->owner; }

#define NMATH_DEFINE_PUTVAR(T)                                                                    \
    MetaVar* Meta::PutVar(const char* name, T& member, const T& def, int flags) {                \
        MetaVar* v = impl_->add(name, std::make_unique<MetaVarT<T>>(&member, &def), NMetaMapDefault); \
        v->setFlags(flags);                                                                       \
        return v;                                                                                 \
    }                                                                                             \
    MetaVar* Meta::PutVar(const char* name, T& member) {                                         \
        return impl_->add(name, std::make_unique<MetaVarT<T>>(&member, nullptr), NMetaMapPlain); \
    }
NMATH_PLAIN_VALUE_TYPES(NMATH_DEFINE_PUTVAR)
#undef NMATH_DEFINE_PUTVAR

MetaVar* Meta::PutVar(const char* name, nMetaStruct& sub, const nMetaStruct& def, bool flag) {
    MetaVar* v = impl_->add(name, std::make_unique<MetaVarStruct>(&sub, &def), NMetaMapDefault);
    v->setFlags(flag ? 1 : 0);
    return v;
}

MetaVar* Meta::PutVar(const char* name, nMetaStruct& sub, bool flag) {
    MetaVar* v = impl_->add(name, std::make_unique<MetaVarStruct>(&sub, nullptr), NMetaMapPlain);
    v->setFlags(flag ? 1 : 0);
    return v;
}

MetaVar* Meta::AppendVar(NMetaMaps map, const char* name, MetaVar* var) {
    if (!var) return nullptr;
    return impl_->add(name, std::unique_ptr<MetaVar>(var), map);
}

MetaVar* Meta::putVar(const char* name, std::unique_ptr<MetaVar> var, NMetaMaps map, int flags) {
    if (!var) return nullptr;
    MetaVar* v = impl_->add(name, std::move(var), map);
    v->setFlags(flags);
    return v;
}

bool Meta::SetInit(const char* name, const nWString& value) {
    MetaVar* v = GetVar(name ? name : "");
    if (!v) return false;
    v->SetInit(value);
    return true;
}

void Meta::Initialize(int mode) {
    for (auto& e : impl_->vars) e.var->Initialize(mode);
}

MetaVar* Meta::GetVar(std::string_view name) const {
    auto it = impl_->varIndex.find(std::string(name));
    return it == impl_->varIndex.end() ? nullptr : impl_->vars[it->second].var.get();
}

MetaVar* Meta::GetMetaVar(const nWString& path) const {
    std::wstring head, rest;
    splitPath(path, head, rest);
    MetaVar* v = GetVar(ntypes::toUtf8(head));
    if (!v || rest.empty()) return v;
    // "[3].x" goes to the list as "3].x"; ".x" goes to the nested record as "x".
    return v->GetMetaVar(nWString(rest.substr(1)));
}

size_t Meta::GetNumberOfVars() const { return impl_->vars.size(); }
MetaVar* Meta::GetVarAt(size_t i) const { return i < impl_->vars.size() ? impl_->vars[i].var.get() : nullptr; }

std::vector<std::pair<std::string, nWString>> Meta::initValues() const {
    std::vector<std::pair<std::string, nWString>> out;
    for (const auto& e : impl_->vars)
        if (e.var->hasInit()) out.emplace_back(e.name, e.var->initText());
    return out;
}

void Meta::recordItem(const char* call, const std::string& name, const json& args, const void* bound, int boundType) {
    impl_->itemIndex[name] = impl_->items.size();
    impl_->items.push_back(Item{call, name, args, bound, boundType, {}});
}

bool Meta::recordAttribute(const char* call, const std::string& itemName, const json& args, const void* bound) {
    auto it = impl_->itemIndex.find(itemName);
    if (it == impl_->itemIndex.end()) return false;
    impl_->items[it->second].attributes.push_back(Attribute{call, args, bound});
    return true;
}

void Meta::recordItem(const char* call, std::string name, json&& args, const void* bound, int boundType) {
    impl_->itemIndex[name] = impl_->items.size();
    impl_->items.push_back(Item{call, std::move(name), std::move(args), bound, boundType, {}});
}

bool Meta::recordAttribute(const char* call, const std::string& itemName, json&& args, const void* bound) {
    auto it = impl_->itemIndex.find(itemName);
    if (it == impl_->itemIndex.end()) return false;
    impl_->items[it->second].attributes.push_back(Attribute{call, std::move(args), bound});
    return true;
}

bool Meta::hasItem(std::string_view name) const { return impl_->itemIndex.count(std::string(name)) != 0; }

bool Meta::recordAttributeAt(size_t index, const char* call, json&& args, const void* bound) {
    if (index >= impl_->items.size()) return false;
    impl_->items[index].attributes.push_back(Attribute{call, std::move(args), bound});
    return true;
}

size_t Meta::GetNumberOfItems() const { return impl_->items.size(); }

void Meta::addKnownRecord(nMetaStruct* record, std::string label) {
    if (record) impl_->known.emplace_back(record, std::move(label));
}

namespace {
bool findIn(Meta* meta, const void* address, const std::string& prefix, std::string& path, int depth) {
    if (!meta || depth > 8) return false;
    for (size_t i = 0; i < meta->GetNumberOfVars(); ++i) {
        MetaVar* v = meta->GetVarAt(i);
        const std::string name = prefix + v->GetName();
        if (v->GetRef() == address) {
            path = name;
            return true;
        }
        if (v->GetType() == nmath::kTypeStruct && findIn(v->GetMeta(), address, name + ".", path, depth + 1))
            return true;
    }
    return false;
}
std::string classOf(const nMetaStruct* r) {
    std::string id = ntypes::toUtf8(r->typeIdentifier());
    return id.rfind("class ", 0) == 0 ? id.substr(6) : id;
}
}  // namespace

bool Meta::resolveAddress(const void* address, std::string& recordClass, std::string& memberPath) const {
    if (!address) return false;
    for (const auto& [record, label] : impl_->known) {
        if (findIn(record->getMeta(), address, "", memberPath, 0)) {
            recordClass = label.empty() ? classOf(record) : label;
            return true;
        }
    }
    return resolveKnownMember(address, recordClass, memberPath);
}

void Meta::dump(json& out) const {
    out = json::object();
    json vars = json::array();
    for (const auto& e : impl_->vars) {
        json v{{"name", e.name}, {"type", e.var->typeWord()}, {"map", static_cast<int>(e.var->map())}};
        json def;
        e.var->defaultAsJson(def);
        v["default"] = std::move(def);
        v["withDefault"] = e.var->hasDefault();
        if (e.var->hasInit()) v["init"] = e.var->initText().toUtf8();
        vars.push_back(std::move(v));
    }
    out["variables"] = std::move(vars);
    json items = json::array();
    for (const auto& item : impl_->items) {
        json j{{"call", item.call}, {"name", item.name}, {"args", item.args}};
        std::string cls, path;
        if (item.bound && resolveAddress(item.bound, cls, path)) j["binding"] = {{"record", cls}, {"member", path}};
        json attrs = json::array();
        for (const auto& a : item.attributes) {
            json ja{{"call", a.call}, {"args", a.args}};
            if (a.bound && resolveAddress(a.bound, cls, path)) ja["binding"] = {{"record", cls}, {"member", path}};
            attrs.push_back(std::move(ja));
        }
        j["attributes"] = std::move(attrs);
        items.push_back(std::move(j));
    }
    out["items"] = std::move(items);
    if (screen_) dumpScreenDetails(out["items"]);
}
