#include "drivesys/dynamics/diagrams.h"

#include <algorithm>
#include <cfloat>
#include <climits>
#include <limits>
#include <cmath>
#include <mutex>
#include <stdexcept>
#include <string_view>

#include "drivesys/platform/nmath/ndimensions.h"
#include "drivesys/platform/nmath/nformat.h"
#include "drivesys/platform/ntypes/translator.h"
#include "drivesys/dynamics/forced_response_plot.h"

namespace {

// ---- texts -------------------------------------------------------------------------------------

enum TextId : int {
    kModeShapeName = 73,
    kPositionOnShaft = 293,
    kNominalSpeed = 720,
    kShaft = 947,
    kSpeed = 3431,
    kDeflection = 4840,
    kNormalised = 4936,
    kEigenfrequency = 4937,
    kSpeedOrders = 5064,
    kCrossingFrequencies = 5099,
    kRotation = 5146,
    kCampbellDiagram = 5287,
    kOrder = 5341,
    kCampbellMismatch = 5349,
    kModes = 5350,
    kNodes = 6267,
    kSuffixX = 6673,
    kSuffixY = 6674,
    kSuffixZ = 6675,
};

void ensureTexts() {
    static std::once_flag once;
    std::call_once(once, [] {
        ntypes::addBuiltinTexts({
            {kModeShapeName, L"Mode shape"},
            {kPositionOnShaft, L"Position on shaft"},
            {kNominalSpeed, L"Nominal speed"},
            {kShaft, L"Shaft"},
            {kSpeed, L"speed"},
            {kDeflection, L"Deflection"},
            {kNormalised, L"normalised"},
            {kEigenfrequency, L"Eigenfrequency"},
            {kSpeedOrders, L"speed orders"},
            {kCrossingFrequencies, L"Eigenfrequencies at crossings with the order lines"},
            {kRotation, L"Rotation"},
            {kCampbellDiagram, L"Campbell diagram"},
            {kOrder, L"Order"},
            {kCampbellMismatch,
             L"The Campbell results do not fit the requested diagram: no calculated speed has the expected number of "
             L"modes. Run the Campbell calculation again."},
            {kModes, L"Modes"},
            {kNodes, L"Nodes of the mode shape"},
            {kSuffixX, L" (X)"},
            {kSuffixY, L" (Y)"},
            {kSuffixZ, L" (Z)"},
        });
    });
}

nWString text(int id) { return pool.GetString(id); }

// ---- helpers -----------------------------------------------------------------------------------

/// Bounds-checked element access with the message the host's runtime gives.
template <class V>
const typename V::value_type& checkedAt(const V& v, long long index) {
    if (index < 0 || static_cast<unsigned long long>(index) >= v.size()) throw std::out_of_range("invalid vector<T> subscript");
    return v[static_cast<size_t>(index)];
}

template <class V>
const typename V::value_type* findAt(const V& v, long long index) {
    return index < 0 || static_cast<unsigned long long>(index) >= v.size() ? nullptr : &v[static_cast<size_t>(index)];
}

const ShaftResultsForSystem* findSubShaft(const SystemVibrationResults& r, int shaft, int subShaft) {
    const auto* s = findAt(r.resultsPerShaft, shaft);
    return s ? findAt(s->shaftResultsPerSubShaft, subShaft) : nullptr;
}

nWString number(long long v) { return nWString(v); }
nWString rounded(double v) { return nWString(Runde(v, 2)); }

/// Minimum and maximum of `values`; a NaN running value or a NaN point leaves the other operand.
void rangeOf(const std::vector<double>& values, double& min, double& max) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    min = max = nan;
    for (double v : values) {
        min = std::fmin(min, v);
        max = std::fmax(max, v);
    }
    // No number at all: an empty range at 0.
    if (std::isnan(min)) min = max = 0.0;
    if (min == max) min = 0.0;
}

// ---- the three kinds of curve ------------------------------------------------------------------

