#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>

#include "drivesys/platform/nfem/festiffnessmatrix.h"
#include "drivesys/platform/nmath/nmatrix_impl.h"

namespace {
// Symmetric, diagonally dominant n×n matrix with reproducible entries.
NMatrix symmetricMatrix(size_t n) {
    NMatrix k(n);
    for (size_t i = 0; i < n; ++i)
        for (size_t j = 0; j < i; ++j) k(i, j) = k(j, i) = std::sin(1.0 + 7.0 * i + 3.0 * j) * 100.0;
    for (size_t i = 0; i < n; ++i) k(i, i) = 100.0 * static_cast<double>(n) + 1.0;
    return k;
}

FEStiffnessMatrixDefs defsFor(const NMatrix& k, size_t nodes, bool sixDof) {
    FEStiffnessMatrixDefs d;
    d.setStiffnessMatrix(k);
    d.nodeCoords.assign(nodes, NVektor(1, 2, 3));
    d.sixDofNodes = sixDof;
    return d;
}

int statusOf(const FEStiffnessMatrixDefs& d) { return NFEStiffnessMatrix(d).getStatus(); }

/// Each entry of a matrix converted from ones is the factor of its block: rows and columns whose
/// index `isSecond` marks take the second kind of factor.
void expectBlockFactors(const NMatrix& si, bool (*isSecond)(size_t), double firstFirst, double mixed, double secondSecond) {
    for (size_t r = 0; r < si.numRows(); ++r)
        for (size_t c = 0; c < si.numCols(); ++c) {
            const double expected = isSecond(r) ? (isSecond(c) ? secondSecond : mixed) : (isSecond(c) ? mixed : firstFirst);
            EXPECT_NEAR(si(r, c), expected, expected * 1e-15) << r << "," << c;
        }
}
}  // namespace

TEST(NFEStiffnessMatrix, EachFailureHasItsStatus) {
    EXPECT_EQ(statusOf(defsFor(NMatrix(), 0, true)), FEMatrixEmpty);
    EXPECT_EQ(statusOf(defsFor(NMatrix(6, 12), 1, true)), FEMatrixNotSquare);
    EXPECT_EQ(statusOf(defsFor(symmetricMatrix(12), 3, true)), FEMatrixLayoutMismatch);
    EXPECT_EQ(statusOf(defsFor(symmetricMatrix(12), 4, false)), FEMatrixOk);
    EXPECT_EQ(statusOf(defsFor(symmetricMatrix(12), 2, true)), FEMatrixOk);

    FEStiffnessMatrixDefs numbers = defsFor(symmetricMatrix(12), 2, true);
    numbers.nodeNumbers = {7};
    EXPECT_EQ(statusOf(numbers), FEMatrixLayoutMismatch);
    numbers.nodeNumbers = {7, 7};
    EXPECT_EQ(statusOf(numbers), FEMatrixLayoutMismatch);
    numbers.nodeNumbers = {7, 8};
    EXPECT_EQ(statusOf(numbers), FEMatrixOk);

    FEStiffnessMatrixDefs coords = defsFor(symmetricMatrix(12), 2, true);
    coords.nodeCoords[1].y = std::numeric_limits<double>::infinity();
    EXPECT_EQ(statusOf(coords), FEMatrixNotFinite);
}

TEST(NFEStiffnessMatrix, FindsNonFiniteAndAsymmetricEntriesAcrossTiles) {
    // 72 rows span three cache tiles: probe entries in off-diagonal and edge tiles.
    for (auto [r, c] : {std::pair<size_t, size_t>{65, 3}, {3, 65}, {71, 70}, {0, 0}, {40, 33}}) {
        NMatrix k = symmetricMatrix(72);
        k(r, c) = std::nan("");
        EXPECT_EQ(statusOf(defsFor(k, 24, false)), FEMatrixNotFinite) << r << "," << c;
        if (r == c) continue;
        k = symmetricMatrix(72);
        k(r, c) += 1.0;
        const NFEStiffnessMatrix fe(defsFor(k, 24, false));
        EXPECT_EQ(fe.getStatus(), FEMatrixNotSymmetric) << r << "," << c;
        std::ostringstream where;
        where << "(" << std::min(r, c) << ", " << std::max(r, c) << ")";
        EXPECT_NE(fe.getStatusText().find(where.str()), std::string::npos) << fe.getStatusText();
    }
}

