#include "drivesys/solver/summary.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <fmt/format.h>
#include <numeric>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
/// A forced-response peak belongs to a critical speed of the same mode and excitation when it
/// lies within this share of the critical speed, or within twice its half-power bandwidth.
constexpr double kPeakNearCritical = 0.02;


std::string orderText(double multiple) { return fmt::format("{:g}\u00d7", multiple); }

std::string inQuotes(const std::string& name) { return "'" + name + "'"; }

/// Family word of a mode named by the solver ("2nd bending forward", "1st torsion (2)").
std::string familyOf(const std::string& name) {
    for (const char* word : {"torsion", "axial", "bending"})
        if (name.find(word) != std::string::npos) return word;
    return "bending";
}

/// Linear interpolation of v at place t of segment i (t in [0, 1]).
double lerp(const std::vector<double>& v, size_t i, double t) {
    if (i + 1 >= v.size()) return v.at(i);
    return v[i] + t * (v[i + 1] - v[i]);
}

/// Value of the sampled curve (x ascending or not, as the sweep was given) at x0: linear
/// between the two samples around it; NaN outside the samples.
double valueAt(const std::vector<double>& x, const std::vector<double>& v, double x0) {
    const size_t n = std::min(x.size(), v.size());
    for (size_t i = 0; i + 1 < n; ++i) {
        const double a = x[i], b = x[i + 1];
        if ((x0 >= a && x0 <= b) || (x0 <= a && x0 >= b)) return a == b ? v[i] : lerp(v, i, (x0 - a) / (b - a));
    }
    if (n == 1 && x[0] == x0) return v[0];
    return kNaN;
}

void fillModes(const SystemVibrationResults& r, const SolverReport& report, const SummaryOptions& o, SystemDynamicsSummary& s) {
    const std::vector<NWelleResultEigenmodeProperties>* props = nullptr;
    if (!r.resultsPerShaft.empty() && !r.resultsPerShaft[0].shaftResultsPerSubShaft.empty())
        props = &r.resultsPerShaft[0].shaftResultsPerSubShaft[0].mode;
    for (size_t i = 0; i < report.modes.size(); ++i) {
        ModeSummary m;
        m.stability = report.modes[i];
        if (props && i < props->size()) {
            const NWelleResultEnergies& e = (*props)[i].energies;
            m.bendingShare = e.bendingXY + e.bendingYZ + e.shearXY + e.shearYZ;
            m.torsionShare = e.torsion;
            m.axialShare = e.pressureTension;
            m.supportShare = e.rigidTranslation + e.rigidRotation;
        }
        if (!m.stability.rigid) {
            m.unstable = m.stability.dampingRatio < kUnstableDampingRatio;
            m.lightlyDamped = !m.unstable && m.stability.logDecrement < o.minLogDecrement;
        }
        s.modes.push_back(std::move(m));
    }
}

void fillBranches(const SolverReport& report, SystemDynamicsSummary& s, const SummaryOptions& o) {
    const std::vector<double>& x = s.campbellSpeeds;
    for (const CampbellBranchStability& c : report.campbell) {
        BranchSummary b;
        b.curve = c;
        b.family = familyOf(c.id);
        int forward = 0, backward = 0;
        for (int w : c.whirl) {
            if (w > 0) ++forward;
            if (w < 0) ++backward;
        }
        b.whirl = forward > backward ? 1 : backward > forward ? -1 : 0;
        const size_t n = std::min({x.size(), c.dampingRatio.size(), c.logDecrement.size()});
        b.minLogDecrement = n ? c.logDecrement[0] : 0.0;
        b.speedOfMinimum = n ? x[0] : 0.0;
        for (size_t j = 0; j < n; ++j) {
            if (c.logDecrement[j] < b.minLogDecrement) b.minLogDecrement = c.logDecrement[j], b.speedOfMinimum = x[j];
            if (std::isnan(b.instabilityOnset) && c.dampingRatio[j] < kUnstableDampingRatio) {
                // The zero of ζ between the last stable speed and this one.
                b.instabilityOnset = x[j];
                if (j > 0 && c.dampingRatio[j - 1] > 0) {
                    const double t = c.dampingRatio[j - 1] / (c.dampingRatio[j - 1] - c.dampingRatio[j]);
                    b.instabilityOnset = x[j - 1] + t * (x[j] - x[j - 1]);
                }
            }
        }
        // In the operating range: the samples inside it and the values at its ends.
        std::vector<double> zetas, decrements;
        for (size_t j = 0; j < n; ++j)
            if (x[j] >= s.operatingSpeedMin && x[j] <= s.operatingSpeedMax)
                zetas.push_back(c.dampingRatio[j]), decrements.push_back(c.logDecrement[j]);
        const std::vector<double> xs(x.begin(), x.begin() + long(n));
        for (double end : {s.operatingSpeedMin, s.operatingSpeedMax}) {
            const double z = valueAt(xs, c.dampingRatio, end), d = valueAt(xs, c.logDecrement, end);
            if (std::isfinite(z)) zetas.push_back(z);
            if (std::isfinite(d)) decrements.push_back(d);
        }
        for (double z : zetas) b.unstableInRange = b.unstableInRange || z < kUnstableDampingRatio;
        for (double d : decrements) b.lightlyDampedInRange = b.lightlyDampedInRange || d < o.minLogDecrement;
        b.lightlyDampedInRange = b.lightlyDampedInRange && !b.unstableInRange;
        s.branches.push_back(std::move(b));
    }
}

