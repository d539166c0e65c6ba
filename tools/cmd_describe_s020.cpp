// `drivesys describe S020 [--records FILE]`: the module screen (Meta_S020) over default records or
// over the records of a model file, with each item's visibility, editability and lock state as
// far as the bound members decide them ("host" where a host condition decides).
#include <nlohmann/json.hpp>

#include "drivesys/drivesys.h"
#include "tools/commands.h"
#include "tools/describe.h"

namespace {
using json = nlohmann::json;

drivesys_cli::DescribableScreen s020(drivesys_cli::ScreenEntry{
    .name = "S020",
    .summary = "module screen (Meta_S020) of default tab records, or of the records of --records FILE",
    .describe = nullptr,
    .describeRecords = [](const std::string& recordsFile, json& out) {
        ds::S020Records records;
        if (!recordsFile.empty()) {
            const json model = drivesys_cli::readJsonInput(recordsFile);
            try {
                records.readModel(model);
            } catch (const std::exception& e) {
                throw drivesys_cli::UsageError(recordsFile + ": " + e.what());
            }
        }
        Meta meta;
        records.describe(meta);
        meta.dumpWithState(out);
    }});
}  // namespace