TEST(NFEStiffnessMatrix, SymmetryToleranceFollowsEntryAndDiagonalScale) {
    NMatrix k = symmetricMatrix(6);
    k(0, 1) *= 1.0 + 1e-7;  // relative round-off: accepted
    EXPECT_EQ(statusOf(defsFor(k, 1, true)), FEMatrixOk);
    k(0, 1) = k(1, 0) * (1.0 + 1e-4);
    EXPECT_EQ(statusOf(defsFor(k, 1, true)), FEMatrixNotSymmetric);

    // A stiff translation (1e9) beside a soft rotation (1e3): a coupling of 1e-3 against 1.1e-3
    // is noise on the scale sqrt(1e9 · 1e3) = 1e6 of that row and column.
    NMatrix mixed(6);
    for (size_t i = 0; i < 6; ++i) mixed(i, i) = i < 3 ? 1e9 : 1e3;
    mixed(0, 4) = 1e-3;
    mixed(4, 0) = 1.1e-3;
    EXPECT_EQ(statusOf(defsFor(mixed, 1, true)), FEMatrixOk);
    mixed(4, 0) = 2e3;
    EXPECT_EQ(statusOf(defsFor(mixed, 1, true)), FEMatrixNotSymmetric);
}

TEST(NFEStiffnessMatrix, SiConversionScalesTranslationAndRotationBlocks) {
    NMatrix ones(12);
    nmath::eigenView(ones).setOnes();
    FEStiffnessMatrixDefs d = defsFor(ones, 2, true);
    d.systemOfUnits = {FELengthUnit::Millimetre, FEForceUnit::Kilonewton};
    const NFEStiffnessMatrix fe(d);
    ASSERT_EQ(fe.getStatus(), FEMatrixOk);
    const NMatrix si = fe.getFEStiffnessMatrix(true);
    // kN/mm → N/m: 1e6; kN/rad and kN·mm/mm → N: 1e3; kN·mm/rad → N·m/rad: 1.
    expectBlockFactors(si, [](size_t i) { return i % 6 >= 3; }, 1e6, 1e3, 1.0);
    EXPECT_EQ(fe.getFEStiffnessMatrixNodeCoords(true)[0], NVektor(1, 2, 3) * 0.001);
    EXPECT_EQ(fe.getFEStiffnessMatrix(false), ones);

    // Imperial units: lbf/in → N/m.
    d.systemOfUnits = {FELengthUnit::Inch, FEForceUnit::PoundForce};
    EXPECT_NEAR(NFEStiffnessMatrix(d).getFEStiffnessMatrix(true)(0, 0), 4.4482216152605 / 0.0254, 1e-9);
    // 3-DOF nodes have translational rows only.
    FEStiffnessMatrixDefs three = defsFor(ones, 4, false);
    three.systemOfUnits = {FELengthUnit::Metre, FEForceUnit::Newton};
    EXPECT_EQ(NFEStiffnessMatrix(three).getFEStiffnessMatrix(true), ones);
}

// Generalised coordinates are dimensionless amplitudes: their rows are works (N·mm → N·m),
// their columns stay. A mass matrix converts with the stiffness's factors: t (N·s²/mm) → kg.
TEST(NFEStiffnessMatrix, GeneralisedCoordinatesAndMassConvertToSI) {
    NMatrix ones(5);  // one 3-DOF node and two modes, in mm and N
    nmath::eigenView(ones).setOnes();
    FEStiffnessMatrixDefs d = defsFor(ones, 1, false);
    d.generalisedCoordinates = 2;
    const NFEStiffnessMatrix fe(d);
    ASSERT_EQ(fe.getStatus(), FEMatrixOk);
    EXPECT_EQ(fe.numDofs(), 5u);
    for (const NMatrix& si : {fe.getFEStiffnessMatrix(true), fe.convertToSI(ones)})
        expectBlockFactors(si, [](size_t i) { return i >= 3; }, 1e3, 1.0, 1e-3);
    EXPECT_THROW((void)fe.convertToSI(NMatrix(4)), std::invalid_argument);
    d.generalisedCoordinates = 1;
    EXPECT_EQ(NFEStiffnessMatrix(d).getStatus(), FEMatrixLayoutMismatch);
}

