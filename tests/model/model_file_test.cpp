// Models as JSON: records grouped by class, each read its own way, and the errors with their place.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>
#include <unistd.h>

#include "drivesys/drivesys.h"
#include "drivesys/foundation/catalog_impl.h"
#include "drivesys/model/model_records.h"

namespace {
using json = nlohmann::json;
namespace fs = std::filesystem;

// A fresh folder per test, removed afterwards.
class ModelFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("drivesys-model-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    void writeText(const fs::path& p, const std::string& text) { std::ofstream(p, std::ios::binary) << text; }
    fs::path dir;
};

std::string messageOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const std::runtime_error& e) {
        return e.what();
    }
    return "(no error)";
}
}  // namespace

TEST_F(ModelFileTest, GroupsByClassNameAndKeepsTheOrderWithinAClass) {
    Shaft first, second;
    first.name = L"first";
    second.name = L"second \u00E4\u20AC";
    Bearing bearing;
    bearing.Id = 7;
    const json model = ds::modelToJson({&first, &bearing, &second});
    ASSERT_EQ(model.size(), 2u);
    EXPECT_EQ(model["Shaft"].size(), 2u);
    EXPECT_EQ(model["Shaft"][0]["name"], "first");
    EXPECT_EQ(model["Shaft"][1]["name"], "second \xC3\xA4\xE2\x82\xAC");
    EXPECT_EQ(model["Bearing"][0]["Id"], 7);

    const ds::RecordList back = ds::modelFromJson(model);
    ASSERT_EQ(back.size(), 3u);
    // Classes come back in key order.
    EXPECT_EQ(ntypes::toUtf8(back[0]->typeIdentifier()), "class Bearing");
    EXPECT_EQ(static_cast<const Shaft&>(*back[2]).name, second.name);
    EXPECT_TRUE(ds::sameModel({&first, &bearing, &second}, ds::pointersOf(back)));
    EXPECT_EQ(ds::modelToJson({}), json::object());
    EXPECT_TRUE(ds::modelFromJson(json::object()).empty());
}

TEST_F(ModelFileTest, SameModelSeesAChangedMemberAndAMissingRecord) {
    Shaft a, b;
    CylGear g;
    Shaft a2 = a;
    EXPECT_TRUE(ds::sameModel({&a, &g}, {&g, &a2}));
    a2.opacity = 0.5;
    EXPECT_FALSE(ds::sameModel({&a, &g}, {&g, &a2}));
    EXPECT_FALSE(ds::sameModel({&a, &g}, {&a}));
    EXPECT_FALSE(ds::sameModel({&a, &b}, {&a, &g}));
    // Members outside the member list are not part of a model.
    Housing h1, h2;
    h2.opacity = 0.1;
    EXPECT_TRUE(ds::sameModel({&h1}, {&h2}));
}

TEST_F(ModelFileTest, AnyCataloguedClassTravelsItsOwnWay) {
    // Axis reads through its strict JSON assignment, Synchro through the inherited form.
    Axis axis(1.0, -2.0, 3.5);
    Synchro synchro;
    synchro.loadSpectrum.spectrumUy = {4.0};
    const fs::path file = dir / "mixed.json";
    ds::writeModelFile(file.string(), {&axis, &synchro});
    const ds::RecordList back = ds::readModelFile(file.string());
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(static_cast<const Axis&>(*back[0]), axis);
    EXPECT_EQ(static_cast<const Synchro&>(*back[1]).loadSpectrum.spectrumUy, std::vector<double>{4.0});

    // A strict reader's failure is reported with the place of the record.
    json model = ds::modelToJson({&axis});
    model["Axis"][0].erase("y");
    EXPECT_NE(messageOf([&] { ds::modelFromJson(model); }).find("record 0 of 'Axis'"), std::string::npos);
}

TEST_F(ModelFileTest, MalformedModelsAreRejectedWithTheirPlace) {
    EXPECT_NE(messageOf([] { ds::modelFromJson(json::array()); }).find("JSON object"), std::string::npos);
    EXPECT_NE(messageOf([] { ds::modelFromJson({{"Gearwheel", json::array()}}); }).find("'Gearwheel'"), std::string::npos);
    EXPECT_NE(messageOf([] { ds::modelFromJson({{"class Shaft", json::array()}}); }).find("unknown record class"),
              std::string::npos);
    EXPECT_NE(messageOf([] { ds::modelFromJson({{"Shaft", json::object()}}); }).find("must be an array"), std::string::npos);
    EXPECT_NE(messageOf([] { ds::modelFromJson({{"Shaft", {json::object(), 5}}}); }).find("record 1 of 'Shaft'"),
              std::string::npos);
    EXPECT_THROW(ds::modelToJson({nullptr}), std::invalid_argument);
}

TEST_F(ModelFileTest, AGivenCatalogLimitsTheClassesAModelMayHold) {
    ds::Catalog modelFamily;
    ds::addRecords(modelFamily, ds::ModelRecords{});
    Shaft shaft;
    shaft.name = L"input";
    EXPECT_EQ(ds::modelFromJson(ds::modelToJson({&shaft}, modelFamily), modelFamily).size(), 1u);
    // A settings tab is a record of the library, but not of the model's family.
    nvSettingsTab settings;
    const json both = ds::modelToJson({&shaft, &settings});
    EXPECT_EQ(ds::modelFromJson(both).size(), 2u);
    EXPECT_NE(messageOf([&] { ds::modelFromJson(both, modelFamily); }).find("unknown record class in model: 'nvSettingsTab'"),
              std::string::npos);
    EXPECT_THROW(ds::modelToJson({&settings}, modelFamily), std::invalid_argument);
}

TEST_F(ModelFileTest, FileErrorsNameTheFile) {
    const fs::path missing = dir / "missing.json";
    EXPECT_NE(messageOf([&] { ds::readModelFile(missing.string()); }).find("missing.json"), std::string::npos);
    const fs::path broken = dir / "broken.json";
    writeText(broken, "{\"Shaft\": [ {\"Id\": 1}, ");
    EXPECT_NE(messageOf([&] { ds::readModelFile(broken.string()); }).find("broken.json"), std::string::npos);
    const fs::path badUtf8 = dir / "bad-utf8.json";
    writeText(badUtf8, "{\"Shaft\": [ {\"name\": \"\xC3\x28\"} ]}");
    EXPECT_THROW(ds::readModelFile(badUtf8.string()), std::runtime_error);
    EXPECT_THROW(ds::writeModelFile((dir / "no-such-folder" / "m.json").string(), {}), std::runtime_error);
}

TEST_F(ModelFileTest, TolerantRecordsKeepDefaultsForValuesOfTheWrongType) {
    const json model = {{"Bearing", {{{"Id", 5}, {"dbid", "not a number"}}}}};
    const ds::RecordList back = ds::modelFromJson(model);
    ASSERT_EQ(back.size(), 1u);
    const auto& b = static_cast<const Bearing&>(*back[0]);
    EXPECT_EQ(b.Id, 5);
    EXPECT_EQ(b.dbid, 10010);
}
