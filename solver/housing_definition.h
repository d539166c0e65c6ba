#pragma once
// An elastic housing under the bearings of a vibration definition (the definition file's section
// "housing", docs/file-formats.md): its condensed matrices over interface nodes, where it stands
// in the global frame, its damping, and which outer rings of bearings and connections sit on
// which interface node.
//
// Units: the matrices stay in the units of their file (converted to SI when the model is built);
// the frame's origin and the mapping distance are in m, as every length of the definition.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "drivesys/platform/drivesys_export.h"
#include "drivesys/platform/nfem/festiffnessfile.h"
#include "drivesys/platform/nmath/nvektor.h"

/// The outer ring of one bearing or connection and the interface node it sits on.
struct DRIVESYS_API HousingRing {
    enum class Kind { Bearing, Connection };
    /// The ring stays on the ground (no housing node).
    static constexpr int64_t kGround = -1;

    Kind kind = Kind::Bearing;
    /// A bearing: shaft s, sub-shaft j and entry k of the bearing tables (bearingName[s][j][k]).
    /// A connection: group i and entry k of the connection tables (connectionName[i][k]) as
    /// `shaft` and `index`; `subShaft` is not used.
    size_t shaft = 0, subShaft = 0, index = 0;
    /// FE node number (as the stiffness file numbers its nodes), or kGround.
    int64_t node = kGround;

    bool operator==(const HousingRing& o) const {
        return kind == o.kind && shaft == o.shaft && subShaft == o.subShaft && index == o.index && node == o.node;
    }
};

struct DRIVESYS_API HousingDefinition {
    /// The stiffness file as the definition names it (UTF-8; relative to the definition file).
    std::string stiffnessFile;
    /// Its contents: nodes, units, stiffness and (optional) mass matrix, in the file's units.
    FEStiffnessMatrixFile matrices;
    /// Loss factor η of the housing's material: the stiffness is K(1 + iη) in harmonic motion.
    double lossFactor = 0.0;
    /// The FE model's frame in the global frame: origin (m) and unit axes. An FE node at p (in
    /// the file's length unit, converted to m) stands at origin + p.x·xAxis + p.y·yAxis + p.z·zAxis.
    NVektor origin{0, 0, 0}, xAxis{1, 0, 0}, yAxis{0, 1, 0}, zAxis{0, 0, 1};
    /// Rings not in `rings` sit on the FE node nearest to their centre when one lies strictly
    /// closer than this (m; the lowest node index wins a tie, as in NFEMCasing), and a ring
    /// farther from every node is refused. 0: only the rings listed sit on the housing.
    double maxMappingDistance = 0.0;
    /// Explicit placements, before the nearest-node mapping: a node number, or kGround.
    std::vector<HousingRing> rings;
    /// FE node numbers that may carry more than one ring (two bearings in one bore, ...); any
    /// other node carrying two is refused.
    std::vector<unsigned> sharedNodes;
};
