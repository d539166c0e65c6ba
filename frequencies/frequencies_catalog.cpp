#include "drivesys/foundation/catalog_impl.h"
#include "drivesys/frequencies/exciting_frequencies.h"

namespace ds {
void addFrequencyRecords(Catalog& catalog) {
    addRecords<nFrequencies, nGearFrequencies, nBearingFrequencies, nShaftFrequencies, nSimilarFrequencies,
               nAdditionalFrequencies, nIntersectingFrequencies, nBoundaryPropertiesFreq>(catalog);
}
}  // namespace ds
