#include "support/json_pair_contract.h"
#include "support/record_contract.h"

using ForcedResponseRecords =
    ::testing::Types<nvForcedResponseTab, nGearPairForcedResponse, nGearPairForcedResponseInput,
                     nGearPairForcedResponseOutput, nBearingForcedResponse, nDocPointsForcedResponse, nvDatFilePair,
                     nNorvaneRecurDynInterface, nBushingElement, nGearElement, nShaftElement>;
INSTANTIATE_TYPED_TEST_SUITE_P(ForcedResponse, RecordContract, ForcedResponseRecords);
INSTANTIATE_TYPED_TEST_SUITE_P(ForcedResponse, JsonPairContract, ForcedResponseRecords);
