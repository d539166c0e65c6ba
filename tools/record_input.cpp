#include "tools/record_input.h"

#include <cmath>

#include "drivesys/foundation/json_schema.h"
#include "tools/cli_io.h"

namespace drivesys_cli {
namespace {
using json = nlohmann::json;

/// One step of a JSON Pointer, escaped as RFC 6901 asks.
std::string pointerStep(const std::string& key) {
    std::string out = "/";
    for (char c : key) {
        if (c == '~') out += "~0";
        else if (c == '/') out += "~1";
        else out += c;
    }
    return out;
}

bool hasType(const json& value, const std::string& type) {
    if (type == "null") return value.is_null();
    if (type == "boolean") return value.is_boolean();
    if (type == "string") return value.is_string();
    if (type == "array") return value.is_array();
    if (type == "object") return value.is_object();
    if (type == "number") return value.is_number();
    if (type == "integer") {
        if (value.is_number_integer()) return true;
        if (!value.is_number_float()) return false;
        const double d = value.get<double>();
        return std::isfinite(d) && std::floor(d) == d;
    }
    return false;
}

std::string typeName(const json& value) {
    if (value.is_number_integer()) return "integer";
    if (value.is_number_float()) return "number";
    return value.type_name();
}

class Validator {
public:
    explicit Validator(const json& root) : root_(root) {}

    std::string check(const json& value, const json& schema, const std::string& path) const {
        if (schema.contains("$ref")) return check(value, resolve(schema["$ref"].get<std::string>()), path);
        if (const auto t = schema.find("type"); t != schema.end()) {
            bool ok = false;
            std::string wanted;
            for (const json& one : t->is_array() ? *t : json::array({*t})) {
                ok = ok || hasType(value, one.get<std::string>());
                wanted += (wanted.empty() ? "" : " or ") + one.get<std::string>();
            }
            if (!ok) return at(path) + "expected " + wanted + ", found " + typeName(value);
        }
        if (value.is_number()) {
            if (const auto m = schema.find("minimum"); m != schema.end() && value < *m)
                return at(path) + value.dump() + " is below the minimum " + m->dump();
            if (const auto m = schema.find("maximum"); m != schema.end() && value > *m)
                return at(path) + value.dump() + " is above the maximum " + m->dump();
        }
        if (value.is_array() && schema.contains("items")) {
            for (size_t i = 0; i < value.size(); ++i)
                if (auto e = check(value[i], schema["items"], path + "/" + std::to_string(i)); !e.empty()) return e;
        }
        if (value.is_object()) {
            // What the object holds is checked before what it lacks.
            const json properties = schema.value("properties", json::object());
            for (const auto& [key, member] : value.items()) {
                if (const auto p = properties.find(key); p != properties.end()) {
                    if (auto e = check(member, *p, path + pointerStep(key)); !e.empty()) return e;
                } else if (schema.value("additionalProperties", true) == false) {
                    return at(path + pointerStep(key)) + "not a member of " + schema.value("title", std::string("the record"));
                }
            }
            for (const auto& name : schema.value("required", json::array()))
                if (!value.contains(name.get<std::string>()))
                    return at(path) + "the member '" + name.get<std::string>() + "' is missing";
        }
        return {};
    }

private:
    static std::string at(const std::string& path) { return (path.empty() ? std::string("/") : path) + ": "; }

    const json& resolve(const std::string& ref) const {
        const std::string prefix = "#/$defs/";
        if (ref.rfind(prefix, 0) != 0 || !root_.contains("$defs") || !root_["$defs"].contains(ref.substr(prefix.size())))
            throw std::logic_error("unresolvable schema reference " + ref);
        return root_["$defs"][ref.substr(prefix.size())];
    }

    const json& root_;
};

}  // namespace

std::string firstSchemaViolation(const json& value, const json& schema) { return Validator(schema).check(value, schema, ""); }

void checkRecordInput(const json& input, const ds::RecordInfo& info, const std::string& source, bool strict) {
    const std::string cls = info.className();
    if (!input.is_object())
        throw UsageError(source + ": /: expected a JSON object holding a " + cls + " record, found " + typeName(input));
    json schema;
    ds::jsonSchemaOf(info, schema);
    if (strict) {
        if (const std::string e = firstSchemaViolation(input, schema); !e.empty())
            throw UsageError(source + ": " + e + " (checked against the JSON Schema of " + cls + ")");
        return;
    }
    if (input.empty()) return;
    const json& properties = schema["properties"];
    for (const auto& [key, value] : input.items())
        if (properties.contains(key)) return;
    throw UsageError(source + ": " + pointerStep(input.begin().key()) + ": not a member of " + cls + ", and neither is any other key of the object: is this a file of another kind?");
}

}  // namespace drivesys_cli
