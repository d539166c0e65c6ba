// Housing cases of the command-line tool of any shape: readHousingCase either reads a case or
// throws std::runtime_error naming the key at fault, and a case it read couples (the casing
// reports what it cannot do through its status) and gives JSON that dumps. The same text goes to
// the three-point placement. A stiffness file named by the case is always the shipped sample
// (the stiffness-file reader has its own harness), so no input reaches other files.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>

#include "tools/housing_case.h"

#ifndef DRIVESYS_EXAMPLE_DATA
#error "DRIVESYS_EXAMPLE_DATA names the folder of the sample stiffness file"
#endif

namespace {
void readAndRun(const nlohmann::json& j) {
    drivesys_cli::HousingCase c;
    try {
        c = drivesys_cli::readHousingCase(j, DRIVESYS_EXAMPLE_DATA);
    } catch (const std::runtime_error&) {
        return;
    }
    (void)drivesys_cli::runHousingCase(c, true).dump();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    nlohmann::json j = nlohmann::json::parse(data, data + size, nullptr, false);
    if (j.is_discarded()) return 0;
    if (j.is_object() && j.contains("stiffnessFile") && j["stiffnessFile"].is_string()) j["stiffnessFile"] = "box_housing.txt";
    readAndRun(j);
    try {
        (void)drivesys_cli::runThreePointsCase(j).dump();
    } catch (const std::runtime_error&) {
    }
    return 0;
}
