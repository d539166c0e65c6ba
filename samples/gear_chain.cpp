#include "drivesys/samples/gear_chain.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>
#include <string>

namespace ds {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kElement = 0.01;  // m
constexpr double kSteel = 7850.0;  // kg/m³

template <class T>
std::vector<std::vector<std::vector<T>>> perShaft(size_t n) {
    return std::vector<std::vector<std::vector<T>>>(n, std::vector<std::vector<T>>(1));
}

}  // namespace

SolverInput gearChainSolverInput(const GearChainOptions& o) {
    if (o.shafts < 1) throw std::invalid_argument("a gear chain needs at least one shaft");
    if (o.elementsPerShaft < 4) throw std::invalid_argument("a gear chain needs at least 4 elements per shaft");
    if (double(o.shafts) * double(o.elementsPerShaft + 1) * 6 > 1e7)
        throw std::invalid_argument("a gear chain of more than 10 million DOF is not made");
    const size_t N = o.shafts, M = o.elementsPerShaft;
    const double L = double(M) * kElement;
    auto grid = [&](double y) { return std::round(y / kElement) * kElement; };

    SolverInput in;
    SystemDefinitionData& d = in.definition.data;
    d.controlingShaftName = L"shaft 1";
    d.numResonanceCurves = 20;
    d.hystereticDampingAxial = d.hystereticDampingBending = d.hystereticDampingTorsion = 0.01;
    d.bearingName = perShaft<nWString>(N);
    d.bearingPosition = perShaft<NVektor>(N);
    d.gearName = perShaft<nWString>(N);
    d.gearPosition = perShaft<NVektor>(N);
    d.gearZ = perShaft<int>(N);
    for (auto* t : {&d.bearingStiffnessFxUx, &d.bearingStiffnessFyUy, &d.bearingStiffnessFzUz, &d.bearingDampingX,
                    &d.bearingDampingZ, &d.gearMass, &d.gearMassMomentOfInertia, &d.gearWidth, &d.gearDw, &d.gearAlfwt})
        *t = perShaft<double>(N);

    std::vector<double> diameter(N);
    double z = 0.0, y0 = 0.0;
    for (size_t s = 0; s < N; ++s) {
        diameter[s] = 0.05 * std::pow(1.15, double(s));
        const std::wstring name = L"shaft " + std::to_wstring(s + 1);
        d.shaftsNames.push_back({name});
        if (s > 0) {
            // Centre distance of stage s − 1, and the wheel (1/3) facing the pinion (2/3).
            const double m = 0.003 * std::pow(1.2, double(s - 1));
            z += m * (20 + 50) / 2;
            y0 += grid(2 * L / 3) - grid(L / 3);
        }
        d.shaftOrigin.push_back({NVektor(0, y0, z)});
        d.shaftE.push_back({2.1e11});
        d.shaftG.push_back({8.1e10});
        d.shaftRo.push_back({kSteel});
        d.shaftKappa.push_back({0.886});
        d.secLength.push_back({{L}});
        d.secLda.push_back({{diameter[s]}});

        // Bearings: 20 mm from each end, and one every 50 elements between.
        const size_t spans = std::max<size_t>(1, (M + 25) / 50);
        const double radial = 2e8 * diameter[s] / 0.05;
        for (size_t k = 0; k <= spans; ++k) {
            const double y = grid(2 * kElement + (L - 4 * kElement) * double(k) / double(spans));
            d.bearingName[s][0].push_back(L"B" + std::to_wstring(s + 1) + L"." + std::to_wstring(k + 1));
            d.bearingPosition[s][0].push_back(NVektor(0, y, 0));
            d.bearingStiffnessFxUx[s][0].push_back(radial);
            d.bearingStiffnessFzUz[s][0].push_back(0.8 * radial);
            d.bearingStiffnessFyUy[s][0].push_back(k == 0 ? 5e7 : 0.0);
            d.bearingDampingX[s][0].push_back(500.0);
            d.bearingDampingZ[s][0].push_back(500.0);
        }
    }
    // Gears: the wheel of stage s − 1 at 1/3 of shaft s, the pinion of stage s at 2/3.
    auto gear = [&](size_t s, const wchar_t* kind, size_t stage, int teeth, double y) {
        const double m = 0.003 * std::pow(1.2, double(stage)), b = 0.04 * std::pow(1.15, double(stage));
        const double dw = m * teeth, bore = diameter[s];
        const double mass = kSteel * kPi / 4 * (dw * dw - bore * bore) * b;
        d.gearName[s][0].push_back(std::wstring(kind) + L" " + std::to_wstring(stage + 1));
        d.gearPosition[s][0].push_back(NVektor(0, y, 0));
        d.gearMass[s][0].push_back(mass);
        d.gearMassMomentOfInertia[s][0].push_back(mass * (dw * dw + bore * bore) / 8);
        d.gearWidth[s][0].push_back(b);
        d.gearZ[s][0].push_back(teeth);
        d.gearDw[s][0].push_back(dw);
        d.gearAlfwt[s][0].push_back(20.0 * kPi / 180);
        return int(d.gearName[s][0].size() - 1);
    };
    if (N > 1) {
        for (auto* t : {&d.constraintConnectionShaft1, &d.constraintConnectionGear1, &d.constraintConnectionShaft2,
                        &d.constraintConnectionGear2})
            t->resize(1);
        d.constraintConnectionGearMeshStiffness.resize(1);
        d.constraintConnectionGearRatio.resize(1);
    }
    for (size_t s = 0; s + 1 < N; ++s) {
        const int pinion = gear(s, L"pinion", s, 20, grid(2 * L / 3));
        const int wheel = gear(s + 1, L"wheel", s, 50, grid(L / 3));
        d.constraintConnectionShaft1[0].push_back(int(s));
        d.constraintConnectionGear1[0].push_back(pinion);
        d.constraintConnectionShaft2[0].push_back(int(s + 1));
        d.constraintConnectionGear2[0].push_back(wheel);
        d.constraintConnectionGearMeshStiffness[0].push_back(20e9 * 0.04 * std::pow(1.15, double(s)));
        d.constraintConnectionGearRatio[0].push_back(2.5);
    }
    // Documentation points at every gear.
    for (size_t s = 0; s < N; ++s)
        for (size_t g = 0; g < d.gearName[s][0].size(); ++g) {
            d.docPointName.push_back(d.gearName[s][0][g]);
            d.docPointShaftName.push_back(d.shaftsNames[s][0]);
            d.docPointShaftTMNumber.push_back(int(s));
            d.docPointShaftFileNumber.push_back(int(s));
            d.docPointSubShaftNumber.push_back(0);
            d.forcedPos.push_back(d.gearPosition[s][0][g].y);
        }

    for (size_t k = 0; k < o.speeds; ++k)
        d.campbellSpeed.push_back(o.speeds == 1 ? 3000.0 : 6000.0 * double(k) / double(o.speeds - 1));
    in.general.calculationToPerform = o.forced ? 1 : o.speeds > 0 ? 2 : 0;
    in.options.nominalSpeed = 3000.0;
    in.options.maxElementLength = kElement * (1 + 1e-9);
    if (o.forced) {
        ForcedResponseDefinitionsStruct& f = in.forcedResponse;
        const size_t n = std::max<size_t>(2, o.speeds);
        for (size_t k = 0; k < n; ++k) f.speeds.push_back(300.0 + 5700.0 * double(k) / double(n - 1));
        f.controllingShaftNumTM = 0;
        f.controllingShaftNominalSpeed = 3000.0;
        f.considerUnbalanceMasses = true;
        f.considerGearMeshForces = true;
        f.numHarmonics = 3;
        in.hasForcedResponse = true;
    }
    return in;
}

}  // namespace ds
