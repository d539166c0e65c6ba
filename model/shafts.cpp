#include "drivesys/model/shafts.h"

#include "drivesys/foundation/record_impl.h"

DS_DEFINE_RECORD(Shaft, AnnotatedData, DS_F(Id), DS_F(name), DS_F(Type), DS_F(color), DS_F(carrierIndex), DS_F(speed),
                 DS_F(relSpeed), DS_F(pos), DS_F(cylDa), DS_F(cylDi), DS_F(cylLength), DS_F(width), DS_F(mass),
                 DS_F(sketcherAxisDefined), DS_F(outerGeometry), DS_F(innerGeometry), DS_F(itemType), DS_F(IdCloneRef),
                 DS_F(temperature), DS_F(temperatureHousing), DS_F(temperatureOil), DS_F(stressRzug),
                 DS_F(stressRbieg), DS_F(stressRdrm), DS_F(stressRquer), DS_F(referenceSpeed), DS_F(spectrumSpeed),
                 DS_F(spectrumRelSpeed), DS_F(referenceCounterClockwise), DS_F(spectrumCounterClockwise),
                 DS_F(opacity), DS_F(shaftDotIds))

DS_DEFINE_RECORD(ShaftPiece, nMetaStruct, DS_F(Id), DS_F(name), DS_F(Type), DS_F(IdCloneRef), DS_F(ContourType),
                 DS_F(dotId), DS_F(shaftId))
