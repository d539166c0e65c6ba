#include "drivesys/solver/definition_json.h"

#include <cmath>
#include <nlohmann/json.hpp>
#include <stdexcept>

#include "drivesys/dynamics/entry_points.h"

namespace {

/// The data block described into a Meta: the described variables are the JSON keys.
struct Described {
    Meta meta;
    explicit Described(SystemDefinition& d) { Meta_S010(d, &meta); }
};

void readOptions(const nlohmann::json& j, SolverOptions& o, std::vector<std::string>& unknown) {
    if (!j.is_object()) throw std::invalid_argument("solverOptions: not an object");
    for (auto it = j.begin(); it != j.end(); ++it) {
        // Named copies: the lambda below may not capture structured bindings (C++20 before P2036).
        const std::string& key = it.key();
        const nlohmann::json& value = it.value();
        auto number = [&](double& out) {
            if (!value.is_number()) throw std::invalid_argument("solverOptions." + key + ": not a number");
            out = value.get<double>();
        };
        if (key == "nominalSpeed") number(o.nominalSpeed);
        else if (key == "maxElementLength") number(o.maxElementLength);
        else if (key == "memoryLimit") number(o.memoryLimit);
        else if (key == "threads") {
            if (!value.is_number_integer() || value.get<int64_t>() < 0 || value.get<int64_t>() > 1024)
                throw std::invalid_argument("solverOptions.threads: must be a whole number in 0 … 1024");
            o.threads = unsigned(value.get<int64_t>());
        } else if (key == "numModes" || key == "calculation") {
            if (!value.is_number_integer()) throw std::invalid_argument("solverOptions." + key + ": not a whole number");
            const int64_t v = value.get<int64_t>();
            if (key == "numModes") {
                if (v < 0 || v > int64_t(kSolverMaxModes))
                    throw std::invalid_argument("solverOptions.numModes: must lie in 0 … " + std::to_string(kSolverMaxModes));
                o.numModes = unsigned(v);
            } else {
                if (v < -1 || v > 2) throw std::invalid_argument("solverOptions.calculation: must be -1, 0, 1 or 2");
                o.calculation = int(v);
            }
        } else unknown.push_back("solverOptions." + key);
    }
}

}  // namespace

nlohmann::json SystemDefinitionToJson(const SystemDefinition& definition, bool full) {
    SystemDefinition copy = definition;
    Described described(copy);
    SystemDefinition defaults;
    Described described0(defaults);
    nlohmann::json out = nlohmann::json::object();
    for (size_t i = 0; i < described.meta.GetNumberOfVars(); ++i) {
        const MetaVar* var = described.meta.GetVarAt(i);
        nlohmann::json value, def;
        var->GetAsJson(nullptr, value);
        described0.meta.GetVarAt(i)->GetAsJson(nullptr, def);
        if (full || value != def) out[var->GetName()] = std::move(value);
    }
    return out;
}

void SystemDefinitionFromJson(const nlohmann::json& j, SystemDefinition& definition, std::vector<std::string>* unknownKeys) {
    if (!j.is_object()) throw std::invalid_argument("systemDefinition: not a JSON object");
    Described described(definition);
    for (const auto& [key, value] : j.items()) {
        MetaVar* var = described.meta.GetVar(key);
        if (!var) {
            if (!unknownKeys) throw std::invalid_argument("systemDefinition." + key + ": no such member of the data block");
            unknownKeys->push_back("systemDefinition." + key);
            continue;
        }
        if (!var->SetFromJson(value))
            throw std::invalid_argument("systemDefinition." + key + ": the value is not a " + var->typeWord());
    }
}

SolverInput ReadSolverInput(const nlohmann::json& j) {
    if (!j.is_object()) throw std::invalid_argument("the definition file does not hold a JSON object");
    SolverInput in;
    for (const auto& [key, value] : j.items()) {
        if (key == "systemDefinition") {
            SystemDefinitionFromJson(value, in.definition, &in.unknownKeys);
        } else if (key == "generalSystemDynamicsDefinitions") {
            if (!value.is_object()) throw std::invalid_argument(key + ": not an object");
            in.general.fromJson(value);
        } else if (key == "forcedResponseDefinitions") {
            if (!value.is_object()) throw std::invalid_argument(key + ": not an object");
            in.forcedResponse.fromJson(value);
            in.hasForcedResponse = true;
        } else if (key == "solverOptions") {
            readOptions(value, in.options, in.unknownKeys);
        } else {
            in.unknownKeys.push_back(key);
        }
    }
    return in;
}

nlohmann::json WriteSolverInput(const SolverInput& in) {
    nlohmann::json j;
    j["systemDefinition"] = SystemDefinitionToJson(in.definition);
    j["generalSystemDynamicsDefinitions"] = in.general.toJson();
    if (in.hasForcedResponse) j["forcedResponseDefinitions"] = in.forcedResponse.toJson();
    nlohmann::json o = nlohmann::json::object();
    if (std::isfinite(in.options.nominalSpeed)) o["nominalSpeed"] = in.options.nominalSpeed;
    o["numModes"] = in.options.numModes;
    o["maxElementLength"] = in.options.maxElementLength;
    if (in.options.threads != 0) o["threads"] = in.options.threads;
    if (in.options.memoryLimit != 0.0) o["memoryLimit"] = in.options.memoryLimit;
    if (in.options.calculation >= 0) o["calculation"] = in.options.calculation;
    j["solverOptions"] = std::move(o);
    return j;
}
