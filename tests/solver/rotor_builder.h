#pragma once
// Builds vibration definitions for the solver tests: shafts of round sections on the global y
// axis (offset in z), bearings with diagonal stiffness, rigid-disk gears and meshes. SI units.
#include <array>
#include <cmath>
#include <numbers>
#include <string>

#include <gtest/gtest.h>

#include "drivesys/dynamics/system_definition.h"
#include "drivesys/samples/gear_chain.h"
#include "drivesys/solver/housing_definition.h"
#include "drivesys/solver/solver.h"

namespace ds::test {

constexpr double kSteelE = 2.1e11, kSteelG = 8.1e10;
/// The gear pair of gearPair(): pitch radii (m) and transverse pressure angle (20°).
constexpr double kPinionRadius = 0.03, kWheelRadius = 0.09, kPressureAngle = std::numbers::pi / 9;

/// Lateral stiffness at mid-span of a shaft (length L, diameter d, steel) pinned at its ends:
/// 1 / (L³/(48 EI) + L/(4 κGA)).
inline double midSpanStiffness(double L, double d, double kappa = 0.886) {
    const double A = std::numbers::pi * d * d / 4, I = std::numbers::pi * std::pow(d, 4) / 64;
    return 1.0 / (L * L * L / (48 * kSteelE * I) + L / (4 * kappa * kSteelG * A));
}

struct RotorBuilder {
    SystemDefinitionData d;

    /// Shaft of one sub-shaft, starting at (0, 0, offsetZ), made of sections (length, diameter).
    size_t shaft(const wchar_t* name, std::initializer_list<std::pair<double, double>> sections, double density = 7850.0,
                 double kappa = 0.0, double E = 2.1e11, double G = 8.1e10, double offsetZ = 0.0) {
        const size_t s = d.shaftsNames.size();
        d.shaftsNames.push_back({name});
        d.shaftOrigin.push_back({NVektor(0, 0, offsetZ)});
        d.shaftE.push_back({E});
        d.shaftG.push_back({G});
        d.shaftRo.push_back({density});
        d.shaftKappa.push_back({kappa});
        d.secLength.push_back({{}});
        d.secLda.push_back({{}});
        for (const auto& [length, diameter] : sections) {
            d.secLength[s][0].push_back(length);
            d.secLda[s][0].push_back(diameter);
        }
        for (auto* t : {&d.bearingName}) t->push_back({{}});
        d.bearingPosition.push_back({{}});
        for (auto* t : stiffness()) t->push_back({{}});
        d.gearName.push_back({{}});
        d.gearPosition.push_back({{}});
        for (auto* t : gearTables()) t->push_back({{}});
        d.gearZ.push_back({{}});
        return s;
    }

    /// Bearing with diagonal stiffness (kx, ky, kz in N/m; krx, kry, krz in N·m/rad).
    void bearing(size_t s, const wchar_t* name, double y, std::array<double, 6> k) {
        d.bearingName[s][0].push_back(name);
        d.bearingPosition[s][0].push_back(NVektor(0, y, 0));
        auto tables = stiffness();
        for (size_t i = 0; i < 6; ++i) (*tables[i])[s][0].push_back(k[i]);
    }

    /// Rigid disk (or gear): mass kg, polar inertia kg·m², width m, teeth, pitch diameter m,
    /// transverse pressure angle rad.
    size_t gear(size_t s, const wchar_t* name, double y, double mass, double polar, double width = 0.0, int teeth = 0,
                double dw = 0.0, double alpha = 0.0) {
        d.gearName[s][0].push_back(name);
        d.gearPosition[s][0].push_back(NVektor(0, y, 0));
        const double values[] = {mass, polar, width, dw, alpha};
        auto tables = gearTables();
        for (size_t i = 0; i < tables.size(); ++i) (*tables[i])[s][0].push_back(values[i]);
        d.gearZ[s][0].push_back(teeth);
        return d.gearName[s][0].size() - 1;
    }

    /// Cross-coupling terms of bearing k of shaft s: Fx = … + kxz·uz and Fz = … + kzx·ux (N/m).
    void crossCoupling(size_t s, size_t k, double kxz, double kzx) {
        for (auto* t : {&d.bearingStiffnessFxUz, &d.bearingStiffnessFzUx}) {
            t->resize(d.bearingName.size());
            for (size_t i = 0; i < d.bearingName.size(); ++i) (*t)[i].resize(1), (*t)[i][0].resize(d.bearingName[i][0].size());
        }
        d.bearingStiffnessFxUz[s][0][k] = kxz;
        d.bearingStiffnessFzUx[s][0][k] = kzx;
    }

