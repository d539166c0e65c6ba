#pragma once
// The foundation's record family: the geometry records every subsystem builds on.
#include "foundation/geometry.h"
#include "foundation/type_list.h"

namespace ds {
class Catalog;

using FoundationRecords = TypeList<Axis, NvCoordinateSystem, NvCoordinateSystem2D, AnnotatedData>;

/// Adds FoundationRecords to `catalog`.
void addFoundationRecords(Catalog& catalog);
}  // namespace ds
