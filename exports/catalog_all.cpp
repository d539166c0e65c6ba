// The catalog of every record class: the subsystems' record families composed at the top of the
// layers, so that the foundation, which holds the catalog machinery, knows no subsystem.
#include "drivesys/dynamics/dynamics_records.h"
#include "drivesys/forcedresponse/forcedresponse_records.h"
#include "drivesys/foundation/catalog.h"
#include "drivesys/foundation/foundation_records.h"
#include "drivesys/frequencies/frequencies_records.h"
#include "drivesys/housing/housing_records.h"
#include "drivesys/loadspectrum/loadspectrum_records.h"
#include "drivesys/model/model_records.h"
#include "drivesys/module/module_records.h"

namespace ds {

const Catalog& Catalog::instance() {
    static const Catalog catalog = [] {
        Catalog c;
        addFoundationRecords(c);
        addModelRecords(c);
        addModuleRecords(c);
        addDynamicsRecords(c);
        addHousingRecords(c);
        addFrequencyRecords(c);
        addForcedResponseRecords(c);
        addLoadSpectrumRecords(c);
        return c;
    }();
    return catalog;
}

}  // namespace ds
