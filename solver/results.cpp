#include "drivesys/solver/results.h"

#include <cmath>
#include <fmt/format.h>
#include <fmt/xchar.h>

namespace ds::solver {
namespace {

NWelleResultEnergies energies(const Mode& mode) {
    NWelleResultEnergies e;
    e.pressureTension = mode.strain[kAxial];
    e.bendingXY = mode.strain[kBendingXY];
    e.bendingYZ = mode.strain[kBendingYZ];
    e.torsion = mode.strain[kTorsion];
    e.shearXY = mode.strain[kShearXY];
    e.shearYZ = mode.strain[kShearYZ];
    // The supports' springs (bearings, connections, meshes) and the housing they stand on: each
    // split into its translational and its other terms (solver/model.h, EnergyKind).
    e.rigidTranslation = mode.strain[kSupportTranslation] + mode.strain[kHousingTranslation];
    e.rigidRotation = mode.strain[kSupportRotation] + mode.strain[kHousingRotation];
    return e;
}

/// The mode as a real shape: turned in phase so that its largest component of the dominant kind
/// (lateral or axial deflection, or torsion) is real, and scaled so that it is 1.
Eigen::VectorXd realShape(const ShaftSystemModel& m, const Mode& mode) {
    int family = 0;
    for (int k = 1; k < kMotionKinds; ++k)
        if (mode.kinetic[k] > mode.kinetic[family]) family = k;
    std::vector<int> kinds = family == kTorsionMotion ? std::vector<int>{4} : family == kAxialMotion ? std::vector<int>{1} : std::vector<int>{0, 2};
    std::complex<double> peak = 0.0;
    for (size_t n = 0; n < m.nodes.size(); ++n)
        for (int d : kinds) {
            const size_t i = m.dof(n, d);
            if (i != kNone && std::abs(mode.shape(Eigen::Index(i))) > std::abs(peak)) peak = mode.shape(Eigen::Index(i));
        }
    if (std::abs(peak) == 0.0 && mode.shape.size() > 0) {
        const Eigen::Index i = [&] { Eigen::Index k = 0; mode.shape.cwiseAbs().maxCoeff(&k); return k; }();
        peak = mode.shape(i);
    }
    if (std::abs(peak) == 0.0) return Eigen::VectorXd::Zero(mode.shape.size());
    return (mode.shape / peak).real();
}

}  // namespace

NWelleResultEigenmodeProperties modeProperties(const Mode& mode) {
    NWelleResultEigenmodeProperties p;
    p.frequency = mode.frequency;
    p.description = nWString::fromUtf8(mode.description);
    p.whirl = mode.whirl;
    p.energies = energies(mode);
    return p;
}

void fillSystemTables(const ShaftSystemModel& m, const SystemDefinitionData& d, double nominalRpm, SystemVibrationResults& r) {
    r.controllingShaftNumTM = int(m.controllingShaft);
    r.controllingShaftName = m.shafts[m.controllingShaft].name;
    r.resultsPerShaft.resize(m.shafts.size());
    for (const SupportInfo& sp : m.supports) {
        BearingResultsForSystem b;
        b.shaftName = m.subShafts[m.shafts[sp.shaft].subShafts[sp.subShaft]].name;
        b.bearingName = sp.name;
        b.isConnecting = sp.isConnection;
        b.bearingStiffnessMatrix = NMatrix(6);
        b.bearingStiffnessMatrixVec.assign(6, std::vector<double>(6, 0.0));
        for (int i = 0; i < 6; ++i)
            for (int j = 0; j < 6; ++j) {
                b.bearingStiffnessMatrix(size_t(i), size_t(j)) = sp.stiffness(i, j);
                b.bearingStiffnessMatrixVec[size_t(i)][size_t(j)] = sp.stiffness(i, j);
            }
        r.resultsPerShaft[sp.shaft].bearingResults.push_back(std::move(b));
    }
    for (const SubShaftInfo& sub : m.subShafts) {
        ShaftResultsForSystem s;
        s.shaftName = sub.name;
        s.shaftMass = sub.mass;
        s.shaftMassMomentOfInertia = sub.polarInertia;
        s.nominalShaftSpeed = m.shafts[sub.shaft].speedRatio * nominalRpm;
        r.resultsPerShaft[sub.shaft].shaftResultsPerSubShaft.push_back(std::move(s));
    }
    for (const MeshInfo& mesh : m.meshes) {
        SystemVibrationResultsPerGear perMesh;
        GearMeshPropsStruct props;
        props.gearMeshName = mesh.name;
        const GearInfo& g1 = m.gears[mesh.gear1];
        const double meshHz = g1.teeth * std::abs(m.shafts[g1.shaft].speedRatio * nominalRpm) / 60.0;
        for (size_t gi : {mesh.gear1, mesh.gear2}) {
            const GearInfo& g = m.gears[gi];
            GearCalcResultsForSystem c;
            c.gearName = g.name;
            c.gearId = int64_t(gi) + 1;
            c.gearCalcId = int64_t(gi) + 1;
            c.shaftName = m.subShafts[m.shafts[g.shaft].subShafts[g.subShaft]].name;
            c.calcName = mesh.name;
            c.pos = g.pos;
            c.gearMeshStiffness = mesh.stiffness;
            c.nominalGearMeshFrequency = meshHz;
            c.gearMeshFrequencyMultiplier = g.teeth;
            c.nominalGearSpeed = m.shafts[g.shaft].speedRatio * nominalRpm;
            c.gearMass = g.mass;
            c.gearMassMomentOfInertia = g.polarInertia;
            c.gearWidth = g.width;
            c.gearOuterDiameter = g.pitchDiameter;
            perMesh.gearCalcResults.push_back(std::move(c));
            props.gearIDs.push_back(int64_t(gi) + 1);
        }
        perMesh.gearMeshProps.push_back(std::move(props));
        r.resultsPerGear.push_back(std::move(perMesh));
    }
    (void)d;
}

void fillModes(const ShaftSystemModel& m, const std::vector<Mode>& modes, SystemVibrationResults& r) {
    for (const Mode& mode : modes) {
        const Eigen::VectorXd shape = realShape(m, mode);
        const NWelleResultEigenmodeProperties props = modeProperties(mode);
        auto value = [&](size_t n, int dd) {
            const size_t i = m.dof(n, dd);
            return i == kNone ? 0.0 : shape(Eigen::Index(i));
        };
        for (const SubShaftInfo& sub : m.subShafts) {
            NWelleResultEigenmodeProperties p = props;
            for (size_t n = sub.firstNode; n < sub.firstNode + sub.nodeCount; ++n) {
                NWelleResultEigenform point;
                point.pos = m.nodes[n].pos;
                point.u = NVektor(value(n, 0), value(n, 1), value(n, 2));
                point.angle = NVektor(value(n, 3), value(n, 4), value(n, 5));
                p.modeShape.push_back(point);
            }
            r.resultsPerShaft[sub.shaft].shaftResultsPerSubShaft[sub.index].mode.push_back(std::move(p));
        }
    }
}

NWelleResultCampbells campbellEntry(const ShaftSystemModel& m, double rpm, const std::vector<Mode>& modes) {
    NWelleResultCampbells e;
    e.speed = rpm;
    for (const Mode& mode : modes) {
        e.eigenFrequencies.push_back(fmt::format(L"{:.2f}", mode.frequency));
        e.modeProperties.push_back(modeProperties(mode));
    }
    for (const ShaftInfo& s : m.shafts) {
        e.nominalShaftSpeeds.push_back(std::abs(s.speedRatio * rpm));
        e.shaftsSpeeds.push_back(s.speedRatio * rpm / 60.0);
        e.shaftsNames.push_back(s.name);
    }
    for (const MeshInfo& mesh : m.meshes) {
        const GearInfo& g1 = m.gears[mesh.gear1];
        e.gearMeshFrequency.push_back(g1.teeth * std::abs(m.shafts[g1.shaft].speedRatio * rpm) / 60.0);
        e.gearNames.push_back(mesh.name);
    }
    return e;
}

bool resultsAreFinite(const SystemVibrationResults& r) {
    // The forced response is checked where it is solved (every solution vector); what is left
    // are the modal results: frequencies, energies and shapes.
    auto finiteMode = [](const NWelleResultEigenmodeProperties& m) {
        const NWelleResultEnergies& e = m.energies;
        for (double v : {m.frequency, e.pressureTension, e.bendingXY, e.bendingYZ, e.torsion, e.shearXY, e.shearYZ,
                         e.rigidTranslation, e.rigidRotation})
            if (!std::isfinite(v)) return false;
        for (const NWelleResultEigenform& p : m.modeShape)
            if (!std::isfinite(p.pos) || !p.u.isFinite() || !p.angle.isFinite()) return false;
        return true;
    };
    for (const auto& shaft : r.resultsPerShaft)
        for (const auto& sub : shaft.shaftResultsPerSubShaft)
            for (const auto& mode : sub.mode)
                if (!finiteMode(mode)) return false;
    for (const auto& entry : r.resCampbell)
        for (const auto& mode : entry.modeProperties)
            if (!finiteMode(mode)) return false;
    for (const auto& curve : r.resCampbellClassified.eigenfrequencies)
        for (double v : curve.curve)
            if (!std::isfinite(v)) return false;
    return true;
}

}  // namespace ds::solver
