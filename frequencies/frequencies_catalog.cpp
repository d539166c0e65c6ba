#include "drivesys/foundation/catalog_impl.h"
#include "drivesys/frequencies/frequencies_records.h"

namespace ds {
void addFrequencyRecords(Catalog& catalog) { addRecords(catalog, FrequencyRecords{}); }
}  // namespace ds
