#include <cmath>
#include <nlohmann/json.hpp>

#include "drivesys/solver/summary.h"

namespace {
using json = nlohmann::json;

/// A number, or null when it is NaN or infinite.
json num(double v) { return std::isfinite(v) ? json(v) : json(nullptr); }

json numbers(const std::vector<double>& v) {
    json a = json::array();
    for (double x : v) a.push_back(num(x));
    return a;
}

json orderJson(const ExcitationOrder& o) {
    return {{"source", o.source == ExcitationOrder::kMesh ? "mesh" : "shaft"}, {"multiple", num(o.multiple)}};
}

}  // namespace

json SummaryToJson(const SystemDynamicsSummary& s) {
    json j;
    j["controllingShaft"] = s.controllingShaft;
    j["nominalSpeed"] = num(s.nominalSpeed);
    j["operatingSpeedRange"] = {num(s.operatingSpeedMin), num(s.operatingSpeedMax)};
    j["dofCount"] = s.dofCount;
    j["modes"] = json::array();
    for (const ModeSummary& m : s.modes) {
        const ModeStability& st = m.stability;
        j["modes"].push_back({{"description", st.description},
                              {"frequency", num(st.frequency)},
                              {"undampedFrequency", num(st.undampedFrequency)},
                              {"dampingRatio", num(st.dampingRatio)},
                              {"logDecrement", num(st.logDecrement)},
                              {"whirl", st.whirl},
                              {"rigid", st.rigid},
                              {"energyShares",
                               {{"bending", num(m.bendingShare)},
                                {"torsion", num(m.torsionShare)},
                                {"axial", num(m.axialShare)},
                                {"supports", num(m.supportShare)}}},
                              {"unstable", m.unstable},
                              {"lightlyDamped", m.lightlyDamped}});
    }
    json campbell;
    campbell["speeds"] = numbers(s.campbellSpeeds);
    campbell["curves"] = json::array();
    for (const BranchSummary& b : s.branches) {
        campbell["curves"].push_back({{"id", b.curve.id},
                                      {"family", b.family},
                                      {"whirl", b.whirl},
                                      {"frequency", numbers(b.curve.frequency)},
                                      {"dampingRatio", numbers(b.curve.dampingRatio)},
                                      {"logDecrement", numbers(b.curve.logDecrement)},
                                      {"whirlPerSpeed", b.curve.whirl},
                                      {"minLogDecrement", num(b.minLogDecrement)},
                                      {"speedOfMinimum", num(b.speedOfMinimum)},
                                      {"instabilityOnset", num(b.instabilityOnset)},
                                      {"unstableInRange", b.unstableInRange},
                                      {"lightlyDampedInRange", b.lightlyDampedInRange}});
    }
    campbell["orderLines"] = json::array();
    for (const OrderLine& l : s.orderLines)
        campbell["orderLines"].push_back({{"name", l.name},
                                          {"order", orderJson(l.order)},
                                          {"source", l.source},
                                          {"sourceIndex", l.sourceIndex},
                                          {"hzPerRpm", num(l.hzPerRpm)}});
    j["campbell"] = std::move(campbell);
    j["criticalSpeeds"] = json::array();
    for (const CriticalSpeed& c : s.criticalSpeeds)
        j["criticalSpeeds"].push_back({{"curve", c.branch},
                                       {"orderLine", c.orderLine},
                                       {"mode", c.mode},
                                       {"excitation", c.excitation},
                                       {"speed", num(c.speed)},
                                       {"frequency", num(c.frequency)},
                                       {"dampingRatio", num(c.dampingRatio)},
                                       {"logDecrement", num(c.logDecrement)},
                                       {"whirl", c.whirl},
                                       {"amplificationFactor", num(c.amplificationFactor)},
                                       {"amplificationFactorFrom", c.afFromResponse ? "forcedResponse" : "dampingRatio"},
                                       {"margin", num(c.margin)},
                                       {"requiredMargin", num(c.requiredMargin)},
                                       {"inOperatingRange", c.inOperatingRange},
                                       {"aboveOperatingRange", c.aboveOperatingRange},
                                       {"marginSufficient", c.marginSufficient}});
    j["excitations"] = s.excitations;
    j["peaks"] = json::array();
    for (const ResonancePeak& p : s.peaks)
        j["peaks"].push_back({{"docPoint", p.docPoint},
                              {"docPointName", p.docPointName},
                              {"excitation", p.excitationIndex},
                              {"excitationName", p.excitation},
                              {"speed", num(p.peak.x)},
                              {"amplitude", num(p.peak.amplitude)},
                              {"lowerHalfPowerSpeed", num(p.peak.lower)},
                              {"upperHalfPowerSpeed", num(p.peak.upper)},
                              {"amplificationFactor", num(p.peak.amplificationFactor)},
                              {"resolved", p.peak.resolved},
                              {"frequency", num(p.frequency)},
                              {"mode", p.mode},
                              {"curve", p.branch >= 0 ? json(p.branch) : json(nullptr)}});
    j["warnings"] = s.warnings;
    j["missing"] = s.missing;
    return j;
}
