#pragma once
// The housing's record family: the results of the housing-deformation calculation.
#include "foundation/type_list.h"
#include "housing/housing_deformation.h"

namespace ds {
class Catalog;

using HousingRecords = TypeList<HousingBearingResult, HousingDeformationResults>;

/// Adds HousingRecords to `catalog`.
void addHousingRecords(Catalog& catalog);
}  // namespace ds
