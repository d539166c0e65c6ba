#include <cmath>
#include <gtest/gtest.h>

#include <sstream>

#include "drivesys/platform/nfem/festiffnessfile.h"

namespace {
// Three 6-DOF nodes; with `modes`, a reduced housing with that many modal coordinates and a mass
// matrix.
FEStiffnessMatrixFile sample(bool withInitial, size_t modes = 0) {
    FEStiffnessMatrixFile f;
    f.systemOfUnits = {FELengthUnit::Millimetre, FEForceUnit::Newton};
    f.nodeNumbers = {101, 7, 3000};
    f.nodeCoords = {NVektor(0, 0, 0), NVektor(0.1, -2.5e-7, 1e5), NVektor(1.0 / 3.0, 2, 3)};
    if (withInitial) {
        f.initialTranslations = {NVektor(0.01, 0, 0), NVektor(), NVektor(-1e-3, 2, 1.0 / 7.0)};
        f.initialRotations = {NVektor(), NVektor(1e-5, 0, 0), NVektor(0, 0, -3)};
    }
    f.dofPerNode = 6;
    f.generalisedCoordinates = modes;
    f.stiffness = NMatrix(18 + modes);
    if (modes) f.mass = NMatrix(18 + modes);
    for (size_t i = 0; i < 18 + modes; ++i)
        for (size_t j = 0; j <= i; ++j) {
            f.stiffness(i, j) = f.stiffness(j, i) = (i == j ? 1e6 : std::cos(i * 31.0 + j) * 1e3) / 3.0;
            if (modes) f.mass(i, j) = f.mass(j, i) = i == j ? 1e-3 : std::cos(1.0 * i * j) * 1e-6 / 7.0;
        }
    return f;
}

FEStiffnessMatrixFile parse(const std::string& text) {
    std::istringstream in(text);
    return readFEStiffnessMatrix(in);
}

void expectError(const std::string& text, size_t line, const std::string& fragment) {
    try {
        parse(text);
        ADD_FAILURE() << "accepted:\n" << text;
    } catch (const FEStiffnessFileError& e) {
        EXPECT_EQ(e.line(), line) << e.what();
        EXPECT_NE(std::string(e.what()).find(fragment), std::string::npos) << e.what();
    }
}
}  // namespace

TEST(FEStiffnessFile, WriteReadRoundTripIsExact) {
    for (bool lower : {true, false})
        for (const auto& [initial, modes] : {std::pair<bool, size_t>{true, 0}, {false, 0}, {false, 2}}) {
            const FEStiffnessMatrixFile f = sample(initial, modes);
            std::ostringstream out;
            writeFEStiffnessMatrix(out, f, lower, {"test housing"});
            if (modes) {
                EXPECT_NE(out.str().find(lower ? "MASS 6 LOWER MODES 2\n" : "MASS 6 FULL MODES 2\n"), std::string::npos);
            }
            const FEStiffnessMatrixFile back = parse(out.str());
            EXPECT_TRUE(back.unitsGiven);
            EXPECT_EQ(back.systemOfUnits, f.systemOfUnits);
            EXPECT_EQ(back.nodeNumbers, f.nodeNumbers);
            EXPECT_EQ(back.nodeCoords, f.nodeCoords);
            EXPECT_EQ(back.initialTranslations, f.initialTranslations);
            EXPECT_EQ(back.initialRotations, f.initialRotations);
            EXPECT_EQ(back.dofPerNode, 6);
            EXPECT_EQ(back.generalisedCoordinates, modes);
            EXPECT_EQ(back.stiffness, f.stiffness);
            EXPECT_EQ(back.mass, f.mass);
            EXPECT_EQ(NFEStiffnessMatrix(std::move(back).toDefs()).getStatus(), FEMatrixOk);
        }
}

TEST(FEStiffnessFile, ReadsHandWrittenVariants) {
    const FEStiffnessMatrixFile f = parse(
        "-- two nodes, three DOF\r\n"
        "UNITS m kN\r\n"
        "\r\n"
        "NODES\r\n"
        "1;0;0;0\r\n"
        "  2, 1.5, 0, 0\r\n"
        "INITIAL\r\n"
        "ux uy uz rotx roty rotz\r\n"
        "-- first node\r\n"
        "0.1 0 0 0 0 0\r\n"
        "0\t0\t0\t0\t0\t0.5\r\n"
        "STIFFNESS 3\r\n"
        "4 0 0 -1 0 0\n0 4 0 0 -1 0\n0 0 4 0 0 -1\n-1 0 0 4 0 0\n0 -1 0 0 4 0\n0 0 -1 0 0 4\n"
        "-- end\n");
    EXPECT_EQ(f.systemOfUnits, (FEStiffnessMatrixSystemOfUnits{FELengthUnit::Metre, FEForceUnit::Kilonewton}));
    EXPECT_EQ(f.nodeCoords[1], NVektor(1.5, 0, 0));
    EXPECT_EQ(f.initialRotations[1], NVektor(0, 0, 0.5));
    EXPECT_EQ(f.dofPerNode, 3);
    EXPECT_EQ(f.stiffness(3, 0), -1.0);
    // Without UNITS the default units, not marked as given; without MASS no mass matrix.
    const FEStiffnessMatrixFile plain = parse("NODES\n1 0 0 0\nSTIFFNESS 3 LOWER MODES 1\n1\n0 1\n0 0 1\n0 0 0 1\n");
    EXPECT_EQ(plain.systemOfUnits, FEStiffnessMatrixSystemOfUnits{});
    EXPECT_FALSE(plain.unitsGiven);
    EXPECT_TRUE(plain.mass.isEmpty());
    EXPECT_EQ(plain.stiffness.numRows(), 4u);

    // The column header is known by its first field alone, wherever it stands in the section.
    const FEStiffnessMatrixFile headers = parse("NODES\n1 0 0 0\n2 0 0 0\nINITIAL\nux uy uz\n0 0 0 0 0 1\nux\n"
                                                "2 0 0 0 0 0\nSTIFFNESS 3 LOWER\n1\n0 1\n0 0 1\n0 0 0 1\n0 0 0 0 1\n0 0 0 0 0 1\n");
    EXPECT_EQ(headers.initialRotations, (std::vector<NVektor>{NVektor(0, 0, 1), NVektor()}));
    EXPECT_EQ(headers.initialTranslations, (std::vector<NVektor>{NVektor(), NVektor(2, 0, 0)}));
}

