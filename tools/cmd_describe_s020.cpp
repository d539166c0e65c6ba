// `drivesys describe S020 [--records FILE]`: the module screen (Meta_S020) over default records or
// over the records of a model file, with each item's visibility, editability and lock state as
// far as the bound members decide them ("host" where a host condition decides).
#include <nlohmann/json.hpp>

#include "drivesys/drivesys.h"
#include "tools/commands.h"
#include "tools/describe_registry.h"

namespace {
using json = nlohmann::json;

drivesys_cli::DescribeRegistrar s020(
    "S020", "module screen (Meta_S020): element panel, trees, tables and tab controls", true,
    [](const drivesys_cli::DescribeOptions& options, json& out) {
        ds::S020Records records;
        if (!options.recordsFile.empty()) {
            json model;
            try {
                model = json::parse(drivesys_cli::readInput(options.recordsFile));
            } catch (const json::parse_error& e) {
                throw std::runtime_error(options.recordsFile + " is not JSON: " + e.what());
            }
            records.readModel(model);
        }
        Meta meta;
        records.describe(meta);
        meta.dumpWithState(out);
    });
}  // namespace
