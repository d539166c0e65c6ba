#include "foundation/catalog_impl.h"
#include "foundation/geometry.h"

namespace ds {
void addFoundationRecords(Catalog& catalog) {
    addRecords<Axis, NvCoordinateSystem, NvCoordinateSystem2D, AnnotatedData>(catalog);
}
}  // namespace ds
