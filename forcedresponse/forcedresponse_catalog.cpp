#include "drivesys/forcedresponse/forcedresponse_records.h"
#include "drivesys/foundation/catalog_impl.h"

namespace ds {
void addForcedResponseRecords(Catalog& catalog) { addRecords(catalog, ForcedResponseRecords{}); }
}  // namespace ds
