// drivesys demo [--out DIR]: runs the library's main job on built-in sample data.
#include <algorithm>
#include <iostream>

#include "tools/commands.h"

namespace {
drivesys_cli::CommandRegistrar demoCommand(1, [](CLI::App& app, drivesys_cli::Registry& registry) {
    auto* cmd = app.add_subcommand("demo", "Run the library on built-in sample data and write the results");
    auto out = std::make_shared<std::string>("demo-out");
    cmd->add_option("--out", *out, "Output folder")->capture_default_str();
    cmd->callback([out, &registry] {
        auto& steps = drivesys_cli::demoSteps();
        std::stable_sort(steps.begin(), steps.end(), [](const auto& a, const auto& b) { return a.order < b.order; });
        drivesys_cli::DemoContext ctx{*out, std::cout, {}};
        std::filesystem::create_directories(ctx.outDir);
        std::cout << "drivesys demo: writing into " << ctx.outDir.string() << "\n";
        for (auto& s : steps) {
            try {
                s.step(ctx);
            } catch (const std::exception& e) {
                std::cerr << "error in demo step " << s.name << ": " << e.what() << "\n";
                registry.exitCode = 1;
                return;
            }
        }
        std::cout << "\nfiles written (" << ctx.written.size() << "):\n";
        for (const auto& f : ctx.written) std::cout << "  " << (ctx.outDir / f).string() << "\n";
    });
});
}  // namespace
