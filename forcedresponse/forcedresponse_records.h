#pragma once
// The forced response's record family: the forced-response tab and the co-simulation interface.
#include "drivesys/forcedresponse/cosimulation_interface.h"
#include "drivesys/forcedresponse/forced_response_tab.h"
#include "drivesys/foundation/type_list.h"

namespace ds {
class Catalog;

using ForcedResponseRecords = TypeList<
    // The tab.
    nvForcedResponseTab, nGearPairForcedResponse, nGearPairForcedResponseInput, nGearPairForcedResponseOutput,
    nBearingForcedResponse, nDocPointsForcedResponse, nvDatFilePair,
    // The co-simulation interface.
    nNorvaneRecurDynInterface, nBushingElement, nGearElement, nShaftElement>;

/// Adds ForcedResponseRecords to `catalog`.
void addForcedResponseRecords(Catalog& catalog);
}  // namespace ds
