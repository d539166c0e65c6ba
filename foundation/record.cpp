#include "drivesys/foundation/record.h"

#include <nlohmann/json.hpp>
#include <stdexcept>
#include <mutex>
#include <shared_mutex>
#include <unordered_set>

#include "drivesys/platform/nmath/structregistry.h"
#include "drivesys/platform/ntypes/translator.h"

namespace ds {
using json = nlohmann::json;

RecordInfo::RecordInfo(const char* className, const RecordInfo* base, std::vector<FieldEntry> own, Factory factory)
    : className_(className), base_(base), factory_(factory), prototypeState_(std::make_unique<PrototypeState>()) {
    if (base) fields_ = base->fields_;
    fields_.insert(fields_.end(), own.begin(), own.end());
    std::unordered_set<std::string_view> seen;
    for (const auto& f : fields_) {
        if (!f.name || !*f.name) throw std::logic_error("record " + className_ + ": empty member name");
        if (!seen.insert(f.name).second) throw std::logic_error("record " + className_ + ": duplicate member " + f.name);
        wideNames_.push_back(ntypes::widen(f.name));
    }
    identifier_ = L"class " + ntypes::fromUtf8(className_);
}

RecordInfo::~RecordInfo() = default;

const FieldEntry* RecordInfo::find(std::string_view name) const {
    for (const auto& f : fields_)
        if (name == f.name) return &f;
    return nullptr;
}

/// Language state of a class's prototype: defaults may be translated texts, so a prototype made
/// before the translator's texts changed is replaced. A replaced prototype stays alive, since
/// descriptions made earlier may still point into it.
struct RecordInfo::PrototypeState {
    std::shared_mutex mutex;
    std::unique_ptr<nMetaStruct> current;  // made on first use
    unsigned long generation = 0;
    std::vector<std::unique_ptr<nMetaStruct>> retired;
};

const nMetaStruct& RecordInfo::prototype() const {
    PrototypeState& state = *prototypeState_;
    const unsigned long generation = pool.generation();
    {
        std::shared_lock lock(state.mutex);
        if (state.current && state.generation == generation) return *state.current;
    }
    std::unique_lock lock(state.mutex);
    if (!state.current || state.generation != generation) {
        auto fresh = factory_();
        if (state.current) state.retired.push_back(std::move(state.current));
        state.current = std::move(fresh);
        state.generation = generation;
    }
    return *state.current;
}

void bindFields(Meta& meta, nMetaStruct& record, const RecordInfo& info) {
    const nMetaStruct& proto = info.prototype();
    for (const auto& f : info.fields())
        if (f.described) f.ops->bind(meta, f.name, f.in(record), f.in(proto), f.withDefault);
}

void writeJson(const nMetaStruct& record, const RecordInfo& info, json& out) {
    out = json::object();
    auto& obj = out.get_ref<json::object_t&>();
    for (const auto& f : info.fields()) f.ops->toJson(obj[f.name], f.in(record));
}

void readJson(nMetaStruct& record, const RecordInfo& info, const json& in) {
    if (in.is_null()) return;
    if (!in.is_object()) throw std::invalid_argument("the conversion function expects a valid json object as argument");
    for (const auto& f : info.fields()) {
        auto it = in.find(f.name);
        if (it != in.end()) f.ops->fromJson(*it, f.in(record));
    }
}

void assignJson(nMetaStruct& record, const RecordInfo& info, const json& in) {
    for (const auto& f : info.fields()) {
        // The JSON library's own errors: operator[] on a non-object (305), at() on a missing key.
        if (!in.is_object()) (void)in[f.name];
        f.ops->assignJson(in.at(f.name), f.in(record));
    }
}

bool equalFields(const nMetaStruct& a, const nMetaStruct& b, const RecordInfo& info) {
    for (const auto& f : info.fields())
        if (!f.ops->equal(f.in(a), f.in(b))) return false;
    return true;
}

int registerType(const RecordInfo& info) {
    return nStructRegistry::getInstance().registerOnce(info.identifier(), info.wideNames());
}

void registerNames(const RecordInfo& info, int token) {
    for (const auto& name : info.wideNames()) nMetaStruct::registerName(token, name);
}

void schemaOf(const RecordInfo& info, json& out) {
    const nMetaStruct& proto = info.prototype();
    json members = json::array();
    for (const auto& f : info.fields()) {
        json def;
        f.ops->toJson(def, f.in(proto));
        json m{{"name", f.name}, {"type", f.ops->typeWord()}, {"default", std::move(def)}, {"withDefault", f.withDefault}};
        if (!f.described) m["described"] = false;
        members.push_back(std::move(m));
    }
    out = {{"class", info.className()}, {"identifier", ntypes::toUtf8(info.identifier())}, {"members", std::move(members)}};
}

}  // namespace ds
