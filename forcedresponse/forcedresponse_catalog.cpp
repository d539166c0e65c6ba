#include "foundation/catalog_impl.h"
#include "forcedresponse/cosimulation_interface.h"
#include "forcedresponse/forced_response_tab.h"

namespace ds {
void addForcedResponseRecords(Catalog& catalog) {
    addRecords<nvForcedResponseTab, nGearPairForcedResponse, nGearPairForcedResponseInput,
               nGearPairForcedResponseOutput, nBearingForcedResponse, nDocPointsForcedResponse, nvDatFilePair>(catalog);
    addRecords<nNorvaneRecurDynInterface, nBushingElement, nGearElement, nShaftElement>(catalog);
}
}  // namespace ds
