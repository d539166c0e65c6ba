#include "support/json_pair_contract.h"
#include "support/record_contract.h"

using LoadSpectrumRecords = ::testing::Types<nZFLKimport, nZFLKfileData, channelData>;
INSTANTIATE_TYPED_TEST_SUITE_P(LoadSpectrum, RecordContract, LoadSpectrumRecords);
INSTANTIATE_TYPED_TEST_SUITE_P(LoadSpectrum, JsonPairContract, LoadSpectrumRecords);
