#include "forcedresponse/forcedresponse_records.h"
#include "foundation/catalog_impl.h"

namespace ds {
void addForcedResponseRecords(Catalog& catalog) { addRecords(catalog, ForcedResponseRecords{}); }
}  // namespace ds
