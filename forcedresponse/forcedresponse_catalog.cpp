#include "drivesys/foundation/catalog_impl.h"
#include "drivesys/forcedresponse/cosimulation_interface.h"
#include "drivesys/forcedresponse/forced_response_tab.h"

namespace ds {
void addForcedResponseRecords(Catalog& catalog) {
    addRecords<nvForcedResponseTab, nGearPairForcedResponse, nGearPairForcedResponseInput,
               nGearPairForcedResponseOutput, nBearingForcedResponse, nDocPointsForcedResponse, nvDatFilePair>(catalog);
    addRecords<nNorvaneRecurDynInterface, nBushingElement, nGearElement, nShaftElement>(catalog);
}
}  // namespace ds