/// Order lines from the Campbell entries' shaft speeds and mesh frequencies (Hz) at a speed that
/// is not zero.
void fillOrderLines(const SystemVibrationResults& r, const SummaryOptions& o, SystemDynamicsSummary& s) {
    const NWelleResultCampbells* at = nullptr;
    for (const NWelleResultCampbells& e : r.resCampbell)
        if (e.speed != 0.0 && std::isfinite(e.speed)) {
            at = &e;
            break;
        }
    if (!at) {
        s.missing.push_back("order lines: the Campbell results hold no speed other than 0, so the shafts' speed ratios are unknown");
        return;
    }
    const double rpm = std::abs(at->speed);
    // One line per source of the order's kind: its frequency (Hz) at the entry's speed and its name.
    auto addLines = [&](const ExcitationOrder& order, const std::vector<double>& hz, const std::vector<nWString>& names,
                        const char* kind) {
        for (size_t k = 0; k < hz.size(); ++k) {
            const double f = std::abs(hz[k]) * order.multiple;
            if (!(f > 0) || !std::isfinite(f)) continue;  // a shaft no mesh drives
            OrderLine line;
            line.order = order;
            line.source = k < names.size() ? names[k].toUtf8() : fmt::format("{}", k + 1);
            line.sourceIndex = k;
            line.name = fmt::format("{} {} {}", kind, inQuotes(line.source), orderText(order.multiple));
            line.hzPerRpm = f / rpm;
            s.orderLines.push_back(std::move(line));
        }
    };
    for (const ExcitationOrder& order : o.orders) {
        if (!(order.multiple > 0) || !std::isfinite(order.multiple)) continue;
        if (order.source == ExcitationOrder::kShaft) addLines(order, at->shaftsSpeeds, at->shaftsNames, "shaft");
        else addLines(order, at->gearMeshFrequency, at->gearNames, "mesh");
    }
}

void fillCriticalSpeeds(SystemDynamicsSummary& s) {
    const std::vector<double>& x = s.campbellSpeeds;
    for (size_t b = 0; b < s.branches.size(); ++b) {
        const CampbellBranchStability& c = s.branches[b].curve;
        const size_t n = std::min(x.size(), c.frequency.size());
        for (size_t o = 0; o < s.orderLines.size(); ++o) {
            std::vector<double> line(n);
            for (size_t j = 0; j < n; ++j) line[j] = s.orderLines[o].hzPerRpm * std::abs(x[j]);
            for (const CurveCrossing& k : FindCurveCrossings({x.data(), n}, {c.frequency.data(), n}, line)) {
                CriticalSpeed cs;
                cs.branch = b;
                cs.orderLine = o;
                cs.mode = c.id;
                cs.excitation = s.orderLines[o].name;
                cs.speed = k.x;
                cs.frequency = k.y;
                cs.dampingRatio = k.segment < c.dampingRatio.size() ? lerp(c.dampingRatio, k.segment, k.t) : 0.0;
                cs.logDecrement = logarithmicDecrement(cs.dampingRatio);
                if (k.segment < c.whirl.size())
                    cs.whirl = c.whirl[k.t <= 0.5 || k.segment + 1 >= c.whirl.size() ? k.segment : k.segment + 1];
                s.criticalSpeeds.push_back(std::move(cs));
            }
        }
    }
    std::stable_sort(s.criticalSpeeds.begin(), s.criticalSpeeds.end(),
                     [](const CriticalSpeed& a, const CriticalSpeed& b) { return a.speed < b.speed; });
}