    /// Viscous damping of bearing k of shaft s in x and z (N·s/m).
    void bearingDamping(size_t s, size_t k, double c) {
        for (auto* t : {&d.bearingDampingX, &d.bearingDampingZ}) {
            t->resize(d.bearingName.size());
            for (size_t i = 0; i < d.bearingName.size(); ++i) (*t)[i].resize(1), (*t)[i][0].resize(d.bearingName[i][0].size());
            (*t)[s][0][k] = c;
        }
    }

    void noHystereticDamping() { d.hystereticDampingAxial = d.hystereticDampingBending = d.hystereticDampingTorsion = 0.0; }

    void mesh(size_t s1, size_t g1, size_t s2, size_t g2, double stiffness, double ratio) {
        if (d.constraintConnectionShaft1.empty()) {
            for (auto* t : {&d.constraintConnectionShaft1, &d.constraintConnectionShaft2, &d.constraintConnectionGear1,
                            &d.constraintConnectionGear2})
                t->resize(1);
            d.constraintConnectionGearMeshStiffness.resize(1);
            d.constraintConnectionGearRatio.resize(1);
        }
        d.constraintConnectionShaft1[0].push_back(int(s1));
        d.constraintConnectionGear1[0].push_back(int(g1));
        d.constraintConnectionShaft2[0].push_back(int(s2));
        d.constraintConnectionGear2[0].push_back(int(g2));
        d.constraintConnectionGearMeshStiffness[0].push_back(stiffness);
        d.constraintConnectionGearRatio[0].push_back(ratio);
    }

    /// A disk of mass m (kg) at the middle of a short, light shaft without hysteretic damping, on
    /// one support there (k N/m and c N·s/m laterally, stiff otherwise; cross-coupled stiffness
    /// kxz = −q, kzx = q N/m between the planes), with a documentation point at the disk: a
    /// one-mass rotor.
    static RotorBuilder diskOnSupport(double m, double k, double c, double q = 0.0) {
        RotorBuilder b;
        b.noHystereticDamping();
        const size_t s = b.shaft(L"rotor", {{0.1, 0.03}}, 1.0);
        b.bearing(s, L"support", 0.05, {k, 1e9, k, 1e7, 1e5, 1e7});
        b.d.bearingDampingX = {{{c}}};
        b.d.bearingDampingZ = {{{c}}};
        if (q != 0.0) b.crossCoupling(s, 0, -q, q);
        b.gear(s, L"disk", 0.05, m, 0.0);
        b.d.docPointName = {L"disk"};
        b.d.docPointShaftTMNumber = {0};
        b.d.forcedPos = {0.05};
        return b;
    }

    /// A disk of mass m (kg) at mid-span of a light shaft (length L, diameter d) on bearings A
    /// (y = 0) and B (y = L) of lateral stiffness kb (N/m): the Jeffcott rotor.
    static RotorBuilder jeffcott(double L, double d, double m, double kb, double kappa = 0.886) {
        RotorBuilder b;
        const size_t s = b.shaft(L"shaft", {{L, d}}, 1.0, kappa);
        b.bearing(s, L"A", 0.0, {kb, kb, kb, 0, 0, 0});
        b.bearing(s, L"B", L, {kb, 0, kb, 0, 0, 0});
        b.gear(s, L"disk", L / 2, m, 0.0);
        return b;
    }

    /// A disk (mass m, polar inertia Ip, width) at the free end of a light cantilever of length L
    /// and diameter d, clamped at y = 0.
    static RotorBuilder overhungDisk(double L, double d, double m, double Ip, double width = 0.0) {
        RotorBuilder b;
        const size_t s = b.shaft(L"shaft", {{L, d}}, 1.0);
        b.bearing(s, L"clamp", 0.0, {1e12, 1e12, 1e12, 1e11, 1e12, 1e11});
        b.gear(s, L"disk", L, m, Ip, width);
        return b;
    }

    /// A pinion (20 teeth) and a wheel (60 teeth) of the given mass and polar inertias, each at the
    /// middle of a short light shaft and held there by a bearing `support` N/m stiff laterally, so
    /// that only the mesh (km N/m) couples their rotations; the pinion shaft controls the speed.
    static RotorBuilder gearPair(double J1, double J2, double km, double mass = 1.0, double support = 1e14) {
        RotorBuilder b;
        const size_t s1 = b.shaft(L"pinion shaft", {{0.1, 0.03}}, 1.0, 0.0, kSteelE, kSteelG, 0.0);
        const size_t s2 = b.shaft(L"wheel shaft", {{0.1, 0.03}}, 1.0, 0.0, kSteelE, kSteelG, kPinionRadius + kWheelRadius);
        for (size_t s : {s1, s2}) b.bearing(s, L"A", 0.05, {support, support, support, 1e10, 0, 1e10});
        const size_t g1 = b.gear(s1, L"pinion", 0.05, mass, J1, 0.0, 20, 2 * kPinionRadius, kPressureAngle);
        const size_t g2 = b.gear(s2, L"wheel", 0.05, mass, J2, 0.0, 60, 2 * kWheelRadius, kPressureAngle);
        b.mesh(s1, g1, s2, g2, km, 3.0);
        b.d.controlingShaftName = L"pinion shaft";
        return b;
    }

