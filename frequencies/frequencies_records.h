#pragma once
// The exciting frequencies' record family.
#include "drivesys/foundation/type_list.h"
#include "drivesys/frequencies/exciting_frequencies.h"

namespace ds {
class Catalog;

using FrequencyRecords = TypeList<nFrequencies, nGearFrequencies, nBearingFrequencies, nShaftFrequencies,
                                  nSimilarFrequencies, nAdditionalFrequencies, nIntersectingFrequencies,
                                  nBoundaryPropertiesFreq>;

/// Adds FrequencyRecords to `catalog`.
void addFrequencyRecords(Catalog& catalog);
}  // namespace ds
