#pragma once
// Optimal assignment (Hungarian method, O(n²m)): each of n rows gets its own column out of m ≥ n
// so that the summed cost is least.
#include <Eigen/Core>
#include <vector>

namespace ds::solver {

/// cost: n × m with n ≤ m. Returns the column of every row.
std::vector<int> assignRows(const Eigen::MatrixXd& cost);

}  // namespace ds::solver
