#include "drivesys/samples/sample_results.h"

#include <cmath>
#include <complex>
#include <fmt/format.h>
#include <fmt/xchar.h>

namespace {
constexpr double kPi = 3.14159265358979323846;
constexpr int kPinionTeeth = 23;
constexpr int kWheelTeeth = 67;
constexpr size_t kHarmonics = 7;

/// A sub-shaft of length `length` with modes m = 1, 2, 3 of frequency `f1` · m².
ShaftResultsForSystem subShaft(const wchar_t* name, double length, double mass, double f1, double nominalSpeed) {
    ShaftResultsForSystem s;
    s.shaftName = name;
    s.shaftMass = mass;
    s.shaftMassMomentOfInertia = mass * 0.03 * 0.03 / 2.0;
    s.nominalShaftSpeed = nominalSpeed;
    constexpr int kPoints = 41;
    for (int m = 1; m <= 3; ++m) {
        NWelleResultEigenmodeProperties mode;
        mode.frequency = f1 * m * m + 0.123 * m;
        mode.description = fmt::format(L"Bending mode {}", m);
        mode.whirl = m % 2 == 0 ? -1 : 1;
        for (int i = 0; i < kPoints; ++i) {
            NWelleResultEigenform p;
            p.pos = length * i / (kPoints - 1);
            const double k = m * kPi / length;
            const double shape = std::cos(k * p.pos);
            const double slope = -k * std::sin(k * p.pos) * length / kPi;  // scaled to the order of the deflection
            p.u = NVektor(0.4 * shape, shape, 0.0);
            p.angle = NVektor(-slope, 0.4 * slope, 0.0);
            mode.modeShape.push_back(p);
        }
        mode.energies.bendingXY = 0.7;
        mode.energies.bendingYZ = 0.25;
        mode.energies.torsion = 0.05;
        s.mode.push_back(std::move(mode));
    }
    return s;
}

BearingResultsForSystem bearing(const wchar_t* shaft, const wchar_t* name, double radialStiffness) {
    BearingResultsForSystem b;
    b.shaftName = shaft;
    b.bearingName = name;
    const double k[6] = {radialStiffness, radialStiffness, radialStiffness * 0.1, 2e5, 2e5, 0.0};
    b.bearingStiffnessMatrix = NMatrix(6);
    b.bearingStiffnessMatrixVec.assign(6, std::vector<double>(6, 0.0));
    for (size_t i = 0; i < 6; ++i) {
        b.bearingStiffnessMatrix(i, i) = k[i];
        b.bearingStiffnessMatrixVec[i][i] = k[i];
    }
    return b;
}

/// Receptance (m/N) at `f` Hz of two modes, 560 Hz (damping 5 %) and 1150 Hz (4 %).
std::complex<double> receptance(double f) {
    auto mode = [&](double fn, double zeta, double k) {
        const double r = f / fn;
        return 1.0 / (k * std::complex<double>(1.0 - r * r, 2.0 * zeta * r));
    };
    return mode(560.0, 0.05, 2.0e8) + mode(1150.0, 0.04, 3.5e8);
}

RealImaginaryAmplitudePhase riap(std::complex<double> v) {
    RealImaginaryAmplitudePhase r;
    r.real = v.real();
    r.imaginary = v.imag();
    r.amplitude = std::abs(v);
    r.phase = std::arg(v);
    return r;
}

/// Three rows (x, y, z) of kHarmonics columns: `scale` times the deflection response to the
/// gear-mesh harmonics at input speed `rpm`, with the directions weighted 0.35, 1, 0.05.
RiapSeries2 rows(double rpm, std::complex<double> scale) {
    RiapSeries2 out(3);
    const double weights[3] = {0.35, 1.0, 0.05};
    for (size_t h = 1; h <= kHarmonics; ++h) {
        const double f = double(h) * kPinionTeeth * rpm / 60.0;
        const std::complex<double> u = receptance(f) * (400.0 / double(h)) * scale;  // mesh force 400 N / h
        for (size_t d = 0; d < 3; ++d) out[d].push_back(riap(u * weights[d]));
    }
    return out;
}

/// Fills the frequency and speed domains of a carrier whose deflection is `scale` times the
/// mesh response; rotation, force and moment follow from it.
template <class Carrier>
void fillDomains(Carrier& c, ForcedResponseResultsFreqDomain& fd, ForcedResponseResultsSpeedDomain& sd, double rpm,
                 double scale, double stiffness) {
    for (size_t h = 1; h <= kHarmonics; ++h) fd.f.push_back(double(h) * kPinionTeeth * rpm / 60.0);
    fd.fCarrier = fd.f;
    fd.uVecVsFreq = rows(rpm, scale);
    fd.rVecVsFreq = rows(rpm, scale * 4.0);
    fd.fVecVsFreq = rows(rpm, scale * stiffness);
    fd.mVecVsFreq = rows(rpm, scale * stiffness * 0.02);
    sd.uVecVsSpeed = fd.uVecVsFreq;
    sd.rVecVsSpeed = fd.rVecVsFreq;
    sd.fVecVsSpeed = fd.fVecVsFreq;
    sd.mVecVsSpeed = fd.mVecVsFreq;
    const double ux = sd.uVecVsSpeed[0][0].amplitude, uy = sd.uVecVsSpeed[1][0].amplitude;
    sd.whirlMajorBendingSemiAxis = std::max(ux, uy);
    sd.whirlMinorBendingSemiAxis = std::min(ux, uy);
    sd.whirlPhaseAngle = sd.uVecVsSpeed[1][0].phase - sd.uVecVsSpeed[0][0].phase;
    c.speedShaft = rpm;
}

NWelleResultForcedResponse forcedResponseAt(double rpm) {
    NWelleResultForcedResponse e;
    e.speedRefBound = rpm;
    e.timeOutputs.baseFrequency = kPinionTeeth * rpm / 60.0;

    struct DocPointSpec {
        const wchar_t* name;
        const wchar_t* shaft;
        int shaftNum, subShaft;
        double pos, scale;
    };
    const DocPointSpec docs[] = {{L"Pinion centre", L"Input shaft", 0, 0, 0.2, 1.0},
                                 {L"Coupling seat", L"Output shaft", 1, 0, 0.45, 0.6}};
    for (size_t i = 0; i < 2; ++i) {
        DocPointForcedResponseResults d;
        d.uId = 1001 + int64_t(i);
        d.docPointName = docs[i].name;
        d.docPointShaftName = docs[i].shaft;
        d.docPointShaftCalcNum = docs[i].shaftNum;
        d.docPointSubShaftNum = docs[i].subShaft;
        d.docIndexInQuSpez = unsigned(i);
        d.docPointShaftNumTM = unsigned(docs[i].shaftNum);
        d.pos = docs[i].pos;
        fillDomains(d, d.docPointFreqDomain, d.docPointSpeedDomain, rpm, docs[i].scale, 0.0);
        e.docPointResults.push_back(std::move(d));
    }
    struct BearingSpec {
        const wchar_t* name;
        int shaft, bound;
        double scale, stiffness;
    };
    const BearingSpec bearings[] = {{L"Input bearing A", 0, 0, 0.45, 4.0e8},
                                    {L"Input bearing B", 0, 1, 0.55, 4.0e8},
                                    {L"Output bearing A", 1, 0, 0.3, 6.0e8},
                                    {L"Output bearing B", 1, 1, 0.25, 6.0e8}};
    for (const auto& bearing : bearings) {
        BearingForcedResponseResults b;
        b.uId = 2000 + bearing.shaft * 10 + bearing.bound;
        b.name = bearing.name;
        b.shaftNumTM = bearing.shaft;
        b.boundNum = bearing.bound;
        b.staticForce = NVektor(1456.0, 4000.0, 800.0) * 0.5;
        fillDomains(b, b.bearingFreqDomain, b.bearingSpeedDomain, rpm, bearing.scale, bearing.stiffness);
        e.bearingResults.push_back(std::move(b));
    }
    GearMeshForcedResponseResults g;
    g.nDataIdsOfGears = {11, 12};
    g.name = L"Gear mesh 1";
    g.shaftNumTMMain = 0;
    g.shaftNumTMInput = 0;
    g.shaftNumTMOutput = 1;
    g.rGearInput = 0.0345;
    g.rGearOutput = 0.1005;
    g.alft = 20.0 * kPi / 180.0;
    g.betab = 14.0 * kPi / 180.0;
    g.speedShaftMain = rpm;
    g.baseFreqInd = 0;
    g.omega = 2.0 * kPi * kPinionTeeth * rpm / 60.0;
    const RiapSeries2 mesh = rows(rpm, 1.0);
    for (size_t h = 0; h < kHarmonics; ++h) {
        g.gearMeshFreqDomain.f.push_back(double(h + 1) * kPinionTeeth * rpm / 60.0);
        g.gearMeshFreqDomain.dispPLVsFreq.push_back(mesh[1][h]);
        RealImaginaryAmplitudePhase force = mesh[1][h];
        force.real *= 5e8;
        force.imaginary *= 5e8;
        force.amplitude *= 5e8;
        g.gearMeshFreqDomain.forcePLVsFreq.push_back(force);
    }
    g.gearMeshSpeedDomain.dispPLVsSpeed = g.gearMeshFreqDomain.dispPLVsFreq;
    g.gearMeshSpeedDomain.forcePLVsSpeed = g.gearMeshFreqDomain.forcePLVsFreq;
    g.maxDynamicForce = g.gearMeshFreqDomain.forcePLVsFreq.front().amplitude;
    g.dynamicFactor = 1.0 + g.maxDynamicForce / 4000.0;
    e.gearMeshResults.push_back(std::move(g));
    return e;
}

/// The classified eigenfrequency curves (Hz) over the input speed (1/min).
struct ModeCurve {
    const wchar_t* id;
    double f0, slope, quadratic;
};
constexpr ModeCurve kModeCurves[] = {
    {L"1st bending backward", 212.0, -0.0045, 0.0},  {L"1st bending forward", 212.0, 0.0052, 0.0},
    {L"1st torsion", 338.0, 0.0, 2.0e-6},            {L"2nd bending backward", 565.0, -0.011, 0.0},
    {L"2nd bending forward", 565.0, 0.0125, 0.0},    {L"1st axial", 905.0, 0.0, -1.0e-6},
};
double modeFrequency(const ModeCurve& c, double rpm) { return c.f0 + c.slope * rpm + c.quadratic * rpm * rpm; }
}  // namespace

