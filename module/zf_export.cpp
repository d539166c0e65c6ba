#include "drivesys/module/zf_export.h"

#include "drivesys/foundation/record_impl.h"

DS_DEFINE_RECORD(nvExportStiffnesZF, nMetaStruct, DS_F(isExportStiffness), DS_F(isGlobal), DS_F(isGears),
                 DS_F(isBearings))

DS_DEFINE_RECORD(nvPrintfixZF, nMetaStruct, DS_F(isPrintFix), DS_F(isGLE), DS_F(isGLEextended),
                 DS_F(isGLEcomprehensive), DS_F(isGLEcomponent))

DS_DEFINE_RECORD(nvZFGeneral, nMetaStruct, DS_F(exportFolderPath), DS_F(isExportDamage), DS_F(nPrintfixZF),
                 DS_F(isOwnReferenceCycles), DS_F(referenceCycles), DS_F(referenceHours), DS_F(sssFolderPath),
                 DS_F(exportDamageReferenceBoundaryID), DS_F(torqueControlingBoundaryID),
                 DS_F(speedControlingBoundaryID), DS_F(outputReferenceBoundaryID), DS_F_NODEF(ZBFfileLocation),
                 DS_F_NODEF(ZBFfileName), DS_F_NODEF(ZBFopModes), DS_F_NODEF(ZBFtotalBinsPerMode),
                 DS_F_NODEF(ZBFtotalBinsCalculated), DS_F(ZBFisHVfromNorvane), DS_F(ZBFxl_Schlenk), DS_F(ZBFxl_EHD),
                 DS_F(ZBFisInputNumbOfDeci), DS_F(ZBFnumberOfDecimals), DS_F(isZFTR06refTorqueIndividual))