/// Names of the forced response's columns: unbalance per shaft, then each mesh's harmonics (the
/// solver's order), when the run is known and the count fits.
std::vector<std::string> excitationNames(const SystemVibrationResults& r, const SummaryOptions& o, size_t columns) {
    std::vector<std::string> names;
    if (o.forcedResponse) {
        const ForcedResponseDefinitionsStruct& run = *o.forcedResponse;
        if (run.considerUnbalanceMasses)
            for (size_t sh = 0; sh < r.resultsPerShaft.size(); ++sh) {
                const auto& subs = r.resultsPerShaft[sh].shaftResultsPerSubShaft;
                const std::string name = subs.empty() ? fmt::format("{}", sh + 1) : subs[0].shaftName.toUtf8();
                names.push_back("unbalance, shaft " + inQuotes(name));
            }
        if (run.considerGearMeshForces)
            for (size_t k = 0; k < r.resultsPerGear.size(); ++k) {
                const auto& props = r.resultsPerGear[k].gearMeshProps;
                const std::string name = props.empty() ? fmt::format("{}", k + 1) : props[0].gearMeshName.toUtf8();
                for (unsigned h = 1; h <= std::max(1u, run.numHarmonics); ++h)
                    names.push_back("mesh " + inQuotes(name) + " " + orderText(h) + " (transmission error)");
            }
    }
    if (names.size() != columns) {
        names.clear();
        for (size_t c = 0; c < columns; ++c) names.push_back(fmt::format("excitation {}", c + 1));
    }
    return names;
}

/// The order line an excitation column drives: unbalance of shaft s → shaft s 1×, mesh k
/// harmonic h → mesh k h×; kNone when the run is unknown.
size_t orderLineOf(const SystemDynamicsSummary& s, const SystemVibrationResults& r, const SummaryOptions& o, size_t column) {
    constexpr size_t none = size_t(-1);
    if (!o.forcedResponse) return none;
    const ForcedResponseDefinitionsStruct& run = *o.forcedResponse;
    ExcitationOrder want;
    size_t source = 0;
    const size_t shafts = run.considerUnbalanceMasses ? r.resultsPerShaft.size() : 0;
    if (column < shafts) {
        want = {ExcitationOrder::kShaft, 1.0};
        source = column;
    } else {
        const size_t h = std::max(1u, run.numHarmonics), c = column - shafts;
        want = {ExcitationOrder::kMesh, double(c % h + 1)};
        source = c / h;
    }
    for (size_t i = 0; i < s.orderLines.size(); ++i) {
        const OrderLine& l = s.orderLines[i];
        if (l.order.source == want.source && l.order.multiple == want.multiple && l.sourceIndex == source) return i;
    }
    return none;
}

void fillPeaks(const SystemVibrationResults& r, const SummaryOptions& o, SystemDynamicsSummary& s) {
    const auto& fr = r.forcedResponseResults;
    const size_t docPoints = fr[0].docPointResults.size();
    size_t columns = 0;
    if (docPoints > 0 && !fr[0].docPointResults[0].docPointSpeedDomain.uVecVsSpeed.empty())
        columns = fr[0].docPointResults[0].docPointSpeedDomain.uVecVsSpeed[0].size();
    s.excitations = excitationNames(r, o, columns);
    if (docPoints == 0) {
        s.missing.push_back("amplification factors: the forced response has no documentation point");
        return;
    }
    // Speeds in ascending order (a run may list them in any order).
    std::vector<size_t> order(fr.size());
    std::iota(order.begin(), order.end(), size_t(0));
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return fr[a].speedRefBound < fr[b].speedRefBound; });
    std::vector<double> speeds;
    for (size_t j : order) speeds.push_back(fr[j].speedRefBound);
    for (size_t j = 0; j + 1 < speeds.size(); ++j)
        if (!(speeds[j + 1] > speeds[j])) {
            s.missing.push_back("amplification factors: the forced response's speeds repeat");
            return;
        }
    for (size_t p = 0; p < docPoints; ++p) {
        const std::string name = fr[0].docPointResults[p].docPointName.toUtf8();
        for (size_t c = 0; c < columns; ++c) {
            const std::vector<double> all = DocPointDeflectionAmplitude(r, p, c);
            std::vector<double> amplitude, frequency;
            for (size_t j : order) {
                amplitude.push_back(all[j]);
                const auto& f = fr[j].docPointResults[p].docPointFreqDomain.f;
                frequency.push_back(c < f.size() ? f[c] : 0.0);
            }
            for (const HalfPowerPeak& hp : FindHalfPowerPeaks(speeds, amplitude)) {
                ResonancePeak peak;
                peak.docPoint = p;
                peak.excitationIndex = c;
                peak.docPointName = name;
                peak.excitation = s.excitations[c];
                peak.peak = hp;
                peak.frequency = valueAt(speeds, frequency, hp.x);
                if (!std::isfinite(peak.frequency)) peak.frequency = frequency[hp.index];
                // The mode: the Campbell curve nearest the excitation frequency at the peak speed,
                // else the nominal elastic mode nearest it.
                double best = INFINITY;
                for (size_t b = 0; b < s.branches.size(); ++b) {
                    const double f = valueAt(s.campbellSpeeds, s.branches[b].curve.frequency, hp.x);
                    if (std::isfinite(f) && std::abs(f - peak.frequency) < best) {
                        best = std::abs(f - peak.frequency);
                        peak.branch = long(b);
                        peak.mode = s.branches[b].curve.id;
                    }
                }
                if (peak.branch < 0)
                    for (const ModeSummary& m : s.modes)
                        if (!m.stability.rigid && std::abs(m.stability.frequency - peak.frequency) < best) {
                            best = std::abs(m.stability.frequency - peak.frequency);
                            peak.mode = m.stability.description;
                        }
                s.peaks.push_back(std::move(peak));
            }
        }
    }
}

