// The sample gearbox checked against what a gearbox must satisfy: unique identifiers, links that
// resolve, gear geometry and kinematics computed independently, and a lossless JSON model.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <nlohmann/json.hpp>
#include <numbers>

#include "drivesys/drivesys.h"
#include "drivesys/samples/sample_gearbox.h"

namespace {
using json = nlohmann::json;

class SampleGearbox : public ::testing::Test {
protected:
    void SetUp() override {
        for (const nMetaStruct* r : box.records()) {
            const json j = r->toJson();
            ids[j.at("Id").get<int64_t>()] = ntypes::toUtf8(r->typeIdentifier()).substr(6);
        }
    }
    bool isA(int64_t id, const std::string& cls) const {
        const auto it = ids.find(id);
        return it != ids.end() && it->second == cls;
    }
    template <class T> static const T& byId(const std::vector<T>& records, int64_t id) {
        for (const T& r : records)
            if (r.Id == id) return r;
        throw std::out_of_range("no record " + std::to_string(id));
    }
    ds::SampleGearbox box = ds::makeSampleGearbox();
    std::map<int64_t, std::string> ids;
};
}  // namespace

TEST_F(SampleGearbox, HasTheElementsOfATwoStageHelicalGearbox) {
    EXPECT_EQ(box.shafts.size(), 3u);
    EXPECT_EQ(box.gears.size(), 4u);
    EXPECT_EQ(box.meshes.size(), 2u);
    EXPECT_EQ(box.bearings.size(), 6u);
    EXPECT_EQ(box.couplings.size(), 1u);
    EXPECT_EQ(box.housings.size(), 1u);
    ASSERT_EQ(box.boundaries.size(), 2u);
    EXPECT_TRUE(box.boundaries[0].considerPower && !box.boundaries[0].considerSpeed);
    EXPECT_TRUE(box.boundaries[1].considerSpeed && !box.boundaries[1].considerPower);
    for (const auto& s : box.shafts) {
        size_t pieces = 0;
        for (const auto& p : box.shaftPieces) pieces += p.shaftId == s.Id;
        EXPECT_GE(pieces, 2u) << s.name.toUtf8();
    }
    EXPECT_FALSE(box.dots.empty());
}

TEST_F(SampleGearbox, IdentifiersAreUniqueAndEveryLinkResolves) {
    EXPECT_EQ(ids.size(), box.records().size()) << "identifiers repeat";
    EXPECT_EQ(ids.count(0), 0u);
    for (const auto& b : box.bearings) {
        EXPECT_TRUE(isA(b.IdElementInner, "Shaft"));
        EXPECT_TRUE(isA(b.IdElementOuter, "Housing"));
    }
    for (const auto& m : box.meshes) {
        EXPECT_TRUE(isA(m.IdElement1, "CylGear"));
        EXPECT_TRUE(isA(m.IdElement2, "CylGear"));
    }
    for (const auto& b : box.boundaries) EXPECT_TRUE(isA(b.IdElement, "Coupling"));
    // Each element sits at a dot on its shaft that points back to it; each shaft lists its dots.
    std::map<int64_t, const SketcherDot*> dots;
    for (const auto& d : box.dots) dots[d.Id] = &d;
    const auto sitsAt = [&](int64_t element, int64_t dot) {
        const auto it = dots.find(dot);
        return it != dots.end() && it->second->connectedItem == element && isA(it->second->shaftId, "Shaft");
    };
    for (const auto& g : box.gears) EXPECT_TRUE(sitsAt(g.Id, g.dotId)) << g.name.toUtf8();
    for (const auto& b : box.bearings) EXPECT_TRUE(sitsAt(b.Id, b.dotId)) << b.name.toUtf8();
    for (const auto& p : box.shaftPieces) EXPECT_TRUE(sitsAt(p.Id, p.dotId)) << p.name.toUtf8();
    for (const auto& c : box.couplings) EXPECT_TRUE(sitsAt(c.Id, c.dotId));
    size_t listed = 0;
    for (const auto& s : box.shafts)
        for (int64_t d : s.shaftDotIds) {
            ASSERT_TRUE(dots.count(d));
            EXPECT_EQ(dots[d]->shaftId, s.Id);
            ++listed;
        }
    EXPECT_EQ(listed, box.dots.size());
}

