#include <gtest/gtest.h>

#include "drivesys/housing/nfemcasing.h"
#include "drivesys/platform/nmath/nmatrix_impl.h"
#include "drivesys/platform/nfem/festiffnessfile.h"

// The sample housing shipped for the demo and the documentation must stay readable and
// physically sound.
TEST(SampleHousing, ShippedFileIsAValidCondensedStiffness) {
    const FEStiffnessMatrixFile f =
        readFEStiffnessMatrixFile(nWString::fromUtf8(std::string(DRIVESYS_SOURCE_DIR) + "/examples/data/box_housing.txt"));
    EXPECT_EQ(f.nodeNumbers, (std::vector<unsigned>{4, 101, 102, 3, 8, 201, 202, 7}));
    EXPECT_EQ(f.dofPerNode, 6);
    EXPECT_EQ(f.initialTranslations.size(), 8u);
    EXPECT_EQ(NFEStiffnessMatrix(f.toDefs()).getStatus(), FEMatrixOk);
    // Positive definite: the housing stands on its feet, no rigid-body motion is left.
    EXPECT_EQ(Eigen::LLT<Eigen::MatrixXd>(nmath::eigenView(f.stiffness)).info(), Eigen::Success);

    // Coupled to two shafts on the bore centres, loads do positive work on the housing.
    const std::vector<NVektor> axisFrame{NVektor(), NVektor(0, 0, 1), NVektor(1, 0, 0), NVektor(0, 1, 0)};
    std::vector<unsigned> numbers = f.nodeNumbers;
    const NFEMCasing casing(true, 5.0, f.stiffness, {axisFrame, axisFrame},
                            {{NVektor(0, 0, 0), NVektor(0, 0, 200)}, {NVektor(150, 0, 0), NVektor(150, 0, 200)}}, f.nodeCoords,
                            {}, {}, f.systemOfUnits, numbers, true, false, false);
    ASSERT_EQ(casing.getConstructorStatus(), CasingOk);
    EXPECT_EQ(numbers, (std::vector<unsigned>{101, 102, 201, 202}));
    const NFEMCasing::PerShaftVectors forces{{NVektor(500, 1000, -2000), NVektor(0, 1000, 300)},
                                             {NVektor(-500, -1000, 2000), NVektor(0, 200, -300)}};
    const NFEMCasing::PerShaftVectors moments{{NVektor(1, -2, 3), NVektor()}, {NVektor(), NVektor(0, 5, 0)}};
    NFEMCasing::PerShaftVectors u, r;
    casing.calculateCasingDeflection(forces, moments, u, r);
    double work = 0.0;
    for (size_t s = 0; s < 2; ++s)
        for (size_t p = 0; p < 2; ++p) work += forces[s][p].dot(u[s][p]) + moments[s][p].dot(r[s][p]);
    EXPECT_GT(work, 0.0);
    EXPECT_LT(u[0][0].length(), 1e-4);  // micrometres, not millimetres
}
