#include "drivesys/platform/nmath/nmatrix.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <nlohmann/json.hpp>
#include <string>

#include "drivesys/platform/nmath/metavar_impl.h"
#include "drivesys/platform/nmath/nmatrix_impl.h"

namespace {
using nmath::eigenView;
using nmath::toNMatrix;
using nmath::toNMatrix3x3;

Eigen::Index idx(size_t i) { return static_cast<Eigen::Index>(i); }

std::string sizeText(const NMatrix& m) { return std::to_string(m.numRows()) + "x" + std::to_string(m.numCols()); }

void checkIndex(size_t i, size_t n, const char* what) {
    if (i >= n)
        throw std::out_of_range(std::string("NMatrix ") + what + " index " + std::to_string(i) + " out of range (size " +
                                std::to_string(n) + ")");
}
}  // namespace

NMatrix::NMatrix(size_t n) : NMatrix(n, n) {}

NMatrix::NMatrix(size_t rows, size_t cols) : rows_(rows), cols_(cols), data_(rows * cols, 0.0) {}

NMatrix::NMatrix(std::initializer_list<std::initializer_list<double>> rows)
    : NMatrix(rows.size(), rows.size() ? rows.begin()->size() : 0) {
    size_t r = 0;
    for (const auto& row : rows) {
        if (row.size() != cols_) throw std::invalid_argument("NMatrix rows must have equal lengths");
        size_t c = 0;
        for (double v : row) (*this)(r, c++) = v;
        ++r;
    }
}

NMatrix NMatrix::fromRows(const std::vector<std::vector<double>>& rows) {
    const size_t cols = rows.empty() ? 0 : rows.front().size();
    NMatrix out(rows.size(), cols);
    for (size_t r = 0; r < rows.size(); ++r) {
        if (rows[r].size() != cols) throw std::invalid_argument("NMatrix rows must have equal lengths");
        for (size_t c = 0; c < cols; ++c) out(r, c) = rows[r][c];
    }
    return out;
}

NMatrix NMatrix::identity(size_t n) {
    NMatrix out(n);
    for (size_t i = 0; i < n; ++i) out(i, i) = 1.0;
    return out;
}

void NMatrix::resize(size_t rows, size_t cols, bool zero) {
    if (zero) {
        *this = NMatrix(rows, cols);
        return;
    }
    NMatrix out(rows, cols);
    const size_t keepRows = std::min(rows, rows_);
    for (size_t c = 0; c < std::min(cols, cols_); ++c)
        std::copy_n(data_.data() + c * rows_, keepRows, out.data_.data() + c * rows);
    *this = std::move(out);
}

void NMatrix::setElem(size_t r, size_t c, double value) {
    checkIndex(r, numRows(), "row");
    checkIndex(c, numCols(), "column");
    (*this)(r, c) = value;
}

double NMatrix::getElem(size_t r, size_t c) const {
    checkIndex(r, numRows(), "row");
    checkIndex(c, numCols(), "column");
    return (*this)(r, c);
}

void NMatrix::deleteRow(size_t r) {
    checkIndex(r, numRows(), "row");
    std::vector<size_t> rows(rows_ - 1), cols(cols_);
    for (size_t i = 0; i < rows.size(); ++i) rows[i] = i < r ? i : i + 1;
    for (size_t j = 0; j < cols.size(); ++j) cols[j] = j;
    *this = gather(rows, cols);
}

void NMatrix::deleteColumn(size_t c) {
    checkIndex(c, numCols(), "column");
    NMatrix out(rows_, cols_ - 1);
    std::copy_n(data_.data(), c * rows_, out.data_.data());
    std::copy(data_.begin() + static_cast<std::ptrdiff_t>((c + 1) * rows_), data_.end(),
              out.data_.begin() + static_cast<std::ptrdiff_t>(c * rows_));
    *this = std::move(out);
}

NMatrix NMatrix::gather(const std::vector<size_t>& rows, const std::vector<size_t>& cols) const {
    for (size_t r : rows) checkIndex(r, numRows(), "row");
    for (size_t c : cols) checkIndex(c, numCols(), "column");
    NMatrix out(rows.size(), cols.size());
    for (size_t j = 0; j < cols.size(); ++j) {
        const double* src = data_.data() + cols[j] * rows_;
        double* dst = out.data_.data() + j * out.rows_;
        for (size_t i = 0; i < rows.size(); ++i) dst[i] = src[rows[i]];
    }
    return out;
}

