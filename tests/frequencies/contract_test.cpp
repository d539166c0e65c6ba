#include "support/json_pair_contract.h"
#include "support/record_contract.h"

using FrequencyRecords = ::testing::Types<nFrequencies, nGearFrequencies, nBearingFrequencies, nShaftFrequencies,
                                          nSimilarFrequencies, nAdditionalFrequencies, nIntersectingFrequencies,
                                          nBoundaryPropertiesFreq>;
INSTANTIATE_TYPED_TEST_SUITE_P(Frequencies, RecordContract, FrequencyRecords);
INSTANTIATE_TYPED_TEST_SUITE_P(Frequencies, JsonPairContract, FrequencyRecords);
