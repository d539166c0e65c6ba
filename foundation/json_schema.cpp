#include "drivesys/foundation/json_schema.h"

#include <cstdint>
#include <limits>
#include <map>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>

namespace ds {
namespace {
using json = nlohmann::json;

template <class T> json integerSchema() {
    return {{"type", "integer"}, {"minimum", std::numeric_limits<T>::min()}, {"maximum", std::numeric_limits<T>::max()}};
}

json plainSchema(const std::string& word) {
    if (word == "bool") return {{"type", "boolean"}};
    if (word == "short") return integerSchema<int16_t>();
    if (word == "int") return integerSchema<int32_t>();
    if (word == "unsigned") return integerSchema<uint32_t>();
    if (word == "int64") return integerSchema<int64_t>();
    if (word == "double") return {{"type", json::array({"number", "null"})}};
    if (word == "string") return {{"type", "string"}};
    throw std::logic_error("no JSON Schema for the member type " + word);
}

class SchemaBuilder {
public:
    /// Schema of one type word; `element` is the record of a record or list-of-records word.
    json typeSchema(const std::string& word, const RecordInfo* element) {
        for (const char* prefix : {"list<", "list2<", "list3<", "list4<"}) {
            const std::string p(prefix);
            if (word.rfind(p, 0) == 0 && word.back() == '>') {
                const int depth = p == "list<" ? 1 : p[4] - '0';
                json inner = typeSchema(word.substr(p.size(), word.size() - p.size() - 1), element);
                for (int d = 0; d < depth; ++d) inner = {{"type", "array"}, {"items", std::move(inner)}};
                return inner;
            }
        }
        if (word.rfind("record:", 0) == 0) {
            if (!element) throw std::logic_error("record type without its member list: " + word);
            define(*element);
            return {{"$ref", "#/$defs/" + element->className()}};
        }
        return plainSchema(word);
    }

    json objectSchema(const RecordInfo& info) {
        const nMetaStruct& proto = info.prototype();
        json properties = json::object();
        json required = json::array();
        for (const FieldEntry& f : info.fields()) {
            json p = typeSchema(f.ops->typeWord(), f.ops->nested ? f.ops->nested() : nullptr);
            json def;
            f.ops->toJson(def, f.in(proto));
            p["default"] = std::move(def);
            properties[f.name] = std::move(p);
            required.push_back(f.name);
        }
        return {{"type", "object"},
                {"title", info.className()},
                {"properties", std::move(properties)},
                {"required", std::move(required)},
                {"additionalProperties", false}};
    }

    void define(const RecordInfo& info) {
        if (defs_.count(info.className())) return;
        defs_[info.className()] = json();  // marks it before recursing, for self-nesting types
        defs_[info.className()] = objectSchema(info);
    }

    json takeDefs() {
        json out = json::object();
        for (auto& [name, schema] : defs_) out[name] = std::move(schema);
        return out;
    }

private:
    std::map<std::string, json> defs_;
};

}  // namespace

void jsonSchemaOf(const RecordInfo& info, json& out) {
    SchemaBuilder builder;
    json root = builder.objectSchema(info);
    json defs = builder.takeDefs();
    out = json::object();
    out["$schema"] = "https://json-schema.org/draft/2020-12/schema";
    out["$id"] = "urn:drivesys:record:" + info.className();
    for (auto& [k, v] : root.items()) out[k] = std::move(v);
    if (!defs.empty()) out["$defs"] = std::move(defs);
}

}  // namespace ds
