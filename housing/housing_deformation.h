#pragma once
// Results of the housing-deformation calculation (deflection and load of every bearing that
// sits in an elastic housing, in shaft and in FE-model coordinates, the extreme values and the
// convergence data), their module-variables writer, and the reader of the initial node offsets
// of a housing stiffness-matrix file.
#include <cstdint>
#include <string>
#include <vector>

#include "drivesys/foundation/record.h"
#include "drivesys/platform/nmath/nvektor.h"

/// Deflection and load of one bearing at its FE node.
class DRIVESYS_API HousingBearingResult : public nMetaStruct {
    DS_RECORD(HousingBearingResult)
public:
    /// Reads all sixteen members (the JSON library's errors for a missing key or a wrong type).
    DS_JSON_ASSIGNMENT(HousingBearingResult)

    nWString shaftName;
    nWString bearingName;
    int64_t bearingUid = -1;
    int nodeID = -1;
    double ux = 0.0;
    double uy = 0.0;
    double uz = 0.0;
    double rotx = 0.0;
    double roty = 0.0;
    double rotz = 0.0;
    double Fx = 0.0;
    double Fy = 0.0;
    double Fz = 0.0;
    double Tx = 0.0;
    double Ty = 0.0;
    double Tz = 0.0;
};

/// The result of one housing-deformation calculation.
class DRIVESYS_API HousingDeformationResults : public nMetaStruct {
    DS_RECORD(HousingDeformationResults)
public:
    /// Reads every member but the two bearing-result lists, which keep their contents; a missing
    /// key throws out_of_range 403, a wrong type type_error 302, a non-object type_error 305.
    /// (The inherited fromJson reads the lists too.)
    DS_JSON_ASSIGNMENT(HousingDeformationResults)

    int returnedStatus = -1;
    nWString housingName;
    nWString stiffnessMatrixFileName;
    int convergenceAccuracy = -1;
    int maxNumIterations = -1;
    HousingBearingResult maxUx;
    HousingBearingResult maxUy;
    HousingBearingResult maxUz;
    HousingBearingResult maxRotx;
    HousingBearingResult maxRoty;
    HousingBearingResult maxRotz;
    HousingBearingResult maxFx;
    HousingBearingResult maxFy;
    HousingBearingResult maxFz;
    HousingBearingResult maxTx;
    HousingBearingResult maxTy;
    HousingBearingResult maxTz;
    std::vector<HousingBearingResult> bearingResultsShaftsCS;
    std::vector<HousingBearingResult> bearingResultsFEMCS;
    std::vector<double> convergenceStatus;
};

/// Appends the housing-deformation module variables of `results` to `path` (keys prefixed
/// "housing_deformation_", node numbers written unsigned, so −1 as 4294967295). Returns true in
/// every case; a null path writes nothing. WriteModuleVariablesHousingDeformationChecked does
/// the writing.
DRIVESYS_API bool WriteModuleVariablesHousingDeformation(const wchar_t* path, const HousingDeformationResults& results);

/// The same lines appended as one block, whole or not at all, exactly as
/// WriteModuleVariablesSystemDynamicsChecked does: false, with the reason in `error` when given,
/// when the block could not be appended (the file then keeps its previous length).
DRIVESYS_API bool WriteModuleVariablesHousingDeformationChecked(const wchar_t* path, const HousingDeformationResults& results,
                                                                std::string* error = nullptr);

class nFStream;
namespace ds {
/// The same lines written to a stream (the file writers and the fuzz harness use it).
DRIVESYS_API void writeHousingDeformationModuleVariables(nFStream& out, const HousingDeformationResults& results);
}  // namespace ds

/// Reads the initial node offsets of a housing stiffness-matrix file: the six-field rows of its
/// INITIAL section (translation x, y, z, rotation x, y, z; an optional header row starting with
/// "ux"; fields separated by blanks, tabs, semicolons or commas; "--" lines are comments) up to
/// the STIFFNESS line or the first row without six fields. An empty path leaves both lists as
/// they are; otherwise both are emptied first, and a missing file leaves them empty. Values are
/// taken as they stand (no unit conversion; text that is no number reads as 0).
DRIVESYS_API void readInitialOffsetsFEMFromFile(const nWString& path, std::vector<NVektor>& translations,
                                                std::vector<NVektor>& rotations);
