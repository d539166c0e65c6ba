#include "drivesys/solver/definition_json.h"

#include <cmath>
#include <filesystem>
#include <fstream>
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

// ---- the housing section ----------------------------------------------------------------------

using json = nlohmann::json;

[[noreturn]] void bad(const std::string& key, const std::string& what) { throw std::invalid_argument("housing." + key + ": " + what); }

double housingNumber(const json& v, const std::string& key) {
    if (!v.is_number()) bad(key, "not a number");
    return v.get<double>();
}

/// A whole number in 0 … limit.
uint64_t housingIndex(const json& v, const std::string& key, uint64_t limit = UINT32_MAX) {
    if (!v.is_number_integer() || (v.is_number_integer() && !v.is_number_unsigned() && v.get<int64_t>() < 0) ||
        v.get<uint64_t>() > limit)
        bad(key, "not a whole number from 0 to " + std::to_string(limit));
    return v.get<uint64_t>();
}

NVektor housingVector(const json& v, const std::string& key) {
    if (!v.is_array() || v.size() != 3) bad(key, "not a vector [x, y, z]");
    return NVektor(housingNumber(v[0], key + "[0]"), housingNumber(v[1], key + "[1]"), housingNumber(v[2], key + "[2]"));
}

json vectorJson(const NVektor& v) { return json::array({v.x, v.y, v.z}); }

HousingRing readRing(const json& j, const std::string& key, std::vector<std::string>& unknown) {
    if (!j.is_object()) bad(key, "not an object {\"bearing\": [s, j, k] or \"connection\": [i, k], \"node\": …}");
    HousingRing r;
    const bool bearing = j.contains("bearing"), connection = j.contains("connection");
    if (bearing == connection) bad(key, "names neither or both of \"bearing\" and \"connection\"");
    const json& at = bearing ? j["bearing"] : j["connection"];
    const std::string atKey = key + (bearing ? ".bearing" : ".connection");
    if (!at.is_array() || at.size() != (bearing ? 3u : 2u)) bad(atKey, bearing ? "not [shaft, sub-shaft, index]" : "not [group, index]");
    r.kind = bearing ? HousingRing::Kind::Bearing : HousingRing::Kind::Connection;
    r.shaft = size_t(housingIndex(at[0], atKey + "[0]"));
    if (bearing) r.subShaft = size_t(housingIndex(at[1], atKey + "[1]"));
    r.index = size_t(housingIndex(at[bearing ? 2 : 1], atKey + (bearing ? "[2]" : "[1]")));
    if (!j.contains("node")) bad(key + ".node", "missing (an FE node number, or \"ground\")");
    const json& node = j["node"];
    if (node.is_string() && node.get<std::string>() == "ground") r.node = HousingRing::kGround;
    else if (node.is_number_integer()) r.node = int64_t(housingIndex(node, key + ".node"));
    else bad(key + ".node", "not an FE node number or \"ground\"");
    for (const auto& [k, v] : j.items())
        if (k != "bearing" && k != "connection" && k != "node") unknown.push_back("housing." + key + "." + k);
    return r;
}

}  // namespace

