#include "drivesys/module/tabs.h"

#include "drivesys/foundation/record_impl.h"

DS_DEFINE_RECORD(nvAssistantTab, nMetaStruct, DS_F_NODEF(numOfLooseGears), DS_F_NODEF(numOfFixGears),
                 DS_F_NODEF(numOfMinus), DS_F_NODEF(numOfPlus), DS_F_NODEF(numOfWolfrom), DS_F_NODEF(numOfRavigneaux),
                 DS_F_NODEF(numOfTopSwitchableStages), DS_F_NODEF(numOfBottomSwitchableStages),
                 DS_F_NODEF(numInGearPairChain), DS_F_NODEF(numOfGearPairs), DS_F_NODEF(numOfThreeGearChains),
                 DS_F_NODEF(numOfFourGearChains), DS_F_NODEF(numOfBevelGearPairs), DS_F_NODEF(numOfFacegearPairs),
                 DS_F_NODEF(numOfWormGearPairs), DS_F_NODEF(numOfSkewGearPairs))

DS_DEFINE_RECORD(nvRoughLayoutTab, nMetaStruct, DS_F_NODEF(autoSize), DS_F_NODEF(roughLayoutGears),
                 DS_F_NODEF(reducerType), DS_F_NODEF(useBmn), DS_F_NODEF(bmnMinimum), DS_F_NODEF(bmnMaximum),
                 DS_F_NODEF(useBd1), DS_F_NODEF(bd1Minimum), DS_F_NODEF(bd1Maximum), DS_F_NODEF(useBa),
                 DS_F_NODEF(baMinimum), DS_F_NODEF(baMaximum), DS_F_NODEF(roughLayoutBearings),
                 DS_F_NODEF(considerBearingsSizing), DS_F_NODEF(bearingLifetimeSizing),
                 DS_F_NODEF(roundDiameterSizing), DS_F_NODEF(useExistingTypeSizing), DS_F_NODEF(bearingType),
                 DS_F_NODEF(moveBearing), DS_F_NODEF(firstBearing), DS_F_NODEF(roughLayoutShafts),
                 DS_F_NODEF(equivalentStressSizing), DS_F_NODEF(changeOnlyDiameter),
                 DS_F_NODEF(maxDiameterRatioSizing), DS_F_NODEF(leaveSections))

DS_DEFINE_RECORD(nvTractivePowerTab, nMetaStruct, DS_F(m_F), DS_F(f_R), DS_F(c_W), DS_F(A), DS_F(r_dyn), DS_F(alpha),
                 DS_F(i_diff))

DS_DEFINE_RECORD(nvContactAnalysisTab, nMetaStruct, DS_F(useReferenceGear), DS_F(reference), DS_F(referenceName),
                 DS_F(shaftDeformationType), DS_F(calculateSplitRatios), DS_F(pitches), DS_F(accuracy), DS_F(steps),
                 DS_F(slices), DS_F(epsilon), DS_F(epsilonID), DS_F(smoothing), DS_F(sizeFrictionCoefficient),
                 DS_F(sizePitchDeviation), DS_F_NODEF(debug_damping_factor), DS_F_NODEF(debug_max_deviation_factor),
                 DS_F_NODEF(debug_max_iteration_factor))

DS_DEFINE_RECORD(nvModalAnalysisTab, nMetaStruct, DS_F(numEigenFrequencies), DS_F(solveOnlyTorsionalVibrations),
                 DS_F(considerGyroscopicEffects), DS_F(gearMeshStiffnessCalcType))
DS_DEFINE_EQUALITY(nvModalAnalysisTab)

DS_DEFINE_RECORD(nvCampbellDiagramTab, nMetaStruct, DS_F(numEigenFrequencies), DS_F(considerGyroscopicEffects),
                 DS_F(controlingBoundaryID), DS_F(numResonanceCurves), DS_F(numCalculationPoints), DS_F(speedMin),
                 DS_F(speedMax), DS_F(gearMeshStiffnessCalcType))

bool nvCampbellDiagramTab::operator==(const nvCampbellDiagramTab& o) const {
    return numEigenFrequencies == o.numEigenFrequencies && considerGyroscopicEffects == o.considerGyroscopicEffects &&
           controlingBoundaryID == o.controlingBoundaryID && numCalculationPoints == o.numCalculationPoints &&
           speedMin == o.speedMin && speedMax == o.speedMax && gearMeshStiffnessCalcType == o.gearMeshStiffnessCalcType;
}

