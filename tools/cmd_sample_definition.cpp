// drivesys sample-definition --shafts N --elements-per-shaft M [--speeds K] [--forced] [--out FILE]
//
// Writes the definition file of a gear chain of any size (samples/gear_chain.h) for trying the
// solver at scale: `drivesys sample-definition --shafts 4 --elements-per-shaft 416 --speeds 100`
// is a Campbell diagram of about 10 000 DOF.
#include <iostream>
#include <nlohmann/json.hpp>

#include "drivesys/samples/gear_chain.h"
#include "drivesys/solver/definition_json.h"
#include "tools/cli_io.h"
#include "tools/commands.h"

namespace {

struct SampleOptions {
    ds::GearChainOptions chain;
    std::string outPath;
};

drivesys_cli::CommandRegistrar sampleDefinitionCommand(46, [](CLI::App& app, drivesys_cli::Registry&) {
    auto* cmd = app.add_subcommand("sample-definition",
                                   "Write the vibration definition of an N-shaft gear chain of any size (for trying the solver)");
    auto opt = std::make_shared<SampleOptions>();
    cmd->add_option("--shafts", opt->chain.shafts, "Shafts in the chain (each geared to the next)")
        ->required()
        ->check(CLI::Range(size_t(1), size_t(1000)));
    cmd->add_option("--elements-per-shaft", opt->chain.elementsPerShaft, "Beam elements of 10 mm per shaft")
        ->required()
        ->check(CLI::Range(size_t(4), size_t(2000000)));
    cmd->add_option("--speeds", opt->chain.speeds, "Campbell speeds from 0 to 6000 1/min (0: a modal analysis)")
        ->check(CLI::Range(size_t(0), size_t(100000)));
    cmd->add_flag("--forced", opt->chain.forced,
                  "A forced-response run over the speeds instead (unbalance and 3 mesh harmonics)");
    cmd->add_option("--out", opt->outPath, "Write the definition here (default: standard output)");
    cmd->callback([opt] {
        SolverInput input;
        try {
            input = ds::gearChainSolverInput(opt->chain);
        } catch (const std::invalid_argument& e) {
            throw drivesys_cli::UsageError(e.what());
        }
        const std::string text = WriteSolverInput(input).dump(1) + "\n";
        if (opt->outPath.empty()) std::cout << text;
        else drivesys_cli::writeOutput(drivesys_cli::nativePath(opt->outPath), text);
    });
});

}  // namespace
