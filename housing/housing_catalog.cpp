#include "drivesys/foundation/catalog_impl.h"
#include "drivesys/housing/housing_records.h"

namespace ds {
void addHousingRecords(Catalog& catalog) { addRecords(catalog, HousingRecords{}); }
}  // namespace ds
