#include "support/record_contract.h"

#include "drivesys/foundation/record_impl.h"

namespace contract {

namespace {
const ds::RecordInfo& infoOf(const std::string& className) {
    const ds::CatalogEntry* e = ds::Catalog::instance().find(className);
    if (!e) throw std::runtime_error("not in the catalog: " + className);
    return *e->info;
}

// Splits "list<X>", "list2<X>" ... into depth and X.
bool listType(const std::string& type, int& depth, std::string& inner) {
    if (type.rfind("list", 0) != 0) return false;
    const size_t lt = type.find('<');
    if (lt == std::string::npos || type.back() != '>') return false;
    const std::string digits = type.substr(4, lt - 4);
    depth = digits.empty() ? 1 : std::stoi(digits);
    inner = type.substr(lt + 1, type.size() - lt - 2);
    return true;
}

json recordDefaults(const std::string& className) { return infoOf(className).prototype().toJson(); }

json nonDefaultRecord(const std::string& className, const json& def) {
    const ds::RecordInfo& info = infoOf(className);
    json out = json::object();
    for (const auto& f : info.fields()) out[f.name] = nonDefault(f.ops->typeWord(), def.is_object() && def.contains(f.name) ? def[f.name] : json());
    return out;
}

json oneElement(const std::string& inner) {
    if (inner.rfind("record:", 0) == 0) {
        const std::string cls = inner.substr(7);
        return nonDefaultRecord(cls, recordDefaults(cls));
    }
    if (inner == "bool") return true;
    if (inner == "string") return "Zahnrad \xC3\xA4 \xE2\x82\xAC \xF0\x9D\x84\x9E";
    return 7;
}
}  // namespace

json nonDefault(const std::string& type, const json& def) {
    if (type == "bool") return !(def.is_boolean() && def.get<bool>());
    if (type == "double") return (def.is_number() ? def.get<double>() : 0.0) + 1.25;
    if (type == "short" || type == "int" || type == "int64") return (def.is_number_integer() ? def.get<int64_t>() : 0) + 3;
    if (type == "unsigned") return (def.is_number_unsigned() ? def.get<uint64_t>() : 0u) + 3u;
    if (type == "string") return (def.is_string() ? def.get<std::string>() : std::string()) + "\xC3\xA9x";
    if (type.rfind("record:", 0) == 0) return nonDefaultRecord(type.substr(7), def);
    int depth = 0;
    std::string inner;
    if (listType(type, depth, inner)) {
        // A non-empty numeric default keeps its shape (a fixed-size value such as a vector of
        // three numbers is written as a list): its first number changes.
        if (def.is_array() && !def.empty() && def[0].is_number()) {
            json value = def;
            value[0] = def[0].is_number_float() ? json(def[0].get<double>() + 1.25) : json(def[0].get<int64_t>() + 3);
            return value;
        }
        json value = def.is_array() ? def : json::array();
        json element = oneElement(inner);
        for (int d = 1; d < depth; ++d) element = json::array({element});
        value.push_back(element);
        return value;
    }
    throw std::runtime_error("no non-default value for type " + type);
}

json mutateAll(nMetaStruct& record) {
    const ds::CatalogEntry* e = ds::Catalog::instance().find(ntypes::toUtf8(record.typeIdentifier()));
    if (!e) throw std::runtime_error("record not in the catalog");
    json values = nonDefaultRecord(e->info->className(), record.toJson());
    ds::readJson(record, *e->info, values);
    return values;
}

std::vector<std::string> unchangedMembers(const nMetaStruct& record) {
    const ds::CatalogEntry* e = ds::Catalog::instance().find(ntypes::toUtf8(record.typeIdentifier()));
    std::vector<std::string> same;
    const json now = record.toJson();
    const json def = e->info->prototype().toJson();
    for (const auto& f : e->info->fields())
        if (now[f.name] == def[f.name]) same.push_back(f.name);
    return same;
}

std::vector<std::string> listNames(const ds::RecordInfo& info) {
    std::vector<std::string> names;
    for (const auto& f : info.fields()) names.push_back(f.name);
    return names;
}

struct Sentinel : nMetaStruct {
    explicit Sentinel(bool* flag) : destroyed(flag) {}
    ~Sentinel() override { *destroyed = true; }
    void makeMeta() override { installMeta(std::make_unique<Meta>(this)); }
    void reset() override {}
    void resetTo(std::unique_ptr<nMetaStruct>) override {}
    std::unique_ptr<nMetaStruct> clone() const override { return std::make_unique<Sentinel>(destroyed); }
    void registerStruct() const override {}
    const wchar_t* typeIdentifier() const override { return L"class Sentinel"; }
    bool* destroyed;
};

std::unique_ptr<nMetaStruct> makeSentinel(bool* destroyed) { return std::make_unique<Sentinel>(destroyed); }

}  // namespace contract

// Test programs that hold no record list still link this file.
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(RecordContract);
