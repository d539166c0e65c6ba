#include "drivesys/foundation/catalog_impl.h"
#include "drivesys/model/model_records.h"

namespace ds {
void addModelRecords(Catalog& catalog) { addRecords(catalog, ModelRecords{}); }
}  // namespace ds