    SystemDefinition definition() const {
        SystemDefinition def;
        def.data = d;
        return def;
    }

private:
    std::array<SystemDefinitionData::Doubles3*, 6> stiffness() {
        return {&d.bearingStiffnessFxUx, &d.bearingStiffnessFyUy, &d.bearingStiffnessFzUz,
                &d.bearingStiffnessMxRx, &d.bearingStiffnessMyRy, &d.bearingStiffnessMzRz};
    }
    std::array<SystemDefinitionData::Doubles3*, 5> gearTables() {
        return {&d.gearMass, &d.gearMassMomentOfInertia, &d.gearWidth, &d.gearDw, &d.gearAlfwt};
    }
};

/// Solves the definition `b` builds (calculation 0 modal, 1 forced response, 2 Campbell) and
/// expects the solver to succeed.
inline SolverReport solve(const RotorBuilder& b, int calculation, SystemVibrationResults& r, const SolverOptions& o = {}) {
    GeneralSystemDynamicsDefinitions general;
    general.calculationToPerform = calculation;
    const SolverReport report = SolveSystemDynamics(b.definition(), general, r, o);
    EXPECT_EQ(report.status, kSolverOk) << report.message;
    return report;
}

/// The gear chain of gear_chain.h: `shafts` shafts of `elements` elements, `speeds` speeds of a
/// Campbell diagram, or of a forced response when `forced`.
inline SolverInput gearChain(size_t shafts, size_t elements, size_t speeds = 10, bool forced = false) {
    ds::GearChainOptions o;
    o.shafts = shafts;
    o.elementsPerShaft = elements;
    o.speeds = speeds;
    o.forced = forced;
    return ds::gearChainSolverInput(o);
}

/// A housing of 6-DOF nodes (global frame, m; numbered from 100) in the file units m and N: node i on its own
/// diagonal springs k[i] to the ground (N/m, N·m/rad) with diagonal mass mass[i] (kg, kg·m²; none
/// when empty), and each pair of nodes (i, i+1) tied by a translational spring `tie` (N/m) in x, y
/// and z.
inline HousingDefinition springHousing(const std::vector<NVektor>& nodes, const std::vector<std::array<double, 6>>& k,
                                       const std::vector<std::array<double, 6>>& mass = {}, double tie = 0.0) {
    HousingDefinition h;
    FEStiffnessMatrixFile& f = h.matrices;
    f.systemOfUnits = {FELengthUnit::Metre, FEForceUnit::Newton};
    f.unitsGiven = true;
    f.dofPerNode = 6;
    f.nodeCoords = nodes;
    const size_t n = 6 * nodes.size();
    f.stiffness = NMatrix(n);
    if (!mass.empty()) f.mass = NMatrix(n);
    for (size_t i = 0; i < nodes.size(); ++i) {
        f.nodeNumbers.push_back(unsigned(100 + i));
        for (size_t d = 0; d < 6; ++d) {
            f.stiffness(6 * i + d, 6 * i + d) = k[std::min(i, k.size() - 1)][d];
            if (!mass.empty()) f.mass(6 * i + d, 6 * i + d) = mass[std::min(i, mass.size() - 1)][d];
        }
    }
    for (size_t i = 0; i + 1 < nodes.size(); ++i)
        for (size_t d = 0; d < 3; ++d) {
            const size_t a = 6 * i + d, b = 6 * (i + 1) + d;
            f.stiffness(a, a) += tie, f.stiffness(b, b) += tie;
            f.stiffness(a, b) -= tie, f.stiffness(b, a) -= tie;
        }
    return h;
}

/// The classified Campbell curve named `name`.
inline const std::vector<double>& campbellCurve(const SystemVibrationResults& r, const std::string& name) {
    const auto& cls = r.resCampbellClassified;
    for (size_t k = 0; k < cls.eigenID.size(); ++k)
        if (cls.eigenID[k].toUtf8() == name) return cls.eigenfrequencies.at(k).curve;
    ADD_FAILURE() << "no curve " << name;
    static const std::vector<double> none;
    return none;
}

/// The mode of the report described as `description`, or null.
inline const ModeStability* findMode(const SolverReport& report, const std::string& description) {
    for (const ModeStability& m : report.modes)
        if (m.description == description) return &m;
    ADD_FAILURE() << "no mode " << description;
    return nullptr;
}

}  // namespace ds::test
