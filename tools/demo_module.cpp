// Demo step: the default JSON form of every tab record of the system module, one file each.
#include <nlohmann/json.hpp>
#include <ostream>

#include "drivesys/drivesys.h"
#include "tools/commands.h"

namespace {
struct Written {
    size_t records = 0;
    size_t members = 0;
};

template <class... Tab> Written writeTabs(drivesys_cli::DemoContext& ctx) {
    Written w;
    auto one = [&](const nMetaStruct& tab, const ds::RecordInfo& info) {
        ctx.writeRecordFile("tabs/" + info.className() + ".json", tab, info, 2);
        ++w.records;
        w.members += info.fields().size();
    };
    (one(Tab(), Tab::recordInfo()), ...);
    return w;
}

drivesys_cli::DemoStepRegistrar tabsStep(30, "module tabs", [](drivesys_cli::DemoContext& ctx) {
    const Written w =
        writeTabs<nvAssistantTab, nvRoughLayoutTab, nvTractivePowerTab, nvContactAnalysisTab, nvModalAnalysisTab,
                  nvCampbellDiagramTab, nvPowerLossesTab, nvHousingDeformationTab, nvSettingsTab, nvSwitchMatrixTab,
                  nvBCMatrixTab, nvOperatingModesTab, nvLoadSpectrumTab, nvVariantsTab, nvThermalRatingTab,
                  nvExportStiffnesZF, nvZFGeneral>(ctx);
    nvSettingsTab settings;
    ctx.summary << "  module tabs: " << w.records << " tab records with " << w.members
                << " listed members written to tabs/; " << SystemNamingSettings::recordInfo().fields().size()
                << " naming rules (shafts: \""
                << settings.namingSettings.shafts.name.toUtf8() << "\")\n";
});
}  // namespace
