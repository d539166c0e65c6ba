#include "drivesys/frequencies/exciting_frequencies.h"

#include "drivesys/foundation/record_impl.h"
#include "drivesys/platform/ntypes/translator.h"

// Identification and calculation switch carry their default; the computed frequencies do not.
DS_DEFINE_RECORD(nGearFrequencies, nMetaStruct, DS_F(ID), DS_F(gearCalcName), DS_F(gearCalcIcon), DS_F(gearName),
                 DS_F(pairName), DS_F_NODEF(fz), DS_F_NODEF(fa), DS_F_NODEF(fk), DS_F_NODEF(n), DS_F_NODEF(floc),
                 DS_F_NODEF(fdis), DS_F_NODEF(nE1), DS_F(calculateFreq))

DS_DEFINE_RECORD(nBearingFrequencies, nMetaStruct, DS_F(ID), DS_F(name), DS_F(shaftName), DS_F_NODEF(FTF),
                 DS_F_NODEF(BSF), DS_F_NODEF(BPFI), DS_F_NODEF(BPFO), DS_F_NODEF(BPF), DS_F_NODEF(n),
                 DS_F(calculateFreq))

DS_DEFINE_RECORD(nShaftFrequencies, nMetaStruct, DS_F(ID), DS_F(name), DS_F(n), DS_F(calculateFreq),
                 DS_F(calculateSidebans))

DS_DEFINE_RECORD(nSimilarFrequencies, nMetaStruct, DS_F_NODEF(ID), DS_F_NODEF(name), DS_F_NODEF(value))

DS_DEFINE_RECORD_NO_CTOR(nAdditionalFrequencies, nMetaStruct, DS_F(ID), DS_F(name), DS_F(freq), DS_F(order))

nAdditionalFrequencies::nAdditionalFrequencies() : name(pool.GetString(740)) {}

DS_DEFINE_RECORD(nIntersectingFrequencies, nMetaStruct, DS_F_NODEF(name), DS_F_NODEF(value),
                 DS_F_NODEF(interLineName), DS_F_NODEF(interValues))

// Hand-listed: name, then freq, both bound without default.
DS_DEFINE_RECORD(nBoundaryPropertiesFreq, nMetaStruct, DS_F_NODEF(name), DS_F_NODEF(freq))

// The scalars in declaration order (but maxSimilarFreq), then the result lists, then maxSimilarFreq.
DS_DEFINE_RECORD(nFrequencies, nMetaStruct, DS_F_NODEF(isConsistent), DS_F(numberOfHarmonics), DS_F(gearCalcSelection),
                 DS_F(bearingCalcSelection), DS_F(shaftCalcSelection), DS_F(refSpeedSelection), DS_F(isToleranceRange),
                 DS_F(isToleranceRangeInPercent), DS_F(toleranceRangePercent), DS_F(toleranceRangeHz),
                 DS_F(unitSelection), DS_F_NODEF(isGearSelected), DS_F(isGearMeshF), DS_F(isAssembyF), DS_F(isHuntingF),
                 DS_F(isPlanetaryDistriF), DS_F(isPlanetaryLocalF), DS_F_NODEF(isBearingSelected), DS_F(isFTF),
                 DS_F(isBSF), DS_F(isBPFI), DS_F(isBPFO), DS_F(isBPF), DS_F_NODEF(isShaftSelected),
                 DS_F(isModalResultsConsidered), DS_F(isGearCriticalSpeed), DS_F(isAdditionalFrequencies),
                 DS_F(isSidebandFrequencies), DS_F(isSidebandHarmVariation), DS_F(sidebandNumberOfHarmonicVariation),
                 DS_F(speedMin), DS_F(speedMax), DS_F(controlingBoundaryID), DS_F(shaftSelectionID), DS_F(isFindSimilar),
                 DS_F(similarRange), DS_F_NODEF(nominalSpeed), DS_F_NODEF(maxGMF), DS_F_NODEF(minGMF),
                 DS_F_NODEF(maxBearingFreq), DS_F_NODEF(minBearingFreq), DS_F(gearPairs), DS_F(bearings), DS_F(shafts),
                 DS_F(additionalFrequencies), DS_F(additionalFrequenciesOrder), DS_F_NODEF(similarFreqGroup),
                 DS_F_NODEF(nEintersection), DS_F_NODEF(modalResIntersection), DS_F_NODEF(userFreqIntersection),
                 DS_F_NODEF(boundaryProp), DS_F_NODEF(maxSimilarFreq))