NMatrix NMatrix::inverse() const {
    if (!isSquare()) throw NMatrixSingularError("cannot invert a non-square " + sizeText(*this) + " matrix");
    if (isEmpty()) return {};
    if (!allFinite()) throw NMatrixSingularError("cannot invert a matrix with a non-finite entry");
    const Eigen::PartialPivLU<Eigen::MatrixXd> lu(eigenView(*this));
    // A NaN estimate (from a zero pivot) counts as singular as well.
    const double rcond = lu.rcond();
    if (!(rcond >= std::numeric_limits<double>::epsilon()))
        throw NMatrixSingularError("matrix is singular (reciprocal condition estimate " + std::to_string(rcond) + ")");
    NMatrix out(rows_, cols_);
    eigenView(out) = lu.inverse();
    if (!out.allFinite()) throw NMatrixSingularError("inverse has a non-finite entry");
    return out;
}

NMatrix NMatrix::transposed() const { return toNMatrix(eigenView(*this).transpose()); }

NMatrix NMatrix::operator*(const NMatrix& o) const {
    if (numCols() != o.numRows())
        throw std::invalid_argument("NMatrix product of " + sizeText(*this) + " and " + sizeText(o) + " matrices");
    NMatrix out(rows_, o.cols_);
    eigenView(out).noalias() = eigenView(*this) * eigenView(o);
    return out;
}

std::vector<double> NMatrix::operator*(const std::vector<double>& v) const {
    if (v.size() != numCols())
        throw std::invalid_argument("NMatrix " + sizeText(*this) + " times a list of " + std::to_string(v.size()) + " numbers");
    std::vector<double> out(numRows());
    Eigen::Map<Eigen::VectorXd>(out.data(), idx(rows_)).noalias() =
        eigenView(*this) * Eigen::Map<const Eigen::VectorXd>(v.data(), idx(cols_));
    return out;
}

NVektor NMatrix::operator*(const NVektor& v) const {
    if (numRows() != 3 || numCols() != 3)
        throw std::invalid_argument("NMatrix " + sizeText(*this) + " times a 3-vector needs a 3x3 matrix");
    const Eigen::Vector3d r = eigenView(*this) * Eigen::Vector3d(v.x, v.y, v.z);
    return {r.x(), r.y(), r.z()};
}

NMatrix NMatrix::operator*(double s) const {
    NMatrix out(*this);
    for (double& x : out.data_) x *= s;
    return out;
}

NMatrix NMatrix::operator+(const NMatrix& o) const {
    if (numRows() != o.numRows() || numCols() != o.numCols())
        throw std::invalid_argument("NMatrix sum of " + sizeText(*this) + " and " + sizeText(o) + " matrices");
    return toNMatrix(eigenView(*this) + eigenView(o));
}

NMatrix NMatrix::operator-(const NMatrix& o) const {
    if (numRows() != o.numRows() || numCols() != o.numCols())
        throw std::invalid_argument("NMatrix difference of " + sizeText(*this) + " and " + sizeText(o) + " matrices");
    return toNMatrix(eigenView(*this) - eigenView(o));
}

bool NMatrix::isNull() const {
    return std::all_of(data_.begin(), data_.end(), [](double x) { return x == 0.0; });
}

bool NMatrix::allFinite() const {
    return std::all_of(data_.begin(), data_.end(), [](double x) { return std::isfinite(x); });
}

bool NMatrix::operator==(const NMatrix& o) const { return rows_ == o.rows_ && cols_ == o.cols_ && data_ == o.data_; }

std::vector<std::vector<double>> NMatrix::toRows() const {
    std::vector<std::vector<double>> rows(numRows(), std::vector<double>(numCols()));
    for (size_t r = 0; r < rows_; ++r)
        for (size_t c = 0; c < cols_; ++c) rows[r][c] = (*this)(r, c);
    return rows;
}

// ---- NMatrix3x3 ------------------------------------------------------------------------------
NMatrix3x3 NMatrix3x3::identity() {
    NMatrix3x3 m;
    m(0, 0) = m(1, 1) = m(2, 2) = 1.0;
    return m;
}

NMatrix3x3 NMatrix3x3::fromColumns(const NVektor& c0, const NVektor& c1, const NVektor& c2) {
    NMatrix3x3 m;
    m.m_ = {c0.x, c0.y, c0.z, c1.x, c1.y, c1.z, c2.x, c2.y, c2.z};
    return m;
}

double NMatrix3x3::getElem(size_t r, size_t c) const {
    checkIndex(r, 3, "row");
    checkIndex(c, 3, "column");
    return (*this)(r, c);
}

void NMatrix3x3::setElem(size_t r, size_t c, double value) {
    checkIndex(r, 3, "row");
    checkIndex(c, 3, "column");
    (*this)(r, c) = value;
}

