#pragma once
// NMatrix: a dense matrix of doubles on Eigen, with the small API the library's geometry and
// stiffness code uses; NMatrix3x3: a fixed 3×3 matrix (rotations).
//
// Indices are zero-based. Element access through getElem/setElem is checked and throws
// std::out_of_range; operator() is unchecked (Eigen's assertion in debug builds only). Products
// and sums of matrices whose sizes do not fit throw std::invalid_argument. `inverse` throws
// NMatrixSingularError on a singular, non-square or non-finite matrix.
//
// The entries are stored column by column in a plain array (`data()`); the library's own code
// computes on them through Eigen views (nmatrix_impl.h), so that this header does not carry the
// linear-algebra library into a host's compilation.
//
// As a plain value type of records and described variables, an NMatrix's JSON form is an array
// of rows ([[1, 2], [3, 4]]; schema word list2<double>). Reading JSON rejects ragged rows.
#include <array>
#include <initializer_list>
#include <stdexcept>
#include <vector>

#include "drivesys/platform/drivesys_export.h"
#include "drivesys/platform/nmath/nvektor.h"

/// Raised by the matrix inversions when the matrix cannot be inverted.
class DRIVESYS_API NMatrixSingularError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class DRIVESYS_API NMatrix {
public:
    /// Empty (0×0) matrix.
    NMatrix() = default;
    /// n×n zero matrix.
    explicit NMatrix(size_t n);
    /// rows×cols zero matrix.
    NMatrix(size_t rows, size_t cols);
    /// From rows; rows of different lengths throw std::invalid_argument.
    NMatrix(std::initializer_list<std::initializer_list<double>> rows);
    static NMatrix fromRows(const std::vector<std::vector<double>>& rows);
    static NMatrix identity(size_t n);

    size_t numRows() const { return rows_; }
    size_t numCols() const { return cols_; }
    bool isEmpty() const { return data_.empty(); }
    bool isSquare() const { return rows_ == cols_; }

    /// New size. With `zero` true the matrix is all zero afterwards; otherwise the overlapping
    /// top-left block keeps its values and new entries are zero.
    void resize(size_t rows, size_t cols, bool zero);
    /// Checked element access (std::out_of_range).
    void setElem(size_t r, size_t c, double value);
    double getElem(size_t r, size_t c) const;
    /// Unchecked element access.
    double operator()(size_t r, size_t c) const { return data_[c * rows_ + r]; }
    double& operator()(size_t r, size_t c) { return data_[c * rows_ + r]; }
    /// The entries, column by column.
    double* data() { return data_.data(); }
    const double* data() const { return data_.data(); }

    /// Removes one row or column (std::out_of_range for a bad index). Each call moves the whole
    /// matrix: to drop many rows and columns, gather the kept ones instead (see `gather`).
    void deleteRow(size_t r);
    void deleteColumn(size_t c);
    /// The submatrix of the given rows and columns, in the given order (std::out_of_range for a
    /// bad index). One pass over the kept entries.
    NMatrix gather(const std::vector<size_t>& rows, const std::vector<size_t>& cols) const;

    /// The inverse (LU with partial pivoting). Throws NMatrixSingularError when the matrix is
    /// not square, holds a non-finite value, is singular or so badly conditioned that its
    /// reciprocal condition estimate is below the machine epsilon, or when the inverse comes out
    /// non-finite. An empty matrix gives an empty matrix.
    NMatrix inverse() const;
    NMatrix transposed() const;

    NMatrix operator*(const NMatrix& o) const;
    /// Matrix times a list of numbers (size must equal numCols()).
    std::vector<double> operator*(const std::vector<double>& v) const;
    /// Matrix (3 columns) times a vector; a 3-row matrix gives the vector, other row counts throw.
    NVektor operator*(const NVektor& v) const;
    NMatrix operator*(double s) const;
    NMatrix operator+(const NMatrix& o) const;
    NMatrix operator-(const NMatrix& o) const;

    /// True when every entry is exactly zero (an empty matrix is null too).
    bool isNull() const;
    bool allFinite() const;
    /// Exact comparison of size and entries.
    bool operator==(const NMatrix& o) const;
    bool operator!=(const NMatrix& o) const { return !(*this == o); }

    std::vector<std::vector<double>> toRows() const;

private:
    size_t rows_ = 0;
    size_t cols_ = 0;
    std::vector<double> data_;
};

inline NMatrix operator*(double s, const NMatrix& m) { return m * s; }

/// A fixed 3×3 matrix, as the rotation part of a coordinate transformation.
class DRIVESYS_API NMatrix3x3 {
public:
    /// Zero matrix.
    NMatrix3x3() = default;
    static NMatrix3x3 identity();
    /// The matrix with the given columns.
    static NMatrix3x3 fromColumns(const NVektor& c0, const NVektor& c1, const NVektor& c2);

    /// Checked element access (std::out_of_range for an index above 2).
    double getElem(size_t r, size_t c) const;
    void setElem(size_t r, size_t c, double value);
    double operator()(size_t r, size_t c) const { return m_[c * 3 + r]; }
    double& operator()(size_t r, size_t c) { return m_[c * 3 + r]; }
    /// The nine entries, column by column.
    double* data() { return m_.data(); }
    const double* data() const { return m_.data(); }

    NVektor column(size_t c) const;
    NVektor operator*(const NVektor& v) const;
    NMatrix3x3 operator*(const NMatrix3x3& o) const;
    NMatrix3x3 transposed() const;
    double determinant() const;
    /// Throws NMatrixSingularError for a singular or non-finite matrix.
    NMatrix3x3 inverse() const;
    bool isNull() const;
    bool operator==(const NMatrix3x3& o) const { return m_ == o.m_; }
    bool operator!=(const NMatrix3x3& o) const { return !(*this == o); }
    NMatrix toMatrix() const;

private:
    std::array<double, 9> m_{};
};

namespace nmath {
NMATH_DECLARE_VALUE_OPS_SPECIALISATION(NMatrix)
}  // namespace nmath

extern template class MetaVarT<NMatrix>;
