#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "drivesys/drivesys.h"

TEST(Smoke, AxisJson) {
    Axis a;
    a.x = 2;
    EXPECT_EQ(a.toJson()["x"], 2.0);
}
