#pragma once
// The small records every element record stands on: a point or direction (Axis), frames in
// space (NvCoordinateSystem, NvCoordinateSystem2D) and the sketch annotation (AnnotatedData).
#include "drivesys/foundation/record.h"

/// A point or direction in space.
class DRIVESYS_API Axis : public nMetaStruct {
    DS_RECORD(Axis)
public:
    DS_JSON_ASSIGNMENT(Axis)
    DS_EQUALITY(Axis)
    Axis(double x_, double y_, double z_) : x(x_), y(y_), z(z_) {}

    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

/// A frame in space. The unit vectors' non-zero components carry the initial value "1" in their
/// own Meta, so a screen's "initialise" sets them back to a unit frame.
class DRIVESYS_API NvCoordinateSystem : public nMetaStruct {
    DS_RECORD(NvCoordinateSystem)
public:
    /// Reads only `position`; the unit vectors keep their values.
    DS_JSON_ASSIGNMENT(NvCoordinateSystem)

    Axis position{0.0, 0.0, 0.0};
    Axis unitvector_x{1.0, 0.0, 0.0};
    Axis unitvector_y{0.0, 1.0, 0.0};
    Axis unitvector_z{0.0, 0.0, 1.0};
};

/// A frame in the plane (no z unit vector).
class DRIVESYS_API NvCoordinateSystem2D : public nMetaStruct {
    DS_RECORD(NvCoordinateSystem2D)
public:
    /// Reads only `position`; the unit vectors keep their values.
    DS_JSON_ASSIGNMENT(NvCoordinateSystem2D)

    Axis position{0.0, 0.0, 0.0};
    Axis unitvector_x{1.0, 0.0, 0.0};
    Axis unitvector_y{0.0, 1.0, 0.0};
};

/// Where an element's annotation and label sit in the sketch; -1.0 means "not placed".
class DRIVESYS_API AnnotatedData : public nMetaStruct {
    DS_RECORD(AnnotatedData)
public:
    double annotationX = -1.0;
    double annotationY = -1.0;
    double labelX = -1.0;
    double labelY = -1.0;
    bool annotationVisible = false;
};
