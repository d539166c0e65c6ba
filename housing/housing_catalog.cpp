#include "drivesys/foundation/catalog_impl.h"
#include "drivesys/housing/housing_deformation.h"

namespace ds {
void addHousingRecords(Catalog& catalog) {
    addRecords<HousingBearingResult, HousingDeformationResults>(catalog);
}
}  // namespace ds