TEST_F(SampleGearbox, MeshesAgreeWithTheGearsOnTheirShafts) {
    const double inputPowerW = 15000.0;
    for (const auto& m : box.meshes) {
        const CylGear* g1 = &byId(box.gears, m.IdElement1);
        const CylGear* g2 = &byId(box.gears, m.IdElement2);
        EXPECT_EQ(m.gear1, g1->name);
        EXPECT_EQ(g1->mn, g2->mn);
        EXPECT_EQ(g1->beta, g2->beta);
        EXPECT_NE(g1->handOfGear, g2->handOfGear) << "external helical gears mesh with opposite hands";
        // Centre distance of a zero-shift helical pair: mn (z1 + z2) / (2 cos beta).
        EXPECT_NEAR(m.a, g1->mn * (g1->numOfTeeth + g2->numOfTeeth) / (2 * std::cos(g1->beta)), 1e-9);
        EXPECT_NEAR(m.ratio, g2->numOfTeeth / g1->numOfTeeth, 1e-12);
        EXPECT_NEAR(g2->speed, g1->speed / m.ratio, 1e-9);
        EXPECT_NEAR(g2->torque, g1->torque * m.ratio, 1e-9);
        // Lossless: the power through every gear is the input power.
        EXPECT_NEAR(g1->torque * g1->speed * 2 * std::numbers::pi / 60, inputPowerW, 1e-6);
        EXPECT_NEAR(g2->torque * g2->speed * 2 * std::numbers::pi / 60, inputPowerW, 1e-6);
    }
    EXPECT_NEAR(box.meshes[0].ratio * box.meshes[1].ratio, 83.0 / 19.0 * 71.0 / 17.0, 1e-12);
}

TEST_F(SampleGearbox, ElementsStandOnTheirShafts) {
    std::map<std::wstring, const Shaft*> byName;
    for (const auto& s : box.shafts) byName[s.name] = &s;
    for (const auto& m : box.meshes) {
        const Shaft* s1 = byName.at(m.gear1OnShaft);
        const Shaft* s2 = byName.at(m.gear2OnShaft);
        const CylGear* g1 = &byId(box.gears, m.IdElement1);
        const CylGear* g2 = &byId(box.gears, m.IdElement2);
        EXPECT_DOUBLE_EQ(s1->pos + g1->pos, s2->pos + g2->pos) << m.name.toUtf8();
        EXPECT_DOUBLE_EQ(g1->speed, s1->speed);
        EXPECT_DOUBLE_EQ(g2->speed, s2->speed);
    }
    for (const auto& b : box.bearings) {
        const Shaft& s = byId(box.shafts, b.IdElementInner);
        EXPECT_GE(b.posInner - b.width / 2, 0.0) << b.name.toUtf8();
        EXPECT_LE(b.posInner + b.width / 2, s.cylLength) << b.name.toUtf8();
        EXPECT_DOUBLE_EQ(b.posOuter, s.pos + b.posInner);
        EXPECT_DOUBLE_EQ(b.speed, s.speed);
    }
    int locating = 0;
    for (const auto& b : box.bearings) locating += b.fixation != 0;
    EXPECT_EQ(locating, 3) << "one locating bearing per shaft";
}

TEST_F(SampleGearbox, SurvivesTheModelUnchangedAndIsBuiltTheSameEachTime) {
    const json model = ds::modelToJson(box.records());
    EXPECT_TRUE(ds::sameModel(box.records(), ds::pointersOf(ds::modelFromJson(model))));
    EXPECT_EQ(ds::modelToJson(ds::makeSampleGearbox().records()), model);
}
