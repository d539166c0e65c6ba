#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "drivesys/drivesys.h"

using json = nlohmann::json;

TEST(LoadSpectrumImport, FilesAreReadElementByElement) {
    nZFLKimport imp;
    const json in = {{"fileData", json::array({json{{"path", "a.txt"}, {"points", 12}, {"timeData", {0.0, 0.5}}},
                                               42,
                                               json{{"isActive", false}, {"ratioIndex", {1, "x"}}}})},
                     {"genChannel", "no list"},
                     {"totalTime", 3600}};
    imp.genChannel.resize(2);
    from_json(in, imp);
    ASSERT_EQ(imp.fileData.size(), 3u);
    EXPECT_EQ(imp.fileData[0].path, nWString(L"a.txt"));
    EXPECT_EQ(imp.fileData[0].points, 12);
    EXPECT_EQ(imp.fileData[0].timeData, (std::vector<double>{0.0, 0.5}));
    EXPECT_TRUE(imp.fileData[1].isActive);  // not an object: a default file
    EXPECT_FALSE(imp.fileData[2].isActive);
    EXPECT_TRUE(imp.fileData[2].ratioIndex.empty());  // a bad value keeps the whole list
    EXPECT_EQ(imp.genChannel.size(), 2u);
    EXPECT_EQ(imp.totalTime, 3600.0);
}
