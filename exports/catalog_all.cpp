// The catalog of every record class: the subsystems' record families composed at the top of the
// layers, so that the foundation, which holds the catalog machinery, knows no subsystem.
#include "dynamics/dynamics_records.h"
#include "forcedresponse/forcedresponse_records.h"
#include "foundation/catalog.h"
#include "foundation/foundation_records.h"
#include "frequencies/frequencies_records.h"
#include "housing/housing_records.h"
#include "loadspectrum/loadspectrum_records.h"
#include "model/model_records.h"
#include "module/module_records.h"

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
