#include "support/json_pair_contract.h"
#include "support/record_contract.h"
#include "support/record_families.h"

DS_CONTRACT_SUITE(Frequencies, ds::FrequencyRecords);
INSTANTIATE_TYPED_TEST_SUITE_P(Frequencies, JsonPairContract, contract::TestTypes<ds::FrequencyRecords>);
