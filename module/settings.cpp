#include "drivesys/module/settings.h"

#include "drivesys/foundation/record_impl.h"

DS_DEFINE_RECORD(nvSketcherDefaults, nMetaStruct, DS_F(defaultAxisType), DS_F(hRaster), DS_F(vRaster), DS_F(dotSize),
                 DS_F(fontSize))

DS_DEFINE_RECORD(nvCalculationSettings, nMetaStruct, DS_F(calculateOnlyGears), DS_F(calculateOnlyGears_temp),
                 DS_F(calculateOnlyGearsGeometry), DS_F(supressSubmodulesMessages), DS_F(showLockSubmodulesMessages),
                 DS_F(hidePlanetCopies), DS_F(hidePlanetCopies_temp), DS_F(createPlanetCopies),
                 DS_F(updateShaftsPositions), DS_F(createBackupOnDotManipulation), DS_F(createBackupOnCloseSubModule),
                 DS_F(createBackupOnItemManipulation))

DS_DEFINE_RECORD(nv3DViewerDefaults, nMetaStruct, DS_F(useConesInsteadOfCylinders), DS_F(mergeCylindersOrCones),
                 DS_F(useSimplifiedGears), DS_F(useSimplifiedBearings))

DS_DEFINE_RECORD(nvSettingsTab, nMetaStruct, DS_F_NODEF(namingSettings), DS_F_NODEF(defaultgeom),
                 DS_F_NODEF(defaultValues), DS_F_NODEF(calculationSettings), DS_F_NODEF(default3DViewerValues))
