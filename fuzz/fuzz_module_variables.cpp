// Result JSON of any shape read into SystemVibrationResults and HousingDeformationResults, then
// written as module variables: ragged matrices, short series and missing curves must never
// make the writers read past a list.
#include <cstdint>
#include <nlohmann/json.hpp>
#include <stdexcept>

#include "dynamics/module_variables.h"
#include "housing/housing_deformation.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const nlohmann::json j = nlohmann::json::parse(data, data + size, nullptr, false);
    if (j.is_discarded()) return 0;
    try {
        SystemVibrationResults results;
        results.fromJson(j);
        WriteModuleVariablesSystemDynamics(L"/dev/null", results);
        HousingDeformationResults housing;
        housing.fromJson(j);
        WriteModuleVariablesHousingDeformation(L"/dev/null", housing);
    } catch (const std::invalid_argument&) {  // not an object
    }
    return 0;
}