void forcedResponseCurve(const SystemVibrationResults& results, const ShaftsSystemPlotPropertiesStruct& props,
                         const General2DPlotDefinitions& defs, General2DPlotProperties& d) {
    ForcedResponsePlotProperties fr = props.forcedResponseProperties;
    fr.shaftIndex = props.shaftIndex;
    fr.subShaftIndex = props.subShaftIndex;
    d = getForcedResponseResults2DData(results.forcedResponseResults, fr, defs);
    if (const auto* sub = findSubShaft(results, props.shaftIndex, props.subShaftIndex))
        d.subtitle = text(kShaft) + L": " + sub->shaftName;
}

void campbellCurve(const SystemVibrationResults& results, ShaftsSystemPlotPropertiesStruct& props,
                   General2DPlotProperties& d) {
    const ClassifiedCampbellResults& cls = results.resCampbellClassified;
    const int k = props.modeIndex;
    const bool orderLine = props.orderNumber >= 0;
    const size_t n = orderLine ? results.resCampbell.size() : checkedAt(cls.eigenfrequencies, k).curve.size();
    d.x.assign(n, 0.0);
    d.y.assign(n, 0.0);
    d.xLabel = results.controllingShaftName + L"_" + text(kSpeed);
    d.yLabel = text(kEigenfrequency);
    d.code = 11;
    if (orderLine) {
        d.yLabel += L" / GMF & " + text(kShaft) + L" " + text(kSpeedOrders);
        const long long o = static_cast<long long>(props.orderNumber) + 1;
        const NWelleResultCampbells* first = results.resCampbell.empty() ? nullptr : &results.resCampbell.front();
        const bool shaftLine = first && findAt(first->shaftsSpeeds, props.shaftSpeedIndex);
        const bool gearLine = !shaftLine && first && findAt(first->gearMeshFrequency, props.gearMeshIndex);
        for (size_t j = 0; j < n; ++j) {
            const NWelleResultCampbells& e = results.resCampbell[j];
            d.x[j] = e.speed;
            if (shaftLine) {
                const nWString* name = findAt(e.shaftsNames, props.shaftSpeedIndex);
                d.curveName = (name ? *name : nWString()) + L" " + text(kOrder) + L": " + number(o);
                if (const double* v = findAt(e.shaftsSpeeds, props.shaftSpeedIndex)) d.y[j] = std::fabs(*v);
            } else if (gearLine) {
                const nWString* name = findAt(e.gearNames, props.gearMeshIndex);
                d.curveName = (name ? *name : nWString()) + L" / GMF / " + text(kOrder) + L": " + number(o);
                if (const double* v = findAt(e.gearMeshFrequency, props.gearMeshIndex)) d.y[j] = *v;
            }
            d.y[j] *= double(o);
        }
    } else {
        d.curveName = checkedAt(cls.eigenID, k);
        const auto& curve = cls.eigenfrequencies[static_cast<size_t>(k)].curve;
        for (size_t j = 0; j < n; ++j) {
            d.x[j] = checkedAt(cls.frequencyInputRange, static_cast<long long>(j));
            d.y[j] = curve[j];
        }
    }
    const CurveStyle style = campbellCurveStyle(props.curveCounter);
    d.colorIndex = style.colorIndex;
    d.lineStyle = style.lineStyle;
    d.xUnit = NDimensions::RevolutionsPerMinute;
    d.yUnit = NDimensions::Hertz;
    d.subtitle = text(kCampbellDiagram);
    ++props.curveCounter;
}

/// The value of mode-shape point `i` that `defs` selects; 0 when the point does not exist or
/// quantity or direction are not known.
double modeShapePointValue(const NWelleResultEigenmodeProperties* mode, size_t i, const General2DPlotDefinitions& defs) {
    if (!mode || i >= mode->modeShape.size()) return 0.0;
    const NWelleResultEigenform& p = mode->modeShape[i];
    const NVektor* v = defs.quantity == 0 ? &p.u : defs.quantity == 1 ? &p.angle : nullptr;
    if (!v) return 0.0;
    switch (defs.direction) {
        case 0: return v->x;
        case 1: return v->y;
        case 2: return v->z;
        case 3: return std::sqrt(v->x * v->x + v->y * v->y);
        case 4: return std::sqrt(v->z * v->z + v->x * v->x);
        case 5: return std::sqrt(v->z * v->z + v->y * v->y);
        case 6: return std::sqrt(v->x * v->x + v->y * v->y + v->z * v->z);
        default: return 0.0;
    }
}

