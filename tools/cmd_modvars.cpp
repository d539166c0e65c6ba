// drivesys modvars RESULTS.json OUT.txt [--housing]   appends module variables to OUT.txt
// drivesys offsets FILE                                prints the initial offsets of a stiffness file
#include <iostream>
#include <nlohmann/json.hpp>

#include "dynamics/module_variables.h"
#include "housing/housing_deformation.h"
#include "tools/commands.h"

namespace {
using json = nlohmann::json;

struct ModvarsOptions {
    std::string resultsPath;
    std::string outPath;
    bool housing = false;
};

drivesys_cli::CommandRegistrar modvarsCommand(50, [](CLI::App& app, drivesys_cli::Registry& registry) {
    auto* cmd = app.add_subcommand("modvars", "Append the module variables of a result file to a module-variables file");
    auto opt = std::make_shared<ModvarsOptions>();
    cmd->add_option("results", opt->resultsPath, "SystemVibrationResults JSON (- for standard input)")->required();
    cmd->add_option("out", opt->outPath, "Module-variables file; the lines are appended")->required();
    cmd->add_flag("--housing", opt->housing, "The results are HousingDeformationResults");
    cmd->callback([opt, &registry] {
        try {
            const json j = json::parse(drivesys_cli::readInput(opt->resultsPath));
            if (!j.is_object()) throw std::runtime_error("the results must be a JSON object");
            const nWString out = nWString::fromUtf8(opt->outPath);
            std::string error;
            bool written = false;
            if (opt->housing) {
                HousingDeformationResults results;
                results.fromJson(j);
                written = WriteModuleVariablesHousingDeformationChecked(out.c_str(), results, &error);
            } else {
                SystemVibrationResults results;
                results.fromJson(j);
                written = WriteModuleVariablesSystemDynamicsChecked(out.c_str(), results, &error);
            }
            // Unreadable input exits 2 (below); a block that could not be appended exits 1, and the
            // file keeps its previous length.
            if (!written) {
                std::cerr << "error: " << error << "\n";
                registry.exitCode = 1;
            }
        } catch (const std::exception& e) {
            std::cerr << "error: " << e.what() << "\n";
            registry.exitCode = 2;
        }
    });
});

drivesys_cli::CommandRegistrar offsetsCommand(51, [](CLI::App& app, drivesys_cli::Registry& registry) {
    auto* cmd = app.add_subcommand("offsets", "Print the initial node offsets of a housing stiffness-matrix file as JSON");
    auto path = std::make_shared<std::string>();
    cmd->add_option("file", *path, "Stiffness-matrix file")->required();
    cmd->callback([path, &registry] {
        std::error_code ec;
        if (!std::filesystem::is_regular_file(*path, ec)) {
            std::cerr << "error: cannot read " << *path << "\n";
            registry.exitCode = 2;
            return;
        }
        std::vector<NVektor> translations;
        std::vector<NVektor> rotations;
        readInitialOffsetsFEMFromFile(nWString::fromUtf8(*path), translations, rotations);
        // One line: {"translations": [[x,y,z], ...], "rotations": [[x,y,z], ...]}; numbers in
        // the JSON library's form (a non-finite value, which atof can give, becomes null).
        auto rows = [](const std::vector<NVektor>& list) {
            std::string text = "[";
            for (size_t i = 0; i < list.size(); ++i) {
                if (i) text += ", ";
                text += "[" + json(list[i].x).dump() + "," + json(list[i].y).dump() + "," + json(list[i].z).dump() + "]";
            }
            return text + "]";
        };
        std::cout << "{\"translations\": " << rows(translations) << ", \"rotations\": " << rows(rotations) << "}\n";
    });
});
}  // namespace
