#include "support/json_pair_contract.h"
#include "support/record_contract.h"
#include "support/record_families.h"

DS_CONTRACT_SUITE(ForcedResponse, ds::ForcedResponseRecords);
INSTANTIATE_TYPED_TEST_SUITE_P(ForcedResponse, JsonPairContract, contract::TestTypes<ds::ForcedResponseRecords>);
