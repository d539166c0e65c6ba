#include "drivesys/samples/sample_definition.h"

#include <cmath>
#include <numbers>
#include <sstream>

#include "drivesys/samples/sample_gearbox.h"

namespace ds {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kMm = 1e-3;
constexpr double kSteelDensity = 7850.0;  // kg/m³

/// (axial position, diameter) pairs of a shaft contour "p d;p d;..." in mm.
std::vector<std::pair<double, double>> contour(const nWString& text) {
    std::vector<std::pair<double, double>> out;
    std::wstringstream in(text);
    std::wstring item;
    while (std::getline(in, item, L';')) {
        std::wstringstream pair(item);
        double p = 0, d = 0;
        if (pair >> p >> d) out.emplace_back(p, d);
    }
    return out;
}

template <class T>
std::vector<std::vector<T>> perShaft(size_t n) { return std::vector<std::vector<T>>(n, std::vector<T>(1)); }

}  // namespace

SolverInput sampleGearboxSolverInput() {
    const SampleGearbox box = makeSampleGearbox();
    SolverInput in;
    SystemDefinitionData& d = in.definition.data;
    const size_t nS = box.shafts.size();
    d.controlingShaftName = box.shafts[0].name;
    d.numResonanceCurves = 10;
    d.hystereticDampingAxial = d.hystereticDampingBending = d.hystereticDampingTorsion = 0.02;

    d.shaftsNames.resize(nS);
    d.shaftOrigin.resize(nS);
    d.shaftE = d.shaftG = d.shaftRo = d.shaftKappa = perShaft<double>(nS);
    d.secLength.resize(nS);
    d.secLda.resize(nS);
    d.secRda.resize(nS);
    d.bearingName.resize(nS);
    d.bearingPosition.resize(nS);
    d.gearName.resize(nS);
    d.gearPosition.resize(nS);
    for (auto* t : {&d.gearMass, &d.gearMassMomentOfInertia, &d.gearWidth, &d.gearDw, &d.gearAlfwt, &d.gearBetab,
                    &d.gearHandOfGear, &d.bearingStiffnessFxUx, &d.bearingStiffnessFyUy, &d.bearingStiffnessFzUz,
                    &d.bearingDampingX, &d.bearingDampingZ})
        t->assign(nS, std::vector<std::vector<double>>(1));
    d.gearZ.assign(nS, std::vector<std::vector<int>>(1));
    for (size_t s = 0; s < nS; ++s) {
        const Shaft& shaft = box.shafts[s];
        d.shaftsNames[s] = {shaft.name};
        d.shaftX_axis.push_back(NVektor(1, 0, 0));
        d.shaftY_axis.push_back(NVektor(0, 1, 0));
        d.shaftZ_axis.push_back(NVektor(0, 0, 1));
        d.shaftE[s][0] = 2.1e11;
        d.shaftG[s][0] = 8.1e10;
        d.shaftRo[s][0] = kSteelDensity;
        d.shaftKappa[s][0] = 0.886;  // solid round section, ν = 0.3
        d.secLength[s].resize(1);
        d.secLda[s].resize(1);
        d.secRda[s].resize(1);
        const auto points = contour(shaft.outerGeometry);
        for (size_t k = 0; k + 1 < points.size(); ++k) {
            if (points[k + 1].first <= points[k].first) continue;  // a step in diameter
            d.secLength[s][0].push_back((points[k + 1].first - points[k].first) * kMm);
            d.secLda[s][0].push_back(points[k].second * kMm);
            d.secRda[s][0].push_back(points[k + 1].second * kMm);
        }
        d.bearingName[s].resize(1);
        d.bearingPosition[s].resize(1);
        d.gearName[s].resize(1);
        d.gearPosition[s].resize(1);
    }
    // The three shafts are parallel to the global y axis, stacked in z by the centre distances.
    const auto shaftOf = [&](int64_t dotId) -> size_t {
        for (const SketcherDot& dot : box.dots)
            if (dot.Id == dotId)
                for (size_t s = 0; s < nS; ++s)
                    if (box.shafts[s].Id == dot.shaftId) return s;
        return 0;
    };
    double height = 0.0;
    for (size_t s = 0; s < nS; ++s) {
        if (s > 0) height += box.meshes[s - 1].a * kMm;
        d.shaftOrigin[s] = {NVektor(0, box.shafts[s].pos * kMm, height)};
    }

    std::vector<std::pair<size_t, size_t>> gearAt;  // (shaft, index on the sub-shaft)
    for (const CylGear& g : box.gears) {
        const size_t s = shaftOf(g.dotId);
        const double dw = g.mn * g.numOfTeeth / std::cos(g.beta) * kMm, bore = g.di * kMm, b = g.width * kMm;
        const double mass = kSteelDensity * kPi / 4 * (dw * dw - bore * bore) * b;
        gearAt.emplace_back(s, d.gearName[s][0].size());
        d.gearName[s][0].push_back(g.name);
        d.gearPosition[s][0].push_back(NVektor(0, g.pos * kMm, 0));
        d.gearMass[s][0].push_back(mass);
        d.gearMassMomentOfInertia[s][0].push_back(mass * (dw * dw + bore * bore) / 8);
        d.gearWidth[s][0].push_back(b);
        d.gearZ[s][0].push_back(int(std::lround(g.numOfTeeth)));
        d.gearDw[s][0].push_back(dw);
        d.gearAlfwt[s][0].push_back(std::atan(std::tan(g.alphan) / std::cos(g.beta)));
        d.gearBetab[s][0].push_back(std::asin(std::sin(g.beta) * std::cos(g.alphan)));
        d.gearHandOfGear[s][0].push_back(g.handOfGear);
    }
    // Meshes: one group; stiffness 20 N/(mm·µm) times the loaded face width.
    d.constraintConnectionShaft1.resize(1);
    d.constraintConnectionSubShaft1.resize(1);
    d.constraintConnectionGear1.resize(1);
    d.constraintConnectionShaft2.resize(1);
    d.constraintConnectionSubShaft2.resize(1);
    d.constraintConnectionGear2.resize(1);
    d.constraintConnectionGearMeshStiffness.resize(1);
    d.constraintConnectionGearRatio.resize(1);
    for (size_t k = 0; k < box.meshes.size(); ++k) {
        const auto [s1, g1] = gearAt[2 * k];
        const auto [s2, g2] = gearAt[2 * k + 1];
        d.constraintConnectionShaft1[0].push_back(int(s1));
        d.constraintConnectionSubShaft1[0].push_back(0);
        d.constraintConnectionGear1[0].push_back(int(g1));
        d.constraintConnectionShaft2[0].push_back(int(s2));
        d.constraintConnectionSubShaft2[0].push_back(0);
        d.constraintConnectionGear2[0].push_back(int(g2));
        d.constraintConnectionGearMeshStiffness[0].push_back(20.0 * 1e6 * box.meshes[k].lenload);
        d.constraintConnectionGearRatio[0].push_back(box.meshes[k].ratio);
    }
    // Bearings: radial stiffness by size, axial stiffness at the locating bearing only.
    for (const Bearing& b : box.bearings) {
        const size_t s = shaftOf(b.dotId);
        const double radial = b.da >= 120 ? 3.0e8 : b.da >= 100 ? 2.5e8 : 1.5e8;
        d.bearingName[s][0].push_back(b.name);
        d.bearingPosition[s][0].push_back(NVektor(0, b.posInner * kMm, 0));
        d.bearingStiffnessFxUx[s][0].push_back(radial);
        d.bearingStiffnessFzUz[s][0].push_back(radial);
        d.bearingStiffnessFyUy[s][0].push_back(b.fixation == 1 ? 5.0e7 : 0.0);
        d.bearingDampingX[s][0].push_back(1000.0);
        d.bearingDampingZ[s][0].push_back(1000.0);
    }
    // Two documentation points: the first pinion and the output shaft's free end.
    d.docPointName = {L"Pinion z1", L"Output shaft end"};
    d.docPointShaftName = {box.shafts[0].name, box.shafts[2].name};
    d.docPointShaftTMNumber = {0, 2};
    d.docPointShaftFileNumber = {0, 2};
    d.docPointSubShaftNumber = {0, 0};
    double outputLength = 0;
    for (double l : d.secLength[2][0]) outputLength += l;
    d.forcedPos = {box.gears[0].pos * kMm, outputLength - 0.01};

    for (int rpm = 0; rpm <= 3000; rpm += 100) d.campbellSpeed.push_back(rpm);
    in.general.calculationToPerform = 2;
    in.options.nominalSpeed = box.shafts[0].speed;
    return in;
}

}  // namespace ds