void modeShapeCurve(const SystemVibrationResults& results, const ShaftsSystemPlotPropertiesStruct& props,
                    const General2DPlotDefinitions& defs, General2DPlotProperties& d) {
    const ShaftResultsForSystem* sub = findSubShaft(results, props.shaftIndex, props.subShaftIndex);
    const NWelleResultEigenmodeProperties* mode = sub ? findAt(sub->mode, props.modeIndex) : nullptr;
    const size_t n = mode ? mode->modeShape.size() : 0;
    d.x.resize(n);
    d.y.resize(n);
    for (size_t i = 0; i < n; ++i) {
        d.x[i] = mode->modeShape[i].pos;
        d.y[i] = modeShapePointValue(mode, i, defs);
    }
    d.xLabel = text(kPositionOnShaft);
    NDimensions::changeUnit(d.x, NDimensions::NoUnit, NDimensions::Millimeter);
    d.xUnit = NDimensions::Millimeter;
    d.yUnit = NDimensions::RelativeAmplitude;
    d.yLabel = defs.quantity == 0 ? text(kDeflection) : defs.quantity == 1 ? text(kRotation) : nWString();
    switch (defs.direction) {
        case 0: d.yLabel += text(kSuffixX); break;
        case 1: d.yLabel += text(kSuffixY); break;
        case 2: d.yLabel += text(kSuffixZ); break;
        case 3: d.yLabel += L" (Rxy)"; break;
        case 4: d.yLabel += L" (Rxz)"; break;
        case 5: d.yLabel += L" (Ryz)"; break;
        case 6: d.yLabel += L" (Rxyz)"; break;
        default: break;
    }
    d.code = 11;
    d.referenceLevel = 0.0;
    d.curveName = text(kModeShapeName) + L" (" + text(kNormalised) + L")";
    d.subtitle.clear();
    if (sub)
        d.subtitle = text(kShaft) + L": " + sub->shaftName + L", " + text(kEigenfrequency) + L" " +
                     number(static_cast<long long>(props.modeIndex) + 1) + L": " + rounded(mode ? mode->frequency : 0.0);
}

// ---- command parsing ---------------------------------------------------------------------------

std::vector<std::wstring_view> splitTokens(std::wstring_view command) {
    std::vector<std::wstring_view> tokens;
    size_t start = 0;
    while (true) {
        const size_t end = command.find(L'_', start);
        tokens.push_back(command.substr(start, end == std::wstring_view::npos ? std::wstring_view::npos : end - start));
        if (end == std::wstring_view::npos) return tokens;
        start = end + 1;
    }
}

/// A decimal integer: optional sign and the digits that follow (to the first other character);
/// no digits read 0, values beyond int saturate.
int parseInt(std::wstring_view t) {
    size_t i = 0;
    while (i < t.size() && (t[i] == L' ' || t[i] == L'\t')) ++i;
    bool negative = false;
    if (i < t.size() && (t[i] == L'-' || t[i] == L'+')) negative = t[i++] == L'-';
    long long v = 0;
    for (; i < t.size() && t[i] >= L'0' && t[i] <= L'9'; ++i) {
        v = v * 10 + (t[i] - L'0');
        if (v > static_cast<long long>(INT_MAX) + 1) break;
    }
    if (negative) v = -v;
    return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
}

int wordCode(std::wstring_view token, std::initializer_list<std::wstring_view> words) {
    int code = 0;
    for (std::wstring_view w : words) {
        if (token == w) return code;
        ++code;
    }
    return 0;
}

constexpr std::wstring_view kWrongParameters = L"Wrong number of input parameters";

void addError(nGrafikData& data, const nWString& message) { data.addElement({L"error", message}); }

NCurveOption curveOption(const General2DPlotProperties& d) {
    const int color = NColor::hasSchemeColor(1, d.colorIndex) ? d.colorIndex : 0;
    return NCurveOption(NColor::fromScheme(1, color), d.lineStyle, true, true);
}

