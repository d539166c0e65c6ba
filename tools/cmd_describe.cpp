// drivesys describe SCREEN [--records FILE]: prints the description a screen entry makes for
// default inputs (or, for screens over records, for the records of FILE), as the Meta's JSON
// dump (variables and items in call order with name, type and default).
#include <iostream>
#include <nlohmann/json.hpp>

#include "drivesys/drivesys.h"
#include "tools/commands.h"
#include "tools/describe.h"

namespace {
using json = nlohmann::json;

drivesys_cli::DescribableScreen s010("S010", "vibration-calculation data block (Meta_S010) of a default SystemDefinition",
                                     [](json& out) {
                                         SystemDefinition definition;
                                         Meta meta;
                                         Meta_S010(definition, &meta);
                                         meta.dump(out);
                                     },
                                     nullptr);

drivesys_cli::CommandRegistrar describeCommand(12, [](CLI::App& app, drivesys_cli::Registry&) {
    auto* cmd = app.add_subcommand("describe", "Print the description of an input screen as JSON");
    auto screen = std::make_shared<std::string>();
    auto records = std::make_shared<std::string>();
    cmd->add_option("screen", *screen, "Screen name (without one: the list of screens)");
    cmd->add_option("--records", *records,
                    "Model file with the records to describe (class name -> array of record JSON; the first of each "
                    "class is used), for screens over records")
        ->check(drivesys_cli::inputFileValidator());
    cmd->callback([screen, records] {
        const auto& screens = drivesys_cli::DescribableScreen::all();
        if (screen->empty()) {
            json list = json::array();
            for (const auto& s : screens) list.push_back({{"name", s.name}, {"summary", s.summary}});
            std::cout << list.dump(2) << "\n";
            return;
        }
        for (const auto& s : screens) {
            if (s.name != *screen) continue;
            if (!records->empty() && !s.describeRecords)
                throw drivesys_cli::UsageError("screen " + s.name + " takes no records");
            json out;
            if (s.describeRecords) s.describeRecords(*records, out);
            else s.describe(out);
            std::cout << out.dump(2) << "\n";
            return;
        }
        std::string known;
        for (const auto& s : screens) known += " " + s.name;
        throw drivesys_cli::UsageError("unknown screen " + *screen + " (known:" + known + ")");
    });
});
}  // namespace