NVektor NMatrix3x3::column(size_t c) const {
    checkIndex(c, 3, "column");
    return {(*this)(0, c), (*this)(1, c), (*this)(2, c)};
}

NVektor NMatrix3x3::operator*(const NVektor& v) const {
    const Eigen::Vector3d r = eigenView(*this) * Eigen::Vector3d(v.x, v.y, v.z);
    return {r.x(), r.y(), r.z()};
}

NMatrix3x3 NMatrix3x3::operator*(const NMatrix3x3& o) const { return toNMatrix3x3(eigenView(*this) * eigenView(o)); }

NMatrix3x3 NMatrix3x3::transposed() const { return toNMatrix3x3(eigenView(*this).transpose()); }

double NMatrix3x3::determinant() const { return eigenView(*this).determinant(); }

bool NMatrix3x3::isNull() const {
    return std::all_of(m_.begin(), m_.end(), [](double x) { return x == 0.0; });
}

NMatrix NMatrix3x3::toMatrix() const { return toNMatrix(eigenView(*this)); }

NMatrix3x3 NMatrix3x3::inverse() const {
    const auto m = eigenView(*this);
    if (!m.allFinite()) throw NMatrixSingularError("cannot invert a 3x3 matrix with a non-finite entry");
    // Singular when the determinant vanishes against the size of the entries.
    const double scale = m.cwiseAbs().maxCoeff();
    const double det = m.determinant();
    if (!(std::abs(det) > 1e-14 * scale * scale * scale)) throw NMatrixSingularError("3x3 matrix is singular");
    return toNMatrix3x3(m.inverse());
}

// ---- JSON and text forms ---------------------------------------------------------------------
namespace nmath {
using json = nlohmann::json;

namespace {
[[noreturn]] void matrixTypeError(const json& j, const std::string& what) {
    throw json::type_error::create(302, what + ", but is " + j.type_name(), &j);
}

// Strict reading: an array of equally long arrays of numbers.
NMatrix readMatrix(const json& j) {
    if (!j.is_array()) matrixTypeError(j, "type must be array");
    const size_t rows = j.size();
    const size_t cols = rows ? (j[0].is_array() ? j[0].size() : 0) : 0;
    NMatrix out(rows, cols);
    for (size_t r = 0; r < rows; ++r) {
        const json& row = j[r];
        if (!row.is_array()) matrixTypeError(row, "type must be array");
        if (row.size() != cols)
            throw json::type_error::create(302, "matrix rows must have equal lengths (row " + std::to_string(r) + " has " +
                                                    std::to_string(row.size()) + ", row 0 has " + std::to_string(cols) + ")",
                                           &row);
        for (size_t c = 0; c < cols; ++c) {
            if (!row[c].is_number()) matrixTypeError(row[c], "type must be number");
            out(r, c) = row[c].get<double>();
        }
    }
    return out;
}
}  // namespace

template <> int ValueOps<NMatrix>::typeCode() { return kTypeMatrix; }
template <> std::string ValueOps<NMatrix>::typeWord() { return "list2<double>"; }
template <> void ValueOps<NMatrix>::toJson(json& j, const NMatrix& value) {
    j = json::array();
    auto& arr = j.get_ref<json::array_t&>();
    arr.reserve(value.numRows());
    for (size_t r = 0; r < value.numRows(); ++r) {
        json row = json::array();
        auto& cells = row.get_ref<json::array_t&>();
        cells.reserve(value.numCols());
        for (size_t c = 0; c < value.numCols(); ++c) cells.emplace_back(value(r, c));
        arr.push_back(std::move(row));
    }
}
template <> bool ValueOps<NMatrix>::fromJson(const json& j, NMatrix& value) {
    try {
        value = readMatrix(j);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}
template <> void ValueOps<NMatrix>::assignJson(const json& j, NMatrix& value) { value = readMatrix(j); }
template <> nWString ValueOps<NMatrix>::toText(const NMatrix& value) {
    json j;
    toJson(j, value);
    return nWString::fromUtf8(j.dump());
}
template <> bool ValueOps<NMatrix>::fromText(const nWString& text, NMatrix& value) {
    const auto j = json::parse(text.toUtf8(), nullptr, false);
    if (j.is_discarded()) return false;
    return fromJson(j, value);
}
template <> bool ValueOps<NMatrix>::equal(const NMatrix& a, const NMatrix& b) { return a == b; }

template struct ValueOps<NMatrix>;
}  // namespace nmath

template class MetaVarT<NMatrix>;
