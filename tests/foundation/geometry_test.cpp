// Axis, the coordinate systems and AnnotatedData: JSON assignment rules and initial values.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "drivesys/drivesys.h"

namespace {
using json = nlohmann::json;

/// The message of the JSON library's exception `f` raises, or "no error".
template <class F> std::string errorOf(F&& f) {
    try {
        f();
    } catch (const json::exception& e) {
        return e.what();
    }
    return "no error";
}

TEST(Axis, JsonAssignmentFollowsTheJsonLibrarysConversions) {
    Axis a;
    a = json::parse(R"({"x": 3, "y": 1.5, "z": 18446744073709551615})");
    EXPECT_EQ(a, Axis(3.0, 1.5, 18446744073709551615.0));
    const std::pair<json, const char*> refused[] = {
        {json::array({1, 2, 3}), "[json.exception.type_error.305] cannot use operator[] with a string argument with array"},
        {json("text"), "[json.exception.type_error.305] cannot use operator[] with a string argument with string"},
        {json::parse(R"({"x": "3", "y": 0, "z": 0})"), "[json.exception.type_error.302] type must be number, but is string"},
        {json::parse(R"({"x": 1})"), "[json.exception.out_of_range.403] key 'y' not found"},  // reported, not guessed
    };
    for (const auto& [value, message] : refused) {
        const json& v = value;  // (clang 14 cannot capture a structured binding in a lambda)
        EXPECT_EQ(errorOf([&] { a = v; }), message) << v.dump();
    }
}

TEST(NvCoordinateSystem, JsonAssignmentReadsOnlyThePosition) {
    NvCoordinateSystem cs;
    cs = json::parse(R"({"position": {"x": 1, "y": 2, "z": 3},
                         "unitvector_x": {"x": 0, "y": 1, "z": 0},
                         "unitvector_y": {"x": 1, "y": 0, "z": 0},
                         "unitvector_z": {"x": 0, "y": 0, "z": -1}})");
    EXPECT_EQ(cs.position, Axis(1, 2, 3));
    EXPECT_EQ(cs.unitvector_x, Axis(1, 0, 0));
    EXPECT_EQ(cs.unitvector_z, Axis(0, 0, 1));
    NvCoordinateSystem2D cs2;
    cs2 = json::parse(R"({"position": {"x": 4, "y": 5, "z": 6}, "unitvector_x": {"x": 9, "y": 9, "z": 9}})");
    EXPECT_EQ(cs2.position, Axis(4, 5, 6));
    EXPECT_EQ(cs2.unitvector_x, Axis(1, 0, 0));
    EXPECT_EQ(errorOf([&] { cs = json(5); }),
              "[json.exception.type_error.305] cannot use operator[] with a string argument with number");
}

TEST(NvCoordinateSystem, UnitComponentsCarryInitialValuesThroughCopiesAndReset) {
    NvCoordinateSystem cs;
    auto initOf = [](Axis& a, const char* name) {
        MetaVar* v = a.getMeta()->GetVar(name);
        return v->hasInit() ? v->initText() : nWString(L"-");
    };
    EXPECT_EQ(initOf(cs.unitvector_x, "x"), L"1");
    EXPECT_EQ(initOf(cs.unitvector_x, "y"), L"-");
    EXPECT_EQ(initOf(cs.unitvector_y, "y"), L"1");
    EXPECT_EQ(initOf(cs.unitvector_z, "z"), L"1");

    // Initialising the frame's Meta sets the unit components to their initial values.
    cs.unitvector_x = Axis(0, 5, 5);
    cs.getMeta()->Initialize(0);
    EXPECT_EQ(cs.unitvector_x, Axis(1, 0, 0));

    auto copy = cs.clone();
    auto& c = static_cast<NvCoordinateSystem&>(*copy);
    EXPECT_EQ(initOf(c.unitvector_y, "y"), L"1");
    cs.reset();
    EXPECT_EQ(initOf(cs.unitvector_z, "z"), L"1");
    NvCoordinateSystem2D cs2;
    EXPECT_EQ(initOf(cs2.unitvector_y, "y"), L"1");
}

