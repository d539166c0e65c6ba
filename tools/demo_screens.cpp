// Demo steps: the descriptions of every input screen the tool knows (screens/<name>.json, for
// default inputs), and the JSON Schema of every record class (schemas/<Class>.schema.json).
#include <nlohmann/json.hpp>
#include <ostream>

#include "drivesys/drivesys.h"
#include "drivesys/foundation/json_schema.h"
#include "tools/commands.h"
#include "tools/describe.h"

namespace {
using json = nlohmann::json;

drivesys_cli::DemoStepRegistrar screensStep(40, "screens", [](drivesys_cli::DemoContext& ctx) {
    ctx.summary << "  screens:";
    for (const auto& screen : drivesys_cli::DescribableScreen::all()) {
        json out;
        if (screen.describeRecords) screen.describeRecords("", out);
        else screen.describe(out);
        ctx.writeFile("screens/" + screen.name + ".json", out.dump(2) + "\n");
        const size_t items = out.contains("items") ? out["items"].size() : 0;
        const size_t vars = out.contains("variables") ? out["variables"].size() : 0;
        ctx.summary << " " << screen.name << " (" << vars << " variables, " << items << " items)";
    }
    ctx.summary << " written to screens/\n";
});

drivesys_cli::DemoStepRegistrar schemasStep(11, "JSON schemas", [](drivesys_cli::DemoContext& ctx) {
    const auto& catalog = ds::Catalog::instance();
    for (const auto& name : catalog.classNames()) {
        json s;
        ds::jsonSchemaOf(*catalog.find(name)->info, s);
        ctx.writeFile("schemas/" + name + ".schema.json", s.dump(2) + "\n");
    }
    ctx.summary << "  JSON Schemas (draft 2020-12) of " << catalog.classNames().size()
                << " record classes written to schemas/\n";
});
}  // namespace
