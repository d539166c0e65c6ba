#pragma once
// Default dimensions of newly placed elements: one small geometry record per element kind and
// nvDefaultGeometry, which holds one of them per kind with its own presets plus the scale
// factors the host applies to dimensions and modules.
//
// The geometry records' JSON assignment reads all their keys from a JSON object: a non-object
// throws the JSON library's type_error 305, a value of the wrong kind type_error 302, a missing
// key out_of_range 403.
#include "drivesys/foundation/record.h"

/// Shaft cylinder.
class DRIVESYS_API ShaftGeom : public nMetaStruct {
    DS_RECORD(ShaftGeom)
public:
    DS_JSON_ASSIGNMENT(ShaftGeom)

    double externalDiameter = 20.0;
    double internalDiameter = 0.0;
    double length = 10.0;
};

/// Rolling bearing.
class DRIVESYS_API BearingGeom : public nMetaStruct {
    DS_RECORD(BearingGeom)
public:
    DS_JSON_ASSIGNMENT(BearingGeom)

    /// Database id of the bearing series.
    int dbid = 10160;
    /// Inner diameter.
    double di = 20.0;
    int identifier = 0;
};

/// Plain (journal) bearing.
class DRIVESYS_API JournalGeom : public nMetaStruct {
    DS_RECORD(JournalGeom)
public:
    DS_JSON_ASSIGNMENT(JournalGeom)

    double width = 10.0;
    double stiffness = 10.0;
};

/// Switchable coupling.
class DRIVESYS_API SwitchableGeom : public nMetaStruct {
    DS_RECORD(SwitchableGeom)
public:
    DS_JSON_ASSIGNMENT(SwitchableGeom)

    double counterClockwiseClearance = 1.0;
    double clockwiseClearance = 1.0;
    double stiffness = 10.0;
};

/// Gear of any kind.
class DRIVESYS_API GearGeom : public nMetaStruct {
    DS_RECORD(GearGeom)
public:
    DS_JSON_ASSIGNMENT(GearGeom)

    double diameter = 20.0;
    double module = 2.0;
    double width = 10.0;
    double height = 0.0;
};

/// Coupling or rope sheave.
class DRIVESYS_API OtherGeom : public nMetaStruct {
    DS_RECORD(OtherGeom)
public:
    DS_JSON_ASSIGNMENT(OtherGeom)

    double diameter = 20.0;
    double width = 10.0;
    double centerDistance = 0.0;
};

/// The default geometry of every element kind. Construction and reset preset the nested records
/// with values of their own (which differ from the lone records' defaults) and record those
/// values as initial values in each nested record's Meta, so a screen's "initialise" returns to
/// them. Three kinds of values are preset without an initial value: `bearingOnShaft.dbid`, the
/// zero heights of the gears other than `face`, and `coupling.centerDistance`.
class DRIVESYS_API nvDefaultGeometry : public nMetaStruct {
    DS_RECORD(nvDefaultGeometry)
public:
    /// Reads only the four factors; the nested geometry keeps its values. Errors as for the
    /// geometry records; on an error nothing changes.
    DS_JSON_ASSIGNMENT(nvDefaultGeometry)

    ShaftGeom cylinder;
    BearingGeom bearingOnShaft;
    JournalGeom plainBearing;
    SwitchableGeom switchable;
    GearGeom gear;
    GearGeom worm;
    GearGeom wormWheel;
    GearGeom bevel;
    GearGeom face;
    OtherGeom coupling;
    OtherGeom rope_sheave;
    GearGeom noncircular;
    /// Scale factors the host applies to new dimensions and modules (stored only).
    double dimensionsFactor = 1.0;
    double modulesFactor = 1.0;
    double dimensionsFactorOld = 1.0;
    double modulesFactorOld = 1.0;

private:
    /// Presets the nested records and records their initial values.
    void applyPresets();
};
