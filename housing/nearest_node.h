#pragma once
// The node nearest to a point within a distance limit: the rule by which NFEMCasing attaches a
// bearing point to an FE node, and the vibration solver the outer ring of a bearing.
#include <cstddef>
#include <vector>

#include "drivesys/platform/drivesys_export.h"
#include "drivesys/platform/nmath/nvektor.h"

namespace ds::housing {

struct NearestNode {
    /// Node index, or the node count when no node lies strictly closer than the limit.
    size_t node = 0;
    /// Its distance from the point (the limit when none was found), in the units of the input.
    double distance = 0.0;
};

/// Scans the nodes from index 0; a node becomes the best when it is strictly closer than the
/// best so far, which starts at `limit`: the lowest index wins a tie, and a node at exactly the
/// limit does not count.
/// (Exported for the programs that link the solver's objects: tests and benchmarks.)
DRIVESYS_API NearestNode nearestNode(const NVektor& point, const std::vector<NVektor>& nodes, double limit);

}  // namespace ds::housing
