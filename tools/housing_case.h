#pragma once
// A housing coupling case as JSON, read into NFEMCasing's constructor arguments, and the
// construction's result as JSON. Used by `drivesys housing` and the demo.
//
// Case keys (lengths in mm, frames as [origin, x axis, y axis, z axis], vectors as [x, y, z]):
//   enabled (true), maxMappingDistance (required), stiffness (rows) or stiffnessFile (path to
//   a stiffness file, relative to the case file), nodeCoords, nodeNumbers ([]), shaftCS,
//   bearingPoints, systemCS and femCS (reference frame), units ({"length": "mm", "force": "N"}),
//   reportUnmappedNodes (false), lengthFormatFlag (false), forces and moments (per shaft, per
//   point; N and N·m in shaft axes; optional).
// With stiffnessFile, nodeCoords, nodeNumbers and units come from the file unless the case
// gives them, and generalised coordinates of the file are condensed out (nodeStiffness).
#include <filesystem>
#include <nlohmann/json.hpp>

#include "drivesys/drivesys.h"

namespace drivesys_cli {

struct HousingCase {
    bool enabled = true;
    double maxMappingDistance = 0.0;
    NMatrix stiffness;
    std::vector<NVektor> nodeCoords;
    std::vector<unsigned> nodeNumbers;
    NFEMCasing::PerShaftVectors shaftCS;
    NFEMCasing::PerShaftVectors bearingPoints;
    NFEMCasing::Frame systemCS;
    NFEMCasing::Frame femCS;
    FEStiffnessMatrixSystemOfUnits units;
    bool reportUnmappedNodes = false;
    bool lengthFormatFlag = false;
    bool hasLoads = false;
    NFEMCasing::PerShaftVectors forces;
    NFEMCasing::PerShaftVectors moments;
};

/// The stiffness over a file's nodes: its generalised coordinates (MODES), which NFEMCasing does
/// not take, condensed out statically, K_nn − K_nq K_qq⁻¹ K_qn (nothing loads them in a static
/// coupling). Throws std::runtime_error when K_qq is not positive definite.
NMatrix nodeStiffness(const FEStiffnessMatrixFile& file);

/// Reads a case; throws std::runtime_error naming the key at fault.
HousingCase readHousingCase(const nlohmann::json& j, const std::filesystem::path& baseDir);

/// Constructs the casing and returns {"status", "errorMessage", "confirmMessage", "sixDofNodes",
/// "mapping": [[shaft, point, node], ...], "unmappedNodes", "nodeNumbers", "compliance",
/// "transformation", "displacements", "rotations"} (the last two null without loads; the two
/// matrices left out when `withMatrices` is false).
nlohmann::json runHousingCase(HousingCase& c, bool withMatrices);

/// What a construction status of NFEMCasing means, in words.
const char* casingStatusMeaning(int status);

/// Runs the three-point placement of {"tolerance", "pointsA", "pointsB", "lengthFormatFlag"}:
/// {"coordinateSystem", "errorMessage", "warningMessage", "pointsA", "pointsB"} (the points as
/// the call leaves them, in metres).
nlohmann::json runThreePointsCase(const nlohmann::json& j);

}  // namespace drivesys_cli
