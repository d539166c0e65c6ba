#include "drivesys/housing/nearest_node.h"

#include <cmath>

namespace ds::housing {

NearestNode nearestNode(const NVektor& point, const std::vector<NVektor>& nodes, double limit) {
    NearestNode best{nodes.size(), limit};
    for (size_t n = 0; n < nodes.size(); ++n) {
        const double dx = point.x - nodes[n].x, dy = point.y - nodes[n].y, dz = point.z - nodes[n].z;
        const double d = std::sqrt(dx * dx + dy * dy + dz * dz);
        if (d < best.distance) best = {n, d};
    }
    return best;
}

}  // namespace ds::housing
