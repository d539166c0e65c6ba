#include "drivesys/samples/frame_housing.h"

#include <Eigen/Dense>
#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "drivesys/platform/nmath/nmatrix_impl.h"

namespace ds {
namespace {
// Steel: N/mm², t/mm³.
constexpr double kE = 210000.0;
constexpr double kG = 81000.0;
constexpr double kDensity = 7.85e-9;

using Mat12 = Eigen::Matrix<double, 12, 12>;
using Index = Eigen::Index;

/// Local axes of a beam from a to b: x along it, y perpendicular from global z (from global x when
/// the beam runs along z), z = x × y; rows of the rotation global → local.
Eigen::Matrix3d beamAxes(const NVektor& a, const NVektor& b) {
    const NVektor ex = (b - a).normalized();
    const NVektor ref = std::abs(ex.z) > 0.9 ? NVektor(1, 0, 0) : NVektor(0, 0, 1);
    const NVektor ey = ref.cross(ex).normalized();
    const NVektor ez = ex.cross(ey);
    Eigen::Matrix3d lambda;
    lambda << ex.x, ex.y, ex.z, ey.x, ey.y, ey.z, ez.x, ez.y, ez.z;
    return lambda;
}

/// Euler-Bernoulli space-frame element between a and b: 12 × 12 global stiffness (N/mm, N, N·mm).
Mat12 beamStiffness(const NVektor& a, const NVektor& b, const FrameHousing::Section& s) {
    const double l = (b - a).length();
    Mat12 k = Mat12::Zero();
    const double ea = kE * s.area / l, gj = kG * s.torsion / l;
    const double z12 = 12 * kE * s.iz / (l * l * l), z6 = 6 * kE * s.iz / (l * l), z4 = 4 * kE * s.iz / l, z2 = 2 * kE * s.iz / l;
    const double y12 = 12 * kE * s.iy / (l * l * l), y6 = 6 * kE * s.iy / (l * l), y4 = 4 * kE * s.iy / l, y2 = 2 * kE * s.iy / l;
    auto set = [&k](int i, int j, double v) { k(i, j) = k(j, i) = v; };
    set(0, 0, ea), set(6, 6, ea), set(0, 6, -ea);
    set(3, 3, gj), set(9, 9, gj), set(3, 9, -gj);
    // bending in the local x-y plane (v, rz)
    set(1, 1, z12), set(1, 5, z6), set(1, 7, -z12), set(1, 11, z6);
    set(5, 5, z4), set(5, 7, -z6), set(5, 11, z2);
    set(7, 7, z12), set(7, 11, -z6), set(11, 11, z4);
    // bending in the local x-z plane (w, ry)
    set(2, 2, y12), set(2, 4, -y6), set(2, 8, -y12), set(2, 10, -y6);
    set(4, 4, y4), set(4, 8, y6), set(4, 10, y2);
    set(8, 8, y12), set(8, 10, y6), set(10, 10, y4);
    Mat12 t = Mat12::Zero();
    const Eigen::Matrix3d lambda = beamAxes(a, b);
    for (int b3 = 0; b3 < 4; ++b3) t.block<3, 3>(3 * b3, 3 * b3) = lambda;
    return t.transpose() * k * t;
}
}  // namespace

size_t FrameHousing::addNode(unsigned number, const NVektor& position) {
    numbers_.push_back(number);
    coords_.push_back(position);
    return coords_.size() - 1;
}

void FrameHousing::connect(size_t a, size_t b, const Section& section) { beams_.push_back({a, b, section}); }

void FrameHousing::foot(size_t node, double translation, double rotation) { feet_.push_back({node, translation, rotation}); }

void FrameHousing::assemble(Eigen::MatrixXd& k, Eigen::VectorXd& lumped) const {
    const Index n = Index(coords_.size()) * 6;
    k = Eigen::MatrixXd::Zero(n, n);
    lumped = Eigen::VectorXd::Zero(n);
    for (const Beam& beam : beams_) {
        const Mat12 ke = beamStiffness(coords_[beam.a], coords_[beam.b], beam.section);
        const Index ia = 6 * Index(beam.a), ib = 6 * Index(beam.b);
        k.block<6, 6>(ia, ia) += ke.block<6, 6>(0, 0);
        k.block<6, 6>(ia, ib) += ke.block<6, 6>(0, 6);
        k.block<6, 6>(ib, ia) += ke.block<6, 6>(6, 0);
        k.block<6, 6>(ib, ib) += ke.block<6, 6>(6, 6);
        // Lumped: half the mass at each end; each half a rod of length L/2 turning about the end:
        // (m/2)·(L/2)²/3 = m L²/24 about the two bending axes, and the section's polar inertia
        // ρ·(Iy + Iz)·L/2 for torsion (all three axes get the larger of the two, which keeps the
        // node's inertia independent of the beam's direction).
        const double l = (coords_[beam.b] - coords_[beam.a]).length(), m = kDensity * beam.section.area * l;
        const double rotary = std::max(m * l * l / 24, kDensity * (beam.section.iy + beam.section.iz) * l / 2);
        for (Index at : {ia, ib}) {
            lumped.segment<3>(at).array() += m / 2;
            lumped.segment<3>(at + 3).array() += rotary;
        }
    }
    for (const Foot& f : feet_) {
        const Index at = 6 * Index(f.node);
        for (Index d = 0; d < 3; ++d) k(at + d, at + d) += f.translation, k(at + 3 + d, at + 3 + d) += f.rotation;
    }
}

FEStiffnessMatrixFile FrameHousing::reduce(const std::vector<size_t>& interface, size_t modes) const {
    Eigen::MatrixXd k;
    Eigen::VectorXd lumped;
    assemble(k, lumped);
    std::vector<Index> in, out;
    std::vector<char> isInterface(coords_.size(), 0);
    for (size_t node : interface) {
        if (node >= coords_.size() || isInterface[node]) throw std::invalid_argument("interface nodes must be distinct frame nodes");
        isInterface[node] = 1;
        for (Index d = 0; d < 6; ++d) in.push_back(6 * Index(node) + d);
    }
    for (size_t node = 0; node < coords_.size(); ++node)
        if (!isInterface[node])
            for (Index d = 0; d < 6; ++d) out.push_back(6 * Index(node) + d);
    if (out.empty() && modes > 0) throw std::invalid_argument("fixed-interface modes need nodes beyond the interface");

    const Index ni = Index(in.size()), no = Index(out.size()), q = Index(modes);
    Eigen::MatrixXd kr = Eigen::MatrixXd::Zero(ni + q, ni + q), mr = Eigen::MatrixXd::Zero(ni + q, ni + q);
    kr.topLeftCorner(ni, ni) = k(in, in);
    mr.topLeftCorner(ni, ni) = lumped(in).asDiagonal();
    if (no > 0) {
        const Eigen::MatrixXd koo = k(out, out), koi = k(out, in);
        const Eigen::VectorXd moo = lumped(out);
        const Eigen::LLT<Eigen::MatrixXd> llt(koo);
        if (llt.info() != Eigen::Success) throw std::invalid_argument("the frame's interior moves freely: give it feet");
        const Eigen::MatrixXd psi = -llt.solve(koi);
        kr.topLeftCorner(ni, ni) += koi.transpose() * psi;
        mr.topLeftCorner(ni, ni) += psi.transpose() * moo.asDiagonal() * psi;
        if (q > 0) {
            // K_oo φ = M_oo φ λ through the symmetric D^-1/2 K_oo D^-1/2 (D = M_oo, diagonal).
            const Eigen::VectorXd s = moo.cwiseSqrt().cwiseInverse();
            const Eigen::SelfAdjointEigenSolver<Eigen::MatrixXd> es(s.asDiagonal() * koo * s.asDiagonal());
            Eigen::MatrixXd phi = s.asDiagonal() * es.eigenvectors().leftCols(q);
            for (Index c = 0; c < q; ++c) {
                double top = 0.0;
                for (Index r = 0; r < no; ++r)
                    if (out[size_t(r)] % 6 < 3) top = std::max(top, std::abs(phi(r, c)));
                phi.col(c) /= top;  // largest translation 1 mm
            }
            kr.bottomRightCorner(q, q) = phi.transpose() * koo * phi;
            mr.bottomRightCorner(q, q) = phi.transpose() * moo.asDiagonal() * phi;
            mr.bottomLeftCorner(q, ni) = phi.transpose() * moo.asDiagonal() * psi;
            mr.topRightCorner(ni, q) = mr.bottomLeftCorner(q, ni).transpose();
        }
    }
    // Exactly symmetric after round-off.
    kr = (0.5 * (kr + kr.transpose())).eval();
    mr = (0.5 * (mr + mr.transpose())).eval();

    FEStiffnessMatrixFile f;
    f.systemOfUnits = {FELengthUnit::Millimetre, FEForceUnit::Newton};
    f.unitsGiven = true;
    f.dofPerNode = 6;
    f.generalisedCoordinates = size_t(q);
    for (size_t node : interface) {
        f.nodeNumbers.push_back(numbers_[node]);
        f.nodeCoords.push_back(coords_[node]);
    }
    f.stiffness = nmath::toNMatrix(kr);
    f.mass = nmath::toNMatrix(mr);
    return f;
}

}  // namespace ds
