#include "drivesys/dynamics/vibration_results.h"

#include "drivesys/foundation/record_impl.h"

DS_DEFINE_RECORD(RealImaginaryAmplitudePhase, nMetaStruct, DS_F(real), DS_F(imaginary), DS_F(amplitude), DS_F(phase))
DS_DEFINE_RECORD(NWelleResultEigenform, nMetaStruct, DS_F(pos), DS_F(u), DS_F(angle))
DS_DEFINE_RECORD(NWelleResultEnergies, nMetaStruct, DS_F(pressureTension), DS_F(bendingXY), DS_F(bendingYZ), DS_F(torsion),
                 DS_F(shearXY), DS_F(shearYZ), DS_F(rigidTranslation), DS_F(rigidRotation))
DS_DEFINE_RECORD(WhirlDataMembers, nMetaStruct, DS_F(speedIndex), DS_F(speed), DS_F(whirlMajorBendingSemiAxis),
                 DS_F(whirlMinorBendingSemiAxis), DS_F(whirlPhaseAngle))
DS_DEFINE_RECORD(TimeOutput, nMetaStruct, DS_F(endTime), DS_F(timeStep), DS_F(numTimeSteps), DS_F(baseFrequency), DS_F(time))
DS_DEFINE_RECORD(CampbellCurve, nMetaStruct, DS_F(curve))
DS_DEFINE_RECORD(GearMeshPropsStruct, nMetaStruct, DS_F(gearIDs), DS_F(gearMeshName))

DS_DEFINE_RECORD(NWelleResultEigenmodeProperties, nMetaStruct, DS_F(frequency), DS_F(description), DS_F(whirl),
                 DS_F(modeShape), DS_F(energies))
DS_DEFINE_RECORD(NWelleResultCampbells, nMetaStruct, DS_F(speed), DS_F(eigenFrequencies), DS_F(modeProperties),
                 DS_F(nominalShaftSpeeds), DS_F(shaftsSpeeds), DS_F(shaftsNames), DS_F(gearMeshFrequency), DS_F(gearNames))
DS_DEFINE_RECORD(ClassifiedCampbellResults, nMetaStruct, DS_F(eigenID), DS_F(frequencyInputRange), DS_F(eigenfrequencies))
DS_DEFINE_RECORD(WhirlDataPerSpeedStruct, nMetaStruct, DS_F(whirlDataPerSpeed))

DS_DEFINE_RECORD(ForcedResponseResultsFreqDomain, nMetaStruct, DS_F(f), DS_F(fCarrier), DS_F(uVecVsFreq), DS_F(rVecVsFreq),
                 DS_F(fVecVsFreq), DS_F(mVecVsFreq), DS_F(fSingleSide), DS_F(uVecVsFreqSingleSide),
                 DS_F(rVecVsFreqSingleSide), DS_F(fVecVsFreqSingleSide), DS_F(mVecVsFreqSingleSide))
DS_DEFINE_RECORD(ForcedResponseResultsTimeDomain, nMetaStruct, DS_F(whirlMajorBendingSemiAxis),
                 DS_F(whirlMinorBendingSemiAxis), DS_F(whirlPhaseAngle), DS_F(uVecVsTime), DS_F(rVecVsTime),
                 DS_F(vVecVsTime), DS_F(aVecVsTime), DS_F(fVecVsTime), DS_F(mVecVsTime))
DS_DEFINE_RECORD(ForcedResponseResultsSpeedDomain, nMetaStruct, DS_F(whirlMajorBendingSemiAxis),
                 DS_F(whirlMinorBendingSemiAxis), DS_F(whirlPhaseAngle), DS_F(uVecVsSpeed), DS_F(rVecVsSpeed),
                 DS_F(vVecVsSpeed), DS_F(aVecVsSpeed), DS_F(fVecVsSpeed), DS_F(mVecVsSpeed))
DS_DEFINE_RECORD(GearMeshForcedResponseResultsFreqDomain, nMetaStruct, DS_F(f), DS_F(dispPLVsFreq), DS_F(forcePLVsFreq),
                 DS_F(stiffPLVsFreq))
DS_DEFINE_RECORD(GearMeshForcedResponseResultsTimeDomain, nMetaStruct, DS_F(dispPLVsTime), DS_F(forcePLVsTime),
                 DS_F(stiffPLVsTime))
DS_DEFINE_RECORD(GearMeshForcedResponseResultsSpeedDomain, nMetaStruct, DS_F(dispPLVsSpeed), DS_F(forcePLVsSpeed),
                 DS_F(stiffPLVsSpeed))

DS_DEFINE_RECORD(GearMeshForcedResponseResults, nMetaStruct, DS_F(nDataIdsOfGears), DS_F(outputType), DS_F(name),
                 DS_F(shaftNumTMMain), DS_F(shaftNumTMDummy), DS_F(shaftNumTMInput), DS_F(shaftNumTMOutput),
                 DS_F(boundNumMain), DS_F(boundNumDummy), DS_F(rGearInput), DS_F(rGearOutput),
                 DS_F(posGearInputGlobal), DS_F(posGearOutGlobal), DS_F(alft), DS_F(betab), DS_F(speedShaftMain),
                 DS_F(baseFreqInd), DS_F(omega), DS_F(maxDynamicForce), DS_F(dynamicFactor), DS_F(angle),
                 DS_F(gearMeshFreqDomain), DS_F(gearMeshTimeDomain), DS_F(gearMeshSpeedDomain))
