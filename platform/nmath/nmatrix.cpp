#include "drivesys/platform/nmath/nmatrix.h"

#include <cmath>
#include <limits>
#include <nlohmann/json.hpp>
#include <string>

#include "drivesys/platform/nmath/metavar_impl.h"

namespace {
using Index = Eigen::Index;

Index idx(size_t i) { return static_cast<Index>(i); }

std::string sizeText(const NMatrix& m) { return std::to_string(m.numRows()) + "x" + std::to_string(m.numCols()); }

void checkIndex(size_t i, size_t n, const char* what) {
    if (i >= n)
        throw std::out_of_range(std::string("NMatrix ") + what + " index " + std::to_string(i) + " out of range (size " +
                                std::to_string(n) + ")");
}
}  // namespace

NMatrix::NMatrix(size_t n) : m_(Storage::Zero(idx(n), idx(n))) {}

NMatrix::NMatrix(size_t rows, size_t cols) : m_(Storage::Zero(idx(rows), idx(cols))) {}

NMatrix::NMatrix(std::initializer_list<std::initializer_list<double>> rows) {
    const size_t cols = rows.size() ? rows.begin()->size() : 0;
    m_.resize(idx(rows.size()), idx(cols));
    Index r = 0;
    for (const auto& row : rows) {
        if (row.size() != cols) throw std::invalid_argument("NMatrix rows must have equal lengths");
        Index c = 0;
        for (double v : row) m_(r, c++) = v;
        ++r;
    }
}

NMatrix NMatrix::fromRows(const std::vector<std::vector<double>>& rows) {
    const size_t cols = rows.empty() ? 0 : rows.front().size();
    NMatrix out(rows.size(), cols);
    for (size_t r = 0; r < rows.size(); ++r) {
        if (rows[r].size() != cols) throw std::invalid_argument("NMatrix rows must have equal lengths");
        for (size_t c = 0; c < cols; ++c) out.m_(idx(r), idx(c)) = rows[r][c];
    }
    return out;
}

NMatrix NMatrix::identity(size_t n) { return NMatrix(Storage(Storage::Identity(idx(n), idx(n)))); }

void NMatrix::resize(size_t rows, size_t cols, bool zero) {
    if (zero) {
        m_.setZero(idx(rows), idx(cols));
        return;
    }
    const Index oldRows = m_.rows();
    const Index oldCols = m_.cols();
    m_.conservativeResize(idx(rows), idx(cols));
    // Entries outside the old size are uninitialised after conservativeResize.
    if (m_.rows() > oldRows) m_.bottomRows(m_.rows() - oldRows).setZero();
    if (m_.cols() > oldCols) m_.rightCols(m_.cols() - oldCols).setZero();
}

void NMatrix::setElem(size_t r, size_t c, double value) {
    checkIndex(r, numRows(), "row");
    checkIndex(c, numCols(), "column");
    m_(idx(r), idx(c)) = value;
}

double NMatrix::getElem(size_t r, size_t c) const {
    checkIndex(r, numRows(), "row");
    checkIndex(c, numCols(), "column");
    return m_(idx(r), idx(c));
}

void NMatrix::deleteRow(size_t r) {
    checkIndex(r, numRows(), "row");
    const Index below = m_.rows() - idx(r) - 1;
    Storage out(m_.rows() - 1, m_.cols());
    out.topRows(idx(r)) = m_.topRows(idx(r));
    out.bottomRows(below) = m_.bottomRows(below);
    m_.swap(out);
}

void NMatrix::deleteColumn(size_t c) {
    checkIndex(c, numCols(), "column");
    const Index right = m_.cols() - idx(c) - 1;
    Storage out(m_.rows(), m_.cols() - 1);
    out.leftCols(idx(c)) = m_.leftCols(idx(c));
    out.rightCols(right) = m_.rightCols(right);
    m_.swap(out);
}

NMatrix NMatrix::gather(const std::vector<size_t>& rows, const std::vector<size_t>& cols) const {
    for (size_t r : rows) checkIndex(r, numRows(), "row");
    for (size_t c : cols) checkIndex(c, numCols(), "column");
    NMatrix out;
    out.m_.resize(idx(rows.size()), idx(cols.size()));
    for (size_t j = 0; j < cols.size(); ++j) {
        const double* src = m_.data() + idx(cols[j]) * m_.rows();
        double* dst = out.m_.data() + idx(j) * out.m_.rows();
        for (size_t i = 0; i < rows.size(); ++i) dst[i] = src[rows[i]];
    }
    return out;
}