DS_DEFINE_RECORD(nvPowerLossesTab, nMetaStruct, DS_F(calculateBearingLosses), DS_F(calculateMeshingLosses),
                 DS_F(calculateSealLosses), DS_F(calculateChurningLosses), DS_F(globalBearingLosses),
                 DS_F(globalMeshingLosses), DS_F(globalChurningLosses), DS_F(globalSealLosses),
                 DS_F(corrFactorBearingLosses), DS_F(corrFactorMeshingLosses), DS_F(corrFactorChurningLosses),
                 DS_F(corrFactorSealLosses), DS_F(isCorrFactorBearingLossesGlobal),
                 DS_F(isCorrFactorMeshingLossesGlobal), DS_F(isCorrFactorChurningLossesGlobal),
                 DS_F(isCorrFactorSealLossesGlobal), DS_F(maxNumberOfIterations), DS_F(maxEfficiencyDeviation),
                 DS_F(sealLossesCalculationMethod), DS_F(sizeGearSectionArea), DS_F(sizeGearSectionPerimeter),
                 DS_F(meshingLossesSource))

DS_DEFINE_RECORD(nvHousingDeformationTab, nMetaStruct, DS_F(selectedHousingKDataId), DS_F(convergenceAccuracy),
                 DS_F_NODEF(housingLengthUnit))

DS_DEFINE_RECORD(nvSwitchMatrixTab, nMetaStruct, DS_F(currentSwitchPosition), DS_F(switchNames),
                 DS_F(referenceSwitchPosition), DS_F(spectrumSwitchPosition), DS_F(switchMatrixFileName),
                 DS_F(switchMatrixFileLink), DS_F(numberOfSwitchPositions))

DS_DEFINE_RECORD(nvBCMatrixTab, nMetaStruct, DS_F(currentBCPosition), DS_F(BCNames), DS_F(referenceBCPosition),
                 DS_F(spectrumBCPosition), DS_F(BCMatrixFileName), DS_F(BCMatrixFileLink), DS_F(numberOfBCPositions))

DS_DEFINE_RECORD(nvOperatingModesTab, nMetaStruct, DS_F(currentOperatingMode), DS_F(modeNames), DS_F(boundarySetups),
                 DS_F(engagedGears), DS_F(kinematicStates), DS_F(referenceOperatingMode), DS_F(spectrumOperatingMode),
                 DS_F(operatingModesFileName), DS_F(operatingModesFileLink), DS_F(numberOfOperatingModes))

DS_DEFINE_RECORD(nvSpectrumElement, nMetaStruct, DS_F(attribute), DS_F(elementId), DS_F(referenceValue), DS_F(asFactor),
                 DS_F(corrFactor), DS_F(active), DS_F(spectrumValues))

DS_DEFINE_RECORD(nvBinFrequency, nMetaStruct, DS_F(binIndex), DS_F(frequency))

DS_DEFINE_RECORD(nvActiveBin, nMetaStruct, DS_F(lifetimeNotNull), DS_F(calculatedBin))

DS_DEFINE_RECORD(nvLoadSpectrumTab, nMetaStruct, DS_F(nofBins), DS_F(binIndex), DS_F(nofCases),
                 DS_F(recalculateLossesAndForcesForEachBin), DS_F(setLoadBinAsTemporaryNominalLoad),
                 DS_F(calculateOnlyKinematics), DS_F(connectOperatingModes), DS_F(considerLoadSpectrum),
                 DS_F(loadSpectrumType), DS_F(serviceLifeTotal), DS_F(elements), DS_F(binFrequencies),
                 DS_F(activeBins), DS_F(loadSpectrumFileName), DS_F(loadSpectrumFileLink), DS_F(reducedLifetime),
                 DS_F(calculateLoadSpectrum))

DS_DEFINE_RECORD(nvVariantElement, nMetaStruct, DS_F(active), DS_F(elementId))

DS_DEFINE_RECORD(nvVariantsTab, nMetaStruct, DS_F(numberOfVariants), DS_F(variantElements), DS_F(variantsDir),
                 DS_F(variantsNames), DS_F(variantsFileName), DS_F(variantsFileLink), DS_F(mainFolderName),
                 DS_F(isMainFolderSet), DS_F(organizationType), DS_F(currentVariantIndex))

DS_DEFINE_RECORD(nvReferenceValues, nMetaStruct, DS_F(attribute), DS_F(elementId), DS_F(status), DS_F(value))

DS_DEFINE_RECORD(nvSystemData, nMetaStruct, DS_F(parameter), DS_F(element), DS_F(real), DS_F(currentUnit), DS_F(DBID),
                 DS_F(listSelection), DS_F(status))
