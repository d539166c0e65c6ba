#include "foundation/catalog_impl.h"
#include "module/module_records.h"

namespace ds {
void addModuleRecords(Catalog& catalog) { addRecords(catalog, ModuleRecords{}); }
}  // namespace ds
