#pragma once
// The settings tab: naming rules, default geometry of new elements, sketcher, calculation and
// 3D-viewer defaults. Table-driven records with the inherited JSON form; the nested records are
// members by value.
#include "drivesys/foundation/record.h"
#include "drivesys/module/default_geometry.h"
#include "drivesys/module/naming.h"

/// Raster and sizes of the sketcher.
class DRIVESYS_API nvSketcherDefaults : public nMetaStruct {
    DS_RECORD(nvSketcherDefaults)
public:
    int defaultAxisType = 0;
    double hRaster = 100.0;
    double vRaster = 100.0;
    int dotSize = 8;
    int fontSize = 8;
};

/// Switches of the system calculation and of the module's bookkeeping.
class DRIVESYS_API nvCalculationSettings : public nMetaStruct {
    DS_RECORD(nvCalculationSettings)
public:
    bool calculateOnlyGears = false;
    bool calculateOnlyGears_temp = false;
    bool calculateOnlyGearsGeometry = false;
    bool supressSubmodulesMessages = true;
    bool showLockSubmodulesMessages = true;
    bool hidePlanetCopies = true;
    bool hidePlanetCopies_temp = false;
    bool createPlanetCopies = false;
    bool updateShaftsPositions = true;
    bool createBackupOnDotManipulation = false;
    bool createBackupOnCloseSubModule = true;
    bool createBackupOnItemManipulation = true;
    /// Not in the member list: neither registered, bound to the Meta nor stored in JSON (the
    /// settings screen binds its control directly). Copies and assignments carry it.
    bool setGearsAxialOffsets = true;
};

/// Display simplifications of the 3D viewer.
class DRIVESYS_API nv3DViewerDefaults : public nMetaStruct {
    DS_RECORD(nv3DViewerDefaults)
public:
    bool useConesInsteadOfCylinders = false;
    bool mergeCylindersOrCones = false;
    bool useSimplifiedGears = false;
    bool useSimplifiedBearings = true;
};

/// The settings tab. Its five nested records are bound without default.
class DRIVESYS_API nvSettingsTab : public nMetaStruct {
    DS_RECORD(nvSettingsTab)
public:
    SystemNamingSettings namingSettings;
    nvDefaultGeometry defaultgeom;
    nvSketcherDefaults defaultValues;
    nvCalculationSettings calculationSettings;
    nv3DViewerDefaults default3DViewerValues;
};
