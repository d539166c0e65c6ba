#include "drivesys/loadspectrum/load_spectrum_import.h"

#include "drivesys/foundation/record_impl.h"

// Settings carry their default; the sampled data do not.
DS_DEFINE_RECORD(channelData, nMetaStruct, DS_F(ID), DS_F(IDfileChannel), DS_F(factor), DS_F(attributeSelection),
                 DS_F(asFactor), DS_F_NODEF(data), DS_F_NODEF(classIDvalues))

DS_DEFINE_RECORD(nZFLKfileData, nMetaStruct, DS_F(channelNames), DS_F(channelNamesData), DS_F(path), DS_F(points),
                 DS_F(isActive), DS_F_NODEF(timeData), DS_F_NODEF(rotationData), DS_F_NODEF(ratioIndex),
                 DS_F_NODEF(time), DS_F_NODEF(distance), DS_F_NODEF(OperatingModeIndex), DS_F(unitConversionFactor),
                 DS_F(InfoChannelDescr), DS_F(SeparatorChannel), DS_F(LoadChannel), DS_F(RotationChannel),
                 DS_F(nonZeroBins))

DS_DEFINE_RECORD(nZFLKimport, nMetaStruct, DS_F(fileData), DS_F(genChannel), DS_F(totalDistance), DS_F(totalTime),
                 DS_F(totalDistanceOutput), DS_F(totalTimeOutput), DS_F(isDistanceInput), DS_F(isTimeInput),
                 DS_F(isExportDamage), DS_F_NODEF(isZFLKconsistent))