/// Adds all points of `d` to curve `name`; true when one y differs from 0.
bool addPoints(NDiagramAdmin& admin, const nWString& name, const General2DPlotProperties& d) {
    bool present = false;
    for (size_t i = 0; i < d.x.size() && i < d.y.size(); ++i) {
        admin.addCurvePoint(name, d.x[i], d.y[i]);
        present = present || d.y[i] != 0.0;
    }
    return present;
}

void setAxes(NDiagramAdmin& admin, const General2DPlotProperties& d, double xMin, double xMax, double yMin, double yMax) {
    admin.setXAxis(d.xLabel, xMin, xMax, d.xUnit, d.xScale, false, false);
    admin.setYAxis(d.yLabel, yMin, yMax, d.yUnit, d.yScale, false, false);
}

void drawForcedResponse(const std::vector<std::wstring_view>& tokens, nGrafikData& data, bool drawMarkers, bool flag,
                        int defaultShaft, int defaultSubShaft, int plotParameter, const SystemVibrationResults& results) {
    const bool whirl = tokens.size() > 1 && tokens[1].starts_with(L"Whirl");
    if (tokens.size() < 2 || (!whirl && tokens.size() < 4)) return addError(data, nWString(kWrongParameters));
    General2DPlotDefinitions defs;
    defs.quantity = wordCode(tokens[1], {L"Deflection", L"Rotation", L"Moment", L"Force", L"WhirlMajor", L"WhirlMinor", L"WhirlPhase"});
    if (!whirl) {
        defs.part = wordCode(tokens[2], {L"Amplitude", L"Phase", L"Real", L"Imaginary"});
        defs.direction = wordCode(tokens[3], {L"X", L"Y", L"Z"});
    }
    ShaftsSystemPlotPropertiesStruct props;
    props.shaftIndex = tokens.size() >= 5 ? parseInt(tokens[whirl ? 2 : 4]) : defaultShaft;
    props.subShaftIndex = tokens.size() >= 6 ? parseInt(tokens[whirl ? 3 : 5]) : defaultSubShaft;
    int selector = -1;
    if (!whirl && tokens.size() >= 7 && !results.forcedResponseResults.empty() &&
        !results.forcedResponseResults.front().docPointResults.empty())
        selector = parseInt(tokens[6]);
    else if (whirl && tokens.size() >= 5)
        selector = parseInt(tokens[4]);
    props.forcedResponseProperties.docPointSelector = selector;
    props.forcedResponseProperties.plotParameter = plotParameter;
    props.forcedResponseProperties.overFrequency = flag;

    const General2DPlotProperties d = getSystemDynamicsResults2DData(results, props, defs);
    data.addElement({L"title", d.subtitle});
    NDiagramAdmin admin(L"diagram", d.subtitle);
    data.addGroupProperty(L"curvesGroup", L"Forced response", L"", false);
    admin.addCurve(L"currentCurve", d.curveName, curveOption(d), L"curvesGroup");
    const bool present = addPoints(admin, L"currentCurve", d);
    double yMin = d.yMin;
    if (defs.quantity != wmath::kQuantityMoment && defs.quantity != wmath::kQuantityForce && yMin > 0) yMin = 0;
    setAxes(admin, d, d.xMin, d.xMax, yMin, d.yMax);
    admin.setDiagram(data, true);
    data.setOk(drawMarkers && present);
}

