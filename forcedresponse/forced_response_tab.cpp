#include "drivesys/forcedresponse/forced_response_tab.h"

#include <cmath>

#include "drivesys/foundation/record_impl.h"

namespace {
// Tolerant comparison of calculation inputs: the difference must stay strictly below the bound.
bool within(double a, double b, double bound) { return std::fabs(a - b) < bound; }
}  // namespace

DS_DEFINE_RECORD(nGearPairForcedResponse, nMetaStruct, DS_F(gearPairName), DS_F(gearPairId), DS_F(gearPairIcon),
                 DS_F(gearCalcName), DS_F(gearCalcId), DS_F(gearCalcIcon), DS_F(gearPairPower), DS_F(isGearPairActive),
                 DS_F(gearNames), DS_F(gearIds))

bool nGearPairForcedResponse::operator==(const nGearPairForcedResponse& o) const {
    return gearPairName == o.gearPairName && gearPairId == o.gearPairId && gearCalcName == o.gearCalcName &&
           gearCalcId == o.gearCalcId && gearPairPower == o.gearPairPower && isGearPairActive == o.isGearPairActive &&
           gearNames == o.gearNames && gearIds == o.gearIds;
}

DS_DEFINE_RECORD(nGearPairForcedResponseInput, nMetaStruct, DS_F(gearPairData), DS_F(selectGearPairs),
                 DS_F(gearPairStiffnessConstant))

bool nGearPairForcedResponseInput::operator==(const nGearPairForcedResponseInput& o) const {
    return gearPairData == o.gearPairData && selectGearPairs == o.selectGearPairs &&
           gearPairStiffnessConstant == o.gearPairStiffnessConstant;
}

DS_DEFINE_RECORD(nGearPairForcedResponseOutput, nMetaStruct, DS_F(gearPairData), DS_F(calculateResults))

bool nGearPairForcedResponseOutput::operator==(const nGearPairForcedResponseOutput& o) const {
    return gearPairData == o.gearPairData && calculateResults == o.calculateResults;
}

DS_DEFINE_RECORD(nBearingForcedResponse, nMetaStruct, DS_F(uId), DS_F(bearingName), DS_F(bearingIcon), DS_F(shaftName),
                 DS_F(shaftCalcName), DS_F(shaftCalcIcon), DS_F(shaftIcon), DS_F(calculateResults))

bool nBearingForcedResponse::operator==(const nBearingForcedResponse& o) const {
    return uId == o.uId && bearingName == o.bearingName && bearingIcon == o.bearingIcon && shaftName == o.shaftName &&
           shaftCalcName == o.shaftCalcName && shaftCalcIcon == o.shaftCalcIcon && shaftIcon == o.shaftIcon;
}

DS_DEFINE_RECORD(nDocPointsForcedResponse, nMetaStruct, DS_F(uId), DS_F(docPointName), DS_F(docPointIcon),
                 DS_F(shaftCalcName), DS_F(shaftCalcIcon), DS_F(shaftIcon), DS_F(shaftName), DS_F(calculateResults))

DS_DEFINE_RECORD(nvDatFilePair, nMetaStruct, DS_F(file), DS_F(content), DS_F(nDataID))

bool nvDatFilePair::operator==(const nvDatFilePair& o) const {
    return file == o.file && content == o.content && nDataID == o.nDataID;
}

template DRIVESYS_API bool areVectorsEqual<nvDatFilePair>(const std::vector<nvDatFilePair>&,
                                                      const std::vector<nvDatFilePair>&);
template DRIVESYS_API bool areVectorsEqual<nGearPairForcedResponseInput>(
    const std::vector<nGearPairForcedResponseInput>&, const std::vector<nGearPairForcedResponseInput>&);

