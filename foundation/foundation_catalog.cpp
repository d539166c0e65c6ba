#include "foundation/catalog_impl.h"
#include "foundation/foundation_records.h"

namespace ds {
void addFoundationRecords(Catalog& catalog) { addRecords(catalog, FoundationRecords{}); }
}  // namespace ds
