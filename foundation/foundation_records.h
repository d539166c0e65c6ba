#pragma once
// The foundation's record family: the geometry records every subsystem builds on.
#include "drivesys/foundation/geometry.h"
#include "drivesys/foundation/type_list.h"

namespace ds {
class Catalog;

using FoundationRecords = TypeList<Axis, NvCoordinateSystem, NvCoordinateSystem2D, AnnotatedData>;

/// Adds FoundationRecords to `catalog`.
void addFoundationRecords(Catalog& catalog);
}  // namespace ds
