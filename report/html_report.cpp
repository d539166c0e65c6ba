#include "drivesys/report/html_report.h"

#include <algorithm>
#include <cmath>
#include <fmt/format.h>
#include <map>

#include "drivesys/render/svgwriter.h"
#include "drivesys/report/pictures.h"
#include "drivesys/report/plot.h"
#include "drivesys/version.h"

namespace ds::report {
namespace {

/// Text for HTML: XML escaping (which also repairs bytes that are not UTF-8).
std::string esc(const std::string& s) { return SvgWriter::escape(s); }

std::string whirlText(int w) { return w > 0 ? "forward" : w < 0 ? "backward" : "\u2013"; }
std::string percent(double share) { return fixedText(100.0 * share, 0); }

constexpr const char* kStyle = R"(
:root { --ink: #1d1d1f; --muted: #5f6368; --line: #d9dce1; --alarm: #b3261e; --alarm-bg: #fdecea; --warn: #8a5a00;
        --warn-bg: #fff4e0; --ok: #1e6b3a; --ok-bg: #e8f4ec; }
* { box-sizing: border-box; }
body { margin: 0; background: #f4f5f7; color: var(--ink); font: 14px/1.45 "DejaVu Sans", Arial, Helvetica, sans-serif; }
main { max-width: 1040px; margin: 0 auto; padding: 24px 28px 48px; background: white; }
h1 { font-size: 24px; margin: 0 0 4px; }
h2 { font-size: 18px; margin: 32px 0 10px; padding-bottom: 4px; border-bottom: 2px solid var(--line); }
h3 { font-size: 15px; margin: 20px 0 6px; }
p.sub, p.note { color: var(--muted); margin: 4px 0 10px; }
ul.warnings { list-style: none; padding: 0; margin: 0; }
ul.warnings li { margin: 4px 0; padding: 6px 10px; border-left: 4px solid var(--warn); background: var(--warn-bg); }
ul.warnings li.alarm { border-color: var(--alarm); background: var(--alarm-bg); }
ul.warnings li.missing { border-color: var(--line); background: #f6f7f9; color: var(--muted); }
p.ok { padding: 6px 10px; border-left: 4px solid var(--ok); background: var(--ok-bg); }
.table-wrap { overflow-x: auto; }
table { border-collapse: collapse; margin: 6px 0 12px; font-size: 13px; }
th, td { padding: 3px 8px; border-bottom: 1px solid var(--line); text-align: right; white-space: nowrap; }
th { background: #f0f1f4; font-weight: 600; white-space: normal; vertical-align: bottom; }
td.text, th.text { text-align: left; }
table.wrap td.text { white-space: normal; }
tr.alarm td { background: var(--alarm-bg); }
tr.warn td { background: var(--warn-bg); }
table.facts td { text-align: left; }
table.facts td:first-child { color: var(--muted); }
figure { margin: 12px 0 20px; }
figure svg { display: block; width: 100%; max-width: 980px; height: auto; border: 1px solid var(--line); }
figcaption { color: var(--muted); font-size: 13px; margin-top: 4px; }
footer { margin-top: 36px; color: var(--muted); font-size: 12px; }
)";

class Html {
public:
    void raw(const std::string& s) { out_ += s; }
    void line(const std::string& s) {
        out_ += s;
        out_ += '\n';
    }
    /// A table: header cells (text alignment per column: true = left) and rows of cells, each
    /// row with an optional class.
    void table(const std::vector<std::string>& head, const std::vector<bool>& left,
               const std::vector<std::pair<std::string, std::vector<std::string>>>& rows, const char* cls = nullptr) {
        out_ += cls ? fmt::format("<div class=\"table-wrap\"><table class=\"{}\">", cls) : "<div class=\"table-wrap\"><table>";
        if (std::any_of(head.begin(), head.end(), [](const std::string& c) { return !c.empty(); })) {
            out_ += "<thead><tr>";
            for (size_t i = 0; i < head.size(); ++i)
                out_ += fmt::format("<th{}>{}</th>", i < left.size() && left[i] ? " class=\"text\"" : "", esc(head[i]));
            out_ += "</tr></thead>";
        }
        out_ += "<tbody>\n";
        for (const auto& [rowClass, cells] : rows) {
            out_ += rowClass.empty() ? "<tr>" : "<tr class=\"" + rowClass + "\">";
            for (size_t i = 0; i < cells.size(); ++i)
                out_ += fmt::format("<td{}>{}</td>", i < left.size() && left[i] ? " class=\"text\"" : "", esc(cells[i]));
            out_ += "</tr>\n";
        }
        out_ += "</tbody></table></div>\n";
    }
    void figure(const std::string& svg, const std::string& caption) {
        out_ += "<figure>\n" + svg + "<figcaption>" + esc(caption) + "</figcaption></figure>\n";
    }
    std::string take() { return std::move(out_); }

private:
    std::string out_;
};

/// CSV field: numbers as the shortest exact text, empty when not finite; text quoted when it
/// holds a comma, quote or line break.
std::string csvNumber(double v) { return std::isfinite(v) ? fmt::format("{}", v) : std::string(); }
std::string csvText(const std::string& s) {
    if (s.find_first_of(",\"\r\n") == std::string::npos) return s;
    std::string q = "\"";
    for (char c : s) q += c == '"' ? std::string("\"\"") : std::string(1, c);
    return q + "\"";
}

std::string modesCsv(const SystemDynamicsSummary& s) {
    std::string out =
        "index,description,frequency_Hz,undamped_frequency_Hz,damping_ratio,log_decrement,whirl,bending_share,torsion_share,"
        "axial_share,support_share,rigid,unstable,lightly_damped\r\n";
    for (size_t i = 0; i < s.modes.size(); ++i) {
        const ModeSummary& m = s.modes[i];
        const ModeStability& st = m.stability;
        out += fmt::format("{},{},{},{},{},{},{},{},{},{},{},{},{},{}\r\n", i + 1, csvText(st.description), csvNumber(st.frequency),
                           csvNumber(st.undampedFrequency), csvNumber(st.dampingRatio), csvNumber(st.logDecrement), st.whirl,
                           csvNumber(m.bendingShare), csvNumber(m.torsionShare), csvNumber(m.axialShare), csvNumber(m.supportShare),
                           st.rigid ? 1 : 0, m.unstable ? 1 : 0, m.lightlyDamped ? 1 : 0);
    }
    return out;
}

std::string criticalCsv(const SystemDynamicsSummary& s) {
    std::string out =
        "index,mode,excitation,speed_rpm,frequency_Hz,damping_ratio,log_decrement,whirl,amplification_factor,"
        "amplification_factor_from,margin_percent,required_margin_percent,in_operating_range,margin_sufficient\r\n";
    for (size_t i = 0; i < s.criticalSpeeds.size(); ++i) {
        const CriticalSpeed& c = s.criticalSpeeds[i];
        out += fmt::format("{},{},{},{},{},{},{},{},{},{},{},{},{},{}\r\n", i + 1, csvText(c.mode), csvText(c.excitation),
                           csvNumber(c.speed), csvNumber(c.frequency), csvNumber(c.dampingRatio), csvNumber(c.logDecrement),
                           c.whirl, csvNumber(c.amplificationFactor), c.afFromResponse ? "forced response" : "damping ratio",
                           csvNumber(c.margin), csvNumber(c.requiredMargin), c.inOperatingRange ? 1 : 0, c.marginSufficient ? 1 : 0);
    }
    return out;
}

/// The critical speeds whose modes are drawn: those short of their margin first, then by the
/// size of their margin; one per Campbell curve.
std::vector<size_t> criticalToDraw(const SystemDynamicsSummary& s, size_t most) {
    std::vector<size_t> order(s.criticalSpeeds.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        const CriticalSpeed &x = s.criticalSpeeds[a], &y = s.criticalSpeeds[b];
        if (x.marginSufficient != y.marginSufficient) return !x.marginSufficient;
        return x.margin < y.margin;
    });
    std::vector<size_t> out;
    std::vector<size_t> branches;
    for (size_t i : order) {
        if (out.size() >= most) break;
        const CriticalSpeed& c = s.criticalSpeeds[i];
        if (std::find(branches.begin(), branches.end(), c.branch) != branches.end()) continue;
        if (!(c.frequency > 0) || !(std::abs(c.dampingRatio) < 1)) continue;
        branches.push_back(c.branch);
        out.push_back(i);
    }
    return out;
}

void modelSection(Html& h, const SolvedDefinition& solved, const SystemDynamicsSummary& s) {
    const SystemVibrationResults& r = solved.results;
    h.line("<section id=\"model\"><h2>Model</h2>");
    double shaftMass = 0.0, gearMass = 0.0;
    size_t subShafts = 0, bearings = 0, connections = 0;
    std::vector<std::pair<std::string, std::vector<std::string>>> shafts;
    for (size_t i = 0; i < r.resultsPerShaft.size(); ++i) {
        const SystemVibrationResultsPerShaft& sh = r.resultsPerShaft[i];
        double mass = 0.0, speed = 0.0;
        std::string names;
        for (const ShaftResultsForSystem& sub : sh.shaftResultsPerSubShaft) {
            mass += sub.shaftMass;
            speed = sub.nominalShaftSpeed;
            names += (names.empty() ? "" : ", ") + sub.shaftName.toUtf8();
            ++subShafts;
        }
        size_t own = 0;
        for (const BearingResultsForSystem& b : sh.bearingResults) (b.isConnecting ? connections : own) += 1;
        bearings += own;
        shaftMass += mass;
        shafts.push_back({"", {std::to_string(i + 1), names, fixedText(mass, 2), fixedText(speed, 1), std::to_string(own)}});
    }
    std::vector<std::pair<std::string, std::vector<std::string>>> meshes;
    for (const SystemVibrationResultsPerGear& g : r.resultsPerGear) {
        std::string gears;
        double hz = 0.0;
        for (const GearCalcResultsForSystem& c : g.gearCalcResults) {
            gearMass += c.gearMass;
            gears += fmt::format("{}{} ({} teeth, {} kg)", gears.empty() ? "" : ", ", c.gearName.toUtf8(), fixedText(c.gearMeshFrequencyMultiplier, 0),
                                 fixedText(c.gearMass, 2));
            if (hz == 0.0) hz = c.nominalGearMeshFrequency;
        }
        const std::string name = g.gearMeshProps.empty() ? "" : g.gearMeshProps[0].gearMeshName.toUtf8();
        const double k = g.gearCalcResults.empty() ? 0.0 : g.gearCalcResults[0].gearMeshStiffness;
        meshes.push_back({"", {name, gears, numberText(k / 1e6, 4), fixedText(hz, 1)}});
    }
    h.table({"", ""}, {true, true},
            {{"", {"Degrees of freedom", std::to_string(solved.report.dofCount)}},
             {"", {"Controlling shaft, nominal speed", fmt::format("{}, {} 1/min", s.controllingShaft, fixedText(s.nominalSpeed, 1))}},
             {"", {"Operating speed range", fmt::format("{} \u2013 {} 1/min", fixedText(s.operatingSpeedMin, 1), fixedText(s.operatingSpeedMax, 1))}},
             {"", {"Shafts / sub-shafts", fmt::format("{} / {}", r.resultsPerShaft.size(), subShafts)}},
             {"", {"Mass of the shafts, of the gears", fmt::format("{} kg, {} kg", fixedText(shaftMass, 2), fixedText(gearMass, 2))}},
             {"", {"Bearings, connections between shafts", fmt::format("{}, {}", bearings, connections)}},
             {"", {"Gear meshes", std::to_string(r.resultsPerGear.size())}},
             {"", {"Campbell speeds", s.campbellSpeeds.empty() ? std::string("none")
                                                               : fmt::format("{} from {} to {} 1/min", s.campbellSpeeds.size(),
                                                                             fixedText(s.campbellSpeeds.front(), 0), fixedText(s.campbellSpeeds.back(), 0))}},
             {"", {"Forced-response speeds", r.forcedResponseResults.empty() ? std::string("none")
                                                                             : fmt::format("{}, {} excitations", r.forcedResponseResults.size(), s.excitations.size())}}},
            "facts");
    h.line("<h3>Shafts</h3>");
    h.table({"Shaft", "Sub-shafts", "Mass [kg]", "Nominal speed [1/min]", "Bearings"}, {false, true}, shafts);
    if (!meshes.empty()) {
        h.line("<h3>Gear meshes</h3>");
        h.table({"Mesh", "Gears", "Mesh stiffness [N/\u00b5m]", "Tooth-pass frequency at nominal speed [Hz]"}, {true, true}, meshes, "wrap");
    }
    h.line("</section>");
}

void modesSection(Html& h, const SystemDynamicsSummary& s, double minLogDecrement) {
    h.line(fmt::format("<section id=\"modes\"><h2>Modes at the nominal speed ({} 1/min)</h2>", fixedText(s.nominalSpeed, 1)));
    if (s.modes.empty()) {
        h.line("<p class=\"note\">No modal analysis: the solver gave no modes.</p></section>");
        return;
    }
    h.line(fmt::format("<p class=\"note\">Frequencies are damped natural frequencies. \u03b6 is the damping ratio, \u03b4 = 2\u03c0\u03b6/\u221a(1 \u2212 \u03b6\u00b2) the "
                       "logarithmic decrement; modes with \u03b6 &lt; 0 grow (unstable), modes with \u03b4 &lt; {} are lightly damped. Energy "
                       "shares are of the strain energy.</p>",
                       esc(numberText(minLogDecrement, 3))));
    std::vector<std::pair<std::string, std::vector<std::string>>> rows;
    for (size_t i = 0; i < s.modes.size(); ++i) {
        const ModeSummary& m = s.modes[i];
        const ModeStability& st = m.stability;
        const std::string status = st.rigid ? "rigid body" : m.unstable ? "UNSTABLE" : m.lightlyDamped ? "lightly damped" : "";
        rows.push_back({m.unstable ? "alarm" : m.lightlyDamped ? "warn" : "",
                        {std::to_string(i + 1), st.description, fixedText(st.frequency, 2), fixedText(st.undampedFrequency, 2),
                         st.rigid ? "\u2013" : fixedText(st.dampingRatio, 4), st.rigid ? "\u2013" : fixedText(st.logDecrement, 3),
                         whirlText(st.whirl),
                         fmt::format("{} \u00b7 {} \u00b7 {} \u00b7 {}", percent(m.bendingShare), percent(m.torsionShare),
                                     percent(m.axialShare), percent(m.supportShare)),
                         status}});
    }
    h.table({"#", "Mode", "Frequency [Hz]", "Undamped [Hz]", "\u03b6", "\u03b4", "Whirl",
             "Energy: bending \u00b7 torsion \u00b7 axial \u00b7 supports [%]", "Stability"},
            {false, true, false, false, false, false, true, false, true}, rows);
    h.line("</section>");
}

void campbellSection(Html& h, const SystemDynamicsSummary& s) {
    h.line("<section id=\"campbell\"><h2>Campbell diagram and critical speeds</h2>");
    if (s.branches.empty()) {
        h.line("<p class=\"note\">Not available: the definition has no Campbell speeds, so no curves were tracked and no critical "
               "speeds found.</p></section>");
        return;
    }
    h.figure(campbellSvg(s, "campbell"),
             fmt::format("Campbell diagram: {} tracked curves over {} speeds, {} order lines, {} critical speeds (numbered as in the "
                         "table below).",
                         s.branches.size(), s.campbellSpeeds.size(), s.orderLines.size(), s.criticalSpeeds.size()));
    h.line("<h3 id=\"critical-speeds\">Critical speeds</h3>");
    h.line("<p class=\"note\">Crossings of the tracked curves with the excitation orders, interpolated between the computed "
           "speeds. Margin: distance from the operating range in % of its nearer end (negative inside it). Required: the margin "
           "the amplification factor asks for by API 617 / API RP 684 (none below AF 2.5; below the range "
           "min(16, 17(1 \u2212 1/(AF \u2212 1.5))) %, above it min(26, 10 + 17(1 \u2212 1/(AF \u2212 1.5))) %). The AF is the "
           "largest half-power AF of a matching forced-response peak, else 1/(2\u03b6).</p>");
    std::vector<std::pair<std::string, std::vector<std::string>>> rows;
    for (size_t i = 0; i < s.criticalSpeeds.size(); ++i) {
        const CriticalSpeed& c = s.criticalSpeeds[i];
        rows.push_back({c.marginSufficient ? "" : "alarm",
                        {std::to_string(i + 1), c.mode, c.excitation, fixedText(c.speed, 1), fixedText(c.frequency, 2),
                         fixedText(c.dampingRatio, 4), fixedText(c.logDecrement, 3), whirlText(c.whirl),
                         numberText(c.amplificationFactor, 3), c.afFromResponse ? "response" : "1/(2\u03b6)", fixedText(c.margin, 1),
                         fixedText(c.requiredMargin, 1),
                         c.marginSufficient ? (c.inOperatingRange ? "in range, AF < 2.5" : "met") : (c.inOperatingRange ? "IN RANGE" : "SHORT")}});
    }
    if (rows.empty()) h.line("<p class=\"note\">No curve crosses an order line within the speeds computed.</p>");
    else h.table({"#", "Mode", "Excitation", "Speed [1/min]", "Frequency [Hz]", "\u03b6", "\u03b4", "Whirl", "AF", "AF from", "Margin [%]",
                  "Required [%]", "Margin"},
                 {false, true, true, false, false, false, false, true, false, true, false, false, true}, rows);
    h.line("<h3>Stability along the curves</h3>");
    std::vector<std::pair<std::string, std::vector<std::string>>> curves;
    for (const BranchSummary& b : s.branches)
        curves.push_back({b.unstableInRange ? "alarm" : b.lightlyDampedInRange ? "warn" : "",
                          {b.curve.id, b.family, whirlText(b.whirl), fixedText(b.minLogDecrement, 3), fixedText(b.speedOfMinimum, 0),
                           std::isfinite(b.instabilityOnset) ? fixedText(b.instabilityOnset, 0) : std::string("none"),
                           b.unstableInRange ? "UNSTABLE" : b.lightlyDampedInRange ? "lightly damped" : "stable"}});
    h.table({"Curve", "Family", "Whirl", "Least \u03b4", "at [1/min]", "Unstable from [1/min]", "In the operating range"},
            {true, true, true, false, false, false, true}, curves);
    h.line("</section>");
}

void shapesSection(Html& h, const SolverInput& input, const SystemDynamicsSummary& s, const ReportOptions& o) {
    h.line("<section id=\"mode-shapes\"><h2>Shapes of the critical modes</h2>");
    std::vector<ModeShapeRequest> requests;
    std::vector<std::string> titles;
    if (!s.criticalSpeeds.empty()) {
        for (size_t i : criticalToDraw(s, o.maxShapes)) {
            const CriticalSpeed& c = s.criticalSpeeds[i];
            requests.push_back({c.speed, c.frequency, c.dampingRatio});
            titles.push_back(fmt::format("Critical speed {}: {} at {} 1/min, {} Hz ({})", i + 1, c.mode, fixedText(c.speed, 0),
                                         fixedText(c.frequency, 2), c.excitation));
        }
    } else {
        // Without critical speeds: the lowest elastic modes at the nominal speed.
        for (const ModeSummary& m : s.modes) {
            if (m.stability.rigid || requests.size() >= o.maxShapes || !(m.stability.frequency > 0)) continue;
            requests.push_back({s.nominalSpeed, m.stability.frequency, std::clamp(m.stability.dampingRatio, -0.99, 0.99)});
            titles.push_back(fmt::format("{} at {} Hz, nominal speed {} 1/min", m.stability.description, fixedText(m.stability.frequency, 2),
                                         fixedText(s.nominalSpeed, 0)));
        }
        if (!requests.empty())
            h.line("<p class=\"note\">No critical speeds were found (no Campbell speeds, or no crossing): the lowest modes at the "
                   "nominal speed are drawn instead.</p>");
    }
    if (requests.empty()) {
        h.line("<p class=\"note\">Not available: there is no mode to draw.</p></section>");
        return;
    }
    const ModeShapeReport shapes = SolveModeShapes(input.definition, input.options, requests, 240);
    if (shapes.status != kSolverOk) {
        h.line("<p class=\"note\">Not available: the mode shapes could not be computed: " + esc(shapes.message) + "</p></section>");
        return;
    }
    for (size_t k = 0; k < shapes.shapes.size(); ++k) {
        const ModeShape& shape = shapes.shapes[k];
        h.figure(modeShapeSvg(shape, titles[k], fmt::format("shape{}", k)),
                 fmt::format("{}. Refined at that speed: {} Hz, \u03b6 = {}, {} whirl{}.", titles[k], fixedText(shape.mode.frequency, 2),
                             fixedText(shape.mode.dampingRatio, 4), whirlText(shape.mode.whirl), shape.converged ? "" : " (iteration did not settle)"));
    }
    h.line("</section>");
}

void forcedSection(Html& h, const SolvedDefinition& solved, const SystemDynamicsSummary& s, const ReportOptions& o) {
    h.line("<section id=\"forced-response\"><h2>Forced response and amplification factors</h2>");
    const SystemVibrationResults& r = solved.results;
    if (r.forcedResponseResults.empty()) {
        h.line("<p class=\"note\">Not available: the definition has no forced-response run, so no response was computed and no "
               "amplification factor measured.</p></section>");
        return;
    }
    h.line("<p class=\"note\">Deflection amplitude \u221a(|u<sub>x</sub>|\u00b2 + |u<sub>y</sub>|\u00b2 + |u<sub>z</sub>|\u00b2) at "
           "each documentation point over the speed. Amplification factor by the half-power bandwidth: AF = n<sub>peak</sub> / "
           "(n<sub>2</sub> \u2212 n<sub>1</sub>), with the peak and the half-power speeds interpolated between the computed speeds.</p>");
    std::vector<std::pair<std::string, std::vector<std::string>>> rows;
    for (const ResonancePeak& p : s.peaks)
        rows.push_back({p.peak.resolved ? "" : "warn",
                        {p.docPointName, p.excitation, fixedText(p.peak.x, 1), numberText(p.peak.amplitude * 1e6, 4),
                             fixedText(p.peak.lower, 1), fixedText(p.peak.upper, 1),
                             p.peak.resolved ? numberText(p.peak.amplificationFactor, 3) : std::string("narrower than the grid"),
                             fixedText(p.frequency, 2), p.mode.empty() ? "\u2013" : p.mode}});
    if (rows.empty()) h.line("<p class=\"note\">No peak with both half-power points inside the speeds computed.</p>");
    else h.table({"Documentation point", "Excitation", "Peak [1/min]", "Amplitude [\u00b5m]", "n\u2081 [1/min]", "n\u2082 [1/min]", "AF",
                  "Excitation frequency [Hz]", "Mode"},
                 {true, true, false, false, false, false, false, false, true}, rows);
    // Pictures: the documentation points with the largest peaks first.
    const size_t points = r.forcedResponseResults[0].docPointResults.size();
    std::vector<std::pair<double, size_t>> rank;
    for (size_t p = 0; p < points; ++p) {
        double top = 0.0;
        for (size_t c = 0; c < s.excitations.size(); ++c)
            for (double v : DocPointDeflectionAmplitude(r, p, c)) top = std::max(top, v);
        rank.emplace_back(-top, p);
    }
    std::stable_sort(rank.begin(), rank.end());
    if (rank.size() > o.maxResponsePictures) rank.resize(o.maxResponsePictures);
    std::sort(rank.begin(), rank.end(), [](const auto& a, const auto& b) { return a.second < b.second; });
    for (const auto& [top, p] : rank)
        h.figure(responseSvg(r, s, p, o.logAmplitude, fmt::format("response{}", p)),
                 fmt::format("Documentation point {} ({}): deflection amplitude over the speed{}.",
                             r.forcedResponseResults[0].docPointResults[p].docPointName.toUtf8(), p + 1,
                             o.logAmplitude ? ", logarithmic axis" : ""));
    if (points > o.maxResponsePictures)
        h.line(fmt::format("<p class=\"note\">{} of {} documentation points drawn (those that move most); all are in the table.</p>",
                           o.maxResponsePictures, points));
    h.line("</section>");
}

}  // namespace

ReportDocument buildReport(const SolverInput& input, const SolvedDefinition& solved, const ReportOptions& options) {
    ReportDocument doc;
    SummaryOptions so = options.summary;
    so.forcedResponse = input.hasForcedResponse ? &input.forcedResponse : nullptr;
    doc.summary = SummarizeSystemDynamics(solved.results, solved.report, so);
    const SystemDynamicsSummary& s = doc.summary;

    Html h;
    h.line("<!DOCTYPE html>");
    h.line("<html lang=\"en\"><head><meta charset=\"utf-8\"><meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">");
    h.line("<title>" + esc("Rotordynamic report" + (options.source.empty() ? "" : " \u2013 " + options.source)) + "</title>");
    h.line(std::string("<style>") + kStyle + "</style></head><body><main>");
    h.line("<header><h1>Rotordynamic report</h1>");
    h.line("<p class=\"sub\">" + esc(fmt::format("{}drivesys {} \u00b7 speeds in 1/min of the controlling shaft, frequencies in Hz, "
                                                 "deflections in \u00b5m", options.source.empty() ? "" : options.source + " \u00b7 ",
                                                 DRIVESYS_VERSION_STRING)) + "</p></header>");

    // Warnings first: what needs attention, then what could not be filled.
    h.line("<section id=\"warnings\"><h2>Warnings</h2>");
    if (s.warnings.empty() && s.missing.empty()) {
        h.line("<p class=\"ok\">No warnings: every mode is stable and damped above the limit, and every critical speed keeps its margin.</p>");
    } else {
        if (s.warnings.empty()) h.line("<p class=\"ok\">No warnings for what was computed.</p>");
        h.line("<ul class=\"warnings\">");
        for (const std::string& w : s.warnings) {
            const bool alarm = w.find("unstable") != std::string::npos || w.find("inside the operating range") != std::string::npos;
            h.line(std::string("<li") + (alarm ? " class=\"alarm\"" : "") + ">" + esc(w) + "</li>");
        }
        for (const std::string& m : s.missing) h.line("<li class=\"missing\">Not in this report: " + esc(m) + "</li>");
        h.line("</ul>");
    }
    h.line("</section>");
    modelSection(h, solved, s);
    modesSection(h, s, so.minLogDecrement);
    campbellSection(h, s);
    shapesSection(h, input, s, options);
    forcedSection(h, solved, s, options);
    h.line("<footer>Written by drivesys " DRIVESYS_VERSION_STRING ". Tables as CSV beside this file.</footer>");
    h.line("</main></body></html>");
    doc.html = h.take();
    doc.modesCsv = modesCsv(s);
    doc.criticalSpeedsCsv = criticalCsv(s);
    return doc;
}

}  // namespace ds::report
