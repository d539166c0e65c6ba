#pragma once
#include "drivesys/platform/drivesys_export.h"

// Text ids of the housing messages and their built-in English templates.
namespace housing_texts {
/// Heading of the unmapped-node report.
inline constexpr int kUnmappedNodesHeading = 8560;
/// Error when no bearing point maps to a node.
inline constexpr int kNoBearingMapped = 8561;
/// One report line: {0} node number, {1} distance, {2} {3} {4} offset x, y, z (formatted lengths).
inline constexpr int kUnmappedNodeLine = 8562;
/// Closing question of the unmapped-node report.
inline constexpr int kUnmappedNodesClosing = 8563;
/// Three-point error: {0} the distance difference (formatted length), {1} {2} the point numbers.
inline constexpr int kThreePointsDistanceMismatch = 8564;
/// Three-point warning: the fit is poor or the points are nearly collinear.
inline constexpr int kThreePointsPoorFit = 8565;

/// Adds the English templates to the translator's built-in table (once per process; a table
/// loaded earlier keeps its own texts).
DRIVESYS_API void ensureRegistered();
}  // namespace housing_texts
