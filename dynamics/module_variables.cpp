#include "drivesys/dynamics/module_variables.h"

#include "drivesys/foundation/module_variables_writer.h"
#include "drivesys/platform/ncore/nfile.h"

namespace ds {
namespace {

constexpr std::string_view kPrefix = "system_dynamics_";

/// Element `index` of row `row` of a series, or null when the series is shorter.
const RealImaginaryAmplitudePhase* element(const RiapSeries2& series, size_t row, size_t index) {
    if (row >= series.size() || index >= series[row].size()) return nullptr;
    return &series[row][index];
}

void writeHeader(ModuleVariableLines& out, const SystemVibrationResults& r) {
    out.line("status=", r.solverStatus);
    out.line("performedCalculation=", r.performedCalculation);
    out.line("wrongShaftOrGearCalcNum=", r.wrongShaftOrGearCalcNum);
    out.line("controllingShaftNumTM=", r.controllingShaftNumTM);
}

/// Calls `fn` for every entry j of `inner(outer[i])` with the key extended by label + "i_j_".
template <class Outer, class Inner, class Fn>
void forEachNested(ModuleVariableLines& out, std::string_view label, const Outer& outer, Inner inner, Fn fn) {
    const size_t p = out.mark();
    for (size_t i = 0; i < outer.size(); ++i) {
        const auto& list = inner(outer[i]);
        for (size_t j = 0; j < list.size(); ++j) {
            out.restore(p);
            out.add(label).add(uint64_t{i}).add("_").add(uint64_t{j}).add("_");
            fn(list[j]);
        }
    }
    out.restore(p);
}

const auto bearingsOf = [](const SystemVibrationResultsPerShaft& s) -> const auto& { return s.bearingResults; };
const auto subShaftsOf = [](const SystemVibrationResultsPerShaft& s) -> const auto& { return s.shaftResultsPerSubShaft; };
const auto gearCalcsOf = [](const SystemVibrationResultsPerGear& g) -> const auto& { return g.gearCalcResults; };

void writeBearings(ModuleVariableLines& out, const SystemVibrationResults& r) {
    forEachNested(out, "bearingResults_", r.resultsPerShaft, bearingsOf, [&](const BearingResultsForSystem& b) {
        out.line("shaftName=", b.shaftName);
        out.line("bearingName=", b.bearingName);
        out.line("isConnecting=", b.isConnecting);
        out.line("isGeneralSupport=", b.isGeneralSupport);
        const size_t bKey = out.mark();
        const NMatrix& k = b.bearingStiffnessMatrix;
        for (size_t row = 0; row < k.numRows(); ++row)
            for (size_t col = 0; col < k.numCols(); ++col) {
                out.restore(bKey);
                out.add(uint64_t{row}).add("_").add(uint64_t{col}).add("_");
                out.line("stiffness=", k(row, col));
            }
    });
}

void writeShaftMasses(ModuleVariableLines& out, const SystemVibrationResults& r) {
    forEachNested(out, "shaftResults_", r.resultsPerShaft, subShaftsOf, [&](const ShaftResultsForSystem& s) {
        out.line("shaftName=", s.shaftName);
        out.line("shaftMass=", s.shaftMass);
        out.line("shaftMassMomentOfInertia=", s.shaftMassMomentOfInertia);
    });
}

void writeGears(ModuleVariableLines& out, const SystemVibrationResults& r) {
    forEachNested(out, "gearCalcResults_", r.resultsPerGear, gearCalcsOf, [&](const GearCalcResultsForSystem& g) {
        out.line("gearMeshStiffness=", g.gearMeshStiffness);
        out.line("nominalGearMeshFrequency=", g.nominalGearMeshFrequency);
        out.line("nominalGearSpeed=", g.nominalGearSpeed);
        out.line("calcMethodString=", g.calcMethodString);
        out.line("calcMethod=", g.calcMethod);
        out.line("shaftName=", g.shaftName);
        out.line("gearName=", g.gearName);
        out.line("gearMass=", g.gearMass);
        out.line("gearMassMomentOfInertia=", g.gearMassMomentOfInertia);
    });
}

void writeModalResults(ModuleVariableLines& out, const SystemVibrationResults& r) {
    forEachNested(out, "modalResults_", r.resultsPerShaft, subShaftsOf, [&](const ShaftResultsForSystem& s) {
        out.line("shaftName=", s.shaftName);
        const size_t m = out.mark();
        for (size_t k = 0; k < s.mode.size(); ++k) {
            const NWelleResultEigenmodeProperties& mode = s.mode[k];
            out.restore(m);
            out.add("mode_").add(uint64_t{k}).add("_");
            // Rigid-body modes come out of the solver as tiny numerical noise.
            out.line("frequency=", mode.frequency < 0.01 ? 0.0 : mode.frequency);
            out.line("description=", mode.description);
            out.line("whirl=", mode.whirl);
        }
    });
}

/// The eight amplitude/phase lines of one documentation point; `bare` builds keys without the
/// module prefix.
void writeDocPointSeries(ModuleVariableLines& bare, size_t speedIndex, const DocPointForcedResponseResults& point,
                         size_t pointIndex) {
    bare.restore(0);
    bare.add("forcedResponse_").add(uint64_t{speedIndex}).add("_").add(uint64_t{point.docPointShaftNumTM});
    bare.add("_").add(uint64_t{pointIndex}).add("_data_");
    const ForcedResponseResultsSpeedDomain& d = point.docPointSpeedDomain;
    const RiapSeries2* series[] = {&d.uVecVsSpeed, &d.rVecVsSpeed, &d.fVecVsSpeed, &d.mVecVsSpeed};
    static constexpr std::string_view kNames[4][2] = {{"uVecAmplitude", "uVecPhase"},
                                                      {"rVecAmplitude", "rVecPhase"},
                                                      {"forceVecAmplitude", "forceVecPhase"},
                                                      {"momentVecAmplitude", "momentVecPhase"}};
    for (size_t s = 0; s < 4; ++s) {
        const RealImaginaryAmplitudePhase* e = element(*series[s], 0, 6);
        bare.smallValueLine(kNames[s][0], e ? e->amplitude : 0.0);
        bare.smallValueLine(kNames[s][1], e ? e->phase : 0.0);
    }
}

void writeForcedResponse(ModuleVariableLines& out, ModuleVariableLines& bare, const SystemVibrationResults& r) {
    const size_t p = out.mark();
    for (size_t i = 0; i < r.forcedResponseResults.size(); ++i) {
        const NWelleResultForcedResponse& fr = r.forcedResponseResults[i];
        out.restore(p);
        out.add("forcedResponse_").add(uint64_t{i}).add("_");
        const size_t f = out.mark();
        out.line("speed=", fr.speedRefBound);

        for (size_t j = 0; j < fr.docPointResults.size(); ++j) {
            out.restore(f);
            out.add(uint64_t{j}).add("_");
            out.line("pos=", fr.docPointResults[j].pos);
        }
        for (size_t k = 0; k < fr.gearMeshResults.size(); ++k) {
            out.restore(f);
            out.add(uint64_t{k}).add("_data_");
            out.line("dynamicFactor=", fr.gearMeshResults[k].dynamicFactor);
            out.line("maxDynamicForce=", fr.gearMeshResults[k].maxDynamicForce);
        }
        for (size_t j = 0; j < fr.docPointResults.size(); ++j) {
            const DocPointForcedResponseResults& point = fr.docPointResults[j];
            out.restore(f);
            out.add(uint64_t{j}).add("_data_");
            out.line("whirlMajorBendingSemiAxis=", point.docPointSpeedDomain.whirlMajorBendingSemiAxis);
            out.line("whirlMinorBendingSemiAxis=", point.docPointSpeedDomain.whirlMinorBendingSemiAxis);
            out.line("whirlPhaseAngle=", point.docPointSpeedDomain.whirlPhaseAngle);
            writeDocPointSeries(bare, i, point, j);
        }
        for (size_t b = 0; b < fr.bearingResults.size(); ++b) {
            const BearingForcedResponseResults& bearing = fr.bearingResults[b];
            const ForcedResponseResultsFreqDomain& fd = bearing.bearingFreqDomain;
            for (size_t m = 0; m < fd.f.size(); ++m) {
                out.restore(f);
                out.add(bearing.shaftNumTM).add("_").add(uint64_t{b}).add("_").add(uint64_t{m}).add("_data_");
                const RealImaginaryAmplitudePhase* e = element(fd.fVecVsFreq, m, 6);
                out.line("forceXYZ=", e ? e->amplitude : 0.0);
            }
        }
    }
    out.restore(p);
}

void writeCampbell(ModuleVariableLines& out, const SystemVibrationResults& r) {
    const size_t p = out.mark();
    for (size_t i = 0; i < r.resCampbell.size(); ++i) {
        const NWelleResultCampbells& c = r.resCampbell[i];
        out.restore(p);
        out.add("campbell_").add(uint64_t{i}).add("_");
        const size_t ck = out.mark();
        out.line("speed=", c.speed);
        for (size_t j = 0; j < c.modeProperties.size(); ++j) {
            out.restore(ck);
            out.add(uint64_t{j}).add("_properties_");
            out.line("frequency=", c.modeProperties[j].frequency);
            out.line("whirl=", c.modeProperties[j].whirl);
        }
    }
    out.restore(p);
}

void writeClassifiedCampbell(ModuleVariableLines& out, const SystemVibrationResults& r) {
    const ClassifiedCampbellResults& c = r.resCampbellClassified;
    const size_t p = out.mark();
    for (double value : c.frequencyInputRange) out.line("frequencyInputRange=", value);
    for (size_t k = 0; k < c.eigenID.size(); ++k) {
        out.restore(p);
        out.add("campbell_classified_").add(uint64_t{k}).add("_");
        const size_t ck = out.mark();
        out.line("eigenID=", c.eigenID[k]);
        if (k >= c.eigenfrequencies.size()) continue;
        const std::vector<double>& curve = c.eigenfrequencies[k].curve;
        for (size_t m = 0; m < curve.size(); ++m) {
            out.restore(ck);
            out.add(uint64_t{m}).add("_");
            out.line("eigenfrequencies=", curve[m]);
        }
    }
    out.restore(p);
}

}  // namespace

void writeSystemDynamicsModuleVariables(nFStream& stream, const SystemVibrationResults& results) {
    ModuleVariableLines out(stream, kPrefix);
    ModuleVariableLines bare(stream, "");
    writeHeader(out, results);
    writeBearings(out, results);
    writeShaftMasses(out, results);
    writeGears(out, results);
    writeModalResults(out, results);
    writeForcedResponse(out, bare, results);
    writeCampbell(out, results);
    writeClassifiedCampbell(out, results);
}

}  // namespace ds

bool WriteModuleVariablesSystemDynamicsChecked(const wchar_t* fileName, const SystemVibrationResults& results,
                                                std::string* error) {
    return ds::appendModuleVariables(fileName, &ds::writeSystemDynamicsModuleVariables, results, error);
}

bool WriteModuleVariablesSystemDynamics(const wchar_t* fileName, const SystemVibrationResults& results) {
    if (fileName) WriteModuleVariablesSystemDynamicsChecked(fileName, results);
    return true;
}