void drawCampbell(nGrafikData& data, bool drawMarkers, unsigned modeCount, unsigned crossingOrders,
                  const SystemVibrationResults& results) {
    const auto& speeds = results.resCampbell;
    if (std::none_of(speeds.begin(), speeds.end(), [&](const auto& e) { return e.modeProperties.size() == modeCount; }))
        return addError(data, text(kCampbellMismatch));
    const unsigned orders = std::min(crossingOrders, kMaxDiagramOrders);
    const ClassifiedCampbellResults& cls = results.resCampbellClassified;

    data.addGroupProperty(L"modes", text(kModes), L"", false);
    NDiagramAdmin admin(L"diagram", text(kCampbellDiagram));
    if (orders != 0) admin.setComment(text(kCrossingFrequencies) + L" (Hz):");
    std::vector<double> crossingSpeeds = cls.frequencyInputRange;
    wmath::multiplyWithConstant(crossingSpeeds, 1.0 / 60.0);

    General2DPlotDefinitions defs;
    ShaftsSystemPlotPropertiesStruct props;
    double xMin = DBL_MAX, xMax = DBL_MIN, yMin = DBL_MAX, yMax = DBL_MIN;
    std::vector<double> collected, crossings;
    std::vector<int> crossingOrdersFound;
    for (size_t k = 0; k < cls.eigenfrequencies.size(); ++k) {
        props.modeIndex = static_cast<int>(std::min<size_t>(k, INT_MAX));
        props.orderNumber = -1;
        const General2DPlotProperties d = getSystemDynamicsResults2DData(results, props, defs);
        xMin = std::min(xMin, d.xMin);
        xMax = std::max(xMax, d.xMax);
        yMin = std::min(yMin, d.yMin);
        yMax = std::max(yMax, d.yMax);
        const nWString name = L"mode" + number(static_cast<long long>(k) + 1);
        admin.addCurve(name, d.curveName, curveOption(d), L"modes");
        addPoints(admin, name, d);
        if (orders == 0) continue;
        wmath::findCrossingEigenfrequencies(crossingSpeeds, cls.eigenfrequencies[k].curve, crossings, crossingOrdersFound, orders);
        for (size_t c = 0; c < crossings.size(); ++c) {
            const double v = crossings[c], m = crossingOrdersFound[c];
            admin.addMarker(60.0 * v, m * v, NColor::fromScheme(1, 1), L"");
            collected.push_back(m * v);
        }
    }
    std::sort(collected.begin(), collected.end());
    for (double v : collected) admin.addLineToComment(rounded(v) + L", ");

    data.addGroupProperty(L"GMFCurves", L"GMFCurve", L"", false);
    data.addGroupProperty(L"shaftSpeedsCurves", L"shaftSpeedsCurve", L"", false);
    General2DPlotProperties lastOrderLine;
    auto addOrderLine = [&](const nWString& name, const nWString& group) {
        lastOrderLine = getSystemDynamicsResults2DData(results, props, defs);
        admin.addCurve(name, lastOrderLine.curveName, curveOption(lastOrderLine), group);
        addPoints(admin, name, lastOrderLine);
    };
    if (!speeds.empty()) {
        const NWelleResultCampbells& first = speeds.front();
        for (unsigned o = 1; o <= orders; ++o) {
            props.orderNumber = static_cast<int>(o) - 1;
            const nWString prefix = L"numResCruve=" + number(o - 1) + L" i=";
            props.shaftSpeedIndex = -1;
            for (size_t i = 0; i < first.gearMeshFrequency.size(); ++i) {
                props.gearMeshIndex = static_cast<int>(std::min<size_t>(i, INT_MAX));
                addOrderLine(L"GMFCurve " + prefix + number(static_cast<long long>(i)), L"GMFCurves");
            }
            props.gearMeshIndex = -1;
            for (size_t i = 0; i < first.shaftsSpeeds.size(); ++i) {
                props.shaftSpeedIndex = static_cast<int>(std::min<size_t>(i, INT_MAX));
                addOrderLine(L"shaftSpeedsCurve " + prefix + number(static_cast<long long>(i)), L"shaftSpeedsCurves");
            }
        }
    }
    data.addElement({L"title", lastOrderLine.subtitle});
    if (drawMarkers && !speeds.empty()) {
        admin.addMarkerX(speeds.front().speed, L"", false, false);
        admin.addMarker(speeds.front().speed, 0.0, L" " + text(kNominalSpeed));
    }
    setAxes(admin, lastOrderLine, xMin, xMax, orders != 0 ? 0.0 : yMin, yMax);
    admin.setDiagram(data, true);
}

