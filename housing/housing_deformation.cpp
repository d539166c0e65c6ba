#include "drivesys/housing/housing_deformation.h"

#include <cstdlib>
#include <nlohmann/json.hpp>

#include "drivesys/foundation/module_variables_writer.h"
#include "drivesys/foundation/record_impl.h"
#include "drivesys/platform/ncore/nfile.h"
#include "drivesys/platform/nfem/festiffnessfile.h"
#include "drivesys/platform/nmath/nformat.h"

DS_DEFINE_RECORD(HousingBearingResult, nMetaStruct, DS_F_NODEF(shaftName), DS_F_NODEF(bearingName),
                 DS_F_NODEF(bearingUid), DS_F_NODEF(nodeID), DS_F_NODEF(ux), DS_F_NODEF(uy), DS_F_NODEF(uz),
                 DS_F_NODEF(rotx), DS_F_NODEF(roty), DS_F_NODEF(rotz), DS_F_NODEF(Fx), DS_F_NODEF(Fy),
                 DS_F_NODEF(Fz), DS_F_NODEF(Tx), DS_F_NODEF(Ty), DS_F_NODEF(Tz))
DS_DEFINE_JSON_ASSIGNMENT(HousingBearingResult)

DS_DEFINE_RECORD(HousingDeformationResults, nMetaStruct, DS_F_NODEF(returnedStatus), DS_F_NODEF(housingName),
                 DS_F_NODEF(stiffnessMatrixFileName), DS_F_NODEF(convergenceAccuracy), DS_F_NODEF(maxNumIterations),
                 DS_F_NODEF(maxUx), DS_F_NODEF(maxUy), DS_F_NODEF(maxUz), DS_F_NODEF(maxRotx), DS_F_NODEF(maxRoty),
                 DS_F_NODEF(maxRotz), DS_F_NODEF(maxFx), DS_F_NODEF(maxFy), DS_F_NODEF(maxFz), DS_F_NODEF(maxTx),
                 DS_F_NODEF(maxTy), DS_F_NODEF(maxTz), DS_F_NODEF(bearingResultsShaftsCS),
                 DS_F_NODEF(bearingResultsFEMCS), DS_F_NODEF(convergenceStatus))

HousingDeformationResults& HousingDeformationResults::operator=(const nlohmann::json& j) {
    // Every member in list order, as the generic JSON assignment reads it, except the lists of
    // bearing results: those are filled by the calculation, never from a stored form.
    for (const ds::FieldEntry& f : recordInfo().fields()) {
        const bool recordList = f.ops->nested != nullptr && f.ops->asRecord == nullptr;
        if (recordList) continue;
        if (!j.is_object()) (void)j[f.name];  // the JSON library's type_error 305
        f.ops->assignJson(j.at(f.name), f.in(*this));
    }
    return *this;
}

namespace {

void writeBearingList(ds::ModuleVariableLines& out, const std::vector<HousingBearingResult>& list,
                      std::string_view system) {
    const size_t p = out.mark();
    for (const HousingBearingResult& b : list) {
        out.restore(p);
        out.add(uint64_t{static_cast<unsigned>(b.nodeID)}).add("_");
        out.line("shaftName=", b.shaftName);
        out.line("bearingName=", b.bearingName);
        out.add(system);
        out.line("ux=", b.ux);
        out.line("uy=", b.uy);
        out.line("uz=", b.uz);
        out.line("rotx=", b.rotx);
        out.line("roty=", b.roty);
        out.line("rotz=", b.rotz);
        out.line("Fx=", b.Fx);
        out.line("Fy=", b.Fy);
        out.line("Fz=", b.Fz);
        out.line("Tx=", b.Tx);
        out.line("Ty=", b.Ty);
        out.line("Tz=", b.Tz);
    }
    out.restore(p);
}

/// Fields of an offsets row: the first separator of blank, tab, semicolon and comma that gives
/// at least two fields (empty fields dropped).
std::vector<nString> splitRow(const nString& line) {
    std::vector<nString> fields;
    for (char separator : {' ', '\t', ';', ','}) {
        fields = line.ToStringList(separator, false);
        if (fields.size() >= 2) break;
    }
    return fields;
}

}  // namespace

void ds::writeHousingDeformationModuleVariables(nFStream& stream, const HousingDeformationResults& results) {
    ds::ModuleVariableLines out(stream, "housing_deformation_");
    out.line("status=", results.returnedStatus);
    out.line("convergenceAccuracy=", results.convergenceAccuracy);
    out.line("housingName=", results.housingName);
    out.line("stiffnessMatrixFileName=", results.stiffnessMatrixFileName);
    out.line("maxNumIterations=", results.maxNumIterations);
    writeBearingList(out, results.bearingResultsShaftsCS, "shaftCS_");
    writeBearingList(out, results.bearingResultsFEMCS, "FEMCS_");
}

bool WriteModuleVariablesHousingDeformationChecked(const wchar_t* path, const HousingDeformationResults& results,
                                                   std::string* error) {
    return ds::appendModuleVariables(path, &ds::writeHousingDeformationModuleVariables, results, error);
}

bool WriteModuleVariablesHousingDeformation(const wchar_t* path, const HousingDeformationResults& results) {
    if (path) WriteModuleVariablesHousingDeformationChecked(path, results);
    return true;
}

void readInitialOffsetsFEMFromFile(const nWString& path, std::vector<NVektor>& translations,
                                   std::vector<NVektor>& rotations) {
    if (path.empty()) return;
    translations.clear();
    rotations.clear();
    nFile file(path, 1, false, nFileEncodingUtf8);
    if (!file.is_open()) return;
    bool inSection = false;
    nString line;
    while (!file.eof() && file.readLine(line, '\n')) {
        if (line.compare(0, 9, "STIFFNESS") == 0) break;
        if (line.compare(0, 2, "--") == 0) continue;
        if (inSection) {
            // Unlike the stiffness-file reader, a line of other than six fields (a header too)
            // ends the section, and text that is no number reads as 0.
            const std::vector<nString> f = splitRow(line);
            if (f.size() != 6) break;
            readFEInitialLine(f, [](const nString& v) { return atofClassic(v.c_str()); }, translations, rotations);
        }
        if (line.compare(0, 7, "INITIAL") == 0) inSection = true;
    }
    file.close();
}
