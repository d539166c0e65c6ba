#include "drivesys/dynamics/dynamics_records.h"
#include "drivesys/foundation/catalog_impl.h"

namespace ds {
void addDynamicsRecords(Catalog& catalog) { addRecords(catalog, DynamicsRecords{}); }
}  // namespace ds
