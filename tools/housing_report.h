#pragma once
// The elastic housing's part of a solve (SolverReport::housing) as JSON, beside the results
// file, which has no place for it:
//   {"dofCount", "nodeCount", "boundaryDofs", "factorisedNonZeros",
//    "rings": [{"kind": "bearing"|"connection", "name", "table": [s, j, k] or [i, k], "boundNum",
//               "node", "distance" (m), "listed"}],
//    "modes": [{"description", "frequency" (Hz), "housingStrainShare", "housingKineticShare"}],
//    "forcedResponse": [ per speed: [ per ring: {"ring", "housing": ForcedResponseResultsSpeedDomain} ] ]}
#include <nlohmann/json.hpp>

#include "drivesys/drivesys.h"

namespace drivesys_cli {

nlohmann::json housingReportJson(const SolverReport& report);

}  // namespace drivesys_cli
