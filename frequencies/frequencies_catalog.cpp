#include "foundation/catalog_impl.h"

namespace ds {
void addFrequencyRecords(Catalog& catalog) {
    (void)catalog;
}
}  // namespace ds