NMatrix NMatrix::inverse() const {
    if (!isSquare()) throw NMatrixSingularError("cannot invert a non-square " + sizeText(*this) + " matrix");
    if (isEmpty()) return {};
    if (!m_.allFinite()) throw NMatrixSingularError("cannot invert a matrix with a non-finite entry");
    const Eigen::PartialPivLU<Storage> lu(m_);
    // A NaN estimate (from a zero pivot) counts as singular as well.
    const double rcond = lu.rcond();
    if (!(rcond >= std::numeric_limits<double>::epsilon()))
        throw NMatrixSingularError("matrix is singular (reciprocal condition estimate " + std::to_string(rcond) + ")");
    NMatrix out(Storage(lu.inverse()));
    if (!out.m_.allFinite()) throw NMatrixSingularError("inverse has a non-finite entry");
    return out;
}

NMatrix NMatrix::operator*(const NMatrix& o) const {
    if (numCols() != o.numRows())
        throw std::invalid_argument("NMatrix product of " + sizeText(*this) + " and " + sizeText(o) + " matrices");
    return NMatrix(Storage(m_ * o.m_));
}

std::vector<double> NMatrix::operator*(const std::vector<double>& v) const {
    if (v.size() != numCols())
        throw std::invalid_argument("NMatrix " + sizeText(*this) + " times a list of " + std::to_string(v.size()) + " numbers");
    std::vector<double> out(numRows());
    Eigen::Map<Eigen::VectorXd>(out.data(), m_.rows()).noalias() = m_ * Eigen::Map<const Eigen::VectorXd>(v.data(), m_.cols());
    return out;
}

NVektor NMatrix::operator*(const NVektor& v) const {
    if (numRows() != 3 || numCols() != 3)
        throw std::invalid_argument("NMatrix " + sizeText(*this) + " times a 3-vector needs a 3x3 matrix");
    const Eigen::Vector3d r = m_ * Eigen::Vector3d(v.x, v.y, v.z);
    return {r.x(), r.y(), r.z()};
}

NMatrix NMatrix::operator+(const NMatrix& o) const {
    if (numRows() != o.numRows() || numCols() != o.numCols())
        throw std::invalid_argument("NMatrix sum of " + sizeText(*this) + " and " + sizeText(o) + " matrices");
    return NMatrix(Storage(m_ + o.m_));
}

NMatrix NMatrix::operator-(const NMatrix& o) const {
    if (numRows() != o.numRows() || numCols() != o.numCols())
        throw std::invalid_argument("NMatrix difference of " + sizeText(*this) + " and " + sizeText(o) + " matrices");
    return NMatrix(Storage(m_ - o.m_));
}

bool NMatrix::isNull() const { return (m_.array() == 0.0).all(); }

bool NMatrix::operator==(const NMatrix& o) const {
    return m_.rows() == o.m_.rows() && m_.cols() == o.m_.cols() && m_ == o.m_;
}

std::vector<std::vector<double>> NMatrix::toRows() const {
    std::vector<std::vector<double>> rows(numRows(), std::vector<double>(numCols()));
    for (Index r = 0; r < m_.rows(); ++r)
        for (Index c = 0; c < m_.cols(); ++c) rows[static_cast<size_t>(r)][static_cast<size_t>(c)] = m_(r, c);
    return rows;
}

// ---- NMatrix3x3 ------------------------------------------------------------------------------
NMatrix3x3 NMatrix3x3::fromColumns(const NVektor& c0, const NVektor& c1, const NVektor& c2) {
    Storage m;
    m << c0.x, c1.x, c2.x, c0.y, c1.y, c2.y, c0.z, c1.z, c2.z;
    return NMatrix3x3(m);
}

double NMatrix3x3::getElem(size_t r, size_t c) const {
    checkIndex(r, 3, "row");
    checkIndex(c, 3, "column");
    return m_(idx(r), idx(c));
}

void NMatrix3x3::setElem(size_t r, size_t c, double value) {
    checkIndex(r, 3, "row");
    checkIndex(c, 3, "column");
    m_(idx(r), idx(c)) = value;
}

NVektor NMatrix3x3::column(size_t c) const {
    checkIndex(c, 3, "column");
    return {m_(0, idx(c)), m_(1, idx(c)), m_(2, idx(c))};
}

NVektor NMatrix3x3::operator*(const NVektor& v) const {
    const Eigen::Vector3d r = m_ * Eigen::Vector3d(v.x, v.y, v.z);
    return {r.x(), r.y(), r.z()};
}

NMatrix3x3 NMatrix3x3::inverse() const {
    if (!m_.allFinite()) throw NMatrixSingularError("cannot invert a 3x3 matrix with a non-finite entry");
    // Singular when the determinant vanishes against the size of the entries.
    const double scale = m_.cwiseAbs().maxCoeff();
    const double det = m_.determinant();
    if (!(std::abs(det) > 1e-14 * scale * scale * scale)) throw NMatrixSingularError("3x3 matrix is singular");
    return NMatrix3x3(Storage(m_.inverse()));
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
