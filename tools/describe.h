#pragma once
// Screens that `drivesys describe SCREEN` can print. A screen registers itself from any file of
// the tool with a static DescribableScreen, giving a function that builds the screen's
// description for default inputs and writes the Meta's JSON dump.
#include <functional>
#include <nlohmann/json_fwd.hpp>
#include <string>
#include <vector>

namespace drivesys_cli {

struct ScreenEntry {
    std::string name;
    std::string summary;
    /// Fills `out` with the description's JSON dump (Meta::dump).
    std::function<void(nlohmann::json& out)> describe;
};

/// Adds a screen to `drivesys describe` (call from a static object).
struct DescribableScreen {
    DescribableScreen(std::string name, std::string summary, std::function<void(nlohmann::json& out)> describe);
};

/// The registered screens, in registration order.
std::vector<ScreenEntry>& describableScreens();

}  // namespace drivesys_cli
