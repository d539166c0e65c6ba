#include "foundation/catalog_impl.h"

namespace ds {
void addDynamicsRecords(Catalog& catalog) {
    (void)catalog;
}
}  // namespace ds
