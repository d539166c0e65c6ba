#include "foundation/catalog_impl.h"

namespace ds {
void addModelRecords(Catalog& catalog) {
    (void)catalog;
}
}  // namespace ds
