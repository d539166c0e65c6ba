// Result JSON of any shape read into SystemVibrationResults and HousingDeformationResults, then
// written as module variables: ragged matrices, short series and missing curves must never
// make the writers read past a list, and whatever the names hold, every line written is one
// `key=value` line: as many lines as the results call for, each key of the key grammar and where
// it belongs, no key twice (but the repeated ones), no control character anywhere.
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>

#include "drivesys/dynamics/module_variables.h"
#include "drivesys/housing/housing_deformation.h"
#include "drivesys/platform/ncore/nfile.h"

namespace {

[[noreturn]] void fault(const char* what, std::string_view line) {
    std::fprintf(stderr, "%s: %.*s\n", what, static_cast<int>(line.size()), line.data());
    std::abort();
}

/// Lines the system-dynamics writer owes a result, counted from its structure.
size_t expectedLines(const SystemVibrationResults& r) {
    size_t n = 4;
    for (const auto& shaft : r.resultsPerShaft) {
        for (const auto& b : shaft.bearingResults) n += 4 + b.bearingStiffnessMatrix.numRows() * b.bearingStiffnessMatrix.numCols();
        for (const auto& sub : shaft.shaftResultsPerSubShaft) n += 3 + 1 + 3 * sub.mode.size();
    }
    for (const auto& gear : r.resultsPerGear) n += 9 * gear.gearCalcResults.size();
    for (const auto& fr : r.forcedResponseResults) {
        n += 1 + fr.docPointResults.size() * (1 + 3 + 8) + 2 * fr.gearMeshResults.size();
        for (const auto& b : fr.bearingResults) n += b.bearingFreqDomain.f.size();
    }
    for (const auto& c : r.resCampbell) n += 1 + 2 * c.modeProperties.size();
    const auto& cc = r.resCampbellClassified;
    n += cc.frequencyInputRange.size() + cc.eigenID.size();
    for (size_t k = 0; k < cc.eigenID.size() && k < cc.eigenfrequencies.size(); ++k) n += cc.eigenfrequencies[k].curve.size();
    return n;
}

size_t expectedLines(const HousingDeformationResults& r) {
    return 5 + 14 * (r.bearingResultsShaftsCS.size() + r.bearingResultsFEMCS.size());
}

/// Checks every line of `text` and returns how many there are. A system-dynamics key may occur
/// only once, but for the frequency input range's; housing keys repeat with their node numbers.
size_t checkLines(std::string_view text, bool systemDynamics) {
    if (!text.empty() && text.back() != '\n') fault("block does not end with a line feed", text.substr(text.size() - 1));
    std::set<std::string_view> keys;
    size_t count = 0;
    for (size_t at = 0; at < text.size();) {
        const size_t end = text.find('\n', at);
        const std::string_view line = text.substr(at, end - at);
        at = end + 1;
        ++count;
        const size_t eq = line.find('=');
        if (eq == std::string_view::npos || eq == 0) fault("line without key", line);
        const std::string_view key = line.substr(0, eq);
        // Letters, digits and '_'; '-' for the signed shaft number of a bearing's force line.
        for (char c : key)
            if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-')) fault("key outside the key grammar", line);
        const bool prefixed = systemDynamics ? key.starts_with("system_dynamics_") || key.starts_with("forcedResponse_")
                                             : key.starts_with("housing_deformation_");
        if (!prefixed) fault("key without its prefix", line);
        for (unsigned char c : line.substr(eq))
            if (c < 0x20 || c == 0x7F) fault("control character in a value", line);
        // C1 controls and U+2028/U+2029 in their UTF-8 forms.
        if (line.find("\xC2\x85") != std::string_view::npos || line.find("\xE2\x80\xA8") != std::string_view::npos ||
            line.find("\xE2\x80\xA9") != std::string_view::npos)
            fault("line-breaking character in a value", line);
        if (systemDynamics && key != "system_dynamics_frequencyInputRange" && !keys.insert(key).second)
            fault("key written twice", line);
    }
    return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const nlohmann::json j = nlohmann::json::parse(data, data + size, nullptr, false);
    if (j.is_discarded()) return 0;
    try {
        SystemVibrationResults results;
        results.fromJson(j);
        nMemoryStream dynamics;
        ds::writeSystemDynamicsModuleVariables(dynamics, results);
        if (checkLines(dynamics.bytes(), true) != expectedLines(results)) fault("line count differs", dynamics.bytes());
        if (!dynamics.bytes().starts_with("system_dynamics_status=")) fault("block does not start with its status", dynamics.bytes());

        HousingDeformationResults housing;
        housing.fromJson(j);
        nMemoryStream lines;
        ds::writeHousingDeformationModuleVariables(lines, housing);
        if (checkLines(lines.bytes(), false) != expectedLines(housing)) fault("line count differs", lines.bytes());
        // The file writers themselves, on a file that takes everything.
        WriteModuleVariablesSystemDynamics(L"/dev/null", results);
        WriteModuleVariablesHousingDeformation(L"/dev/null", housing);
    } catch (const std::invalid_argument&) {  // not an object
    }
    return 0;
}
