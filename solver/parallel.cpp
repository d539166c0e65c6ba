#include "drivesys/solver/parallel.h"

namespace ds::solver {

unsigned threadCount(unsigned requested) {
    if (requested > 0) return requested;
    const unsigned cores = std::thread::hardware_concurrency();
    return cores > 0 ? cores : 1;
}

}  // namespace ds::solver