// With the check on gather, construction reads no entry; a gathered sub-matrix is checked and a
// fault is named by its row and column in the whole matrix.
TEST(NFEStiffnessMatrix, EntriesCheckedOnGather) {
    NMatrix k = symmetricMatrix(24);
    k(2, 20) += 1.0;                   // node 0 against node 3
    k(9, 9) = std::nan("");             // node 1
    FEStiffnessMatrixDefs d = defsFor(k, 4, true);
    d.entryCheck = FEEntryCheck::OnGather;
    const NFEStiffnessMatrix fe(d);
    ASSERT_EQ(fe.getStatus(), FEMatrixOk);
    const auto clean = fe.getCheckedFEStiffnessSubMatrix({0, 2}, true);
    EXPECT_EQ(clean.status, FEMatrixOk);
    EXPECT_EQ(clean.matrix, fe.getFEStiffnessSubMatrix({0, 2}, true));
    const auto asymmetric = fe.getCheckedFEStiffnessSubMatrix({3, 0}, false);
    EXPECT_EQ(asymmetric.status, FEMatrixNotSymmetric);
    EXPECT_NE(asymmetric.statusText.find("(2, 20)"), std::string::npos) << asymmetric.statusText;
    EXPECT_TRUE(asymmetric.matrix.isEmpty());
    const auto nan = fe.getCheckedFEStiffnessSubMatrix({1}, true);
    EXPECT_EQ(nan.status, FEMatrixNotFinite);
    EXPECT_NE(nan.statusText.find("(9, 9)"), std::string::npos) << nan.statusText;
    d.entryCheck = FEEntryCheck::WholeMatrix;  // the whole check meets the NaN
    EXPECT_EQ(statusOf(d), FEMatrixNotFinite);
}

TEST(NFEStiffnessMatrix, SubMatrixEqualsGatheredFullMatrix) {
    const NMatrix k = symmetricMatrix(24);
    FEStiffnessMatrixDefs d = defsFor(k, 4, true);
    d.systemOfUnits = {FELengthUnit::Centimetre, FEForceUnit::Kilonewton};
    const NFEStiffnessMatrix fe(d);
    const NMatrix full = fe.getFEStiffnessMatrix(true);
    std::vector<size_t> dofs;
    for (size_t node : {1u, 3u})
        for (size_t i = 0; i < 6; ++i) dofs.push_back(node * 6 + i);
    EXPECT_EQ(fe.getFEStiffnessSubMatrix({1, 3}, true), full.gather(dofs, dofs));
    EXPECT_THROW((void)fe.getFEStiffnessSubMatrix({4}, true), std::out_of_range);
}

TEST(NFEStiffnessMatrix, ReferredMatrixIsNotCopied) {
    const NMatrix k = symmetricMatrix(6);
    FEStiffnessMatrixDefs d;
    d.referToStiffnessMatrix(k);
    EXPECT_EQ(&d.stiffnessMatrix(), &k);
    d.setStiffnessMatrix(k);
    EXPECT_NE(&d.stiffnessMatrix(), &k);
}

TEST(FEUnits, CodesAndSymbols) {
    // cm, ft, in, mm, µm; the unknown codes 0 and 5 count as metre.
    const std::pair<unsigned, double> table[] = {{2, 10.0}, {3, 304.8}, {4, 25.4}, {6, 1.0}, {7, 0.001}, {0, 1000.0}, {5, 1000.0}};
    for (const auto& [code, millimetres] : table) EXPECT_EQ(feLengthUnitInMillimetres(code), millimetres) << code;
    FEStiffnessMatrixSystemOfUnits u;
    EXPECT_TRUE(u.setFromSymbols("in", "lbf"));
    EXPECT_EQ(u.lengthSymbol() + " " + u.forceSymbol(), "in lbf");
    EXPECT_FALSE(u.setFromSymbols("furlong", "N"));
    EXPECT_EQ(u.length, FELengthUnit::Inch);
}
