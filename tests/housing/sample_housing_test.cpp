#include <gtest/gtest.h>

#include "drivesys/housing/nfemcasing.h"
#include "drivesys/platform/nmath/nmatrix_impl.h"
#include "drivesys/platform/nfem/festiffnessfile.h"

// The sample housing shipped for the demo and the documentation must stay readable and
// physically sound: the box housing of the sample gearbox, reduced onto ten interface nodes and
// six fixed-interface modes.
TEST(SampleHousing, ShippedFileIsAValidReducedHousing) {
    const FEStiffnessMatrixFile f =
        readFEStiffnessMatrixFile(nWString::fromUtf8(std::string(DRIVESYS_SOURCE_DIR) + "/examples/data/box_housing.txt"));
    EXPECT_EQ(f.nodeNumbers, (std::vector<unsigned>{101, 102, 103, 201, 202, 203, 3, 4, 7, 8}));
    EXPECT_EQ(f.dofPerNode, 6);
    EXPECT_EQ(f.generalisedCoordinates, 6u);
    EXPECT_TRUE(f.unitsGiven);
    FEStiffnessMatrixDefs defs = f.toDefs();
    EXPECT_EQ(NFEStiffnessMatrix(defs).getStatus(), FEMatrixOk);
    // Positive definite stiffness and mass: the housing stands on its feet, every DOF has mass.
    const auto k = nmath::eigenView(f.stiffness), m = nmath::eigenView(f.mass);
    EXPECT_EQ(Eigen::LLT<Eigen::MatrixXd>(k).info(), Eigen::Success);
    EXPECT_EQ(Eigen::LLT<Eigen::MatrixXd>(m).info(), Eigen::Success);
    // Craig-Bampton: the modes are stiffness-orthogonal to the nodes' static shapes, so the
    // nodes' block alone is the housing's static stiffness.
    EXPECT_LT(k.topRightCorner(60, 6).norm(), 1e-9 * k.norm());

    // Coupled statically to the three shafts at the six bore centres (bearing points in the FE
    // frame), loads do positive work on the housing, and the deflections are micrometres.
    NMatrix nodes(60);
    nmath::eigenView(nodes) = k.topLeftCorner(60, 60);
    const std::vector<NVektor> frame{NVektor(), NVektor(1, 0, 0), NVektor(0, 1, 0), NVektor(0, 0, 1)};
    std::vector<unsigned> numbers = f.nodeNumbers;
    NFEMCasing::PerShaftVectors points(3);
    for (size_t s = 0; s < 3; ++s) points[s] = {f.nodeCoords[s], f.nodeCoords[s + 3]};
    const NFEMCasing casing(true, 5.0, nodes, {frame, frame, frame}, points, f.nodeCoords, {}, {}, f.systemOfUnits, numbers,
                            true, false, false);
    ASSERT_EQ(casing.getConstructorStatus(), CasingOk);
    EXPECT_EQ(numbers, (std::vector<unsigned>{101, 102, 103, 201, 202, 203}));
    const NFEMCasing::PerShaftVectors forces{{NVektor(500, 1000, -2000), NVektor(0, 1000, 300)},
                                             {NVektor(-500, -1000, 2000), NVektor(0, 200, -300)},
                                             {NVektor(100, 0, 0), NVektor(0, 0, 800)}};
    const NFEMCasing::PerShaftVectors moments{{NVektor(1, -2, 3), NVektor()}, {NVektor(), NVektor(0, 5, 0)}, {NVektor(), NVektor()}};
    NFEMCasing::PerShaftVectors u, r;
    casing.calculateCasingDeflection(forces, moments, u, r);
    double work = 0.0;
    for (size_t s = 0; s < 3; ++s)
        for (size_t p = 0; p < 2; ++p) work += forces[s][p].dot(u[s][p]) + moments[s][p].dot(r[s][p]);
    EXPECT_GT(work, 0.0);
    EXPECT_LT(u[0][0].length(), 1e-4);  // micrometres, not millimetres
}
