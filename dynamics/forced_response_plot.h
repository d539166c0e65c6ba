#pragma once
// The curve of one forced-response carrier: getForcedResponseResults2DData.
//
// The function reads the forced-response result tree (one entry per calculated speed, each with
// its documentation points, bearings and gear meshes); it is written against the member names of
// that tree, so it is a template instantiated by the caller with the tree's types.
//
// Carrier, per speed entry:
//   - props.docPointSelector ≥ 0: that entry of docPointResults;
//   - otherwise the first bearing whose shaftNumTM is props.shaftIndex;
//   - otherwise the first gear mesh whose main, input or output shaft is props.shaftIndex.
//   A speed entry without such a carrier adds no point.
//
// Layout of the series read (rows × columns of RealImaginaryAmplitudePhase):
//   - the two-level series uVec…, rVec…, fVec…, mVec… (deflection, rotation, force, moment) hold
//     one row per direction: row 0 x, row 1 y, row 2 z; further rows are not read. A missing row
//     or column counts as a zero sample.
//   - over speed (props.overFrequency false): one point per speed entry at x = speedRefBound,
//     read from column props.plotParameter of each row of the speed-domain record; the whirl
//     quantities take the speed-domain record's whirlMajorBendingSemiAxis,
//     whirlMinorBendingSemiAxis and whirlPhaseAngle.
//   - over frequency (props.overFrequency true): the spectrum of speed entry props.plotParameter,
//     x = the frequency-domain record's f, column i of each row belonging to f[i]. Whirl
//     quantities have no spectrum: no points.
//   - gear meshes have one series along the line of action (dispPL… for deflection, forcePL…
//     for force; other quantities give no points); the direction is not read.
//
// Units: results are SI; deflections and whirl semi-axes are drawn in µm, rotations in mrad,
// forces in N, moments in N·m, phases in rad; x in 1/min over speed, Hz over frequency.
#include <string>
#include <type_traits>

#include "drivesys/platform/nmath/ndimensions.h"
#include "drivesys/platform/wmath/plot2d.h"

