#include "drivesys/solver/assignment.h"

#include <cmath>
#include <limits>

namespace ds::solver {

std::vector<int> assignRows(const Eigen::MatrixXd& costIn) {
    // A cost that is not a number would stall the search: it counts as the worst finite one.
    Eigen::MatrixXd cost = costIn;
    const double worst = cost.allFinite() ? 0.0 : 1.0 + cost.unaryExpr([](double c) { return std::isfinite(c) ? std::abs(c) : 0.0; }).maxCoeff();
    if (worst > 0) cost = cost.unaryExpr([worst](double c) { return std::isfinite(c) ? c : worst; });
    // Shortest augmenting paths with row and column potentials u, v (1-based, column 0 is the
    // virtual start); p[j] is the row matched to column j.
    const int n = int(cost.rows()), m = int(cost.cols());
    const double inf = std::numeric_limits<double>::infinity();
    std::vector<double> u(size_t(n) + 1, 0.0), v(size_t(m) + 1, 0.0);
    std::vector<int> p(size_t(m) + 1, 0), way(size_t(m) + 1, 0);
    for (int i = 1; i <= n; ++i) {
        p[0] = i;
        int j0 = 0;
        std::vector<double> minv(size_t(m) + 1, inf);
        std::vector<bool> used(size_t(m) + 1, false);
        do {
            used[size_t(j0)] = true;
            const int i0 = p[size_t(j0)];
            double delta = inf;
            int j1 = 0;
            for (int j = 1; j <= m; ++j) {
                if (used[size_t(j)]) continue;
                const double cur = cost(i0 - 1, j - 1) - u[size_t(i0)] - v[size_t(j)];
                if (cur < minv[size_t(j)]) minv[size_t(j)] = cur, way[size_t(j)] = j0;
                if (minv[size_t(j)] < delta) delta = minv[size_t(j)], j1 = j;
            }
            for (int j = 0; j <= m; ++j) {
                if (used[size_t(j)]) u[size_t(p[size_t(j)])] += delta, v[size_t(j)] -= delta;
                else minv[size_t(j)] -= delta;
            }
            j0 = j1;
        } while (p[size_t(j0)] != 0);
        do {
            const int j1 = way[size_t(j0)];
            p[size_t(j0)] = p[size_t(j1)];
            j0 = j1;
        } while (j0 != 0);
    }
    std::vector<int> rowToCol(size_t(n), -1);
    for (int j = 1; j <= m; ++j)
        if (p[size_t(j)] > 0) rowToCol[size_t(p[size_t(j)] - 1)] = j - 1;
    return rowToCol;
}

}  // namespace ds::solver
