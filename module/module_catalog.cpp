#include "foundation/catalog_impl.h"

namespace ds {
void addModuleRecords(Catalog& catalog) {
    (void)catalog;
}
}  // namespace ds
