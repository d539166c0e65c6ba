#include "foundation/catalog_impl.h"

namespace ds {
void addLoadSpectrumRecords(Catalog& catalog) {
    (void)catalog;
}
}  // namespace ds
