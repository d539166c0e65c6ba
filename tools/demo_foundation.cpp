// Demo step: the record catalog and the schema of every record.
#include <nlohmann/json.hpp>
#include <ostream>

#include "drivesys/drivesys.h"
#include "tools/commands.h"

namespace {
drivesys_cli::DemoStepRegistrar catalogStep(10, "catalog", [](drivesys_cli::DemoContext& ctx) {
    const auto& catalog = ds::Catalog::instance();
    nlohmann::json all = nlohmann::json::array();
    size_t members = 0;
    for (const auto& e : catalog.entries()) {
        nlohmann::json s;
        ds::schemaOf(*e.info, s);
        members += s["members"].size();
        all.push_back(std::move(s));
    }
    ctx.writeFile("schema.json", all.dump(2) + "\n");
    ctx.summary << "  records catalogued: " << catalog.entries().size() << " classes, " << members << " members\n";
});
}  // namespace
