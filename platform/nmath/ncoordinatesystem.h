#pragma once
// NCoordinateSystem: a frame in space, an origin and three axis directions given in a common
// reference system. The library only stores and copies frames that the host supplies; the
// default is the reference system itself.
#include "drivesys/platform/nmath/nvektor.h"

class NCoordinateSystem {
public:
    NVektor origin{0.0, 0.0, 0.0};
    NVektor xAxis{1.0, 0.0, 0.0};
    NVektor yAxis{0.0, 1.0, 0.0};
    NVektor zAxis{0.0, 0.0, 1.0};

    NCoordinateSystem() = default;
    NCoordinateSystem(const NVektor& o, const NVektor& x, const NVektor& y, const NVektor& z)
        : origin(o), xAxis(x), yAxis(y), zAxis(z) {}

    bool operator==(const NCoordinateSystem& o) const {
        return origin == o.origin && xAxis == o.xAxis && yAxis == o.yAxis && zAxis == o.zAxis;
    }
    bool operator!=(const NCoordinateSystem& o) const { return !(*this == o); }
};