TEST(Records, PathsReachNestedMembersAndSerializeUsesPrefixes) {
    NvCoordinateSystem cs;
    MetaVar* v = cs.GetMetaVar(L"unitvector_y.y");
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->GetAsReal(), 1.0);
    EXPECT_TRUE(v->SetVar(nWString(L"0.5")));
    EXPECT_EQ(cs.unitvector_y.y, 0.5);
    EXPECT_EQ(cs.GetMetaVar(L"unitvector_y.w"), nullptr);
    EXPECT_EQ(cs.GetMetaVar(L"nothing"), nullptr);
    const nWString text = cs.serialize(L"cs.", NMetaMapDefault);
    EXPECT_NE(text.find(L"cs.unitvector_y.y=0.5\n"), nWString::npos);
    EXPECT_NE(text.find(L"cs.position.x=0\n"), nWString::npos);
}

TEST(Records, InheritedJsonReadingKeepsMembersThatDoNotConvert) {
    AnnotatedData a;
    a.fromJson(json::parse(R"({"annotationX": 2, "annotationY": "far", "annotationVisible": 1, "unknown": 3})"));
    EXPECT_EQ(a.annotationX, 2.0);
    EXPECT_EQ(a.annotationY, -1.0);
    EXPECT_FALSE(a.annotationVisible);  // a number is not a boolean
    a.fromJson(json());
    EXPECT_EQ(a.annotationX, 2.0);
    EXPECT_THROW(a.fromJson(json::array()), std::invalid_argument);
    NvCoordinateSystem cs;
    cs.fromJson(json::parse(R"({"position": 5, "unitvector_x": {"x": 2}})"));
    EXPECT_EQ(cs.position, Axis(0, 0, 0));
    EXPECT_EQ(cs.unitvector_x, Axis(2, 0, 0));
}

TEST(Records, ResetToSelfChangesNothing) {
    auto owned = std::make_unique<Axis>(1, 2, 3);
    Axis* raw = owned.get();
    raw->resetTo(std::unique_ptr<nMetaStruct>(raw));  // the record keeps itself
    EXPECT_EQ(*raw, Axis(1, 2, 3));
}

TEST(Catalog, FindsByNameOrIdentifierAndReadsTheRecordsOwnWay) {
    const auto& catalog = ds::Catalog::instance();
    ASSERT_NE(catalog.find("Axis"), nullptr);
    EXPECT_EQ(catalog.find("class Axis"), catalog.find("Axis"));
    EXPECT_EQ(catalog.find("Nothing"), nullptr);
    EXPECT_STREQ(catalog.find("Axis")->reading, "assignment");
    EXPECT_STREQ(catalog.find("AnnotatedData")->reading, "inherited");
    auto cs = catalog.find("NvCoordinateSystem")->info->create();
    catalog.find("NvCoordinateSystem")->read(*cs, json::parse(R"({"position": {"x": 1, "y": 1, "z": 1}})"));
    EXPECT_EQ(static_cast<NvCoordinateSystem&>(*cs).position, Axis(1, 1, 1));
}

TEST(Meta, DumpListsVariablesAndScreenItemsInCallOrder) {
    AnnotatedData a;
    Meta screen;
    screen.addKnownRecord(&a);
    screen.recordItem("PutUiVar", "LabelX", json{{"textId", 12}}, &a.labelX);
    EXPECT_TRUE(screen.recordAttribute("AddVisibleCondition", "LabelX", json{{"condition", "IsShown"}}));
    EXPECT_FALSE(screen.recordAttribute("SetRange", "Missing", json::object()));
    json dump;
    screen.dump(dump);
    ASSERT_EQ(dump["items"].size(), 1u);
    EXPECT_EQ(dump["items"][0]["binding"]["record"], "AnnotatedData");
    EXPECT_EQ(dump["items"][0]["binding"]["member"], "labelX");
    EXPECT_EQ(dump["items"][0]["attributes"][0]["call"], "AddVisibleCondition");
    json vars;
    a.getMeta()->dump(vars);
    EXPECT_EQ(vars["variables"][0]["name"], "annotationX");
    EXPECT_EQ(vars["variables"][0]["default"], -1.0);
}
}  // namespace
