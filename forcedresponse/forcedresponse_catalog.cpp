#include "foundation/catalog_impl.h"

namespace ds {
void addForcedResponseRecords(Catalog& catalog) {
    (void)catalog;
}
}  // namespace ds
