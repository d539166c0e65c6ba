// Demo step: the sample gearbox's box housing (shipped stiffness file) coupled statically to its
// three shafts, with the bearing loads of the two helical meshes; writes housing.json and
// housing_deflections.txt.
#include <fmt/format.h>
#include <ostream>
#include <sstream>

#include "drivesys/samples/sample_housing.h"
#include "tools/commands.h"
#include "tools/demo_housing.h"
#include "tools/housing_case.h"

namespace drivesys_cli {
namespace fs = std::filesystem;

namespace {
constexpr const char* kSampleFile = "examples/data/box_housing.txt";
}  // namespace

fs::path findSampleHousing() {
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

SampleHousingFile loadSampleHousing() {
    SampleHousingFile out;
    const fs::path sample = findSampleHousing();
    if (!sample.empty()) {
        std::istringstream text(readInput(sample.string()));
        out.file = readFEStiffnessMatrix(text);
        out.source = sample.string();
    } else {
        out.file = ds::makeSampleGearboxHousing().file;
        out.source = "generated in memory (" + std::string(kSampleFile) + " not found)";
    }
    return out;
}

namespace {
/// A global vector in the axes of a frame [origin, x, y, z].
NVektor inAxes(const NVektor& v, const std::vector<NVektor>& frame) { return {v.dot(frame[1]), v.dot(frame[2]), v.dot(frame[3])}; }

DemoStepRegistrar housingStep(70, "housing", [](DemoContext& ctx) {
    const ds::SampleGearboxHousing sample = ds::makeSampleGearboxHousing();
    const SampleHousingFile loaded = loadSampleHousing();
    HousingCase c;
    c.stiffness = nodeStiffness(loaded.file);
    c.nodeCoords = loaded.file.nodeCoords;
    c.nodeNumbers = loaded.file.nodeNumbers;
    c.units = loaded.file.systemOfUnits;
    const size_t feNodes = c.nodeCoords.size();
    c.maxMappingDistance = 5.0;
    // Shafts in the gearbox's global frame (mm): axis along global y, the solver's shaft frames;
    // the FE model placed by its frame, the bearing points where the bores' centres are.
    c.systemCS = {NVektor(), NVektor(1, 0, 0), NVektor(0, 1, 0), NVektor(0, 0, 1)};
    c.femCS = sample.frame;
    const NTransformationMatrix femToSystem(sample.frame[1], sample.frame[2], true, sample.frame[0], c.systemCS[1], c.systemCS[2],
                                            c.systemCS[0]);
    for (const auto& points : sample.bearingPoints) {
        const NVektor first = femToSystem * points[0];
        c.shaftCS.push_back({NVektor(0, 0, first.z), NVektor(1, 0, 0), NVektor(0, 1, 0), NVektor(0, 0, 1)});
        c.bearingPoints.push_back({first, femToSystem * points[1]});
    }
    c.reportUnmappedNodes = true;

    // Mesh forces of the two stages (N; from 15 kW at 1480 1/min on the pinions' pitch circles:
    // tangential along global x, axial along the shafts, separating along global z), each shaft's
    // net force held by its bearings, half each radially, the first (locating) one axially; the
    // housing takes what the bearings take.
    const NVektor stage1(3937.0, 1055.0, 1483.0), stage2(12166.0, 2586.0, 4527.0);
    const std::vector<NVektor> net{stage1, stage2 - stage1, stage2 * -1.0};
    c.hasLoads = true;
    for (size_t s = 0; s < net.size(); ++s) {
        const NVektor f = inAxes(net[s], c.shaftCS[s]);
        c.forces.push_back({NVektor(f.x / 2, f.y, f.z / 2), NVektor(f.x / 2, 0.0, f.z / 2)});
        c.moments.push_back({NVektor(), NVektor()});
    }
    const nlohmann::json result = runHousingCase(c, true);
    nlohmann::json doc;
    doc["stiffnessSource"] = loaded.source;
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

    // Bearing deflection table (shaft axes: y along the shaft).
    std::string table = fmt::format("Housing deflection at the bearings (shaft axes; stiffness: {})\n", loaded.source);
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
}  // namespace drivesys_cli
