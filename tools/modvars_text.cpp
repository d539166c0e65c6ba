#include "tools/modvars_text.h"

#include "tools/cli_io.h"

namespace drivesys_cli {
namespace {
template <class Results, class Writer> std::string throughTempFile(const Results& results, Writer write) {
    const TempFile temp;
    const nWString name = nWString::fromUtf8(temp.path().string());
    write(name.c_str(), results);
    return readInput(temp.path().string());
}
}  // namespace

std::string moduleVariablesText(const SystemVibrationResults& results) {
    return throughTempFile(results, WriteModuleVariablesSystemDynamics);
}

std::string moduleVariablesText(const HousingDeformationResults& results) {
    return throughTempFile(results, WriteModuleVariablesHousingDeformation);
}

}  // namespace drivesys_cli
