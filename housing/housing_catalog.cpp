#include "foundation/catalog_impl.h"

namespace ds {
void addHousingRecords(Catalog& catalog) {
    (void)catalog;
}
}  // namespace ds
