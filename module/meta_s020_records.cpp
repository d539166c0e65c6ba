#include "drivesys/module/meta_s020_records.h"

#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>

#include "drivesys/forcedresponse/forcedresponse_records.h"
#include "drivesys/foundation/catalog.h"
#include "drivesys/frequencies/frequencies_records.h"
#include "drivesys/loadspectrum/loadspectrum_records.h"
#include "drivesys/module/module_records.h"
#include "drivesys/module/module_screen.h"

namespace ds {
namespace {
/// The families the screen's records come from: the module's own and those of the tabs'
/// calculations below it.
const Catalog& screenCatalog() {
    static const Catalog catalog = [] {
        Catalog c;
        addModuleRecords(c);
        addFrequencyRecords(c);
        addForcedResponseRecords(c);
        addLoadSpectrumRecords(c);
        return c;
    }();
    return catalog;
}
}  // namespace

short S020Records::describe(Meta& meta) {
    return Meta_S020(pool, assistant, roughLayout, tractivePower, contactAnalysis, modalAnalysis, campbellDiagram,
                     forcedResponse, powerLosses, housingDeformation, settings, switchMatrix, bcMatrix, operatingModes,
                     loadSpectrum, variants, thermalRating, frequencies, coSimulation, loadSpectrumImport,
                     exportStiffness, zfGeneral, &meta);
}

std::vector<nMetaStruct*> S020Records::records() {
    return {&assistant,      &roughLayout,  &tractivePower,  &contactAnalysis, &modalAnalysis,   &campbellDiagram,
            &forcedResponse, &powerLosses,  &housingDeformation, &settings,    &switchMatrix,    &bcMatrix,
            &operatingModes, &loadSpectrum, &variants,       &thermalRating,   &frequencies,     &coSimulation,
            &loadSpectrumImport, &exportStiffness, &zfGeneral};
}

void S020Records::readModel(const nlohmann::json& model) {
    if (!model.is_object()) throw std::runtime_error(std::string("the records are not a JSON object but ") + model.type_name());
    for (nMetaStruct* record : records()) {
        const CatalogEntry* entry = screenCatalog().find(ntypes::toUtf8(record->typeIdentifier()));
        if (!entry) throw std::logic_error("the screen holds a record outside its families");
        const std::string& cls = entry->info->className();
        const auto it = model.find(cls);
        if (it == model.end()) continue;
        if (!it->is_array()) throw std::runtime_error(cls + ": not an array of records");
        if (it->empty()) continue;
        const nlohmann::json& first = it->front();
        if (!first.is_object()) throw std::runtime_error(cls + "[0]: not a JSON object");
        try {
            entry->read(*record, first);
        } catch (const std::exception& e) {
            throw std::runtime_error(cls + "[0]: " + e.what());
        }
    }
}

}  // namespace ds
