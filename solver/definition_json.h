#pragma once
// The JSON form of a vibration definition, as the solver's definition file holds it:
//
//   {
//     "systemDefinition": { "<name under which the data block is described>": value, ... },
//     "generalSystemDynamicsDefinitions": { "GearMeshStiffnessCalculationType": 0, "calculationToPerform": 2 },
//     "forcedResponseDefinitions": { ...the record's JSON... },          (optional)
//     "solverOptions": { "nominalSpeed": 1480, "numModes": 12, "maxElementLength": 0.04 },  (optional)
//     "housing": { "stiffnessFile": "box_housing.txt", "maxMappingDistance": 0.005, ... }    (optional)
//   }
//
// The data block's keys are the names of its described variables, dotted names as they stand
// ("gearCalcResults.gearName"); values are the variables' JSON forms (lists as nested arrays,
// vectors as [x, y, z]). Writing leaves out members at their defaults (empty lists). The housing
// section (solver/housing_definition.h) names a stiffness file, read relative to the definition.
#include <nlohmann/json_fwd.hpp>
#include <string>
#include <vector>

#include "drivesys/dynamics/dynamics_definitions.h"
#include "drivesys/dynamics/system_definition.h"
#include "drivesys/platform/drivesys_export.h"
#include "drivesys/solver/housing_definition.h"
#include "drivesys/solver/solver.h"

/// The data block of `definition` as a JSON object keyed by its described names; members at
/// their defaults are left out unless `full`.
DRIVESYS_API nlohmann::json SystemDefinitionToJson(const SystemDefinition& definition, bool full = false);

/// Reads the data block from a JSON object keyed by its described names into `definition`
/// (members not named keep their values). Keys the data block does not describe are appended to
/// `unknownKeys` (or refused when it is null). Throws std::invalid_argument naming the key when
/// the value is not an object or a value does not convert to its member's type.
DRIVESYS_API void SystemDefinitionFromJson(const nlohmann::json& j, SystemDefinition& definition,
                                           std::vector<std::string>* unknownKeys);

/// A whole definition file (see above).
struct DRIVESYS_API SolverInput {
    SystemDefinition definition;
    GeneralSystemDynamicsDefinitions general;
    ForcedResponseDefinitionsStruct forcedResponse;
    bool hasForcedResponse = false;
    /// The elastic housing under the bearings, when the file has a housing section.
    HousingDefinition housing;
    bool hasHousing = false;
    SolverOptions options;
    /// Keys that were not understood, as paths ("systemDefinition.secLenght", "foo").
    std::vector<std::string> unknownKeys;
};

/// Reads a definition file's JSON; a housing's stiffness file is read from `directory` (UTF-8;
/// the definition file's folder) unless its name is absolute. Throws std::invalid_argument naming
/// the key of the first value that does not fit (a stiffness file that cannot be read is named
/// with its line). options.housing is left null: point it at `housing` to solve with it.
DRIVESYS_API SolverInput ReadSolverInput(const nlohmann::json& j, const std::string& directory = {});
/// Writes a definition file's JSON (forced-response definitions when `hasForcedResponse`, the
/// housing section when `hasHousing`; the stiffness file itself is not written).
DRIVESYS_API nlohmann::json WriteSolverInput(const SolverInput& input);

/// The housing section alone (see docs/file-formats.md), read and written as ReadSolverInput and
/// WriteSolverInput do; unknown keys are appended to `unknownKeys` as "housing.<key>".
DRIVESYS_API HousingDefinition ReadHousingDefinition(const nlohmann::json& j, const std::string& directory,
                                                     std::vector<std::string>& unknownKeys);
DRIVESYS_API nlohmann::json WriteHousingDefinition(const HousingDefinition& housing);
