#include "drivesys/solver/beam_element.h"

#include <array>
#include <cmath>

namespace ds::solver {
namespace {

/// Shape functions of one bending plane over ξ = s/L, for the plane's own deflection w and
/// section rotation θ (θ = dw/ds without shear): w = N·q and θ = Θ·q with q = (w1, θ1, w2, θ2).
struct PlaneShape {
    std::array<double, 4> N, Theta, dN, dTheta;  // dN, dTheta: derivatives with respect to s
};

PlaneShape planeShape(double xi, double L, double phi) {
    const double d = 1.0 + phi, x2 = xi * xi, x3 = x2 * xi;
    PlaneShape s;
    s.N = {(2 * x3 - 3 * x2 - phi * xi + 1 + phi) / d, L * (x3 - (2 + phi / 2) * x2 + (1 + phi / 2) * xi) / d,
           -(2 * x3 - 3 * x2 - phi * xi) / d, L * (x3 - (1 - phi / 2) * x2 - (phi / 2) * xi) / d};
    s.Theta = {6 * (x2 - xi) / (d * L), (3 * x2 - (4 + phi) * xi + 1 + phi) / d, -6 * (x2 - xi) / (d * L),
               (3 * x2 - (2 - phi) * xi) / d};
    s.dN = {(6 * x2 - 6 * xi - phi) / (d * L), (3 * x2 - (4 + phi) * xi + 1 + phi / 2) / d,
            -(6 * x2 - 6 * xi - phi) / (d * L), (3 * x2 - (2 - phi) * xi - phi / 2) / d};
    s.dTheta = {6 * (2 * xi - 1) / (d * L * L), (6 * xi - (4 + phi)) / (d * L), -6 * (2 * xi - 1) / (d * L * L),
                (6 * xi - (2 - phi)) / (d * L)};
    return s;
}

/// Where a plane's (w1, θ1, w2, θ2) sit among the element's 12 DOF, and their signs.
struct PlaneMap {
    std::array<int, 4> index;
    std::array<double, 4> sign;
};
// x-y plane: w = ux, θ = −rz.  y-z plane: w = uz, θ = rx.
constexpr PlaneMap kPlaneXY{{0, 5, 6, 11}, {1, -1, 1, -1}};
constexpr PlaneMap kPlaneYZ{{2, 3, 8, 9}, {1, 1, 1, 1}};

using Row12 = Eigen::Matrix<double, 1, 12>;

Row12 spread(const std::array<double, 4>& f, const PlaneMap& map) {
    Row12 r = Row12::Zero();
    for (int k = 0; k < 4; ++k) r(map.index[k]) = f[k] * map.sign[k];
    return r;
}

// Gauss–Legendre points and weights on [0, 1], 4 points.
constexpr double kGaussA = 0.8611363115940526, kGaussB = 0.3399810435848563;
constexpr double kWeightA = 0.3478548451374538, kWeightB = 0.6521451548625461;
constexpr std::array<double, 4> kXi{(1 - kGaussA) / 2, (1 - kGaussB) / 2, (1 + kGaussB) / 2, (1 + kGaussA) / 2};
constexpr std::array<double, 4> kW{kWeightA / 2, kWeightB / 2, kWeightB / 2, kWeightA / 2};

void addBar(Matrix12& K, Matrix12& M, int dof, double stiffness, double massPerLength, double L) {
    const int a = dof, b = dof + 6;
    K(a, a) += stiffness;
    K(b, b) += stiffness;
    K(a, b) -= stiffness;
    K(b, a) -= stiffness;
    M(a, a) += massPerLength * L / 3;
    M(b, b) += massPerLength * L / 3;
    M(a, b) += massPerLength * L / 6;
    M(b, a) += massPerLength * L / 6;
}

}  // namespace

BeamElementMatrices timoshenkoElement(double L, const BeamSection& sec, const BeamMaterial& mat) {
    BeamElementMatrices e;
    const double rho = mat.density;
    // Axial bar (uy, DOF 1) and torsion bar (ry, DOF 4); polar mass inertia ρ(Ixx + Izz).
    addBar(e.axial, e.massAxial, 1, mat.E * sec.area / L, rho * sec.area, L);
    addBar(e.torsion, e.massTorsion, 4, mat.G * sec.J / L, rho * (sec.Ixx + sec.Izz), L);

    const double kGA = mat.kappa > 0 ? mat.kappa * mat.G * sec.area : 0.0;
    const double phiXY = kGA > 0 ? 12 * mat.E * sec.Izz / (kGA * L * L) : 0.0;
    const double phiYZ = kGA > 0 ? 12 * mat.E * sec.Ixx / (kGA * L * L) : 0.0;
    const double polar = rho * (sec.Ixx + sec.Izz);
    for (int g = 0; g < 4; ++g) {
        const double w = kW[g] * L;
        const PlaneShape sxy = planeShape(kXi[g], L, phiXY), syz = planeShape(kXi[g], L, phiYZ);
        const Row12 ux = spread(sxy.N, kPlaneXY), uz = spread(syz.N, kPlaneYZ);
        // Section rotations about x and z: rx = θ_yz, rz = −θ_xy.
        const Row12 rx = spread(syz.Theta, kPlaneYZ), rz = -spread(sxy.Theta, kPlaneXY);
        const Row12 curvXY = spread(sxy.dTheta, kPlaneXY), curvYZ = spread(syz.dTheta, kPlaneYZ);
        e.bendingXY += w * mat.E * sec.Izz * curvXY.transpose() * curvXY;
        e.bendingYZ += w * mat.E * sec.Ixx * curvYZ.transpose() * curvYZ;
        if (kGA > 0) {
            const Row12 gXY = spread(sxy.dN, kPlaneXY) - spread(sxy.Theta, kPlaneXY);
            const Row12 gYZ = spread(syz.dN, kPlaneYZ) - spread(syz.Theta, kPlaneYZ);
            e.shearXY += w * kGA * gXY.transpose() * gXY;
            e.shearYZ += w * kGA * gYZ.transpose() * gYZ;
        }
        e.massLateral += w * rho * sec.area * (ux.transpose() * ux + uz.transpose() * uz);
        e.massLateral += w * rho * (sec.Izz * rz.transpose() * rz + sec.Ixx * rx.transpose() * rx);
        // Spin Ω about +y: the section's angular momentum ρIp Ω turns with the tilts, giving the
        // moments −ρIpΩ·drz/dt about x and +ρIpΩ·drx/dt about z (per unit length).
        e.gyroscopic += w * polar * (rz.transpose() * rx - rx.transpose() * rz);
    }
    e.mass = e.massLateral + e.massAxial + e.massTorsion;
    e.length = L;
    e.phiXY = phiXY;
    e.phiYZ = phiYZ;
    return e;
}

std::array<double, 4> bendingShape(double xi, double length, double phi) { return planeShape(xi, length, phi).N; }

ElementMotion elementMotion(const BeamElementMatrices& e, const ComplexVector12& q, double xi) {
    ElementMotion m;
    const std::array<double, 4> nxy = bendingShape(xi, e.length, e.phiXY), nyz = bendingShape(xi, e.length, e.phiYZ);
    for (int k = 0; k < 4; ++k) {
        m.ux += nxy[size_t(k)] * kPlaneXY.sign[size_t(k)] * q(kPlaneXY.index[size_t(k)]);
        m.uz += nyz[size_t(k)] * kPlaneYZ.sign[size_t(k)] * q(kPlaneYZ.index[size_t(k)]);
    }
    m.uy = (1.0 - xi) * q(1) + xi * q(7);
    m.ry = (1.0 - xi) * q(4) + xi * q(10);
    return m;
}

}  // namespace ds::solver
