// Demo step: the sample two-stage helical gearbox, written as one model file and read back.
#include <cstdio>
#include <nlohmann/json.hpp>
#include <ostream>
#include <stdexcept>
#include <string>

#include "drivesys/drivesys.h"
#include "drivesys/samples/sample_gearbox.h"
#include "tools/commands.h"

namespace {
drivesys_cli::DemoStepRegistrar modelStep(20, "model", [](drivesys_cli::DemoContext& ctx) {
    const ds::SampleGearbox box = ds::makeSampleGearbox();
    const std::vector<const nMetaStruct*> records = box.records();

    const std::string fileName = "model.json";
    ds::writeModelFile((ctx.outDir / fileName).string(), records);
    ctx.written.push_back(fileName);

    const ds::RecordList back = ds::readModelFile((ctx.outDir / fileName).string());
    const auto backPointers = ds::pointersOf(back);
    if (back.size() != records.size() || !ds::sameModel(records, backPointers) ||
        ds::modelToJson(backPointers) != ds::modelToJson(records))
        throw std::runtime_error("the model read back from " + fileName + " differs from the one written");

    const double ratio = box.meshes.at(0).ratio * box.meshes.at(1).ratio;
    char figures[96];
    std::snprintf(figures, sizeof figures, "ratio %.2f, %.0f -> %.1f rpm", ratio, box.shafts.front().speed,
                  box.shafts.back().speed);
    ctx.summary << "  sample gearbox: " << box.shafts.size() << " shafts, " << box.shaftPieces.size() << " shaft pieces, "
                << box.gears.size() << " gears, " << box.meshes.size() << " meshes, " << box.bearings.size()
                << " bearings, " << box.couplings.size() << " coupling, " << box.boundaries.size() << " boundaries, "
                << box.housings.size() << " housing, " << box.dots.size() << " sketch dots (" << figures << "); "
                << records.size() << " records written to " << fileName << " and read back identical\n";
});
}  // namespace
