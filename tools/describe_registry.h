#pragma once
// Screens that `drivesys describe SCREEN [--records FILE]` prints. A screen registers itself from
// its own file of the tool with a static DescribeRegistrar, giving a function that builds the
// screen's description (for default records, or for records read from FILE when the screen
// takes records) and writes its JSON dump.
#include <functional>
#include <nlohmann/json_fwd.hpp>
#include <string>
#include <vector>

namespace drivesys_cli {

struct DescribeOptions {
    /// Records to describe instead of the defaults (a model file: class name -> array of record
    /// JSON); empty for the defaults.
    std::string recordsFile;
};

using DescribeFunction = std::function<void(const DescribeOptions& options, nlohmann::json& out)>;

struct DescribeEntry {
    std::string name;
    std::string summary;
    /// Whether the screen reads --records.
    bool takesRecords;
    DescribeFunction describe;
};

/// Adds a screen to `drivesys describe` (call from a static object).
struct DescribeRegistrar {
    DescribeRegistrar(std::string name, std::string summary, bool takesRecords, DescribeFunction describe);
};

/// The registered screens, in registration order.
std::vector<DescribeEntry>& describeRegistry();

}  // namespace drivesys_cli
