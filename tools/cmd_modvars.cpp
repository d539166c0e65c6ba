// drivesys modvars RESULTS.json OUT.txt [--housing] [--strict]   appends module variables to OUT.txt
// drivesys offsets FILE                                          prints the initial offsets of a stiffness file
#include <iostream>
#include <nlohmann/json.hpp>

#include "drivesys/foundation/catalog.h"
#include "tools/commands.h"
#include "tools/modvars_text.h"
#include "tools/record_input.h"

namespace {
using json = nlohmann::json;

struct ModvarsOptions {
    std::string resultsPath;
    std::string outPath;
    bool housing = false;
    bool strict = false;
};

template <class Results> Results readResults(const std::string& path, bool strict) {
    Results results;
    drivesys_cli::readRecordInput(path, results, Results::recordInfo(), strict, [&](const json& j) {
        try {
            results.fromJson(j);
        } catch (const std::exception& e) {
            throw drivesys_cli::UsageError(drivesys_cli::inputName(path) + ": " + e.what());
        }
    });
    return results;
}

drivesys_cli::CommandRegistrar modvarsCommand(50, [](CLI::App& app, drivesys_cli::Registry&) {
    auto* cmd = app.add_subcommand("modvars", "Append the module variables of a result file to a module-variables file");
    auto opt = std::make_shared<ModvarsOptions>();
    cmd->add_option("results", opt->resultsPath, "SystemVibrationResults JSON (- for standard input)")
        ->required()
        ->check(drivesys_cli::inputFileValidator());
    cmd->add_option("out", opt->outPath, "Module-variables file; the lines are appended")->required();
    cmd->add_flag("--housing", opt->housing, "The results are HousingDeformationResults");
    cmd->add_flag("--strict", opt->strict, "Validate the results against their JSON Schema before reading them");
    cmd->callback([opt] {
        const std::string block =
            opt->housing ? drivesys_cli::moduleVariablesText(readResults<HousingDeformationResults>(opt->resultsPath, opt->strict))
                         : drivesys_cli::moduleVariablesText(readResults<SystemVibrationResults>(opt->resultsPath, opt->strict));
        drivesys_cli::appendOutput(drivesys_cli::nativePath(opt->outPath), block);
    });
});

/// Checks that `text` is a housing stiffness file before the tolerant offsets reader reads it.
void checkStiffnessText(const std::string& text, const std::string& source) {
    if (text.rfind("\xEF\xBB\xBF", 0) == 0)
        throw drivesys_cli::UsageError(source + ": the file begins with a UTF-8 byte-order mark (EF BB BF); save it without one");
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string_view line(text.data() + start, end - start);
        if (line.rfind("INITIAL", 0) == 0 || line.rfind("STIFFNESS", 0) == 0) return;
        start = end + 1;
    }
    throw drivesys_cli::UsageError(source + ": not a housing stiffness file (no line begins with INITIAL or STIFFNESS)");
}

drivesys_cli::CommandRegistrar offsetsCommand(51, [](CLI::App& app, drivesys_cli::Registry&) {
    auto* cmd = app.add_subcommand("offsets", "Print the initial node offsets of a housing stiffness-matrix file as JSON");
    auto path = std::make_shared<std::string>();
    cmd->add_option("file", *path, "Stiffness-matrix file (- for standard input)")
        ->required()
        ->check(drivesys_cli::inputFileValidator());
    cmd->callback([path] {
        const std::string text = drivesys_cli::readInput(*path);
        checkStiffnessText(text, *path == "-" ? "standard input" : *path);
        const drivesys_cli::TempFile copy(text);
        std::vector<NVektor> translations;
        std::vector<NVektor> rotations;
        readInitialOffsetsFEMFromFile(nWString::fromUtf8(copy.path().string()), translations, rotations);
        // {"translations": [[x, y, z], ...], "rotations": [[x, y, z], ...]}; a non-finite value is null.
        auto rows = [](const std::vector<NVektor>& list) {
            json out = json::array();
            for (const NVektor& v : list) out.push_back({v.x, v.y, v.z});
            return out;
        };
        std::cout << json{{"translations", rows(translations)}, {"rotations", rows(rotations)}}.dump(2) << "\n";
    });
});
}  // namespace
