#include "drivesys/samples/sample_gearbox.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

namespace ds {
namespace {
constexpr double kPi = std::numbers::pi;
constexpr double deg(double d) { return d * kPi / 180.0; }

constexpr double kInputPowerKw = 15.0;
constexpr double kInputSpeedRpm = 1480.0;
constexpr double kSteelDensity = 7.85e-6;  // kg/mm³
// Hand of helix as the sample writes it.
constexpr short kRightHand = 1;
constexpr short kLeftHand = -1;
// Bearing fixation as the sample writes it: the locating bearing holds axially.
constexpr int kFloating = 0;
constexpr int kLocating = 1;

struct Piece {
    double length;
    double diameter;
};

struct ShaftPlan {
    const wchar_t* name;
    double start;       // along the common axis
    double sketchY;     // height of the shaft in the sketch
    double speed;       // rpm
    bool counterClockwise;
    std::vector<Piece> pieces;
};

struct GearPlan {
    const wchar_t* name;
    size_t shaft;
    double teeth, mn, beta, width, bore, pos;
    short hand;
    bool driven;
    const wchar_t* calcFile;
    int indexInCalc;
};

struct BearingPlan {
    const wchar_t* name;
    const wchar_t* series;
    size_t shaft;
    double di, da, width, pos;
    int fixation;
};

double pitchDiameter(double teeth, double mn, double beta) { return mn * teeth / std::cos(beta); }
double torqueNm(double powerKw, double rpm) { return powerKw * 1000.0 / (2.0 * kPi * rpm / 60.0); }

class Builder {
public:
    SampleGearbox build();

private:
    int64_t nextDot_ = 9001;
    SampleGearbox m_;

    int64_t addDot(size_t shaft, double axialOnShaft, int64_t item, const wchar_t* what) {
        SketcherDot d;
        d.Id = nextDot_++;
        d.name = nWString(L"Dot ") + what;
        d.shaftId = m_.shafts[shaft].Id;
        d.x = m_.shafts[shaft].pos + axialOnShaft;
        d.y = plans_[shaft].sketchY;
        d.connectedItem = item;
        m_.shafts[shaft].shaftDotIds.push_back(d.Id);
        m_.dots.push_back(d);
        return d.Id;
    }

