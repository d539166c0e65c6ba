#pragma once
// The rotating Timoshenko beam element of a shaft: two nodes, six degrees of freedom each.
//
// Local frame of a shaft: y runs along the axis, x and z are lateral. Degrees of freedom of a
// node, in this order: ux, uy (axial), uz in m and rx, ry (torsion), rz in rad. Bending in the
// x-y plane moves ux with the section rotation rz (dux/dy = −rz for a slender beam); bending in
// the y-z plane moves uz with rx (duz/dy = rx).
//
// Units: lengths m, E and G in Pa, density kg/m³, areas m², second moments m⁴. The matrices come
// out in N/m, N, N·m/rad (stiffness), kg, kg·m, kg·m² (mass) and kg·m² (gyroscopic, per rad/s).
#include <Eigen/Core>
#include <array>
#include <complex>

namespace ds::solver {

using Matrix12 = Eigen::Matrix<double, 12, 12>;
using ComplexVector12 = Eigen::Matrix<std::complex<double>, 12, 1>;

/// Cross-section of one element. `Ixx` resists bending in the y-z plane (rotation about x),
/// `Izz` bending in the x-y plane, `J` is the torsion constant (Ixx + Izz for a round section).
struct BeamSection {
    double area = 0.0;
    double Ixx = 0.0;
    double Izz = 0.0;
    double J = 0.0;
};

struct BeamMaterial {
    double E = 0.0;
    double G = 0.0;
    /// Shear correction factor; 0 neglects shear deformation (Euler–Bernoulli bending).
    double kappa = 0.0;
    double density = 0.0;
};

/// Element matrices, split by the kind of deformation so that energies and hysteretic damping
/// can be taken per kind: the stiffness matrices add up to the element's stiffness.
struct BeamElementMatrices {
    Matrix12 axial = Matrix12::Zero();
    Matrix12 torsion = Matrix12::Zero();
    Matrix12 bendingXY = Matrix12::Zero();
    Matrix12 bendingYZ = Matrix12::Zero();
    Matrix12 shearXY = Matrix12::Zero();
    Matrix12 shearYZ = Matrix12::Zero();
    /// Consistent mass with rotary inertia.
    Matrix12 mass = Matrix12::Zero();
    /// Gyroscopic matrix per rad/s of spin about +y (skew-symmetric).
    Matrix12 gyroscopic = Matrix12::Zero();
    /// Lateral, axial and torsional parts of the mass (they add up to `mass`).
    Matrix12 massLateral = Matrix12::Zero();
    Matrix12 massAxial = Matrix12::Zero();
    Matrix12 massTorsion = Matrix12::Zero();
    /// The parameters of the shape functions the matrices come from: the element's length (m) and
    /// its shear parameters Φ = 12 E I / (κ G A L²) of bending in the x-y plane (I = Izz) and in
    /// the y-z plane (I = Ixx); 0 without shear deformation.
    double length = 0.0, phiXY = 0.0, phiYZ = 0.0;

    Matrix12 stiffness() const { return axial + torsion + bendingXY + bendingYZ + shearXY + shearYZ; }
};

/// The element of length `length` (> 0) with a uniform section.
///
/// Bending follows the Timoshenko beam element with cubic interpolation of the deflection and
/// quadratic interpolation of the section rotation that satisfies the homogeneous equations
/// (shear parameter Φ = 12 E I / (κ G A L²)); the rotating form with rotary inertia and the
/// gyroscopic matrix is Nelson's rotor element. Mass, rotary inertia and gyroscopic terms are
/// integrated from the same shape functions (4-point Gauss, exact for their degree). Axial and
/// torsional motion use the linear bar element (consistent mass).
BeamElementMatrices timoshenkoElement(double length, const BeamSection& section, const BeamMaterial& material);

/// Deflection shape functions of one bending plane at ξ = s/L in [0, 1] for the plane's
/// (w1, θ1, w2, θ2): w(ξ) = Σ N_k q_k, the element's own cubic interpolation with shear
/// parameter Φ (Φ = 0: the Hermite cubics of the Euler–Bernoulli beam).
std::array<double, 4> bendingShape(double xi, double length, double phi);

/// Motion inside an element at ξ = s/L in [0, 1] from its twelve nodal values q (in the order of
/// the matrices): lateral deflections ux, uz (m, the bending shape functions of their planes),
/// axial deflection uy (m) and torsion ry (rad) (the bar's linear interpolation).
struct ElementMotion {
    std::complex<double> ux, uy, uz, ry;
};
ElementMotion elementMotion(const BeamElementMatrices& element, const ComplexVector12& q, double xi);

}  // namespace ds::solver
