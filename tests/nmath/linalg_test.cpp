#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <nlohmann/json.hpp>

#include "drivesys/foundation/record_impl.h"
#include "drivesys/platform/nmath/nmatrix_impl.h"
#include "drivesys/platform/nmath/nmatrix.h"
#include "drivesys/platform/nmath/nvektor.h"

using json = nlohmann::json;

TEST(NVektor, AlgebraAndNormalisation) {
    const NVektor a(1, 2, 3), b(-2, 0.5, 4);
    EXPECT_EQ(a.cross(b), NVektor(2 * 4 - 3 * 0.5, 3 * -2 - 1 * 4, 1 * 0.5 - 2 * -2));
    EXPECT_DOUBLE_EQ(a.cross(b).dot(a), 0.0);
    EXPECT_DOUBLE_EQ(NVektor(3, 4, 12).length(), 13.0);
    const NVektor n = NVektor(0, -5, 0).normalized();
    EXPECT_EQ(n, NVektor(0, -1, 0));
    EXPECT_EQ(NVektor().normalized(), NVektor());
    EXPECT_EQ(NVektor(std::nan(""), 1, 1).normalized(), NVektor());
    EXPECT_THROW((void)a[3], std::out_of_range);
}

TEST(NMatrix, ShapeOperations) {
    NMatrix m(3);
    EXPECT_EQ(m.numRows(), 3u);
    EXPECT_TRUE(m.isNull());
    m = NMatrix{{1, 2, 3}, {4, 5, 6}, {7, 8, 9}};
    m.deleteRow(1);
    EXPECT_EQ(m, (NMatrix{{1, 2, 3}, {7, 8, 9}}));
    m.deleteColumn(0);
    EXPECT_EQ(m, (NMatrix{{2, 3}, {8, 9}}));
    m.resize(3, 3, false);
    EXPECT_EQ(m, (NMatrix{{2, 3, 0}, {8, 9, 0}, {0, 0, 0}}));
    m.resize(2, 4, true);
    EXPECT_TRUE(m.isNull());
    EXPECT_EQ(m.numCols(), 4u);
    EXPECT_THROW(m.setElem(2, 0, 1.0), std::out_of_range);
    EXPECT_THROW(m.deleteColumn(4), std::out_of_range);
    EXPECT_THROW((NMatrix{{1, 2}, {3}}), std::invalid_argument);
}

TEST(NMatrix, GatherEqualsRepeatedDeletion) {
    NMatrix m(6);
    for (size_t r = 0; r < 6; ++r)
        for (size_t c = 0; c < 6; ++c) m(r, c) = 10.0 * r + c;
    NMatrix deleted = m;
    for (size_t k : {4u, 2u, 1u}) {
        deleted.deleteRow(k);
        deleted.deleteColumn(k);
    }
    EXPECT_EQ(m.gather({0, 3, 5}, {0, 3, 5}), deleted);
    EXPECT_THROW((void)m.gather({6}, {0}), std::out_of_range);
}

TEST(NMatrix, InverseAndSingularity) {
    const NMatrix a{{4, 1, 0}, {1, 3, 1}, {0, 1, 2}};
    const NMatrix prod = a * a.inverse();
    EXPECT_TRUE(nmath::eigenView(prod).isApprox(Eigen::MatrixXd::Identity(3, 3), 1e-14));
    EXPECT_THROW((void)NMatrix({{1, 2}, {2, 4}}).inverse(), NMatrixSingularError);
    EXPECT_THROW((void)NMatrix(3).inverse(), NMatrixSingularError);
    EXPECT_THROW((void)NMatrix(2, 3).inverse(), NMatrixSingularError);
    EXPECT_THROW((void)NMatrix({{1, std::numeric_limits<double>::infinity()}, {0, 1}}).inverse(), NMatrixSingularError);
    EXPECT_TRUE(NMatrix().inverse().isEmpty());
    // Badly scaled but regular matrices still invert.
    EXPECT_NO_THROW((void)NMatrix({{1e9, 0}, {0, 1e-3}}).inverse());
}

TEST(NMatrix, ProductsCheckSizes) {
    const NMatrix a{{1, 2}, {3, 4}, {5, 6}};
    EXPECT_EQ(a * std::vector<double>({1, -1}), (std::vector<double>{-1, -1, -1}));
    EXPECT_THROW((void)(a * std::vector<double>{1, 2, 3}), std::invalid_argument);
    EXPECT_THROW((void)(a * a), std::invalid_argument);
    EXPECT_EQ(a.transposed() * a, (NMatrix{{35, 44}, {44, 56}}));
}

