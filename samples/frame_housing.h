#pragma once
// A housing modelled as a space frame of steel beams standing on spring feet, and its reduction
// onto interface nodes as an FE program exports a housing for a drive-train calculation.
//
// Units: mm, N, t (so that the mass matrix is in N·s²/mm, the stiffness file's mass unit).
// Beams are Euler-Bernoulli space-frame elements; their mass is lumped at their ends (half each)
// with the rotary inertia of a rod about its end half, m·L²/12 per bending axis and the section's
// polar term for torsion, so the lumped mass matrix is positive definite.
//
// Reduction (Craig-Bampton): with interface DOF i and the others o,
//   static modes  Ψ = −K_oo⁻¹ K_oi  (the frame's shape when one interface DOF moves, the others
//                                    held, nothing loading the rest),
//   fixed-interface modes  K_oo Φ = M_oo Φ Λ  (the lowest `modes`, each scaled to a largest
//                                    translation of 1 mm, so that its amplitude q is dimensionless),
//   T = [[I, 0], [Ψ, Φ]],  K_r = Tᵀ K T = [[K_ii + K_io Ψ, 0], [0, ΦᵀK_ooΦ]],  M_r = Tᵀ M T.
// Without modes this is the static (Guyan) condensation. The generalised coordinates follow the
// interface nodes' DOF in the file (STIFFNESS … MODES q).
#include <Eigen/Core>
#include <string>
#include <vector>

#include "drivesys/platform/nfem/festiffnessfile.h"

namespace ds {

class FrameHousing {
public:
    /// A beam section: area mm², bending inertias about the local y and z axes mm⁴, torsion
    /// constant mm⁴.
    struct Section {
        double area = 0.0, iy = 0.0, iz = 0.0, torsion = 0.0;
    };

    /// Adds a node (number, position in mm); returns its index.
    size_t addNode(unsigned number, const NVektor& position);
    /// A steel beam between two nodes.
    void connect(size_t a, size_t b, const Section& section);
    /// Springs from a node to the ground: N/mm in each direction, N·mm/rad about each axis.
    void foot(size_t node, double translation, double rotation);

    size_t nodeCount() const { return coords_.size(); }
    const NVektor& position(size_t node) const { return coords_[node]; }

    /// The frame reduced onto the interface nodes (indices, in file order) with `modes`
    /// fixed-interface modes: units mm, N; the mass matrix included.
    FEStiffnessMatrixFile reduce(const std::vector<size_t>& interface, size_t modes) const;

private:
    void assemble(Eigen::MatrixXd& k, Eigen::VectorXd& lumped) const;
    struct Beam {
        size_t a, b;
        Section section;
    };
    struct Foot {
        size_t node;
        double translation, rotation;
    };
    std::vector<unsigned> numbers_;
    std::vector<NVektor> coords_;
    std::vector<Beam> beams_;
    std::vector<Foot> feet_;
};

}  // namespace ds
