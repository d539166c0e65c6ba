#include "tools/housing_report.h"

namespace drivesys_cli {

nlohmann::json housingReportJson(const SolverReport& report) {
    using json = nlohmann::json;
    const HousingReport& h = report.housing;
    json out;
    out["dofCount"] = h.dofCount;
    out["nodeCount"] = h.nodeCount;
    out["boundaryDofs"] = h.boundaryDofs;
    out["factorisedNonZeros"] = h.factorisedNonZeros;
    json rings = json::array();
    for (const HousingRingPlacement& r : h.rings) {
        json ring;
        ring["kind"] = r.connection ? "connection" : "bearing";
        ring["name"] = r.name;
        ring["table"] = r.connection ? json::array({r.shaft, r.index}) : json::array({r.shaft, r.subShaft, r.index});
        ring["boundNum"] = r.boundNum;
        ring["node"] = r.node;
        ring["distance"] = r.distance;
        ring["listed"] = r.listed;
        rings.push_back(std::move(ring));
    }
    out["rings"] = std::move(rings);
    json modes = json::array();
    for (size_t i = 0; i < report.modes.size() && i < h.modeStrainShare.size(); ++i)
        modes.push_back({{"description", report.modes[i].description},
                         {"frequency", report.modes[i].frequency},
                         {"housingStrainShare", h.modeStrainShare[i]},
                         {"housingKineticShare", h.modeKineticShare[i]}});
    out["modes"] = std::move(modes);
    json forced = json::array();
    for (const auto& speed : h.response) {
        json entries = json::array();
        for (const HousingRingResponse& r : speed) entries.push_back({{"ring", r.ring}, {"housing", r.housing.toJson()}});
        forced.push_back(std::move(entries));
    }
    out["forcedResponse"] = std::move(forced);
    return out;
}

}  // namespace drivesys_cli
