// drivesys describe [SCREEN [--records FILE]]: prints a screen's description as JSON, or the
// list of describable screens.
#include "tools/describe_registry.h"

#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>

#include "tools/commands.h"

namespace drivesys_cli {
std::vector<DescribeEntry>& describeRegistry() {
    static std::vector<DescribeEntry> list;
    return list;
}
DescribeRegistrar::DescribeRegistrar(std::string name, std::string summary, bool takesRecords, DescribeFunction describe) {
    describeRegistry().push_back(DescribeEntry{std::move(name), std::move(summary), takesRecords, std::move(describe)});
}
}  // namespace drivesys_cli

namespace {
using json = nlohmann::json;

drivesys_cli::CommandRegistrar describeCommand(12, [](CLI::App& app, drivesys_cli::Registry& registry) {
    auto* cmd = app.add_subcommand("describe", "Print the description of an input screen as JSON");
    auto screen = std::make_shared<std::string>();
    auto options = std::make_shared<drivesys_cli::DescribeOptions>();
    cmd->add_option("screen", *screen, "Screen name (without one: the list of screens)");
    cmd->add_option("--records", options->recordsFile,
                    "Model file with the records to describe (class name -> array of record JSON; the first of "
                    "each class is used)");
    cmd->callback([screen, options, &registry] {
        const auto& screens = drivesys_cli::describeRegistry();
        if (screen->empty()) {
            for (const auto& s : screens) std::cout << s.name << "  " << s.summary << "\n";
            return;
        }
        for (const auto& s : screens) {
            if (s.name != *screen) continue;
            if (!options->recordsFile.empty() && !s.takesRecords) {
                std::cerr << "error: screen " << s.name << " takes no records\n";
                registry.exitCode = 2;
                return;
            }
            try {
                json out;
                s.describe(*options, out);
                std::cout << out.dump(2) << "\n";
            } catch (const std::exception& e) {
                std::cerr << "error: " << e.what() << "\n";
                registry.exitCode = 2;
            }
            return;
        }
        std::cerr << "error: unknown screen " << *screen << " (known:";
        for (const auto& s : screens) std::cerr << " " << s.name;
        std::cerr << ")\n";
        registry.exitCode = 2;
    });
});
}  // namespace
