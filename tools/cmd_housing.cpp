// drivesys housing CASE.json [--summary]        couples a housing stiffness to bearing points
// drivesys housing --three-points CASE.json      places an FE model from three point pairs
// drivesys housing --write-box-housing FILE      writes the demo's sample housing stiffness file
#include <iostream>
#include <nlohmann/json.hpp>

#include "drivesys/samples/sample_housing.h"
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

drivesys_cli::CommandRegistrar housingCommand(40, [](CLI::App& app, drivesys_cli::Registry&) {
    auto* cmd = app.add_subcommand("housing", "Couple an FE housing stiffness to bearing points and print the result as JSON");
    auto opt = std::make_shared<HousingOptions>();
    cmd->add_option("case", opt->casePath, "Case file (JSON; - for standard input)")->check(drivesys_cli::inputFileValidator());
    cmd->add_flag("--three-points", opt->threePoints, "The case places an FE model from three point pairs");
    cmd->add_flag("--summary", opt->summary, "Leave the compliance and transformation matrices out");
    cmd->add_option("--write-box-housing", opt->boxHousingOut, "Write the sample box housing stiffness file");
    cmd->callback([opt] {
        if (!opt->boxHousingOut.empty()) {
            drivesys_cli::writeOutput(drivesys_cli::nativePath(opt->boxHousingOut),
                                      ds::sampleHousingFileText(ds::makeSampleGearboxHousing()));
            return;
        }
        if (opt->casePath.empty()) throw drivesys_cli::UsageError("no case file given");
        const json j = drivesys_cli::readJsonInput(opt->casePath);
        if (opt->threePoints) {
            const json out = drivesys_cli::runThreePointsCase(j);
            std::cout << out.dump(2) << "\n";
            if (!out["errorMessage"].get<std::string>().empty())
                throw drivesys_cli::RefusedError("three-point placement failed: " + out["errorMessage"].get<std::string>());
            return;
        }
        const std::filesystem::path base = opt->casePath == "-" ? std::filesystem::current_path()
                                                                : drivesys_cli::nativePath(opt->casePath).parent_path();
        drivesys_cli::HousingCase c = drivesys_cli::readHousingCase(j, base);
        const json out = drivesys_cli::runHousingCase(c, !opt->summary);
        std::cout << out.dump(2) << "\n";
        if (const int status = out["status"].get<int>(); status != 0)
            throw drivesys_cli::RefusedError("the housing coupling failed with status " + std::to_string(status) + ": " +
                                             drivesys_cli::casingStatusMeaning(status));
    });
});
}  // namespace
