#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "drivesys/drivesys.h"

using json = nlohmann::json;

namespace {
std::vector<std::string> registeredNames(nMetaStruct& r) {
    r.registerStruct();
    std::vector<std::string> names;
    for (size_t i = 0; i < r.getNumberOfMembers(); ++i) names.push_back(r.getMemberName(i).toUtf8());
    return names;
}
}  // namespace

TEST(Frequencies, ResultListsComeBeforeMaxSimilarFreqWhichIsLast) {
    nFrequencies f;
    const auto names = registeredNames(f);
    ASSERT_EQ(names.size(), 52u);
    const std::vector<std::string> tail(names.end() - 12, names.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"minBearingFreq", "gearPairs", "bearings", "shafts",
                                               "additionalFrequencies", "additionalFrequenciesOrder",
                                               "similarFreqGroup", "nEintersection", "modalResIntersection",
                                               "userFreqIntersection", "boundaryProp", "maxSimilarFreq"}));
}

// A number is refused for a flag (the pair contract); an integer is taken for a double.
TEST(Frequencies, AnIntegerReadsIntoADouble) {
    nFrequencies f;
    from_json(json{{"speedMax", 120}}, f);
    EXPECT_EQ(f.speedMax, 120.0);
}

TEST(Frequencies, RecordListsAreReadElementByElement) {
    nFrequencies f;
    f.bearings.resize(3);
    const json in = {{"gearPairs", json::array({json{{"ID", 5}, {"gearName", {"a", "b"}}}, "junk", nullptr,
                                                 json{{"ID", "six"}, {"fz", 2.5}}})},
                     {"bearings", json::object()}};
    from_json(in, f);
    ASSERT_EQ(f.gearPairs.size(), 4u);
    EXPECT_EQ(f.gearPairs[0].ID, 5);
    EXPECT_EQ(f.gearPairs[0].gearName, (std::vector<nWString>{L"a", L"b"}));
    EXPECT_EQ(f.gearPairs[1].ID, 0);  // a non-object element stays a default element
    EXPECT_TRUE(f.gearPairs[2].calculateFreq);
    EXPECT_EQ(f.gearPairs[3].ID, 0);  // mistyped member inside an element
    EXPECT_EQ(f.gearPairs[3].fz, 2.5);
    EXPECT_EQ(f.bearings.size(), 3u);  // not an array: the list stays
}

TEST(Frequencies, CrossingValuesKeepTheirShape) {
    nIntersectingFrequencies x;
    x.interLineName = {L"n1", L"n2"};
    x.interValues = {{1.5, 2.5}, {}, {3.0}};
    const json j = x;
    EXPECT_EQ(j["interValues"], json::parse("[[1.5,2.5],[],[3.0]]"));
    nIntersectingFrequencies back;
    back.interValues = {{9.0}};
    from_json(json{{"interValues", json::parse("[[1.0],[\"x\"]]")}}, back);
    EXPECT_EQ(back.interValues, (std::vector<std::vector<double>>{{9.0}}));  // one bad value keeps the whole list
    from_json(j, back);
    EXPECT_EQ(back.interValues, x.interValues);
    EXPECT_EQ(back.interLineName, x.interLineName);
}

TEST(Frequencies, NewUserLineIsNamedWithTheTranslatedText) {
    nAdditionalFrequencies line;
    EXPECT_EQ(line.name, pool.GetString(740));
    EXPECT_FALSE(line.name.empty());
    EXPECT_EQ(line.order, 1.0);
    line.name = L"mine";
    line.reset();
    EXPECT_EQ(line.name, pool.GetString(740));

    pool.setString(740, L"Zusatzfrequenz");
    EXPECT_EQ(nAdditionalFrequencies().name, nWString(L"Zusatzfrequenz"));
    pool.resetToBuiltin();
}
