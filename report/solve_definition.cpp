#include <charconv>
#include <cmath>
#include <stdexcept>
#include <string>

#include "drivesys/report/html_report.h"

namespace ds::report {

SolvedDefinition solveDefinition(const SolverInput& input) {
    SolvedDefinition out;
    SolverOptions options = input.options;
    if (input.hasHousing) options.housing = &input.housing;
    out.campbell = !input.definition.data.campbellSpeed.empty();
    options.calculation = out.campbell ? 2 : 0;
    out.report = SolveSystemDynamics(input.definition, input.general, out.results, options);
    if (out.report.status != kSolverOk)
        throw std::runtime_error(out.report.message + " (solverStatus " + std::to_string(out.report.status) + ")");
    if (input.hasForcedResponse) {
        options.calculation = 1;
        options.forcedResponse = &input.forcedResponse;
        SystemVibrationResults forced;
        const SolverReport report = SolveSystemDynamics(input.definition, input.general, forced, options);
        if (report.status != kSolverOk)
            throw std::runtime_error("forced response: " + report.message + " (solverStatus " + std::to_string(report.status) + ")");
        out.results.forcedResponseResults = std::move(forced.forcedResponseResults);
        out.results.forcedResponseDocPointMaxWhirlMajorBendingSemiAxis = std::move(forced.forcedResponseDocPointMaxWhirlMajorBendingSemiAxis);
        for (const std::string& w : report.warnings) out.report.warnings.push_back("forced response: " + w);
        out.forcedResponse = true;
    }
    return out;
}

std::vector<ExcitationOrder> parseExcitationOrders(const std::string& list) {
    std::vector<ExcitationOrder> out;
    size_t start = 0;
    while (start <= list.size()) {
        const size_t comma = std::min(list.find(',', start), list.size());
        const std::string item = list.substr(start, comma - start);
        start = comma + 1;
        auto bad = [&](const char* why) {
            return std::invalid_argument("order '" + item + "': " + why + " (give <k>x for a multiple of the shaft speeds, "
                                         "mesh<h> for a harmonic of the meshes, e.g. 1x,2x,mesh1)");
        };
        ExcitationOrder order;
        std::string digits;
        if (item.size() > 4 && item.compare(0, 4, "mesh") == 0) {
            order.source = ExcitationOrder::kMesh;
            digits = item.substr(4);
        } else if (item.size() > 1 && (item.back() == 'x' || item.back() == 'X')) {
            digits = item.substr(0, item.size() - 1);
        } else {
            throw bad(item.empty() ? "empty" : "not an order");
        }
        double v = 0.0;
        const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), v);
        if (ec != std::errc() || end != digits.data() + digits.size() || !std::isfinite(v)) throw bad("not a number");
        if (!(v > 0) || v > 100) throw bad("out of range (0, 100]");
        if (order.source == ExcitationOrder::kMesh && v != std::floor(v)) throw bad("a mesh harmonic is a whole number");
        order.multiple = v;
        bool seen = false;
        for (const ExcitationOrder& o : out) seen = seen || (o.source == order.source && o.multiple == order.multiple);
        if (!seen) out.push_back(order);
        if (out.size() > 50) throw bad("more than 50 orders");
    }
    return out;
}

}  // namespace ds::report
