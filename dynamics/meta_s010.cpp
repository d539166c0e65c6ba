// Meta_S010: the description of the vibration-calculation data block, and the library version.
#include <memory>

#include "drivesys/dynamics/entry_points.h"

namespace {

// Binds a member without a default. Value types the Meta has a PutVar overload for go through
// it; the vector types of the math library are bound as their described-variable type directly
// (the same variable PutVar would make).
template <class T>
void describe(Meta& meta, const char* name, T& member) {
    if constexpr (requires { meta.PutVar(name, member); }) meta.PutVar(name, member);
    else meta.putVar(name, std::make_unique<MetaVarT<T>>(&member, nullptr), NMetaMapPlain);
}

}  // namespace

short Meta_S010(SystemDefinition& definition, Meta* meta) {
    if (!meta) return 1;
    Meta& m = *meta;
    SystemDefinitionData& d = definition.data;

    // Scalars: only the controlling shaft's name and the two counts carry a default.
    m.PutVar("controlingShaftName", d.controlingShaftName, nWString(L"0"));
    m.PutVar("numPlotPoints", d.numPlotPoints, 0);
    m.PutVar("numResonanceCurves", d.numResonanceCurves, 0);
    describe(m, "solveOnlyTorsionalVibrations", d.solveOnlyTorsionalVibrations);
    describe(m, "numGearCalcResultsPerGearFileNum", d.numGearCalcResultsPerGearFileNum);
    describe(m, "numGearsPerGearFileNum", d.numGearsPerGearFileNum);
    describe(m, "numShaftsPerShaftFileNum", d.numShaftsPerShaftFileNum);
    describe(m, "numBearingsPerShaftFileNum", d.numBearingsPerShaftFileNum);
    describe(m, "hystereticDampingAxial", d.hystereticDampingAxial);
    describe(m, "hystereticDampingBending", d.hystereticDampingBending);
    describe(m, "hystereticDampingTorsion", d.hystereticDampingTorsion);
    describe(m, "GearMeshStiffnessCalculationType", d.GearMeshStiffnessCalculationType);
    describe(m, "calculationPerformed", d.calculationPerformed);

    // Lists: bound without default and with no flag set.
    describe(m, "gearCalcResults.gearName", d.gearCalcResults.gearName);
    describe(m, "gearCalcResults.shaftName", d.gearCalcResults.shaftName);
    describe(m, "gearCalcResults.gearMass", d.gearCalcResults.gearMass);
    describe(m, "gearCalcResults.gearMassMomentOfInertia", d.gearCalcResults.gearMassMomentOfInertia);
    describe(m, "gearCalcResults.gearMeshStiffness", d.gearCalcResults.gearMeshStiffness);
    describe(m, "gearCalcResults.calcMethodStr", d.gearCalcResults.calcMethodStr);
    describe(m, "gearCalcResults.calcMethodEnum", d.gearCalcResults.calcMethodEnum);
    describe(m, "gearCalcResults.calcName", d.gearCalcResults.calcName);
    describe(m, "gearCalc.nominalGearMeshFrequency", d.gearCalc.nominalGearMeshFrequency);
    describe(m, "gearCalc.nominalGearSpeed", d.gearCalc.nominalGearSpeed);
    describe(m, "gearCalcResults.PPTE", d.gearCalcResults.PPTE);
    describe(m, "bearingResults.shaftName", d.bearingResults.shaftName);
    describe(m, "bearingResults.bearingName", d.bearingResults.bearingName);
    describe(m, "bearingResults.bearingStiffnessMatrixVec", d.bearingResults.bearingStiffnessMatrixVec);
    describe(m, "shaftResults.shaftName", d.shaftResults.shaftName);
    describe(m, "shaftResults.shaftMass", d.shaftResults.shaftMass);
    describe(m, "shaftResults.shaftMassMomentOfInertia", d.shaftResults.shaftMassMomentOfInertia);

#define DS_DESCRIBE_TABLE(T, name) describe(m, #name, d.name);
    DS_SYSTEM_DEFINITION_TABLES(DS_DESCRIBE_TABLE)
#undef DS_DESCRIBE_TABLE
    return 1;
}

unsigned long GetQuelmVersion() { return 2025; }
