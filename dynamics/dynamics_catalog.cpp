#include "dynamics/dynamics_records.h"
#include "foundation/catalog_impl.h"

namespace ds {
void addDynamicsRecords(Catalog& catalog) { addRecords(catalog, DynamicsRecords{}); }
}  // namespace ds
