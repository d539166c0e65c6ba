#include "drivesys/samples/sample_housing.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <sstream>

#include "drivesys/samples/frame_housing.h"
#include "drivesys/samples/sample_gearbox.h"

namespace ds {
namespace {
// Sections (area mm², Iy out of the wall's plane, Iz in it, torsion constant; mm⁴): the walls as
// strips 60 mm wide and 20 mm thick (a cast wall with its ribs), the bore seats 40 × 40 mm, the
// long edges and the side faces' diagonals that join the walls 60 × 60 mm (the side walls'
// stiffness gathered in them).
constexpr FrameHousing::Section kWall{1200.0, 40000.0, 360000.0, 126000.0};
constexpr FrameHousing::Section kSeat{1600.0, 213333.0, 213333.0, 360000.0};
constexpr FrameHousing::Section kEdge{3600.0, 1080000.0, 1080000.0, 1820000.0};
// The feet bolted to a stiff base.
constexpr double kFootSpring = 5.0e6;     // N/mm per direction
constexpr double kFootRotSpring = 1.0e9;  // N·mm/rad per axis
/// Bore radius beyond the bearing's outer radius, and the walls' margin beyond the bores, mm.
constexpr double kBoreRim = 15.0, kMargin = 40.0, kHalfWidth = 130.0;
constexpr size_t kModes = 6;
}  // namespace

SampleGearboxHousing makeSampleGearboxHousing() {
    const SampleGearbox box = makeSampleGearbox();
    const size_t shafts = box.shafts.size();
    // Heights of the shafts (FE x): the meshes' centre distances stacked, as the vibration
    // definition stacks them.
    std::vector<double> height(shafts, 0.0), radius(shafts, 0.0);
    for (size_t s = 1; s < shafts; ++s) height[s] = height[s - 1] + box.meshes[s - 1].a;
    // Each shaft's two bearings: [shaft][wall], wall 0 the one nearer the start.
    std::vector<std::array<const Bearing*, 2>> seat(shafts, {nullptr, nullptr});
    for (const Bearing& b : box.bearings)
        for (size_t s = 0; s < shafts; ++s)
            if (b.IdElementInner == box.shafts[s].Id) {
                seat[s][seat[s][0] ? 1 : 0] = &b;
                radius[s] = b.da / 2 + kBoreRim;
            }
    // The walls stand at the mean axial position of their bearings.
    double wallZ[2] = {0.0, 0.0};
    for (size_t s = 0; s < shafts; ++s)
        for (int w = 0; w < 2; ++w) wallZ[w] += seat[s][w]->posOuter / double(shafts);
    const double bottom = -radius[0] - kMargin - 10.0, top = height.back() + radius.back() + kMargin;

    FrameHousing frame;
    size_t corner[2][4];
    const std::array<std::pair<double, double>, 4> cornerXY{{{bottom, -kHalfWidth}, {bottom, kHalfWidth}, {top, kHalfWidth}, {top, -kHalfWidth}}};
    for (int w = 0; w < 2; ++w)
        for (int c = 0; c < 4; ++c)
            corner[w][c] = frame.addNode(unsigned(1 + 4 * w + c), NVektor(cornerXY[size_t(c)].first, cornerXY[size_t(c)].second, wallZ[w]));
    std::vector<std::array<size_t, 2>> centre(shafts);
    std::vector<std::array<std::array<size_t, 4>, 2>> rim(shafts);
    for (int w = 0; w < 2; ++w)
        for (size_t s = 0; s < shafts; ++s) {
            centre[s][size_t(w)] = frame.addNode(unsigned(100 * (w + 1) + s + 1), NVektor(height[s], 0, seat[s][size_t(w)]->posOuter));
            constexpr double dir[4][2] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};  // every 90°
            for (int k = 0; k < 4; ++k)
                rim[s][size_t(w)][size_t(k)] =
                    frame.addNode(unsigned(1000 * (w + 1) + 10 * (s + 1) + k + 1),
                                  NVektor(height[s] + radius[s] * dir[k][0], radius[s] * dir[k][1], wallZ[w]));
        }
    for (int w = 0; w < 2; ++w) {
        for (int c = 0; c < 4; ++c) frame.connect(corner[w][c], corner[w][(c + 1) % 4], kWall);
        for (size_t s = 0; s < shafts; ++s) {
            const auto& r = rim[s][size_t(w)];
            for (size_t k = 0; k < 4; ++k) {
                frame.connect(centre[s][size_t(w)], r[k], kSeat);
                frame.connect(r[k], r[(k + 1) % 4], kWall);
                // Rim node to the two nearest corners of its wall.
                std::array<std::pair<double, size_t>, 4> byDistance;
                for (int c = 0; c < 4; ++c)
                    byDistance[size_t(c)] = {frame.position(r[k]).distance(frame.position(corner[w][c])), corner[w][c]};
                std::sort(byDistance.begin(), byDistance.end());
                frame.connect(r[k], byDistance[0].second, kWall);
                frame.connect(r[k], byDistance[1].second, kWall);
            }
            if (s + 1 < shafts) frame.connect(r[0], rim[s + 1][size_t(w)][2], kWall);  // the web between two bores
        }
    }
    // The four long edges, and crossed diagonals in each side face: the side walls' shear
    // stiffness, without which the box would rack.
    for (int c = 0; c < 4; ++c) {
        frame.connect(corner[0][c], corner[1][c], kEdge);
        frame.connect(corner[0][c], corner[1][(c + 1) % 4], kEdge);
        frame.connect(corner[1][c], corner[0][(c + 1) % 4], kEdge);
    }
    for (int w = 0; w < 2; ++w)
        for (int c = 0; c < 2; ++c) frame.foot(corner[w][c], kFootSpring, kFootRotSpring);  // the bottom corners

