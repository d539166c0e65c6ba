#pragma once
// The ZF export: stiffness export switches, print options and the general export data.
// Table-driven records with the inherited JSON form.
#include <cstdint>

#include "drivesys/foundation/record.h"

/// Which stiffnesses are exported.
class DRIVESYS_API nvExportStiffnesZF : public nMetaStruct {
    DS_RECORD(nvExportStiffnesZF)
public:
    bool isExportStiffness = false;
    bool isGlobal = true;
    bool isGears = true;
    bool isBearings = true;
};

/// Print options of the export.
class DRIVESYS_API nvPrintfixZF : public nMetaStruct {
    DS_RECORD(nvPrintfixZF)
public:
    bool isPrintFix = false;
    bool isGLE = true;
    bool isGLEextended = false;
    bool isGLEcomprehensive = false;
    bool isGLEcomponent = false;
};

/// General data of the export: folders, damage reference, controlling boundaries and the state
/// of the last load-spectrum file (the ZBF file entries, bound without default).
class DRIVESYS_API nvZFGeneral : public nMetaStruct {
    DS_RECORD(nvZFGeneral)
public:
    nWString exportFolderPath;
    bool isExportDamage = false;
    bool isOwnReferenceCycles = true;
    double referenceCycles = 1000000.0;
    double referenceHours = 0.0;
    nWString sssFolderPath;
    int64_t exportDamageReferenceBoundaryID = -1;
    int64_t torqueControlingBoundaryID = -1;
    int64_t speedControlingBoundaryID = -1;
    int64_t outputReferenceBoundaryID = -1;
    nWString ZBFfileLocation;
    nWString ZBFfileName;
    int ZBFopModes = 0;
    int ZBFtotalBinsPerMode = 0;
    int ZBFtotalBinsCalculated = 0;
    bool ZBFisHVfromNorvane = false;
    double ZBFxl_Schlenk = 0.0;
    double ZBFxl_EHD = 0.0;
    bool ZBFisInputNumbOfDeci = false;
    short ZBFnumberOfDecimals = 3;
    bool isZFTR06refTorqueIndividual = false;
    /// Listed third, after `isExportDamage`.
    nvPrintfixZF nPrintfixZF;
};
