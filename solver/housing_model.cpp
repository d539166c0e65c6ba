#include "drivesys/solver/housing_model.h"

#include <Eigen/Cholesky>
#include <algorithm>
#include <cmath>
#include <fmt/format.h>
#include <map>

#include "drivesys/housing/nearest_node.h"
#include "drivesys/platform/nmath/nmatrix_impl.h"
#include "drivesys/solver/model.h"

namespace ds::solver {
namespace {

[[noreturn]] void fail(const std::string& what) { throw ModelError(what); }

Eigen::Vector3d vec(const NVektor& v) { return {v.x, v.y, v.z}; }

std::string mm(double metres) { return fmt::format("{:.3f} mm", metres * 1e3); }

/// Diagonal scaling d_i = 1/√|A_ii| (1 where A_ii is 0): D·A·D has a unit diagonal, so that the
/// Cholesky tests below judge translations and rotations on one scale.
Eigen::VectorXd unitDiagonalScale(const Eigen::MatrixXd& a) {
    Eigen::VectorXd d(a.rows());
    for (Eigen::Index i = 0; i < a.rows(); ++i) d(i) = a(i, i) != 0.0 ? 1.0 / std::sqrt(std::abs(a(i, i))) : 1.0;
    return d;
}

/// Relative shift below which a scaled mass matrix still counts as positive semi-definite: the
/// round-off of a condensed matrix written with shortest round-trip numbers stays far below.
constexpr double kSemiDefinite = 1e-9;

void checkStiffness(const Eigen::MatrixXd& k, const std::string& what) {
    const Eigen::VectorXd d = unitDiagonalScale(k);
    for (Eigen::Index i = 0; i < k.rows(); ++i)
        if (!(k(i, i) > 0))
            fail(fmt::format("{}: the diagonal entry of row {} is {} (SI units): every DOF of the housing needs a positive "
                             "stiffness",
                             what, i, k(i, i)));
    const Eigen::LLT<Eigen::MatrixXd> llt(d.asDiagonal() * k * d.asDiagonal());
    if (llt.info() != Eigen::Success)
        fail(fmt::format("{} is not positive definite: the housing moves without straining (a housing that does not "
                         "stand on supports in its matrix) or has a negative stiffness",
                         what));
}

void checkMass(const Eigen::MatrixXd& m, const std::string& what) {
    // A semi-definite matrix has no negative diagonal entry, and a row with a zero diagonal entry
    // (a DOF without mass) is zero: |M_ij|² ≤ M_ii·M_jj.
    std::vector<Eigen::Index> massive;
    for (Eigen::Index i = 0; i < m.rows(); ++i) {
        if (m(i, i) < 0)
            fail(fmt::format("{} is not positive semi-definite: the diagonal entry of row {} is {} (SI units)", what, i, m(i, i)));
        if (m(i, i) > 0) {
            massive.push_back(i);
        } else {
            Eigen::Index j = 0;
            if (m.row(i).cwiseAbs().maxCoeff(&j) > 0)
                fail(fmt::format("{} is not positive semi-definite: row {} has no mass on its diagonal but couples to row {}",
                                 what, i, j));
        }
    }
    if (massive.empty()) return;
    const Eigen::MatrixXd sub = m(massive, massive);
    const Eigen::VectorXd d = unitDiagonalScale(sub);
    Eigen::MatrixXd scaled = d.asDiagonal() * sub * d.asDiagonal();
    scaled.diagonal().array() += kSemiDefinite;
    if (Eigen::LLT<Eigen::MatrixXd>(scaled).info() != Eigen::Success)
        fail(fmt::format("{} is not positive semi-definite: some motion of the housing would have a negative kinetic energy",
                         what));
}

}  // namespace

size_t HousingModel::dof(size_t node, int d) const {
    if (dofPerNode == 3 && d >= 3) return kNone;
    return offset + node * size_t(dofPerNode) + size_t(d);
}

HousingModel prepareHousing(const HousingDefinition& h) {
    HousingModel out;
    out.source = h.stiffnessFile.empty() ? std::string("the housing") : "the housing (" + h.stiffnessFile + ")";
    if (!std::isfinite(h.lossFactor) || h.lossFactor < 0)
        fail(fmt::format("housing.lossFactor must be a finite number ≥ 0 (is {})", h.lossFactor));
    out.lossFactor = h.lossFactor;

    // Frame: unit, orthogonal, right-handed axes and a finite origin.
    Eigen::Vector3d x = vec(h.xAxis), y = vec(h.yAxis), z = vec(h.zAxis);
    if (!vec(h.origin).allFinite() || !x.allFinite() || !y.allFinite() || !z.allFinite() || x.norm() == 0 || y.norm() == 0 ||
        z.norm() == 0)
        fail("housing.frame: the origin and the axes must be finite and the axes not zero");
    x.normalize(), y.normalize(), z.normalize();
    if (std::abs(x.dot(y)) > 1e-6 || std::abs(y.dot(z)) > 1e-6 || std::abs(x.dot(z)) > 1e-6 || x.cross(y).dot(z) < 0)
        fail("housing.frame: the axes are not a right-handed orthogonal frame");
    out.axes.col(0) = x, out.axes.col(1) = y, out.axes.col(2) = z;

    // The matrices, checked whole (the solver uses every entry) and converted to SI.
    const FEStiffnessMatrixFile& f = h.matrices;
    if (f.dofPerNode != 3 && f.dofPerNode != 6) fail(fmt::format("{}: {} DOF per node (3 or 6 are possible)", out.source, f.dofPerNode));
    FEStiffnessMatrixDefs defs;
    defs.referToStiffnessMatrix(f.stiffness);
    defs.nodeNumbers = f.nodeNumbers;
    defs.nodeCoords = f.nodeCoords;
    defs.systemOfUnits = f.systemOfUnits;
    defs.sixDofNodes = f.dofPerNode == 6;
    defs.generalisedCoordinates = f.generalisedCoordinates;
    const NFEStiffnessMatrix fe(defs);
    if (fe.getStatus() != FEMatrixOk) fail(fmt::format("{}: {}", out.source, fe.getStatusText()));
    const std::string stiffnessWhat = "the stiffness matrix of " + out.source;
    const std::string massWhat = "the mass matrix of " + out.source;
    const size_t n = fe.numDofs();
    if (!f.mass.isEmpty()) {
        if (f.mass.numRows() != n || f.mass.numCols() != n)
            fail(fmt::format("{} has {} × {} entries, but the stiffness matrix {} × {}", massWhat, f.mass.numRows(),
                             f.mass.numCols(), n, n));
        std::string text;
        if (NFEStiffnessMatrix::checkEntries(f.mass, massWhat, text) != FEMatrixOk) fail(text);
    }
    out.dofs = n;
    out.dofPerNode = f.dofPerNode;
    out.K = nmath::eigenView(fe.getFEStiffnessMatrix(true));
    out.M = f.mass.isEmpty() ? Eigen::MatrixXd::Zero(Eigen::Index(n), Eigen::Index(n))
                             : Eigen::MatrixXd(nmath::eigenView(fe.convertToSI(f.mass)));
    checkStiffness(out.K, stiffnessWhat);
    checkMass(out.M, massWhat);
    out.hasMass = !out.M.isZero(0.0);

    const double metres = f.systemOfUnits.metresPerLengthUnit();
    for (size_t i = 0; i < f.nodeCoords.size(); ++i) {
        out.nodeNumbers.push_back(f.nodeNumbers.empty() ? unsigned(i + 1) : f.nodeNumbers[i]);
        out.nodes.push_back(vec(h.origin) + out.axes * (vec(f.nodeCoords[i]) * metres));
    }
    return out;
}

std::vector<RingPlacement> placeRings(const HousingDefinition& h, const HousingModel& housing,
                                      const std::vector<RingCandidate>& candidates) {
    auto describe = [&](const RingCandidate& c) {
        return c.kind == HousingRing::Kind::Bearing
                   ? fmt::format("bearing {} (bearingName[{}][{}][{}])", c.name, c.shaft, c.subShaft, c.index)
                   : fmt::format("connection {} (connectionName[{}][{}])", c.name, c.shaft, c.index);
    };
    std::map<unsigned, size_t> nodeOfNumber;
    for (size_t i = 0; i < housing.nodeNumbers.size(); ++i) nodeOfNumber[housing.nodeNumbers[i]] = i;
    auto nodeIndex = [&](int64_t number, const std::string& key) {
        const auto it = number >= 0 && number <= int64_t(UINT32_MAX) ? nodeOfNumber.find(unsigned(number)) : nodeOfNumber.end();
        if (it == nodeOfNumber.end())
            fail(fmt::format("{}: node {} is not a node of {} (it has {} nodes, numbered {} … {})", key, number, housing.source,
                             housing.nodeNumbers.size(), nodeOfNumber.begin()->first, nodeOfNumber.rbegin()->first));
        return it->second;
    };
    const bool mapNearest = h.maxMappingDistance != 0.0;
    if (mapNearest && !(h.maxMappingDistance > 0 && std::isfinite(h.maxMappingDistance)))
        fail(fmt::format("housing.maxMappingDistance must be a finite length > 0, m (is {})", h.maxMappingDistance));

    std::vector<RingPlacement> out;
    std::vector<int> decided(candidates.size(), -1);  // index into h.rings that placed it
    for (size_t r = 0; r < h.rings.size(); ++r) {
        const HousingRing& ring = h.rings[r];
        const std::string key = fmt::format("housing.rings[{}]", r);
        size_t c = 0;
        while (c < candidates.size() &&
               !(candidates[c].kind == ring.kind && candidates[c].shaft == ring.shaft && candidates[c].index == ring.index &&
                 (ring.kind == HousingRing::Kind::Connection || candidates[c].subShaft == ring.subShaft)))
            ++c;
        if (c == candidates.size())
            fail(ring.kind == HousingRing::Kind::Bearing
                     ? fmt::format("{}: there is no bearing [{}][{}][{}] in the bearing tables (bearingName)", key, ring.shaft,
                                   ring.subShaft, ring.index)
                     : fmt::format("{}: there is no connection [{}][{}] in the connection tables (connectionName)", key,
                                   ring.shaft, ring.index));
        if (decided[c] >= 0)
            fail(fmt::format("{} places {} again (housing.rings[{}] placed it)", key, describe(candidates[c]), decided[c]));
        decided[c] = int(r);
        if (ring.node == HousingRing::kGround) continue;
        if (!candidates[c].mappable)
            fail(fmt::format("{}: {} couples two shafts; only a connection without an outer shaft (connectionShaftOuter "
                             "-1) can sit on the housing",
                             key, describe(candidates[c])));
        const size_t node = nodeIndex(ring.node, key);
        out.push_back({c, node, (candidates[c].centre - housing.nodes[node]).norm(), true});
    }
    if (mapNearest) {
        std::vector<NVektor> nodes;
        for (const Eigen::Vector3d& p : housing.nodes) nodes.emplace_back(p.x(), p.y(), p.z());
        for (size_t c = 0; c < candidates.size(); ++c) {
            if (decided[c] >= 0 || !candidates[c].mappable) continue;
            const Eigen::Vector3d& p = candidates[c].centre;
            const housing::NearestNode near = housing::nearestNode(NVektor(p.x(), p.y(), p.z()), nodes, h.maxMappingDistance);
            if (near.node == nodes.size()) {
                const housing::NearestNode any = housing::nearestNode(NVektor(p.x(), p.y(), p.z()), nodes, HUGE_VAL);
                fail(fmt::format("{} at ({:.6g}, {:.6g}, {:.6g}) m is {} from the nearest node of {} (node {}), beyond "
                                 "housing.maxMappingDistance = {}; list it in housing.rings with its node or \"ground\"",
                                 describe(candidates[c]), p.x(), p.y(), p.z(), mm(any.distance), housing.source,
                                 housing.nodeNumbers[any.node], mm(h.maxMappingDistance)));
            }
            out.push_back({c, near.node, near.distance, false});
        }
    }

    // One ring per node, unless the definition says the node is shared.
    for (size_t i = 0; i < h.sharedNodes.size(); ++i) (void)nodeIndex(h.sharedNodes[i], fmt::format("housing.sharedNodes[{}]", i));
    std::map<size_t, size_t> first;  // node → placement
    for (size_t p = 0; p < out.size(); ++p) {
        const auto [it, inserted] = first.emplace(out[p].node, p);
        if (inserted) continue;
        const unsigned number = housing.nodeNumbers[out[p].node];
        if (std::find(h.sharedNodes.begin(), h.sharedNodes.end(), number) != h.sharedNodes.end()) continue;
        fail(fmt::format("node {} of {} carries {} and {}; list the node in housing.sharedNodes if both rings sit on it",
                         number, housing.source, describe(candidates[out[it->second].candidate]),
                         describe(candidates[out[p].candidate])));
    }
    return out;
}

RingDofs ringDofs(const ShaftSystemModel& m, const SupportInfo& sp) {
    RingDofs r;
    for (int d = 0; d < 6; ++d) {
        r.shaft[size_t(d)] = m.dof(sp.node, d);
        r.housing[size_t(d)] = m.housing.dof(sp.housingNode, d);
    }
    r.turn = m.shafts[sp.shaft].axes.transpose() * m.housing.axes;
    return r;
}

void addRing(std::vector<Eigen::Triplet<double>>& t, const RingDofs& ring, const Eigen::Matrix<double, 6, 6>& k) {
    // B = [I, −T'] with T' = diag(T, T): 6 × 12 over (q, u).
    Eigen::Matrix<double, 6, 12> b = Eigen::Matrix<double, 6, 12>::Zero();
    b.leftCols<6>().setIdentity();
    b.block<3, 3>(0, 6) = -ring.turn;
    b.block<3, 3>(3, 9) = -ring.turn;
    const Eigen::Matrix<double, 12, 12> a = b.transpose() * k * b;
    std::array<size_t, 12> at;
    for (size_t d = 0; d < 6; ++d) at[d] = ring.shaft[d], at[d + 6] = ring.housing[d];
    for (size_t r = 0; r < 12; ++r)
        for (size_t c = 0; c < 12; ++c)
            if (at[r] != kNone && at[c] != kNone && a(Eigen::Index(r), Eigen::Index(c)) != 0.0)
                t.emplace_back(int(at[r]), int(at[c]), a(Eigen::Index(r), Eigen::Index(c)));
}

// ---- products with the housing's dense blocks ---------------------------------------------------

namespace {
Eigen::VectorXcd withHousing(const SparseMatrix& a, const HousingModel& h, const Eigen::MatrixXd* block, double factor,
                             const Eigen::VectorXcd& x) {
    Eigen::VectorXcd y = a * x;
    if (block && !h.empty() && factor != 0.0 && (block != &h.M || h.hasMass)) {
        const Eigen::Index o = Eigen::Index(h.offset), n = Eigen::Index(h.dofs);
        y.segment(o, n).noalias() += factor * (*block * x.segment(o, n));
    }
    return y;
}
}  // namespace

Eigen::VectorXcd ShaftSystemModel::massTimes(const Eigen::VectorXcd& x) const { return withHousing(M, housing, &housing.M, 1.0, x); }
Eigen::VectorXcd ShaftSystemModel::stiffnessTimes(const Eigen::VectorXcd& x) const {
    return withHousing(K, housing, &housing.K, 1.0, x);
}
Eigen::VectorXcd ShaftSystemModel::hystereticTimes(const Eigen::VectorXcd& x) const {
    return withHousing(H, housing, &housing.K, housing.lossFactor, x);
}

std::vector<HousingForms> housingForms(const HousingModel& h, const std::vector<const Eigen::VectorXcd*>& shapes,
                                       std::vector<Eigen::VectorXcd>* massParts) {
    std::vector<HousingForms> out(shapes.size());
    if (h.empty() || shapes.empty()) return out;
    const Eigen::Index o = Eigen::Index(h.offset), n = Eigen::Index(h.dofs), k = Eigen::Index(shapes.size());
    // Real and imaginary parts side by side: a real product of the symmetric block with 2k columns,
    // and uᴴAu = urᵀA ur + uiᵀA ui (the cross terms cancel).
    Eigen::MatrixXd x(n, 2 * k);
    for (Eigen::Index c = 0; c < k; ++c) {
        x.col(c) = shapes[size_t(c)]->segment(o, n).real();
        x.col(k + c) = shapes[size_t(c)]->segment(o, n).imag();
    }
    const Eigen::MatrixXd kx = h.K * x;
    const Eigen::MatrixXd mx = h.hasMass ? Eigen::MatrixXd(h.M * x) : Eigen::MatrixXd::Zero(n, 2 * k);
    const size_t nodeDofs = h.nodes.size() * size_t(h.dofPerNode);
    for (Eigen::Index c = 0; c < k; ++c) {
        HousingForms& f = out[size_t(c)];
        for (Eigen::Index part : {c, k + c}) {
            f.strain += x.col(part).dot(kx.col(part));
            f.kinetic += x.col(part).dot(mx.col(part));
            for (size_t i = 0; i < nodeDofs; ++i)
                if (int(i % size_t(h.dofPerNode)) < 3) f.translation += x(Eigen::Index(i), part) * kx(Eigen::Index(i), part);
        }
    }
    if (massParts) {
        massParts->resize(shapes.size());
        for (Eigen::Index c = 0; c < k; ++c) {
            Eigen::VectorXcd& v = (*massParts)[size_t(c)];
            v.resize(n);
            v.real() = mx.col(c);
            v.imag() = mx.col(k + c);
        }
    }
    return out;
}

Eigen::SparseMatrix<double> housingBlock(const HousingModel& h, const Eigen::MatrixXd& block, size_t n) {
    Eigen::SparseMatrix<double> out{Eigen::Index(n), Eigen::Index(n)};
    if (h.empty()) return out;
    const Eigen::Index o = Eigen::Index(h.offset);
    std::vector<Eigen::Triplet<double>> t;
    t.reserve(size_t(block.size()));
    for (Eigen::Index j = 0; j < block.cols(); ++j)
        for (Eigen::Index i = 0; i < block.rows(); ++i)
            if (block(i, j) != 0.0) t.emplace_back(int(o + i), int(o + j), block(i, j));
    out.setFromTriplets(t.begin(), t.end());
    return out;
}

}  // namespace ds::solver