    SampleGearboxHousing h;
    std::vector<size_t> interface;
    for (int w = 0; w < 2; ++w)
        for (size_t s = 0; s < shafts; ++s) interface.push_back(centre[s][size_t(w)]);
    for (int w = 0; w < 2; ++w)
        for (int c : {2, 3}) interface.push_back(corner[w][c]);
    h.file = frame.reduce(interface, kModes);
    for (size_t s = 0; s < shafts; ++s)
        h.bearingPoints.push_back({frame.position(centre[s][0]), frame.position(centre[s][1])});
    h.frame = {NVektor(0, 0, 0), NVektor(0, 0, 1), NVektor(1, 0, 0), NVektor(0, 1, 0)};
    return h;
}

std::string sampleHousingFileText(const SampleGearboxHousing& housing) {
    std::ostringstream out;
    writeFEStiffnessMatrix(out, housing.file, true,
                           {"drivesys sample housing: the box housing of the sample two-stage gearbox, a steel frame",
                            "reduced onto 10 interface nodes x 6 DOF and 6 fixed-interface modes (Craig-Bampton);",
                            "written by drivesys housing --write-box-housing FILE. Bore centres (bearing seats):",
                            "101 102 103 (first wall), 201 202 203 (second wall); top corners 3 4 7 8: cover",
                            "attachment points. FE x up (global z of the gearbox), y across, z along the shafts."});
    return out.str();
}

HousingDefinition sampleHousingDefinition(const SampleGearboxHousing& housing, const std::string& stiffnessFile) {
    HousingDefinition d;
    d.stiffnessFile = stiffnessFile;
    d.matrices = housing.file;
    d.lossFactor = 0.01;
    d.origin = housing.frame[0] * 1e-3;
    d.xAxis = housing.frame[1];
    d.yAxis = housing.frame[2];
    d.zAxis = housing.frame[3];
    d.maxMappingDistance = 1e-3;
    return d;
}

}  // namespace ds