DS_DEFINE_RECORD(BearingForcedResponseResults, nMetaStruct, DS_F(uId), DS_F(outputType), DS_F(name), DS_F(shaftNumTM),
                 DS_F(boundNum), DS_F(speedShaft), DS_F(staticUvec), DS_F(staticRvec), DS_F(staticForce),
                 DS_F(staticMoment), DS_F(angle), DS_F(bearingFreqDomain), DS_F(bearingTimeDomain),
                 DS_F(bearingSpeedDomain))
DS_DEFINE_RECORD(DocPointForcedResponseResults, nMetaStruct, DS_F(uId), DS_F(outputType), DS_F(docPointName),
                 DS_F(docPointShaftName), DS_F(docPointShaftCalcNum), DS_F(docPointSubShaftNum), DS_F(docIndexInQuSpez),
                 DS_F(docPointShaftNumTM), DS_F(pos), DS_F(speedShaft), DS_F(staticUvec), DS_F(staticRvec),
                 DS_F(staticForce), DS_F(staticMoment), DS_F(angle), DS_F(docPointFreqDomain), DS_F(docPointTimeDomain),
                 DS_F(docPointSpeedDomain))
DS_DEFINE_RECORD(ForcedResponseResultsVsLength, nMetaStruct, DS_F(outputType), DS_F(shaftNumTM), DS_F(pos),
                 DS_F(staticUvec), DS_F(staticRvec), DS_F(staticForce), DS_F(staticMoment), DS_F(freqDomainResult),
                 DS_F(timeDomainResult), DS_F(speedDomainResult))
DS_DEFINE_RECORD(NWelleResultForcedResponse, nMetaStruct, DS_F(speedRefBound), DS_F(timeOutputs), DS_F(gearMeshResults),
                 DS_F(bearingResults), DS_F(docPointResults), DS_F(resultsVsLength))

DS_DEFINE_RECORD(ShaftResultsForSystem, nMetaStruct, DS_F(shaftName), DS_F(shaftMass), DS_F(shaftMassMomentOfInertia),
                 DS_F(nominalShaftSpeed), DS_F(mode))
DS_DEFINE_RECORD(GearCalcResultsForSystem, nMetaStruct, DS_F(gearName), DS_F(gearId), DS_F(gearCalcId), DS_F(shaftName),
                 DS_F(calcMethod), DS_F(calcMethodStr), DS_F(calcName), DS_F(calcMethodString), DS_F(pos),
                 DS_F(gearMeshStiffness), DS_F(nominalGearMeshFrequency), DS_F(gearMeshFrequencyMultiplier),
                 DS_F(nominalGearSpeed), DS_F(PPTE), DS_F(Fnorm), DS_F(gearMass), DS_F(gearMassMomentOfInertia),
                 DS_F(gearDensity), DS_F(gearOuterDiameter), DS_F(gearInnerDiameter), DS_F(gearWidth))
DS_DEFINE_RECORD(BearingResultsForSystem, nMetaStruct, DS_F(shaftName), DS_F(bearingName), DS_F(bearingStiffnessMatrix),
                 DS_F(bearingStiffnessMatrixVec), DS_F(isConnecting), DS_F(isGeneralSupport))
DS_DEFINE_RECORD(SystemVibrationResultsPerShaft, nMetaStruct, DS_F(bearingResults), DS_F(shaftResultsPerSubShaft))
DS_DEFINE_RECORD(SystemVibrationResultsPerGear, nMetaStruct, DS_F(gearCalcResults), DS_F(gearMeshProps), DS_F(timeDomainTE))

DS_DEFINE_RECORD(SystemVibrationResults, nMetaStruct, DS_F(solverStatus), DS_F(performedCalculation), DS_F(includeTE),
                 DS_F(wrongShaftOrGearCalcNum), DS_F(resultsPerShaft), DS_F(resultsPerGear),
                 DS_F(forcedResponseResults), DS_F(forcedResponseDocPointMaxWhirlMajorBendingSemiAxis),
                 DS_F(controllingShaftNumTM), DS_F(controllingShaftName), DS_F(controllingShaftNominalSpeed),
                 DS_F(resCampbell), DS_F(resCampbellClassified))

SystemVibrationResults& SystemVibrationResults::operator=(const nlohmann::json& j) {
    // The scalar-level members only, in member-list order, each the way the generic JSON
    // assignment reads it (the JSON library's own errors); the lists are left alone.
    static constexpr const char* kKeys[] = {"solverStatus",          "performedCalculation",
                                            "includeTE",             "wrongShaftOrGearCalcNum",
                                            "controllingShaftNumTM", "controllingShaftName",
                                            "controllingShaftNominalSpeed", "resCampbellClassified"};
    const ds::RecordInfo& info = recordInfo();
    for (const char* key : kKeys) {
        if (!j.is_object()) (void)j[key];
        const ds::FieldEntry* f = info.find(key);
        f->ops->assignJson(j.at(key), f->in(*this));
    }
    return *this;
}
