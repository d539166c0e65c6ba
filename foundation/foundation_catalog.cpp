#include "drivesys/foundation/catalog_impl.h"
#include "drivesys/foundation/foundation_records.h"

namespace ds {
void addFoundationRecords(Catalog& catalog) { addRecords(catalog, FoundationRecords{}); }
}  // namespace ds
