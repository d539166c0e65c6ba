#include "tools/box_housing.h"

#include "drivesys/platform/nmath/nmatrix_impl.h"

#include <algorithm>
#include <Eigen/Dense>
#include <array>
#include <cmath>
#include <sstream>

namespace drivesys_cli {
namespace {
// Steel (N/mm²) and the beam sections (mm², mm⁴) standing in for wall strips and bore seats.
constexpr double kE = 210000.0;
constexpr double kG = 81000.0;
struct Section {
    double a, iy, iz, j;
};
constexpr Section kWall{600.0, 20000.0, 45000.0, 50000.0};    // 30 × 20 mm strip
constexpr Section kSeat{1600.0, 213333.0, 213333.0, 360000.0};  // 40 × 40 mm seat spoke
constexpr double kFootSpring = 2.0e5;                          // N/mm per direction
constexpr double kFootRotSpring = 5.0e7;                       // N·mm/rad per axis
constexpr double kBoreRadius = 45.0;
constexpr double kShaftX[2] = {0.0, 150.0};
constexpr double kWallZ[2] = {0.0, 200.0};

using Mat12 = Eigen::Matrix<double, 12, 12>;

// Euler-Bernoulli space frame element between a and b: 12×12 global stiffness.
Mat12 beam(const NVektor& a, const NVektor& b, const Section& s) {
    const NVektor axis = b - a;
    const double l = axis.length();
    const NVektor ex = axis.normalized();
    // Local y perpendicular to the axis, taken from global z unless the beam runs along z.
    const NVektor ref = std::abs(ex.z) > 0.9 ? NVektor(1, 0, 0) : NVektor(0, 0, 1);
    const NVektor ey = ref.cross(ex).normalized();
    const NVektor ez = ex.cross(ey);

    Mat12 k = Mat12::Zero();
    const double ea = kE * s.a / l, gj = kG * s.j / l;
    const double z12 = 12 * kE * s.iz / (l * l * l), z6 = 6 * kE * s.iz / (l * l), z4 = 4 * kE * s.iz / l, z2 = 2 * kE * s.iz / l;
    const double y12 = 12 * kE * s.iy / (l * l * l), y6 = 6 * kE * s.iy / (l * l), y4 = 4 * kE * s.iy / l, y2 = 2 * kE * s.iy / l;
    auto set = [&k](int i, int j, double v) { k(i, j) = k(j, i) = v; };
    set(0, 0, ea), set(6, 6, ea), set(0, 6, -ea);
    set(3, 3, gj), set(9, 9, gj), set(3, 9, -gj);
    // bending in the local x-y plane (v, rz)
    set(1, 1, z12), set(1, 5, z6), set(1, 7, -z12), set(1, 11, z6);
    set(5, 5, z4), set(5, 7, -z6), set(5, 11, z2);
    set(7, 7, z12), set(7, 11, -z6), set(11, 11, z4);
    // bending in the local x-z plane (w, ry)
    set(2, 2, y12), set(2, 4, -y6), set(2, 8, -y12), set(2, 10, -y6);
    set(4, 4, y4), set(4, 8, y6), set(4, 10, y2);
    set(8, 8, y12), set(8, 10, y6), set(10, 10, y4);

    Eigen::Matrix3d lambda;
    lambda << ex.x, ex.y, ex.z, ey.x, ey.y, ey.z, ez.x, ez.y, ez.z;
    Mat12 t = Mat12::Zero();
    for (int b3 = 0; b3 < 4; ++b3) t.block<3, 3>(3 * b3, 3 * b3) = lambda;
    return t.transpose() * k * t;
}
}  // namespace

BoxHousing makeBoxHousing() {
    // The frame model: every node with its number and position.
    std::vector<unsigned> numbers;
    std::vector<NVektor> coords;
    auto addNode = [&](unsigned number, const NVektor& p) {
        numbers.push_back(number);
        coords.push_back(p);
        return static_cast<unsigned>(coords.size() - 1);
    };
    // Corners 1…8: [wall][corner], counter-clockwise from bottom left.
    const std::array<std::pair<double, double>, 4> cornerXY{{{-90, -110}, {240, -110}, {240, 110}, {-90, 110}}};
    unsigned corner[2][4];
    for (int w = 0; w < 2; ++w)
        for (int c = 0; c < 4; ++c)
            corner[w][c] = addNode(static_cast<unsigned>(1 + 4 * w + c), NVektor(cornerXY[c].first, cornerXY[c].second, kWallZ[w]));
    // Bores: centre 100·(wall+1) + shaft + 1, rim nodes 1000·(wall+1) + 10·(shaft+1) + k.
    unsigned centre[2][2], rim[2][2][4];
    for (int w = 0; w < 2; ++w)
        for (int s = 0; s < 2; ++s) {
            centre[w][s] = addNode(static_cast<unsigned>(100 * (w + 1) + s + 1), NVektor(kShaftX[s], 0, kWallZ[w]));
            constexpr double dir[4][2] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};  // every 90°
            for (int k = 0; k < 4; ++k)
                rim[w][s][k] = addNode(static_cast<unsigned>(1000 * (w + 1) + 10 * (s + 1) + k + 1),
                                       NVektor(kShaftX[s] + kBoreRadius * dir[k][0], kBoreRadius * dir[k][1], kWallZ[w]));
        }

