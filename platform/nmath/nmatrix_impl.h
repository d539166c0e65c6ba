#pragma once
// Eigen views of the library's matrices, for the library's own numerical code: the views share
// the matrices' storage (column-major), so products and solvers work in place without copies.
#include <Eigen/Dense>

#include "drivesys/platform/nmath/nmatrix.h"

namespace nmath {

inline Eigen::Map<Eigen::MatrixXd> eigenView(NMatrix& m) {
    return {m.data(), static_cast<Eigen::Index>(m.numRows()), static_cast<Eigen::Index>(m.numCols())};
}
inline Eigen::Map<const Eigen::MatrixXd> eigenView(const NMatrix& m) {
    return {m.data(), static_cast<Eigen::Index>(m.numRows()), static_cast<Eigen::Index>(m.numCols())};
}
inline Eigen::Map<Eigen::Matrix3d> eigenView(NMatrix3x3& m) { return Eigen::Map<Eigen::Matrix3d>(m.data()); }
inline Eigen::Map<const Eigen::Matrix3d> eigenView(const NMatrix3x3& m) { return Eigen::Map<const Eigen::Matrix3d>(m.data()); }

/// A matrix holding a copy of an Eigen expression's value.
inline NMatrix toNMatrix(const Eigen::Ref<const Eigen::MatrixXd>& e) {
    NMatrix out(static_cast<size_t>(e.rows()), static_cast<size_t>(e.cols()));
    eigenView(out) = e;
    return out;
}
inline NMatrix3x3 toNMatrix3x3(const Eigen::Matrix3d& e) {
    NMatrix3x3 out;
    eigenView(out) = e;
    return out;
}

}  // namespace nmath