TEST(NMatrix3x3, InverseOfRotationAndSingular) {
    const double c = std::cos(0.3), s = std::sin(0.3);
    const NMatrix3x3 r = NMatrix3x3::fromColumns({c, s, 0}, {-s, c, 0}, {0, 0, 1});
    EXPECT_TRUE(nmath::eigenView(r.inverse()).isApprox(nmath::eigenView(r.transposed()), 1e-15));
    EXPECT_THROW((void)NMatrix3x3().inverse(), NMatrixSingularError);
    EXPECT_THROW((void)NMatrix3x3::fromColumns({1, 0, 0}, {2, 0, 0}, {0, 0, 1}).inverse(), NMatrixSingularError);
}

// ---- as record members ---------------------------------------------------------------------
// A record class with every vector and matrix member kind.
class LinalgHolder : public nMetaStruct {
    DS_RECORD(LinalgHolder)
public:
    DS_JSON_ASSIGNMENT(LinalgHolder)
    NVektor point{1, 2, 3};
    NMatrix stiffness{{1, 0}, {0, 1}};
    std::vector<std::vector<NVektor>> pointsPerShaft;
    std::vector<std::vector<std::vector<NVektor>>> deep;
};
DS_DEFINE_RECORD(LinalgHolder, nMetaStruct, DS_F(point), DS_F(stiffness), DS_F(pointsPerShaft), DS_F(deep))
DS_DEFINE_JSON_ASSIGNMENT(LinalgHolder)

TEST(LinalgValues, RecordJsonRoundTripAndSchema) {
    LinalgHolder h;
    h.point = {0.5, -1, 1e-300};
    h.stiffness = NMatrix{{1, 2, 3}, {4, 5, 6}};
    h.pointsPerShaft = {{{1, 2, 3}}, {}, {{4, 5, 6}, {7, 8, 9}}};
    h.deep = {{{{1, 1, 1}}}};
    const json j = h.toJson();
    EXPECT_EQ(j["point"], json::parse("[0.5, -1.0, 1e-300]"));
    EXPECT_EQ(j["stiffness"], json::parse("[[1.0,2.0,3.0],[4.0,5.0,6.0]]"));
    LinalgHolder back;
    back.fromJson(j);
    EXPECT_EQ(back.point, h.point);
    EXPECT_EQ(back.stiffness, h.stiffness);
    EXPECT_EQ(back.pointsPerShaft, h.pointsPerShaft);
    EXPECT_EQ(back.deep, h.deep);

    json s;
    ds::schemaOf(LinalgHolder::recordInfo(), s);
    EXPECT_EQ(s["members"][0]["type"], "list<double>");
    EXPECT_EQ(s["members"][1]["type"], "list2<double>");
    EXPECT_EQ(s["members"][2]["type"], "list3<double>");
    EXPECT_EQ(s["members"][3]["type"], "list4<double>");
}

TEST(LinalgValues, WrongShapesAreRejected) {
    LinalgHolder h;
    // Tolerant reading keeps the value; the JSON assignment raises type error 302.
    h.fromJson(json{{"point", {1, 2}}, {"stiffness", {{1, 2}, {3}}}});
    EXPECT_EQ(h.point, NVektor(1, 2, 3));
    EXPECT_EQ(h.stiffness, (NMatrix{{1, 0}, {0, 1}}));
    json bad = h.toJson();
    bad["stiffness"] = json::parse("[[1,2],[3]]");
    try {
        h = bad;
        FAIL() << "ragged matrix accepted";
    } catch (const json::type_error& e) {
        EXPECT_EQ(e.id, 302);
    }
    bad["stiffness"] = json::parse("[[1,2]]");
    bad["point"] = json::parse("[1,\"2\",3]");
    EXPECT_THROW(h = bad, json::type_error);
}

TEST(LinalgValues, MetaVariablesReadAndWriteText) {
    LinalgHolder h;
    h.makeMeta();
    MetaVar* v = h.getMeta()->GetVar("point");
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->GetType(), nmath::kTypeVektor);
    EXPECT_EQ(v->GetAsWString(), L"1,2,3");
    EXPECT_TRUE(v->SetVar(nWString(L"4,5.5,-6")));
    EXPECT_EQ(h.point, NVektor(4, 5.5, -6));
    EXPECT_FALSE(v->SetVar(nWString(L"4,5")));
    MetaVar* m = h.getMeta()->GetVar("stiffness");
    EXPECT_EQ(m->GetType(), nmath::kTypeMatrix);
    EXPECT_TRUE(m->SetVar(nWString(L"[[2,0],[0,2]]")));
    EXPECT_EQ(h.stiffness, NMatrix({{2, 0}, {0, 2}}));
}