// The two check-box flags (torque ripple, co-simulation save) are not listed.
DS_DEFINE_RECORD(nvForcedResponseTab, nMetaStruct, DS_F(controlingBoundaryID), DS_F(selectGearPairs),
                 DS_F(numCalculationPoints), DS_F(xAxisMin), DS_F(xAxisMax), DS_F(plotVsSpeed), DS_F(refSpeed),
                 DS_F(contactAnalysisApproachForced), DS_F(gearMeshStiffnessCalcType), DS_F(excitationForceType),
                 DS_F(modelingType), DS_F(solutionApproachForced), DS_F(convergenceTolerance),
                 DS_F(accuracyForcedResponse), DS_F(hystereticDampingTorsion), DS_F(hystereticDampingAxial),
                 DS_F(hystereticDampingBending), DS_F(gearMeshDampingType), DS_F(gearMeshDamping),
                 DS_F(gearMeshDampingRatio), DS_F(considerUnbalanceMasses), DS_F(considerGearMeshForces),
                 DS_F(bearingForcesTimeDomain), DS_F(bearingForcesFreqDomain), DS_F(bearingForcesSpeedDomain),
                 DS_F(gearMeshOutputsFreqDomain), DS_F(gearMeshOutputsTimeDomain), DS_F(gearMeshOutputsSpeedDomain),
                 DS_F(shaftOutputsDocumentation), DS_F(saveDynamicFactor), DS_F(plotMultiplierStepFactor),
                 DS_F(useUserDefinedEndTime), DS_F(userDefinedEndTime), DS_F(frequencyResponseApproach),
                 DS_F(numHarmonics), DS_F(numHarmonicsSingle), DS_F(numResponseHarmonics), DS_F(saveTimeDomainData),
                 DS_F(createPlanetCopies), DS_F(datFilesVarTorque), DS_F(inputGearPairs), DS_F(outputGearPairs),
                 DS_F(outputBearings), DS_F(outputDocPoints), DS_F(selectOutputGearPairs), DS_F(selectOutputBearings),
                 DS_F(selectOutputDocPoints))

bool nvForcedResponseTab::operator==(const nvForcedResponseTab& o) const {
    if (selectGearPairs != o.selectGearPairs || numCalculationPoints != o.numCalculationPoints) return false;
    if (!within(xAxisMin, o.xAxisMin, 0.01) || !within(xAxisMax, o.xAxisMax, 0.01)) return false;
    if (plotVsSpeed != o.plotVsSpeed) return false;
    if (!within(refSpeed, o.refSpeed, 0.01)) return false;
    if (contactAnalysisApproachForced != o.contactAnalysisApproachForced ||
        gearMeshStiffnessCalcType != o.gearMeshStiffnessCalcType || excitationForceType != o.excitationForceType ||
        modelingType != o.modelingType || solutionApproachForced != o.solutionApproachForced)
        return false;
    if (!within(convergenceTolerance, o.convergenceTolerance, 0.001)) return false;
    if (!within(hystereticDampingTorsion, o.hystereticDampingTorsion, 0.01) ||
        !within(hystereticDampingAxial, o.hystereticDampingAxial, 0.01) ||
        !within(hystereticDampingBending, o.hystereticDampingBending, 0.01))
        return false;
    if (gearMeshDampingType != o.gearMeshDampingType) return false;
    if (!within(gearMeshDamping, o.gearMeshDamping, 0.1)) return false;
    if (!within(gearMeshDampingRatio, o.gearMeshDampingRatio, 0.01)) return false;
    if (considerUnbalanceMasses != o.considerUnbalanceMasses || considerGearMeshForces != o.considerGearMeshForces ||
        forcedResponseCalculateTorqueRipple != o.forcedResponseCalculateTorqueRipple ||
        createPlanetCopies != o.createPlanetCopies)
        return false;
    if (frequencyResponseApproach != o.frequencyResponseApproach || numHarmonics != o.numHarmonics ||
        numHarmonicsSingle != o.numHarmonicsSingle || numResponseHarmonics != o.numResponseHarmonics ||
        saveTimeDomainData != o.saveTimeDomainData)
        return false;
    return areVectorsEqual(datFilesVarTorque, o.datFilesVarTorque) &&
           areVectorsEqual(inputGearPairs, o.inputGearPairs);
}

bool nvForcedResponseTab::timeDomainInputsHaveChanged(const nvForcedResponseTab& other) const {
    if (accuracyForcedResponse != other.accuracyForcedResponse) return true;
    if (plotMultiplierStepFactor != other.plotMultiplierStepFactor) return true;
    if (useUserDefinedEndTime != other.useUserDefinedEndTime) return true;
    return useUserDefinedEndTime && other.useUserDefinedEndTime &&
           std::fabs(userDefinedEndTime - other.userDefinedEndTime) > 0.01;
}
