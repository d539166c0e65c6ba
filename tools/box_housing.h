#pragma once
// The sample housing of the demo: a gearbox housing modelled as a frame of steel beams, its
// stiffness assembled at the frame's nodes (lengths in mm, forces in N), and the two shafts
// whose bearings sit in its bores.
//
// Geometry: two end walls at z = 0 and z = 200 mm, each with two bores (input shaft at x = 0,
// output shaft at x = 150, both at y = 0). A bore is a centre node (where the bearing sits),
// tied by four spokes to four rim nodes on a 45 mm circle; rim nodes form a ring and are tied to
// the two nearest corners of their wall, and the two bores of a wall are bridged. The walls'
// corners form rectangles joined by the four long edges; the four bottom corners stand on
// springs to the ground (the housing feet). The 28-node frame is condensed statically onto 8
// interface nodes (6 DOF each), as an FE program exports a housing: the four bore centres and
// the four top corners (cover attachment points, which no bearing uses).
//
// `drivesys housing --write-box-housing FILE` writes it in the stiffness file format; the copy
// shipped as examples/data/box_housing.txt was written that way.
#include <string>
#include <vector>

#include "drivesys/drivesys.h"

namespace drivesys_cli {

struct BoxHousing {
    FEStiffnessMatrixFile file;
    /// Node indices (in the file) of the bore centres: [wall][shaft] (wall 0 at z = 0).
    unsigned boreCentre[2][2];
    /// Shaft frames (axis = shaft x axis along global z) and bearing points (mm), per shaft.
    std::vector<std::vector<NVektor>> shaftCS;
    std::vector<std::vector<NVektor>> bearingPoints;
};

BoxHousing makeBoxHousing();

/// The sample as stiffness file text.
std::string boxHousingFileText(const BoxHousing& housing);

}  // namespace drivesys_cli
