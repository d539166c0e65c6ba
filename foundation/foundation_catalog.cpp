#include "drivesys/foundation/catalog_impl.h"
#include "drivesys/foundation/geometry.h"

namespace ds {
void addFoundationRecords(Catalog& catalog) {
    addRecords<Axis, NvCoordinateSystem, NvCoordinateSystem2D, AnnotatedData>(catalog);
}
}  // namespace ds
