#pragma once
// The housing's record family: the results of the housing-deformation calculation.
#include "drivesys/foundation/type_list.h"
#include "drivesys/housing/housing_deformation.h"

namespace ds {
class Catalog;

using HousingRecords = TypeList<HousingBearingResult, HousingDeformationResults>;

/// Adds HousingRecords to `catalog`.
void addHousingRecords(Catalog& catalog);
}  // namespace ds