TEST(FEStiffnessFile, ErrorsNameTheLine) {
    const std::string head = "UNITS mm N\nNODES\n1 0 0 0\n";
    expectError("UNITS mm furlong\n", 1, "unknown units");
    expectError("HELLO\n", 1, "expected UNITS or NODES");
    expectError(head + "2 0 0\n", 4, "4 values");
    expectError(head + "1 5 5 5\n", 4, "appears twice");
    expectError(head + "x 0 0 0\n", 4, "unsigned integer");
    expectError(head + "STIFFNESS 4\n", 4, "3 or 6");
    expectError(head + "STIFFNESS 3\n1 0 0\n0 1\n", 6, "needs 3 values, found 2");
    expectError(head + "STIFFNESS 3 LOWER\n1\n0 1\n0 0 nan\n", 7, "finite");
    expectError(head + "STIFFNESS 3 LOWER\n1\n0 1\n0 0 1e\n", 7, "not a number");
    expectError(head + "STIFFNESS 3 LOWER\n1\n0 1\n0 0 1\n1\n", 8, "after the last stiffness row");
    expectError(head + "INITIAL\n0 0 0 0 0 0\n0 0 0 0 0 0\n", 6, "more rows");
    expectError(head + "INITIAL\n0 0 0 0 0\n", 5, "6 values");
    expectError("NODES\n1 0 0 0\n2 0 0 0\nINITIAL\n0 0 0 0 0 0\nSTIFFNESS 3\n", 6, "INITIAL has 1 rows but there are 2 nodes");
    expectError(head + "STIFFNESS 3 LOWER\n1\n", 0, "after 1 of 3 stiffness rows");
    expectError(head, 0, "no STIFFNESS");
    expectError("NODES\nSTIFFNESS 3\n", 2, "no node");
}

TEST(FEStiffnessFile, MassSectionErrorsNameTheLine) {
    const std::string head = "UNITS mm N\nNODES\n1 0 0 0\nSTIFFNESS 3 LOWER\n1\n0 1\n0 0 1\n";
    expectError(head + "MASS 6 LOWER\n", 8, "same layout");
    expectError(head + "MASS 3 LOWER MODES 1\n", 8, "same layout");
    expectError(head + "MASS 3 LOWER\n1\n0 1\n", 0, "after 2 of 3 mass rows");
    expectError(head + "MASS 3 FULL\n1 0\n", 9, "mass row 1 needs 3 values, found 2");
    expectError(head + "MASS 3 LOWER\n1\n0 1\n0 0 1\n0\n", 12, "after the last mass row");
    expectError(head + "STIFFNESS 3\n", 8, "only a MASS section may follow");
    expectError("NODES\n1 0 0 0\nMASS 3\n", 3, "MASS before STIFFNESS");
    expectError("NODES\n1 0 0 0\nSTIFFNESS 3 LOWER MODES\n", 3, "expected 'STIFFNESS <dof per node>");
    expectError("NODES\n1 0 0 0\nSTIFFNESS 3 MODES -1\n", 3, "MODES takes a count");
    expectError("NODES\n1 0 0 0\nSTIFFNESS 3 MODES 99999999999\n", 3, "MODES takes a count");
}

TEST(FEStiffnessFile, MissingFileAndWriterChecks) {
    try {
        readFEStiffnessMatrixFile(L"/nonexistent/housing.txt");
        FAIL();
    } catch (const FEStiffnessFileError& e) {
        EXPECT_NE(std::string(e.what()).find("/nonexistent/housing.txt: cannot open"), std::string::npos);
    }
    FEStiffnessMatrixFile f = sample(false);
    f.stiffness = NMatrix(17);
    std::ostringstream out;
    EXPECT_THROW(writeFEStiffnessMatrix(out, f, true), std::invalid_argument);
    f = sample(false);
    f.mass = NMatrix(17);
    EXPECT_THROW(writeFEStiffnessMatrix(out, f, true), std::invalid_argument);
}
