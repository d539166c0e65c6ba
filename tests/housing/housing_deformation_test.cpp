// Housing-deformation results: the JSON assignment that leaves the result lists alone, the
// module-variables writer and the initial-offsets reader.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "drivesys/housing/housing_deformation.h"
#include "drivesys/platform/nfem/festiffnessfile.h"

namespace {
using json = nlohmann::json;

HousingBearingResult bearing(int node, const wchar_t* name, double base) {
    HousingBearingResult b;
    b.shaftName = L"Shaft";
    b.bearingName = name;
    b.nodeID = node;
    b.ux = base;
    b.Tz = base + 0.5;
    return b;
}

TEST(HousingDeformationResults, JsonAssignmentKeepsTheResultLists) {
    HousingDeformationResults r;
    r.bearingResultsShaftsCS = {bearing(5, L"B", 1)};
    json j = HousingDeformationResults().toJson();
    j["returnedStatus"] = 0;
    j["maxUz"]["nodeID"] = 17;
    j["convergenceStatus"] = {0.5, 0.25};
    j["bearingResultsShaftsCS"] = json::array();
    j["bearingResultsFEMCS"] = "not even a list";
    r = j;
    EXPECT_EQ(r.returnedStatus, 0);
    EXPECT_EQ(r.maxUz.nodeID, 17);
    EXPECT_EQ(r.convergenceStatus, (std::vector<double>{0.5, 0.25}));
    ASSERT_EQ(r.bearingResultsShaftsCS.size(), 1u);
    EXPECT_EQ(r.bearingResultsShaftsCS[0].nodeID, 5);

    json missing = j;
    missing.erase("maxTy");
    EXPECT_THROW(r = missing, json::out_of_range);
    json wrong = j;
    wrong["maxNumIterations"] = "ten";
    EXPECT_THROW(r = wrong, json::type_error);
    EXPECT_THROW(r = json::array(), json::type_error);
}

std::vector<std::string> readLines(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

TEST(HousingDeformationModuleVariables, NodePrefixesAndBothLists) {
    HousingDeformationResults r;
    r.returnedStatus = 0;
    r.housingName = L"Geh\u00e4use";
    r.bearingResultsShaftsCS = {bearing(12, L"B1", 0.001), HousingBearingResult()};
    r.bearingResultsFEMCS = {bearing(12, L"B1", -2)};
    const std::string path = ::testing::TempDir() + "hd_modvars.txt";
    std::remove(path.c_str());
    EXPECT_TRUE(WriteModuleVariablesHousingDeformation(nWString::fromUtf8(path).c_str(), r));
    const auto lines = readLines(path);
    std::remove(path.c_str());

    ASSERT_EQ(lines.size(), 5u + 3u * 14u);
    EXPECT_EQ(lines[0], "housing_deformation_status=0");
    EXPECT_EQ(lines[1], "housing_deformation_convergenceAccuracy=-1");
    EXPECT_EQ(lines[2], "housing_deformation_housingName=Geh\xC3\xA4use");
    EXPECT_EQ(lines[3], "housing_deformation_stiffnessMatrixFileName=");
    EXPECT_EQ(lines[4], "housing_deformation_maxNumIterations=-1");
    EXPECT_EQ(lines[5], "housing_deformation_12_shaftName=Shaft");
    EXPECT_EQ(lines[6], "housing_deformation_12_bearingName=B1");
    EXPECT_EQ(lines[7], "housing_deformation_12_shaftCS_ux=0.001");
    EXPECT_EQ(lines[18], "housing_deformation_12_shaftCS_Tz=0.501");
    // The default node number goes through the unsigned conversion.
    EXPECT_EQ(lines[19], "housing_deformation_4294967295_shaftName=");
    EXPECT_EQ(lines[21], "housing_deformation_4294967295_shaftCS_ux=0");
    // A node in both lists gets its name lines twice.
    EXPECT_EQ(lines[33], "housing_deformation_12_shaftName=Shaft");
    EXPECT_EQ(lines[35], "housing_deformation_12_FEMCS_ux=-2");
    EXPECT_EQ(lines[46], "housing_deformation_12_FEMCS_Tz=-1.5");
}

class InitialOffsets : public ::testing::Test {
protected:
    std::string write(const std::string& text) {
        path_ = ::testing::TempDir() + "offsets_" + ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".txt";
        std::ofstream(path_, std::ios::binary) << text;
        return path_;
    }
    void read(const std::string& text) {
        translations = {NVektor(9, 9, 9)};
        rotations = {NVektor(9, 9, 9)};
        readInitialOffsetsFEMFromFile(nWString::fromUtf8(write(text)), translations, rotations);
    }
    void TearDown() override {
        if (!path_.empty()) std::remove(path_.c_str());
    }
    std::string path_;
    std::vector<NVektor> translations;
    std::vector<NVektor> rotations;
};

TEST_F(InitialOffsets, ReadsTheInitialSectionUpToStiffness) {
    read("-- model exported for the box housing\n"
         "NODES 2\n"
         "INITIAL\n"
         "ux uy uz rotx roty rotz\n"
         "0.1 0.2 0.3 0.01 0.02 0.03\n"
         "-- a comment inside the section\n"
         "1;2;3;4;5;6\r\n"
         "7\t8\t9\t10\t11\t12\n"
         "1,2,3,4,5,six\n"
         "  1   2  3 4 5 6  \n"
         "STIFFNESS\n"
         "9 9 9 9 9 9\n");
    ASSERT_EQ(translations.size(), 5u);
    EXPECT_EQ(translations[0], NVektor(0.1, 0.2, 0.3));
    EXPECT_EQ(rotations[0], NVektor(0.01, 0.02, 0.03));
    EXPECT_EQ(translations[1], NVektor(1, 2, 3));
    EXPECT_EQ(rotations[2], NVektor(10, 11, 12));
    EXPECT_EQ(rotations[3], NVektor(4, 5, 0));  // text that is no number reads as 0
    EXPECT_EQ(translations[4], NVektor(1, 2, 3));
}

TEST_F(InitialOffsets, TheSectionRunsFromInitialToTheFirstRowOfOtherThanSixFieldsOrStiffness) {
    const std::pair<const char*, size_t> rowsRead[] = {
        {"INITIAL\n1 2 3 4 5 6\n1 2 3 4 5\n7 8 9 10 11 12\n", 1},
        {"INITIAL\n1 2 3 4 5\n1 2 3 4 5 6\n", 0},
        {"INITIAL\n1 2 3 4 5 6\n1 2 3 4 5 6 7\n7 8 9 10 11 12\n", 1},
        // Unlike the stiffness-file reader, the offsets reader takes a header only with six fields.
        {"INITIAL\nux uy uz\n1 2 3 4 5 6\n", 0},
        {"STIFFNESS\nINITIAL\n1 2 3 4 5 6\n", 0},
        {"1 2 3 4 5 6\n", 0},          // no INITIAL line
        {"INITIAL\n1 2 3 4 5 6", 1},   // last line without its end
    };
    for (const auto& [text, rows] : rowsRead) {
        read(text);
        EXPECT_EQ(translations.size(), rows) << text;
        EXPECT_EQ(rotations.size(), rows) << text;
    }
}

// Offsets written into a stiffness file (to 17 digits) read back exactly.
TEST_F(InitialOffsets, ReadsTheSectionTheStiffnessFileWriterWrites) {
    FEStiffnessMatrixFile f;
    f.nodeNumbers = {101, 7};
    f.nodeCoords = {NVektor(0, 0, 0), NVektor(0.1, 2, 3)};
    f.initialTranslations = {NVektor(0.01, 0, 0), NVektor(-1e-3, 2, 1.0 / 7.0)};
    f.initialRotations = {NVektor(), NVektor(1e-5, -2.5e-7, -3)};
    f.dofPerNode = 6;
    f.stiffness = NMatrix(12);
    for (size_t i = 0; i < 12; ++i) f.stiffness(i, i) = 1e6 / 3.0;
    std::ostringstream out;
    writeFEStiffnessMatrix(out, f, true, {"two nodes"});
    read(out.str());
    EXPECT_EQ(translations, f.initialTranslations);
    EXPECT_EQ(rotations, f.initialRotations);
}

// Numbers are read the same whatever locale the host has set: under a locale whose decimal
// separator is a comma, "0.02" is still 0.02 (and "0,5" is still 0, as text read as far as it
// is a number in the C locale). The comma locale is compiled for the test; without localedef
// the test is skipped.
TEST_F(InitialOffsets, NumbersDoNotDependOnTheHostLocale) {
    const std::string dir = ::testing::TempDir() + "comma_locale";
    const std::string source = dir + "/comma.def";
    std::filesystem::create_directories(dir);
    std::ofstream(source) << "LC_CTYPE\ncopy \"POSIX\"\nEND LC_CTYPE\nLC_NUMERIC\ndecimal_point \"<U002C>\"\n"
                             "thousands_sep \"\"\ngrouping -1\nEND LC_NUMERIC\n";
    const std::string command = "localedef -c -i '" + source + "' -f UTF-8 '" + dir + "/xx_COMMA.UTF-8' >/dev/null 2>&1";
    if (std::system(command.c_str()) == -1) GTEST_SKIP() << "no shell";
    const char* oldPath = std::getenv("LOCPATH");
    const std::string savedPath = oldPath ? oldPath : "";
    setenv("LOCPATH", dir.c_str(), 1);
    const std::string before = std::setlocale(LC_NUMERIC, nullptr);
    const bool switched = std::setlocale(LC_NUMERIC, "xx_COMMA.UTF-8") != nullptr;
    if (switched) {
        EXPECT_EQ(std::atof("0,5"), 0.5);  // the locale is in force
        read("INITIAL\n0.02 -1.5e-3 3 0,5 x 6\n");
    }
    std::setlocale(LC_NUMERIC, before.c_str());
    if (oldPath) setenv("LOCPATH", savedPath.c_str(), 1);
    else unsetenv("LOCPATH");
    if (!switched) GTEST_SKIP() << "localedef could not make a comma locale";
    ASSERT_EQ(translations.size(), 1u);
    EXPECT_EQ(translations[0], NVektor(0.02, -1.5e-3, 3));
    EXPECT_EQ(rotations[0], NVektor(0, 0, 6));
}

TEST_F(InitialOffsets, MissingEmptyAndBinaryFiles) {
    std::vector<NVektor> t = {NVektor(1, 1, 1)};
    std::vector<NVektor> r = {NVektor(2, 2, 2)};
    readInitialOffsetsFEMFromFile(nWString(), t, r);  // empty path: lists untouched
    EXPECT_EQ(t.size(), 1u);
    readInitialOffsetsFEMFromFile(L"/nonexistent/offsets.txt", t, r);
    EXPECT_TRUE(t.empty());
    EXPECT_TRUE(r.empty());

    std::string garbage = "INITIAL\n";
    for (int i = 0; i < 4096; ++i) garbage.push_back(static_cast<char>((i * 7919) % 256));
    read(garbage);
    EXPECT_EQ(translations.size(), rotations.size());
}

}  // namespace