void drawModeShape(const std::vector<std::wstring_view>& tokens, nGrafikData& data, bool drawMarkers,
                   const SystemVibrationResults& results) {
    if (tokens.size() < 6) return addError(data, nWString(kWrongParameters));
    General2DPlotDefinitions defs;
    defs.quantity = wordCode(tokens[1], {L"Deflection", L"Rotation"});
    defs.direction = wordCode(tokens[2], {L"X", L"Y", L"Z"});
    ShaftsSystemPlotPropertiesStruct props;
    props.shaftIndex = parseInt(tokens[3]);
    props.subShaftIndex = parseInt(tokens[4]);
    props.modeIndex = parseInt(tokens[5]);

    const General2DPlotProperties d = getSystemDynamicsResults2DData(results, props, defs);
    data.addElement({L"title", d.subtitle});
    NDiagramAdmin admin(L"diagram", d.subtitle);
    data.addGroupProperty(L"curvesGroup", L"Modeshape", L"", false);
    admin.addCurve(L"currentCurve", d.curveName, curveOption(d), L"curvesGroup");
    const bool present = addPoints(admin, L"currentCurve", d);
    admin.setComment(text(kNodes) + L" (mm):");
    if (d.x.size() == d.y.size()) {
        std::vector<double> nodes;
        for (size_t k = d.x.size(); k-- > 1;) {
            const double x0 = d.x[k - 1], x1 = d.x[k], y0 = d.y[k - 1], y1 = d.y[k];
            const double s = (y1 - y0) / (x1 - x0);
            if (s == 0.0) continue;
            const double c = (y0 * x1 - y1 * x0) / (x1 - x0);
            const double r = -c / s;
            // Half-open: a root on the right end belongs to the next segment.
            if (x0 <= r && r < x1) {
                admin.addMarker(r, 0.0, L"");
                nodes.push_back(r);
            }
        }
        std::sort(nodes.begin(), nodes.end());
        for (double r : nodes) admin.addLineToComment(rounded(r) + L", ");
    }
    setAxes(admin, d, d.xMin, d.xMax, d.yMin, d.yMax);
    admin.setDiagram(data, true);
    data.setOk(drawMarkers && present);
}

}  // namespace

CurveStyle campbellCurveStyle(int counter) {
    const int c = std::max(counter, 0);
    if (c <= 16) return {c, 0};
    if (c <= 32) return {c - 17, 1};
    if (c <= 48) return {c - 33, 2};
    return {(c - 49) % 17, 3};
}

General2DPlotProperties getSystemDynamicsResults2DData(const SystemVibrationResults& results,
                                                       ShaftsSystemPlotPropertiesStruct& props,
                                                       const General2DPlotDefinitions& defs) {
    ensureTexts();
    General2DPlotProperties d;
    switch (results.performedCalculation) {
        case 1: forcedResponseCurve(results, props, defs, d); break;
        case 2: campbellCurve(results, props, d); break;
        case 0: modeShapeCurve(results, props, defs, d); break;
        default: break;
    }
    rangeOf(d.x, d.xMin, d.xMax);
    rangeOf(d.y, d.yMin, d.yMax);
    return d;
}

nGrafikData InitSystemDynamicGrafik(const wchar_t* commandText, nGrafikData& data, bool drawMarkers,
                                    const NCalculationContext& /*context*/, bool flag, unsigned int modeCount,
                                    unsigned int crossingOrders, int defaultShaft, int defaultSubShaft, int plotParameter,
                                    bool /*spare*/, const SystemVibrationResults& results) {
    ensureTexts();
    const std::vector<std::wstring_view> tokens = splitTokens(commandText ? std::wstring_view(commandText) : std::wstring_view());
    const std::wstring_view what = tokens.front();
    if (what == L"DrawForcedResponse")
        drawForcedResponse(tokens, data, drawMarkers, flag, defaultShaft, defaultSubShaft, plotParameter, results);
    else if (what == L"DrawCampbell")
        drawCampbell(data, drawMarkers, modeCount, crossingOrders, results);
    else if (what == L"DrawModeShape")
        drawModeShape(tokens, data, drawMarkers, results);
    else
        data.setOk(drawMarkers);
    return data;
}
