#include "support/record_contract.h"
#include "support/record_families.h"

DS_CONTRACT_SUITE(Housing, ds::HousingRecords);
