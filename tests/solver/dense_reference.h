#pragma once
// The dense modal analysis the solver used before its sparse path, kept as the reference the
// sparse path is compared with: every undamped mode of K φ = ω² M φ as the basis, then the
// damped, gyroscopic problem as a 2n × 2n state-space eigenproblem in that basis. Exact (all
// modes are kept) and O(n³): for models of a few hundred DOF. No hysteretic damping.
#include <vector>

#include "drivesys/solver/modal.h"

namespace ds::test {

/// The modes at controlling-shaft speed `omega` (rad/s) as solveModes returns them: rigid-body
/// modes first (when `withRigid`), then the `count` lowest elastic modes, described.
std::vector<solver::Mode> denseModes(const solver::ShaftSystemModel& model, double omega, size_t count, bool withRigid);

}  // namespace ds::test