void fillMargins(const SystemVibrationResults& r, const SummaryOptions& o, SystemDynamicsSummary& s) {
    for (CriticalSpeed& cs : s.criticalSpeeds) {
        cs.amplificationFactor = cs.dampingRatio > 0 ? 1.0 / (2.0 * cs.dampingRatio) : INFINITY;
        for (const ResonancePeak& p : s.peaks) {
            if (!p.peak.resolved || p.branch != long(cs.branch) || orderLineOf(s, r, o, p.excitationIndex) != cs.orderLine) continue;
            // A resonance peaks at its critical speed to within a fraction of its bandwidth (and
            // the grid): a peak farther away is another mode's.
            const double near = std::max(2.0 * (p.peak.upper - p.peak.lower), kPeakNearCritical * std::abs(cs.speed));
            if (std::abs(p.peak.x - cs.speed) > near) continue;
            // Nor is a peak whose sharpness is more than a factor 3 from the curve's 1/(2ζ).
            const double modal = cs.dampingRatio > 0 ? 1.0 / (2.0 * cs.dampingRatio) : INFINITY;
            if (p.peak.amplificationFactor > 3 * modal || 3 * p.peak.amplificationFactor < modal) continue;
            if (!cs.afFromResponse || p.peak.amplificationFactor > cs.amplificationFactor) {
                cs.amplificationFactor = p.peak.amplificationFactor;
                cs.afFromResponse = true;
            }
        }
        cs.inOperatingRange = cs.speed >= s.operatingSpeedMin && cs.speed <= s.operatingSpeedMax;
        cs.margin = SeparationMargin(cs.speed, s.operatingSpeedMin, s.operatingSpeedMax);
        // Inside the range, the requirement of the side it is nearer to.
        cs.aboveOperatingRange = cs.speed > s.operatingSpeedMax ||
                                 (cs.inOperatingRange && cs.speed - s.operatingSpeedMin > s.operatingSpeedMax - cs.speed);
        cs.requiredMargin = RequiredSeparationMargin(cs.amplificationFactor, cs.aboveOperatingRange);
        cs.marginSufficient = cs.requiredMargin == 0.0 ? true : cs.margin >= cs.requiredMargin;
    }
}

std::string number(double v) { return std::isfinite(v) ? fmt::format("{:.4g}", v) : (v > 0 ? "∞" : "−∞"); }

