// Demo step: the sample box housing (shipped stiffness file) coupled to its two shafts, with the
// bearing loads of a helical gear mesh; writes housing.json and housing_deflections.txt.
#include <fmt/format.h>
#include <ostream>
#include <sstream>

#include "tools/box_housing.h"
#include "tools/commands.h"
#include "tools/housing_case.h"

namespace {
namespace fs = std::filesystem;

constexpr const char* kSampleFile = "examples/data/box_housing.txt";

/// The shipped sample, searched upwards from the tool's folder and from the working folder.
fs::path findSample() {
    std::vector<fs::path> starts{fs::current_path()};
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (!ec) starts.push_back(exe.parent_path());
    for (fs::path dir : starts)
        for (int up = 0; up < 6 && !dir.empty(); ++up, dir = dir.parent_path()) {
            if (fs::exists(dir / kSampleFile)) return dir / kSampleFile;
            if (dir == dir.parent_path()) break;
        }
    return {};
}

/// A global vector in the axes of a frame [origin, x, y, z].
NVektor inAxes(const NVektor& v, const std::vector<NVektor>& frame) {
    return {v.dot(frame[1]), v.dot(frame[2]), v.dot(frame[3])};
}

drivesys_cli::DemoStepRegistrar housingStep(70, "housing", [](drivesys_cli::DemoContext& ctx) {
    const drivesys_cli::BoxHousing box = drivesys_cli::makeBoxHousing();
    drivesys_cli::HousingCase c;
    const fs::path sample = findSample();
    std::string source;
    if (!sample.empty()) {
        std::istringstream text(drivesys_cli::readInput(sample.string()));
        FEStiffnessMatrixFile file = readFEStiffnessMatrix(text);
        c.stiffness = std::move(file.stiffness);
        c.nodeCoords = std::move(file.nodeCoords);
        c.nodeNumbers = std::move(file.nodeNumbers);
        c.units = file.systemOfUnits;
        source = sample.string();
    } else {
        c.stiffness = box.file.stiffness;
        c.nodeCoords = box.file.nodeCoords;
        c.nodeNumbers = box.file.nodeNumbers;
        c.units = box.file.systemOfUnits;
        source = "generated in memory (" + std::string(kSampleFile) + " not found)";
    }
    const size_t feNodes = c.nodeCoords.size();
    c.maxMappingDistance = 5.0;
    c.shaftCS = box.shaftCS;
    c.bearingPoints = box.bearingPoints;
    c.reportUnmappedNodes = true;

    // Helical mesh at mid-span: tangential 4000 N (y), separating 1456 N (x), axial 800 N (z),
    // shared equally by the two bearings of a shaft; the z = 0 bearing also takes the axial load.
    // What the housing feels at the input shaft's bearings, and the opposite at the output's.
    const NVektor share(728.0, 2000.0, 0.0), axial(0.0, 0.0, 800.0);
    c.hasLoads = true;
    for (size_t s = 0; s < 2; ++s) {
        const double sign = s == 0 ? 1.0 : -1.0;
        c.forces.push_back({inAxes((share + axial) * sign, c.shaftCS[s]), inAxes(share * sign, c.shaftCS[s])});
        c.moments.push_back({NVektor(), NVektor()});
    }
    const nlohmann::json result = drivesys_cli::runHousingCase(c, true);
    nlohmann::json doc;
    doc["stiffnessSource"] = source;
    doc["feNodes"] = feNodes;
    doc["forces"] = nlohmann::json::array();
    for (const auto& f : c.forces) {
        nlohmann::json shaft;
        nmath::ValueOps<std::vector<NVektor>>::toJson(shaft, f);
        doc["forces"].push_back(shaft);
    }
    doc["result"] = result;
    ctx.writeFile("housing.json", doc.dump(2) + "\n");
    if (result["status"] != 0) throw std::runtime_error("housing coupling failed: status " + result["status"].dump());

    // Bearing deflection table (shaft axes: x along the shaft).
    std::string table = fmt::format("Housing deflection at the bearings (shaft axes; stiffness: {})\n", source);
    table += fmt::format("{:>5} {:>5} {:>5} {:>9} {:>9} {:>9} {:>10} {:>10} {:>10}\n", "shaft", "point", "node", "ux[um]", "uy[um]",
                         "uz[um]", "rx[urad]", "ry[urad]", "rz[urad]");
    double largest = 0.0;
    std::string largestAt;
    for (const auto& m : result["mapping"]) {
        const unsigned s = m[0], p = m[1], node = m[2];
        const auto& u = result["displacements"][s][p];
        const auto& r = result["rotations"][s][p];
        const unsigned number = c.nodeNumbers.at(node);
        table += fmt::format("{:>5} {:>5} {:>5} {:>9.3f} {:>9.3f} {:>9.3f} {:>10.3f} {:>10.3f} {:>10.3f}\n", s, p, number,
                             u[0].get<double>() * 1e6, u[1].get<double>() * 1e6, u[2].get<double>() * 1e6,
                             r[0].get<double>() * 1e6, r[1].get<double>() * 1e6, r[2].get<double>() * 1e6);
        const double len = NVektor(u[0], u[1], u[2]).length() * 1e6;
        if (len > largest) {
            largest = len;
            largestAt = fmt::format("shaft {} point {}", s, p);
        }
    }
    ctx.writeFile("housing_deflections.txt", table);
    ctx.summary << fmt::format("  housing: {} FE nodes, {} bearing points mapped, {} nodes removed; largest deflection {:.2f} um ({})\n",
                               feNodes, result["mapping"].size(), result["unmappedNodes"].size(), largest, largestAt);
});
}  // namespace