namespace wmath {

namespace detail {
template <class Row>
ComplexSample sampleAt(const std::vector<Row>& rows, size_t row, size_t column) {
    ComplexSample s;
    if (row < rows.size() && column < rows[row].size()) {
        const auto& v = rows[row][column];
        s = {v.real, v.imaginary, v.amplitude, v.phase};
    }
    return s;
}
template <class Rows>
double directionalValue(const Rows& rows, size_t column, const General2DPlotDefinitions& defs) {
    return combineDirections(sampleAt(rows, 0, column), sampleAt(rows, 1, column), sampleAt(rows, 2, column), defs.part,
                             defs.direction);
}
template <class Series>
double lineOfActionValue(const Series& series, size_t column, int part) {
    if (column >= series.size()) return 0.0;
    const auto& v = series[column];
    return partValue({v.real, v.imaginary, v.amplitude, v.phase}, part);
}
template <class Domain>
const auto* freqRows(const Domain& d, int quantity) {
    using Rows = std::remove_cvref_t<decltype(d.uVecVsFreq)>;
    const Rows* rows = nullptr;
    switch (quantity) {
        case kQuantityDeflection: rows = &d.uVecVsFreq; break;
        case kQuantityRotation: rows = &d.rVecVsFreq; break;
        case kQuantityForce: rows = &d.fVecVsFreq; break;
        case kQuantityMoment: rows = &d.mVecVsFreq; break;
        default: break;
    }
    return rows;
}
template <class Domain>
const auto* speedRows(const Domain& d, int quantity) {
    using Rows = std::remove_cvref_t<decltype(d.uVecVsSpeed)>;
    const Rows* rows = nullptr;
    switch (quantity) {
        case kQuantityDeflection: rows = &d.uVecVsSpeed; break;
        case kQuantityRotation: rows = &d.rVecVsSpeed; break;
        case kQuantityForce: rows = &d.fVecVsSpeed; break;
        case kQuantityMoment: rows = &d.mVecVsSpeed; break;
        default: break;
    }
    return rows;
}
inline bool isWhirl(int quantity) { return quantity >= kQuantityWhirlMajor && quantity <= kQuantityWhirlPhase; }
template <class SpeedDomain>
double whirlValue(const SpeedDomain& d, int quantity) {
    switch (quantity) {
        case kQuantityWhirlMajor: return d.whirlMajorBendingSemiAxis;
        case kQuantityWhirlMinor: return d.whirlMinorBendingSemiAxis;
        default: return d.whirlPhaseAngle;
    }
}
}  // namespace detail

/// The curve of the carrier selected by `props` (see the header comment), as a curve
/// description: points, axis labels and units, curve name (the carrier's name), code 11 when
/// there is at least one point. Ranges are left to the caller.
template <class ForcedResponseList>
General2DPlotProperties getForcedResponseResults2DData(const ForcedResponseList& results,
                                                       const ForcedResponsePlotProperties& props,
                                                       const General2DPlotDefinitions& defs) {
    General2DPlotProperties out;
    const ForcedResponseAxisText axis = forcedResponseAxisText(defs, props.overFrequency);
    out.xLabel = axis.xLabel;
    out.yLabel = axis.yLabel;
    out.xUnit = axis.xUnit;
    out.yUnit = axis.yUnit;
    const int q = defs.quantity;
    const size_t column = props.plotParameter < 0 ? 0 : size_t(props.plotParameter);

    // Calls visit(docPoint), visit(bearing) or visit(gearMesh) for the carrier of one speed entry.
    auto withCarrier = [&](const auto& entry, auto&& onDirectional, auto&& onGearMesh) -> bool {
        if (props.docPointSelector >= 0) {
            if (size_t(props.docPointSelector) >= entry.docPointResults.size()) return false;
            const auto& d = entry.docPointResults[size_t(props.docPointSelector)];
            onDirectional(d.docPointName, d.docPointFreqDomain, d.docPointSpeedDomain);
            return true;
        }
        for (const auto& b : entry.bearingResults)
            if (b.shaftNumTM == props.shaftIndex) {
                onDirectional(b.name, b.bearingFreqDomain, b.bearingSpeedDomain);
                return true;
            }
        for (const auto& g : entry.gearMeshResults)
            if (g.shaftNumTMMain == props.shaftIndex || g.shaftNumTMInput == props.shaftIndex ||
                g.shaftNumTMOutput == props.shaftIndex) {
                onGearMesh(g);
                return true;
            }
        return false;
    };

    if (!props.overFrequency) {
        for (const auto& entry : results) {
            bool has = false;
            double value = 0.0;
            withCarrier(
                entry,
                [&](const nWString& name, const auto&, const auto& speedDomain) {
                    out.curveName = name;
                    has = true;
                    if (detail::isWhirl(q))
                        value = detail::whirlValue(speedDomain, q);
                    else if (const auto* rows = detail::speedRows(speedDomain, q))
                        value = detail::directionalValue(*rows, column, defs);
                    else
                        has = false;
                },
                [&](const auto& g) {
                    out.curveName = g.name;
                    has = q == kQuantityDeflection || q == kQuantityForce;
                    if (has)
                        value = detail::lineOfActionValue(
                            q == kQuantityDeflection ? g.gearMeshSpeedDomain.dispPLVsSpeed : g.gearMeshSpeedDomain.forcePLVsSpeed,
                            column, defs.part);
                });
            if (!has) continue;
            out.x.push_back(entry.speedRefBound);
            out.y.push_back(value);
        }
    } else if (column < results.size() && !detail::isWhirl(q)) {
        withCarrier(
            results[column],
            [&](const nWString& name, const auto& freqDomain, const auto&) {
                out.curveName = name;
                const auto* rows = detail::freqRows(freqDomain, q);
                if (!rows) return;
                for (size_t i = 0; i < freqDomain.f.size(); ++i) {
                    out.x.push_back(freqDomain.f[i]);
                    out.y.push_back(detail::directionalValue(*rows, i, defs));
                }
            },
            [&](const auto& g) {
                out.curveName = g.name;
                if (q != kQuantityDeflection && q != kQuantityForce) return;
                const auto& series = q == kQuantityDeflection ? g.gearMeshFreqDomain.dispPLVsFreq : g.gearMeshFreqDomain.forcePLVsFreq;
                for (size_t i = 0; i < g.gearMeshFreqDomain.f.size(); ++i) {
                    out.x.push_back(g.gearMeshFreqDomain.f[i]);
                    out.y.push_back(detail::lineOfActionValue(series, i, defs.part));
                }
            });
    }
    NDimensions::changeUnit(out.y, axis.valueUnit, axis.yUnit);
    out.subtitle = out.curveName;
    out.code = out.x.empty() ? 0 : 11;
    return out;
}

}  // namespace wmath

using wmath::getForcedResponseResults2DData;