    const Eigen::Index n = static_cast<Eigen::Index>(coords.size()) * 6;
    Eigen::MatrixXd k = Eigen::MatrixXd::Zero(n, n);
    auto connect = [&](unsigned a, unsigned b, const Section& s) {
        const Mat12 ke = beam(coords[a], coords[b], s);
        const Eigen::Index ia = 6 * static_cast<Eigen::Index>(a), ib = 6 * static_cast<Eigen::Index>(b);
        k.block<6, 6>(ia, ia) += ke.block<6, 6>(0, 0);
        k.block<6, 6>(ia, ib) += ke.block<6, 6>(0, 6);
        k.block<6, 6>(ib, ia) += ke.block<6, 6>(6, 0);
        k.block<6, 6>(ib, ib) += ke.block<6, 6>(6, 6);
    };
    for (int w = 0; w < 2; ++w) {
        for (int c = 0; c < 4; ++c) connect(corner[w][c], corner[w][(c + 1) % 4], kWall);
        for (int s = 0; s < 2; ++s)
            for (int r = 0; r < 4; ++r) {
                connect(centre[w][s], rim[w][s][r], kSeat);
                connect(rim[w][s][r], rim[w][s][(r + 1) % 4], kWall);
                // Rim node to the two nearest corners of its wall.
                std::array<std::pair<double, unsigned>, 4> byDistance;
                for (int c = 0; c < 4; ++c) byDistance[c] = {coords[rim[w][s][r]].distance(coords[corner[w][c]]), corner[w][c]};
                std::sort(byDistance.begin(), byDistance.end());
                connect(rim[w][s][r], byDistance[0].second, kWall);
                connect(rim[w][s][r], byDistance[1].second, kWall);
            }
        connect(rim[w][0][0], rim[w][1][2], kWall);  // the web between the two bores
    }
    for (int c = 0; c < 4; ++c) connect(corner[0][c], corner[1][c], kWall);
    for (int w = 0; w < 2; ++w)
        for (int c = 0; c < 2; ++c) {  // bottom corners: the feet
            const Eigen::Index i = 6 * static_cast<Eigen::Index>(corner[w][c]);
            for (int d = 0; d < 3; ++d) {
                k(i + d, i + d) += kFootSpring;
                k(i + 3 + d, i + 3 + d) += kFootRotSpring;
            }
        }

    // Static condensation onto the interface nodes: per wall the two top corners (cover
    // attachment points, unused by the drive) and the two bore centres. The other nodes carry
    // no load: K = K_ii − K_io · K_oo⁻¹ · K_oi.
    const std::vector<unsigned> interface{corner[0][3], centre[0][0], centre[0][1], corner[0][2],
                                          corner[1][3], centre[1][0], centre[1][1], corner[1][2]};
    std::vector<Eigen::Index> in, out;
    std::vector<char> isInterface(coords.size(), 0);
    for (unsigned node : interface) isInterface[node] = 1;
    for (unsigned node : interface)
        for (int d = 0; d < 6; ++d) in.push_back(6 * static_cast<Eigen::Index>(node) + d);
    for (unsigned node = 0; node < coords.size(); ++node)
        if (!isInterface[node])
            for (int d = 0; d < 6; ++d) out.push_back(6 * static_cast<Eigen::Index>(node) + d);
    const Eigen::MatrixXd kii = k(in, in), kio = k(in, out), koo = k(out, out);
    Eigen::MatrixXd condensed = kii - kio * koo.llt().solve(kio.transpose());
    condensed = (0.5 * (condensed + condensed.transpose())).eval();  // exact symmetry after round-off

    BoxHousing h;
    FEStiffnessMatrixFile& f = h.file;
    f.systemOfUnits = {FELengthUnit::Millimetre, FEForceUnit::Newton};
    f.dofPerNode = 6;
    for (unsigned node : interface) {
        f.nodeNumbers.push_back(numbers[node]);
        f.nodeCoords.push_back(coords[node]);
    }
    f.stiffness = nmath::toNMatrix(condensed);
    for (int w = 0; w < 2; ++w)
        for (int s = 0; s < 2; ++s) h.boreCentre[w][s] = static_cast<unsigned>(4 * w + 1 + s);
    // Initial offsets (mm, rad): the bores of the z = 200 wall sit 0.02 mm high.
    f.initialTranslations.assign(f.nodeCoords.size(), NVektor());
    f.initialRotations.assign(f.nodeCoords.size(), NVektor());
    for (int s = 0; s < 2; ++s) f.initialTranslations[h.boreCentre[1][s]] = NVektor(0, 0.02, 0);

    // Shafts along z; each shaft's x axis is its axis. The output shaft's frame is turned 30°
    // about its axis, so its shaft coordinates differ from the housing's.
    const double c30 = std::cos(M_PI / 6), s30 = std::sin(M_PI / 6);
    h.shaftCS = {{NVektor(kShaftX[0], 0, 0), NVektor(0, 0, 1), NVektor(1, 0, 0), NVektor(0, 1, 0)},
                 {NVektor(kShaftX[1], 0, 0), NVektor(0, 0, 1), NVektor(c30, s30, 0), NVektor(-s30, c30, 0)}};
    for (int s = 0; s < 2; ++s)
        h.bearingPoints.push_back({NVektor(kShaftX[s], 0, kWallZ[0]), NVektor(kShaftX[s], 0, kWallZ[1])});
    return h;
}

std::string boxHousingFileText(const BoxHousing& housing) {
    std::ostringstream out;
    writeFEStiffnessMatrix(out, housing.file, true,
                           {"drivesys sample housing: gearbox box housing as a steel frame (28 nodes), condensed",
                            "onto 8 interface nodes x 6 DOF; written by drivesys housing --write-box-housing FILE",
                            "bore centres (bearing seats): 101 102 (wall z = 0), 201 202 (wall z = 200);",
                            "top corners 3 4 7 8: cover attachment points"});
    return out.str();
}

}  // namespace drivesys_cli
