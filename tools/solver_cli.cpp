#include "tools/solver_cli.h"

#include <charconv>
#include <cmath>
#include <iostream>

#include "drivesys/report/html_report.h"
#include "tools/cli_io.h"

namespace drivesys_cli {

SolverInput readDefinitionFile(const std::string& path) {
    const nlohmann::json j = readJsonInput(path);
    SolverInput input;
    // A housing's stiffness file is named relative to the definition file.
    const std::string directory = path == "-" ? std::string() : nativePath(path).parent_path().string();
    try {
        input = ReadSolverInput(j, directory);
    } catch (const std::exception& e) {
        throw UsageError(path + ": " + e.what());
    }
    for (const std::string& key : input.unknownKeys)
        std::cerr << "drivesys: warning: " << path << ": unknown key " << key << " (ignored)\n";
    return input;
}

void addSummaryArguments(CLI::App& command, SummaryArguments& a) {
    command.add_option("--operating-range", a.operatingRange,
                       "Operating speed range of the controlling shaft, MIN:MAX in 1/min (default: the nominal speed)");
    command.add_option("--orders", a.orders,
                       "Excitation orders crossed with the Campbell curves and drawn: <k>x for each shaft's k-th multiple, "
                       "mesh<h> for each mesh's h-th harmonic (default 1x,2x,mesh1,mesh2,mesh3)");
}

SummaryOptions summaryOptions(const SummaryArguments& a) {
    SummaryOptions o;
    if (!a.operatingRange.empty()) {
        const std::string& t = a.operatingRange;
        const size_t colon = t.find(':');
        double lo = 0, hi = 0;
        auto read = [&](const std::string& part, double& v) {
            const auto [end, ec] = std::from_chars(part.data(), part.data() + part.size(), v);
            return ec == std::errc() && end == part.data() + part.size() && std::isfinite(v) && v >= 0;
        };
        if (colon == std::string::npos || !read(t.substr(0, colon), lo) || !read(t.substr(colon + 1), hi) || lo > hi || hi <= 0)
            throw UsageError("--operating-range " + t + ": give MIN:MAX in 1/min with 0 ≤ MIN ≤ MAX and MAX > 0");
        o.operatingSpeedMin = lo;
        o.operatingSpeedMax = hi;
    }
    if (!a.orders.empty()) {
        try {
            o.orders = ds::report::parseExcitationOrders(a.orders);
        } catch (const std::invalid_argument& e) {
            throw UsageError(std::string("--orders: ") + e.what());
        }
    }
    return o;
}

}  // namespace drivesys_cli