    std::vector<ShaftPlan> plans_;
};

SampleGearbox Builder::build() {
    const double z1 = 19, z2 = 83, z3 = 17, z4 = 71;
    const double n1 = kInputSpeedRpm, n2 = n1 * z1 / z2, n3 = n2 * z3 / z4;
    const double mn1 = 2.5, beta1 = deg(15), mn2 = 4.0, beta2 = deg(12), alphan = deg(20);
    const double a1 = (pitchDiameter(z1, mn1, beta1) + pitchDiameter(z2, mn1, beta1)) / 2;
    const double a2 = (pitchDiameter(z3, mn2, beta2) + pitchDiameter(z4, mn2, beta2)) / 2;

    plans_ = {
        {L"Input shaft", 0.0, 0.0, n1, false, {{60, 30}, {40, 30}, {140, 40}, {60, 30}}},
        {L"Intermediate shaft", 50.0, a1, n2, true, {{35, 45}, {25, 52}, {145, 55}, {15, 52}, {40, 45}}},
        {L"Output shaft", 50.0, a1 + a2, n3, false, {{40, 65}, {95, 72}, {70, 75}, {40, 65}, {85, 60}}},
    };

    // Shafts and their pieces.
    int64_t pieceId = 1101;
    for (size_t s = 0; s < plans_.size(); ++s) {
        const ShaftPlan& p = plans_[s];
        Shaft shaft;
        shaft.Id = 1001 + static_cast<int64_t>(s);
        shaft.name = p.name;
        shaft.pos = p.start;
        shaft.speed = p.speed;
        shaft.referenceSpeed = p.speed;
        shaft.referenceCounterClockwise = p.counterClockwise;
        shaft.sketcherAxisDefined = true;
        double length = 0, maxD = 0, volume = 0;
        std::wstring contour;
        for (const Piece& piece : p.pieces) {
            contour += nWString(length) + L" " + nWString(piece.diameter) + L";";
            length += piece.length;
            contour += nWString(length) + L" " + nWString(piece.diameter) + L";";
            maxD = std::max(maxD, piece.diameter);
            volume += kPi / 4 * piece.diameter * piece.diameter * piece.length;
        }
        contour.pop_back();
        shaft.outerGeometry = contour;  // "axial position diameter" pairs
        shaft.cylDa = maxD;
        shaft.cylLength = length;
        shaft.width = length;
        shaft.mass = volume * kSteelDensity;
        shaft.labelX = p.start + length / 2;
        shaft.labelY = p.sketchY - 40;
        m_.shafts.push_back(shaft);
    }
    for (size_t s = 0; s < plans_.size(); ++s) {
        double at = 0;
        int k = 1;
        for (const Piece& piece : plans_[s].pieces) {
            ShaftPiece sp;
            sp.Id = pieceId++;
            sp.name = nWString(plans_[s].name) + L", section " + nWString(k++);
            sp.shaftId = m_.shafts[s].Id;
            sp.dotId = addDot(s, at, sp.Id, sp.name.c_str());
            m_.shaftPieces.push_back(sp);
            at += piece.length;
        }
    }

    // Gears: stage 1 on input/intermediate, stage 2 on intermediate/output. The mating gears
    // stand at the same place along the common axis.
    const double t1 = torqueNm(kInputPowerKw, n1);
    const std::vector<GearPlan> gears = {
        {L"z1 pinion stage 1", 0, z1, mn1, beta1, 40, 40, 150, kRightHand, false, L"stage1.gears", 0},
        {L"z2 wheel stage 1", 1, z2, mn1, beta1, 38, 55, 100, kLeftHand, true, L"stage1.gears", 1},
        {L"z3 pinion stage 2", 1, z3, mn2, beta2, 60, 55, 165, kLeftHand, false, L"stage2.gears", 0},
        {L"z4 wheel stage 2", 2, z4, mn2, beta2, 56, 75, 165, kRightHand, true, L"stage2.gears", 1},
    };
    const double torques[] = {t1, t1 * z2 / z1, t1 * z2 / z1, t1 * z2 / z1 * z4 / z3};
    for (size_t g = 0; g < gears.size(); ++g) {
        const GearPlan& p = gears[g];
        CylGear gear;
        gear.Id = 2001 + static_cast<int64_t>(g);
        gear.name = p.name;
        gear.numOfTeeth = p.teeth;
        gear.mn = p.mn;
        gear.beta = p.beta;
        gear.alphan = alphan;
        gear.width = p.width;
        gear.di = p.bore;
        gear.pos = p.pos;
        gear.handOfGear = p.hand;
        gear.isDriven = p.driven;
        gear.torque = torques[g];
        gear.speed = plans_[p.shaft].speed;
        gear.gearCalcFile = p.calcFile;
        gear.gearIndexInCalc = p.indexInCalc;
        const double tipDiameter = pitchDiameter(p.teeth, p.mn, p.beta) + 2 * p.mn;
        gear.gearDiameter = tipDiameter;
        gear.gearTipToShaft = tipDiameter / 2;
        gear.gearWidth = p.width;
        gear.diameterLocked = true;
        gear.dotId = addDot(p.shaft, p.pos, gear.Id, p.name);
        m_.gears.push_back(gear);
    }

    // The two meshes.
    const double ratios[] = {z2 / z1, z4 / z3};
    const double centres[] = {a1, a2};
    for (size_t k = 0; k < 2; ++k) {
        const CylGear& g1 = m_.gears[2 * k];
        const CylGear& g2 = m_.gears[2 * k + 1];
        const size_t s1 = gears[2 * k].shaft, s2 = gears[2 * k + 1].shaft;
        Constraint c;
        c.Id = 2101 + static_cast<int64_t>(k);
        c.name = k == 0 ? L"Stage 1 mesh" : L"Stage 2 mesh";
        c.konsistent = true;
        c.calculation = g1.gearCalcFile;
        c.gear1 = g1.name;
        c.gear2 = g2.name;
        c.gear1OnShaft = m_.shafts[s1].name;
        c.gear2OnShaft = m_.shafts[s2].name;
        c.IdElement1 = g1.Id;
        c.IdElement2 = g2.Id;
        c.IdReferenceShaft = m_.shafts[s1].Id;
        c.a = centres[k];
        c.ratio = ratios[k];
        c.sigma = 0.0;  // parallel axes
        c.isShaftAngleSet = true;
        c.torque1 = g1.torque;
        c.torque2 = g2.torque;
        c.referenceTorque1 = g1.torque;
        c.referenceTorque2 = g2.torque;
        c.referenceDriven2 = true;
        c.speed1 = g1.speed;
        c.speed2 = g2.speed;
        c.dw1 = pitchDiameter(g1.numOfTeeth, g1.mn, g1.beta);
        c.dw2 = pitchDiameter(g2.numOfTeeth, g2.mn, g2.beta);
        c.betaw = g1.beta;
        c.alphawn = alphan;
        c.lenload = std::min(g1.width, g2.width);
        c.lengthLoad = c.lenload;
        m_.meshes.push_back(c);
    }

    // Housing: a box around the three shafts.
    Housing housing;
    housing.Id = 6001;
    housing.name = L"Gearbox housing";
    housing.housingType = 0;  // box
    housing.boxLength = 420;
    housing.boxWidth = 200;
    housing.boxHeight = a1 + a2 + 240;
    m_.housings.push_back(housing);

    // Bearings: six deep-groove ball bearings, one locating and one floating per shaft.
    const std::vector<BearingPlan> bearings = {
        {L"A1", L"6306", 0, 30, 72, 19, 80, kLocating},   {L"A2", L"6306", 0, 30, 72, 19, 270, kFloating},
        {L"B1", L"6309", 1, 45, 100, 25, 17.5, kLocating}, {L"B2", L"6309", 1, 45, 100, 25, 240, kFloating},
        {L"C1", L"6213", 2, 65, 120, 23, 20, kFloating},   {L"C2", L"6213", 2, 65, 120, 23, 225, kLocating},
    };
    for (size_t b = 0; b < bearings.size(); ++b) {
        const BearingPlan& p = bearings[b];
        Bearing bearing;
        bearing.Id = 3001 + static_cast<int64_t>(b);
        bearing.name = nWString(L"Bearing ") + p.name;
        bearing.comment = nWString(L"deep groove ball bearing ") + p.series;
        bearing.fixation = p.fixation;
        bearing.di = p.di;
        bearing.da = p.da;
        bearing.width = p.width;
        bearing.posInner = p.pos;
        bearing.posOuter = m_.shafts[p.shaft].pos + p.pos;
        bearing.IdElementInner = m_.shafts[p.shaft].Id;
        bearing.IdElementOuter = housing.Id;
        bearing.speed = m_.shafts[p.shaft].speed;
        bearing.dotId = addDot(p.shaft, p.pos, bearing.Id, bearing.name.c_str());
        m_.bearings.push_back(bearing);
    }

    // Input coupling, driving the input shaft.
    Coupling coupling;
    coupling.Id = 4001;
    coupling.name = L"Input coupling";
    coupling.pos = 30;
    coupling.width = 60;
    coupling.da = 95;
    coupling.di = 30;
    coupling.torque = t1;
    coupling.referenceTorque = t1;
    coupling.speed = n1;
    coupling.dotId = addDot(0, coupling.pos, coupling.Id, coupling.name.c_str());
    m_.couplings.push_back(coupling);

    // Power and speed given at the input coupling.
    Boundary power;
    power.Id = 5001;
    power.name = L"Input power";
    power.element = coupling.name;
    power.IdElement = coupling.Id;
    power.dotId = coupling.dotId;
    power.power = kInputPowerKw;
    power.considerPower = true;
    Boundary speed = power;
    speed.Id = 5002;
    speed.name = L"Input speed";
    speed.power = 0.0;
    speed.considerPower = false;
    speed.speed = n1;
    speed.considerSpeed = true;
    m_.boundaries = {power, speed};

    return std::move(m_);
}
}  // namespace

std::vector<const nMetaStruct*> SampleGearbox::records() const {
    std::vector<const nMetaStruct*> out;
    const auto add = [&out](const auto& list) {
        for (const auto& r : list) out.push_back(&r);
    };
    add(shafts);
    add(shaftPieces);
    add(gears);
    add(meshes);
    add(bearings);
    add(couplings);
    add(boundaries);
    add(housings);
    add(dots);
    return out;
}

SampleGearbox makeSampleGearbox() { return Builder().build(); }

}  // namespace ds
