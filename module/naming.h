#pragma once
// Naming rules for new elements. The host names a new element from the rule of its kind: a
// pattern with the placeholder "<autoInc>", the element kind code and a running counter. This
// library only stores the rules; expanding the placeholder and advancing the counter is the
// host's business.
#include "drivesys/foundation/record.h"

/// One naming rule: pattern, element kind code and running counter.
class DRIVESYS_API SystemNaming : public nMetaStruct {
    DS_RECORD(SystemNaming)
public:
    /// Reads "name" (string), "type" (int) and "counter" (unsigned; a boolean, an integer or a
    /// floating number, truncated, is accepted). A non-object throws the JSON library's
    /// type_error 305, a value of the wrong kind type_error 302, a missing key out_of_range 403;
    /// on any error the rule is left unchanged.
    DS_JSON_ASSIGNMENT(SystemNaming)

    /// The pattern, e.g. "shaft<autoInc>".
    nWString name;
    /// Element kind code of the elements this rule names.
    int type = 16;
    /// Running number kept by the host.
    unsigned counter = 0;
};

/// One naming rule per element kind (model elements 1..38, machine-element calculations
/// 136..159). Construction and reset give every rule its pattern and kind code and record both
/// as initial values ("name", "type") in the rule's own Meta, so a screen's "initialise" brings
/// them back; reset also sets every counter back to 0.
class DRIVESYS_API SystemNamingSettings : public nMetaStruct {
    DS_RECORD(SystemNamingSettings)
public:
    /// Changes nothing: the rules are restored from JSON through fromJson only.
    SystemNamingSettings& operator=(const nlohmann::json& j);

    SystemNaming bearings;
    SystemNaming slidingBearings;
    SystemNaming supportGenerals;
    SystemNaming carriers;
    SystemNaming couplings;
    SystemNaming synchronizers;
    SystemNaming boundarys;
    SystemNaming couplingconnections;
    SystemNaming forcetransfers;
    SystemNaming powersplits;
    SystemNaming powerlosses;
    SystemNaming magneticforces;
    SystemNaming centricalloads;
    SystemNaming additionalmasses;
    SystemNaming excentricalloads;
    SystemNaming shafts;
    SystemNaming constraints;
    SystemNaming gears;
    SystemNaming bevelHypos;
    SystemNaming worms;
    SystemNaming wormGears;
    SystemNaming faceGears;
    SystemNaming ropeSheaves;
    SystemNaming sketcherDots;
    SystemNaming shaftPieces;
    SystemNaming groups;
    SystemNaming housings;
    SystemNaming shaftCalcs;
    SystemNaming crossedHelicalGearPairCalcs;
    SystemNaming helicalGearPairCalcs;
    SystemNaming threeGearPairCalcs;
    SystemNaming fourGearPairCalcs;
    SystemNaming planetaryCalcs;
    SystemNaming bevelHypoGearPairCalcs;
    SystemNaming beveloidGearPairCalcs;
    SystemNaming faceGearPairCalcs;
    SystemNaming wormGearPairCalcs;
    SystemNaming vBeltCalcs;
    SystemNaming toothedBeltCalcs;
    SystemNaming chainDriveCalcs;
    SystemNaming noncircularPairCalcs;
    SystemNaming keyCalcs;
    SystemNaming straightSplineCalcs;
    SystemNaming splineStrengthCalcs;
    SystemNaming splineGeometryCalcs;
    SystemNaming polygonCalcs;
    SystemNaming woodruffKeyCalcs;
    SystemNaming cylindricalInterferenceCalcs;
    SystemNaming conicalInterferenceCalcs;
    SystemNaming clampedConnectionCalcs;

private:
    /// Gives every rule its pattern and kind code and records both as initial values.
    void applyRules();
};
