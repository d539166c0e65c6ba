// drivesys housing CASE.json [--summary]        couples a housing stiffness to bearing points
// drivesys housing --three-points CASE.json      places an FE model from three point pairs
// drivesys housing --write-box-housing FILE      writes the demo's sample housing stiffness file
#include <fstream>
#include <iostream>
#include <nlohmann/json.hpp>

#include "tools/box_housing.h"
#include "tools/commands.h"
#include "tools/housing_case.h"

namespace {
using json = nlohmann::json;

struct HousingOptions {
    std::string casePath;
    bool threePoints = false;
    bool summary = false;
    std::string boxHousingOut;
};

drivesys_cli::CommandRegistrar housingCommand(40, [](CLI::App& app, drivesys_cli::Registry& registry) {
    auto* cmd = app.add_subcommand("housing", "Couple an FE housing stiffness to bearing points and print the result as JSON");
    auto opt = std::make_shared<HousingOptions>();
    cmd->add_option("case", opt->casePath, "Case file (JSON; - for standard input)");
    cmd->add_flag("--three-points", opt->threePoints, "The case places an FE model from three point pairs");
    cmd->add_flag("--summary", opt->summary, "Leave the compliance and transformation matrices out");
    cmd->add_option("--write-box-housing", opt->boxHousingOut, "Write the sample box housing stiffness file");
    cmd->callback([opt, &registry] {
        try {
            if (!opt->boxHousingOut.empty()) {
                std::ofstream out(opt->boxHousingOut, std::ios::binary);
                out << drivesys_cli::boxHousingFileText(drivesys_cli::makeBoxHousing());
                if (!out) throw std::runtime_error("cannot write " + opt->boxHousingOut);
                return;
            }
            if (opt->casePath.empty()) throw std::runtime_error("no case file given");
            const json j = json::parse(drivesys_cli::readInput(opt->casePath));
            if (opt->threePoints) {
                std::cout << drivesys_cli::runThreePointsCase(j).dump(2) << "\n";
                return;
            }
            const std::filesystem::path base =
                opt->casePath == "-" ? std::filesystem::current_path() : std::filesystem::path(opt->casePath).parent_path();
            drivesys_cli::HousingCase c = drivesys_cli::readHousingCase(j, base);
            std::cout << drivesys_cli::runHousingCase(c, !opt->summary).dump(2) << "\n";
        } catch (const std::exception& e) {
            std::cerr << "error: " << e.what() << "\n";
            registry.exitCode = 2;
        }
    });
});
}  // namespace
