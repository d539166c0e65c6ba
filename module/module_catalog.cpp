#include "drivesys/foundation/catalog_impl.h"
#include "drivesys/module/module_records.h"

namespace ds {
void addModuleRecords(Catalog& catalog) { addRecords(catalog, ModuleRecords{}); }
}  // namespace ds
