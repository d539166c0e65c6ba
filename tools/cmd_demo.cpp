// drivesys demo [--out DIR]: runs the library's main job on built-in sample data.
#include <iostream>
#include <nlohmann/json.hpp>
#include <map>
#include <set>

#include "tools/commands.h"

namespace {
drivesys_cli::CommandRegistrar demoCommand(1, [](CLI::App& app, drivesys_cli::Registry&) {
    auto* cmd = app.add_subcommand("demo", "Run the library on built-in sample data and write the results");
    auto out = std::make_shared<std::string>("demo-out");
    cmd->add_option("--out", *out, "Output folder")->capture_default_str();
    cmd->callback([out] {
        auto& steps = drivesys_cli::DemoStepRegistrar::ordered();
        drivesys_cli::DemoContext ctx{drivesys_cli::nativePath(*out), std::cout, {}, {}};
        std::error_code ec;
        std::filesystem::create_directories(ctx.outDir, ec);
        if (ec || !std::filesystem::is_directory(ctx.outDir))
            throw drivesys_cli::UsageError("--out " + *out + ": cannot use it as the output folder" +
                                           (ec ? ": " + ec.message() : std::string(" (it is not a folder)")));
        std::cout << "drivesys demo: writing into " << ctx.outDir.string() << "\n";
        for (auto& s : steps) {
            try {
                s.step(ctx);
            } catch (const drivesys_cli::UsageError& e) {
                throw drivesys_cli::UsageError("demo step " + s.name + ": " + e.what());
            } catch (const std::exception& e) {
                throw drivesys_cli::RefusedError("demo step " + s.name + ": " + e.what());
            }
        }
        // The manifest: every file written, with the record class of those that hold one record.
        {
            nlohmann::json manifest = nlohmann::json::object();
            for (const auto& f : ctx.written) manifest[f] = nullptr;
            for (const auto& [f, cls] : ctx.recordFiles) manifest[f] = cls;
            ctx.writeFile("demo-manifest.json", manifest.dump(2) + "\n");
        }
        // Files of the top folder one by one; a sub-folder with many files as one line.
        std::cout << "\nfiles written (" << ctx.written.size() << "):\n";
        std::map<std::string, size_t> perFolder;
        for (const auto& f : ctx.written) {
            const auto slash = f.find('/');
            if (slash != std::string::npos) ++perFolder[f.substr(0, slash)];
        }
        std::set<std::string> listedFolders;
        for (const auto& f : ctx.written) {
            const auto slash = f.find('/');
            const std::string folder = slash == std::string::npos ? std::string() : f.substr(0, slash);
            if (folder.empty() || perFolder[folder] <= 6) {
                std::cout << "  " << (ctx.outDir / f).string() << "\n";
            } else if (listedFolders.insert(folder).second) {
                std::cout << "  " << (ctx.outDir / folder).string() << "/ (" << perFolder[folder] << " files)\n";
            }
        }
    });
});
}  // namespace