SystemVibrationResults sampleVibrationResults() {
    SystemVibrationResults r;
    r.solverStatus = 0;
    r.performedCalculation = 2;
    r.controllingShaftNumTM = 0;
    r.controllingShaftName = L"Input shaft";
    r.controllingShaftNominalSpeed = 3000.0;
    const double ratio = double(kPinionTeeth) / kWheelTeeth;

    SystemVibrationResultsPerShaft input;
    input.bearingResults = {bearing(L"Input shaft", L"Input bearing A", 4.0e8), bearing(L"Input shaft", L"Input bearing B", 4.0e8)};
    input.shaftResultsPerSubShaft = {subShaft(L"Input shaft", 0.4, 6.2, 212.0, 3000.0)};
    SystemVibrationResultsPerShaft output;
    output.bearingResults = {bearing(L"Output shaft", L"Output bearing A", 6.0e8),
                             bearing(L"Output shaft", L"Output bearing B", 6.0e8)};
    output.shaftResultsPerSubShaft = {subShaft(L"Output shaft", 0.5, 14.8, 151.0, 3000.0 * ratio),
                                      subShaft(L"Output shaft bore", 0.2, 2.1, 640.0, 3000.0 * ratio)};
    r.resultsPerShaft = {input, output};

    SystemVibrationResultsPerGear gears;
    const struct {
        const wchar_t* name;
        int64_t id;
        const wchar_t* shaft;
        int teeth;
        double outer, speed;
    } gearSpecs[] = {{L"Pinion", 11, L"Input shaft", kPinionTeeth, 0.0745, 3000.0},
                     {L"Wheel", 12, L"Output shaft", kWheelTeeth, 0.2065, 3000.0 * ratio}};
    for (const auto& s : gearSpecs) {
        GearCalcResultsForSystem g;
        g.gearName = s.name;
        g.gearId = s.id;
        g.gearCalcId = 100 + s.id;
        g.shaftName = s.shaft;
        g.calcMethod = 1;
        g.calcName = L"Gear mesh 1";
        g.pos = 0.2;
        g.gearMeshStiffness = 5e8;
        g.nominalGearMeshFrequency = kPinionTeeth * 3000.0 / 60.0;
        g.gearMeshFrequencyMultiplier = s.teeth;
        g.nominalGearSpeed = s.speed;
        g.PPTE = 1.2e-6;
        g.Fnorm = 4380.0;
        g.gearOuterDiameter = s.outer;
        g.gearInnerDiameter = 0.04;
        g.gearWidth = 0.03;
        g.gearDensity = 7830.0;
        g.gearMass = g.gearDensity * kPi / 4.0 * (s.outer * s.outer - 0.04 * 0.04) * g.gearWidth;
        g.gearMassMomentOfInertia = g.gearMass * (s.outer * s.outer + 0.04 * 0.04) / 8.0;
        gears.gearCalcResults.push_back(std::move(g));
    }
    GearMeshPropsStruct meshProps;
    meshProps.gearIDs = {11, 12};
    meshProps.gearMeshName = L"Gear mesh 1";
    gears.gearMeshProps.push_back(meshProps);
    r.resultsPerGear.push_back(std::move(gears));

    ClassifiedCampbellResults& cls = r.resCampbellClassified;
    for (const auto& c : kModeCurves) {
        cls.eigenID.push_back(c.id);
        cls.eigenfrequencies.emplace_back();
    }
    // The first entry is the nominal operating point, then the sweep.
    for (int j = -1; j <= 20; ++j) {
        const double rpm = j < 0 ? r.controllingShaftNominalSpeed : 300.0 * j;
        NWelleResultCampbells e;
        e.speed = rpm;
        for (size_t k = 0; k < std::size(kModeCurves); ++k) {
            const double f = modeFrequency(kModeCurves[k], rpm);
            e.eigenFrequencies.push_back(fmt::format(L"{:.2f}", f));
            NWelleResultEigenmodeProperties mode;
            mode.frequency = f;
            mode.description = kModeCurves[k].id;
            mode.whirl = kModeCurves[k].slope < 0 ? -1 : 1;
            e.modeProperties.push_back(std::move(mode));
            if (j >= 0) cls.eigenfrequencies[k].curve.push_back(f);
        }
        if (j >= 0) cls.frequencyInputRange.push_back(rpm);
        e.nominalShaftSpeeds = {3000.0, 3000.0 * ratio};
        e.shaftsSpeeds = {rpm / 60.0, -rpm * ratio / 60.0};  // the output shaft turns the other way
        e.shaftsNames = {L"Input shaft", L"Output shaft"};
        e.gearMeshFrequency = {kPinionTeeth * rpm / 60.0};
        e.gearNames = {L"Gear mesh 1"};
        r.resCampbell.push_back(std::move(e));
    }

    for (int j = 0; j <= 40; ++j) r.forcedResponseResults.push_back(forcedResponseAt(500.0 + 150.0 * j));
    for (size_t d = 0; d < 2; ++d) {
        WhirlDataPerSpeedStruct whirl;
        for (size_t j = 0; j < r.forcedResponseResults.size(); ++j) {
            const auto& sd = r.forcedResponseResults[j].docPointResults[d].docPointSpeedDomain;
            WhirlDataMembers m;
            m.speedIndex = int(j);
            m.speed = r.forcedResponseResults[j].speedRefBound;
            m.whirlMajorBendingSemiAxis = sd.whirlMajorBendingSemiAxis;
            m.whirlMinorBendingSemiAxis = sd.whirlMinorBendingSemiAxis;
            m.whirlPhaseAngle = sd.whirlPhaseAngle;
            whirl.whirlDataPerSpeed.push_back(m);
        }
        r.forcedResponseDocPointMaxWhirlMajorBendingSemiAxis.push_back(std::move(whirl));
    }
    return r;
}
