#pragma once
// Screens that `drivesys describe SCREEN [--records FILE]` can print. A screen registers itself
// from any file of the tool with a static DescribableScreen, giving a function that builds the
// screen's description for default inputs and writes the Meta's JSON dump. A screen over
// records may instead take the name of a model file (class name -> array of record JSON) whose
// records it describes; an empty name means the default records.
#include <functional>
#include <nlohmann/json_fwd.hpp>
#include <string>
#include <vector>

#include "tools/registered.h"

namespace drivesys_cli {

struct ScreenEntry {
    std::string name;
    std::string summary;
    /// Fills `out` with the description's JSON dump (Meta::dump).
    std::function<void(nlohmann::json& out)> describe;
    /// For screens that read --records: fills `out` for the records of the file (the defaults
    /// when the name is empty). Null for screens without records.
    std::function<void(const std::string& recordsFile, nlohmann::json& out)> describeRecords;
};

/// Adds a screen to `drivesys describe`; the screens are listed in registration order:
///
///   DescribableScreen s010("S010", "summary", describe);
///   DescribableScreen s020(ScreenEntry{.name = "S020", .summary = "...", .describeRecords = ...});
using DescribableScreen = Registered<ScreenEntry>;

}  // namespace drivesys_cli