void fillWarnings(const SolverReport& report, const SummaryOptions& o, SystemDynamicsSummary& s) {
    for (const ModeSummary& m : s.modes)
        if (m.unstable)
            s.warnings.push_back(fmt::format("Mode '{}' at {} Hz is unstable at the nominal speed: ζ = {}, δ = {}.",
                                             m.stability.description, number(m.stability.frequency),
                                             number(m.stability.dampingRatio), number(m.stability.logDecrement)));
    for (const BranchSummary& b : s.branches)
        if (b.unstableInRange)
            s.warnings.push_back(fmt::format("Campbell curve '{}' is unstable in the operating range (from {} 1/min on).",
                                             b.curve.id, number(b.instabilityOnset)));
        else if (std::isfinite(b.instabilityOnset))
            s.warnings.push_back(fmt::format("Campbell curve '{}' turns unstable at {} 1/min, outside the operating range.",
                                             b.curve.id, number(b.instabilityOnset)));
    std::string light;
    size_t lightCount = 0;
    for (const ModeSummary& m : s.modes)
        if (m.lightlyDamped) {
            light += fmt::format("{}'{}' at {} Hz (δ = {})", lightCount++ ? ", " : "", m.stability.description,
                                 number(m.stability.frequency), number(m.stability.logDecrement));
        }
    if (lightCount > 0)
        s.warnings.push_back(fmt::format("{} lightly damped at the nominal speed (δ < {}): {}.",
                                         lightCount == 1 ? std::string("One mode is") : fmt::format("{} modes are", lightCount),
                                         number(o.minLogDecrement), light));
    for (size_t i = 0; i < s.criticalSpeeds.size(); ++i) {
        const CriticalSpeed& c = s.criticalSpeeds[i];
        if (c.marginSufficient) continue;
        s.warnings.push_back(fmt::format(
            "Critical speed {} ('{}' × {}) at {} 1/min{}: separation margin {} % where {} % are required (AF {}{}).", i + 1,
            c.mode, c.excitation, number(c.speed), c.inOperatingRange ? ", inside the operating range" : "", number(c.margin),
            number(c.requiredMargin), number(c.amplificationFactor), c.afFromResponse ? " from the forced response" : " from ζ"));
    }
    const size_t unresolved = size_t(std::count_if(s.peaks.begin(), s.peaks.end(), [](const ResonancePeak& p) { return !p.peak.resolved; }));
    if (unresolved > 0)
        s.warnings.push_back(fmt::format("{} forced-response peak{} narrower than the speed grid: no amplification factor "
                                         "measured (compute the forced response at more speeds).",
                                         unresolved, unresolved == 1 ? " is" : "s are"));
    for (const std::string& w : report.warnings) s.warnings.push_back("Solver: " + w);
}

}  // namespace

std::vector<double> DocPointDeflectionAmplitude(const SystemVibrationResults& r, size_t docPoint, size_t column) {
    std::vector<double> out;
    out.reserve(r.forcedResponseResults.size());
    for (const NWelleResultForcedResponse& e : r.forcedResponseResults) {
        double sum = 0.0;
        if (docPoint < e.docPointResults.size()) {
            const RiapSeries2& u = e.docPointResults[docPoint].docPointSpeedDomain.uVecVsSpeed;
            for (const RiapSeries& row : u)
                if (column < row.size()) sum += row[column].amplitude * row[column].amplitude;
        }
        out.push_back(std::isfinite(sum) ? std::sqrt(sum) : 0.0);
    }
    return out;
}

SystemDynamicsSummary SummarizeSystemDynamics(const SystemVibrationResults& r, const SolverReport& report, const SummaryOptions& o) {
    SystemDynamicsSummary s;
    s.controllingShaft = r.controllingShaftName.toUtf8();
    s.nominalSpeed = std::isfinite(r.controllingShaftNominalSpeed) ? r.controllingShaftNominalSpeed : 0.0;
    s.dofCount = report.dofCount;
    double lo = std::isfinite(o.operatingSpeedMin) ? o.operatingSpeedMin : s.nominalSpeed;
    double hi = std::isfinite(o.operatingSpeedMax) ? o.operatingSpeedMax : s.nominalSpeed;
    if (lo > hi) std::swap(lo, hi);
    s.operatingSpeedMin = lo;
    s.operatingSpeedMax = hi;

    fillModes(r, report, o, s);
    if (report.modes.empty()) s.missing.push_back("modes: the results hold no modal analysis");

    const std::vector<double>& speeds = r.resCampbellClassified.frequencyInputRange;
    bool finiteSweep = !speeds.empty();
    for (double v : speeds) finiteSweep = finiteSweep && std::isfinite(v);
    if (report.campbell.empty() || !finiteSweep) {
        s.missing.push_back("critical speeds: the results hold no Campbell diagram (no Campbell speeds were given)");
    } else {
        s.campbellSpeeds = speeds;
        fillBranches(report, s, o);
        fillOrderLines(r, o, s);
        fillCriticalSpeeds(s);
    }
    if (r.forcedResponseResults.empty()) {
        s.missing.push_back("amplification factors: the results hold no forced response");
    } else {
        fillPeaks(r, o, s);
    }
    fillMargins(r, o, s);
    fillWarnings(report, o, s);
    return s;
}
