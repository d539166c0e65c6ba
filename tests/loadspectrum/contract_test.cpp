#include "support/json_pair_contract.h"
#include "support/record_contract.h"
#include "support/record_families.h"

DS_CONTRACT_SUITE(LoadSpectrum, ds::LoadSpectrumRecords);
INSTANTIATE_TYPED_TEST_SUITE_P(LoadSpectrum, JsonPairContract, contract::TestTypes<ds::LoadSpectrumRecords>);