HousingDefinition ReadHousingDefinition(const json& j, const std::string& directory, std::vector<std::string>& unknown) {
    if (!j.is_object()) throw std::invalid_argument("housing: not an object");
    HousingDefinition h;
    if (!j.contains("stiffnessFile") || !j["stiffnessFile"].is_string())
        throw std::invalid_argument("housing.stiffnessFile: missing (the stiffness file of the housing, a path)");
    h.stiffnessFile = j["stiffnessFile"].get<std::string>();
    bool haveUnits = false;
    FEStiffnessMatrixSystemOfUnits units;
    for (const auto& [key, value] : j.items()) {
        if (key == "stiffnessFile") {
        } else if (key == "units") {
            if (!value.is_object() || !value.contains("length") || !value.contains("force") || !value["length"].is_string() ||
                !value["force"].is_string() ||
                !units.setFromSymbols(value["length"].get<std::string>(), value["force"].get<std::string>()))
                bad(key, "expected {\"length\": \"mm\", \"force\": \"N\"} (length: m, cm, mm, um, in, ft; force: N, kN, MN, lbf)");
            haveUnits = true;
        } else if (key == "lossFactor") {
            h.lossFactor = housingNumber(value, key);
        } else if (key == "maxMappingDistance") {
            h.maxMappingDistance = housingNumber(value, key);
        } else if (key == "frame") {
            if (!value.is_object()) bad(key, "not an object {\"origin\", \"xAxis\", \"yAxis\", \"zAxis\"}");
            for (const auto& [part, v] : value.items()) {
                if (part == "origin") h.origin = housingVector(v, "frame.origin");
                else if (part == "xAxis") h.xAxis = housingVector(v, "frame.xAxis");
                else if (part == "yAxis") h.yAxis = housingVector(v, "frame.yAxis");
                else if (part == "zAxis") h.zAxis = housingVector(v, "frame.zAxis");
                else unknown.push_back("housing.frame." + part);
            }
        } else if (key == "rings") {
            if (!value.is_array()) bad(key, "not a list");
            for (size_t i = 0; i < value.size(); ++i)
                h.rings.push_back(readRing(value[i], "rings[" + std::to_string(i) + "]", unknown));
        } else if (key == "sharedNodes") {
            if (!value.is_array()) bad(key, "not a list of FE node numbers");
            for (size_t i = 0; i < value.size(); ++i)
                h.sharedNodes.push_back(unsigned(housingIndex(value[i], "sharedNodes[" + std::to_string(i) + "]")));
        } else {
            unknown.push_back("housing." + key);
        }
    }

    // Names pass to the file system byte for byte (UTF-8 on this platform).
    std::filesystem::path path(h.stiffnessFile);
    if (path.is_relative() && !directory.empty()) path = std::filesystem::path(directory) / path;
    // Only a regular file: a device or a pipe could feed the reader without end.
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) bad("stiffnessFile", path.string() + ": no such file (a regular file is needed)");
    std::ifstream file(path, std::ios::binary);
    if (!file) bad("stiffnessFile", path.string() + ": cannot open the file");
    try {
        h.matrices = readFEStiffnessMatrix(file);
    } catch (const FEStiffnessFileError& e) {
        bad("stiffnessFile", FEStiffnessFileError(e.line(), e.detail(), path.string()).what());
    }
    if (haveUnits) {
        if (h.matrices.unitsGiven && h.matrices.systemOfUnits != units)
            bad("units", "the stiffness file " + h.stiffnessFile + " states other units (UNITS " + h.matrices.systemOfUnits.lengthSymbol() +
                             " " + h.matrices.systemOfUnits.forceSymbol() + ")");
        h.matrices.systemOfUnits = units;
    } else if (!h.matrices.unitsGiven) {
        bad("units", "missing: the stiffness file " + h.stiffnessFile +
                         " has no UNITS line, so the section must state the units of its matrices");
    }
    return h;
}

json WriteHousingDefinition(const HousingDefinition& h) {
    json j;
    j["stiffnessFile"] = h.stiffnessFile;
    if (!h.matrices.unitsGiven)
        j["units"] = {{"length", h.matrices.systemOfUnits.lengthSymbol()}, {"force", h.matrices.systemOfUnits.forceSymbol()}};
    j["lossFactor"] = h.lossFactor;
    j["frame"] = {{"origin", vectorJson(h.origin)}, {"xAxis", vectorJson(h.xAxis)}, {"yAxis", vectorJson(h.yAxis)},
                  {"zAxis", vectorJson(h.zAxis)}};
    if (h.maxMappingDistance != 0.0) j["maxMappingDistance"] = h.maxMappingDistance;
    if (!h.rings.empty()) {
        json rings = json::array();
        for (const HousingRing& r : h.rings) {
            json ring;
            if (r.kind == HousingRing::Kind::Bearing) ring["bearing"] = {r.shaft, r.subShaft, r.index};
            else ring["connection"] = {r.shaft, r.index};
            if (r.node == HousingRing::kGround) ring["node"] = "ground";
            else ring["node"] = r.node;
            rings.push_back(std::move(ring));
        }
        j["rings"] = std::move(rings);
    }
    if (!h.sharedNodes.empty()) j["sharedNodes"] = h.sharedNodes;
    return j;
}

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

SolverInput ReadSolverInput(const nlohmann::json& j, const std::string& directory) {
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
        } else if (key == "housing") {
            in.housing = ReadHousingDefinition(value, directory, in.unknownKeys);
            in.hasHousing = true;
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
    if (in.hasHousing) j["housing"] = WriteHousingDefinition(in.housing);
    return j;
}
