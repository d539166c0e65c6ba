// JSON speed and memory of a large vibration result tree.
//
// Builds one SystemVibrationResults tree (per calculated speed: documentation points, bearings
// and a gear mesh, each with two-level series of RealImaginaryAmplitudePhase) and times, in one
// run:
//   record → JSON value → text     and   text → JSON value → record        (the record machinery)
//   plain → JSON value → text      and   text → JSON value → plain          (the floor)
// where "plain" is a tree of plain structs of the same shape with the JSON library's own
// to_json/from_json. Both trees write the identical text (checked before timing).
//
// Memory: every operator new/delete of the process is counted (usable size of each block); the
// peak of live bytes above the level before a conversion is reported as peak_MB. The result of
// a conversion (the text, the read tree) is destroyed outside the timed region.
//
// Targets: each direction within 1.5× of its floor's time, peak memory within 1.3× of the
// floor's. The summary after the table prints the ratios.
//
// Options besides Google Benchmark's own: --speeds=N --docpoints=N --rows=N (tree size).
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <array>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <new>
#include <nlohmann/json.hpp>
#include <random>
#include <string>
#include <vector>

#include "drivesys/drivesys.h"

// ---- allocation counting ---------------------------------------------------------------------
namespace {
std::atomic<size_t> g_live{0};
std::atomic<size_t> g_peak{0};

void* countedAlloc(size_t n, size_t align) {
    void* p = align > alignof(std::max_align_t) ? std::aligned_alloc(align, (n + align - 1) / align * align)
                                                 : std::malloc(n ? n : 1);
    if (!p) throw std::bad_alloc();
    const size_t now = g_live.fetch_add(malloc_usable_size(p), std::memory_order_relaxed) + malloc_usable_size(p);
    size_t peak = g_peak.load(std::memory_order_relaxed);
    while (now > peak && !g_peak.compare_exchange_weak(peak, now, std::memory_order_relaxed)) {
    }
    return p;
}
void countedFree(void* p) {
    if (!p) return;
    g_live.fetch_sub(malloc_usable_size(p), std::memory_order_relaxed);
    std::free(p);
}
}  // namespace

void* operator new(size_t n) { return countedAlloc(n, 0); }
void* operator new[](size_t n) { return countedAlloc(n, 0); }
void* operator new(size_t n, std::align_val_t a) { return countedAlloc(n, static_cast<size_t>(a)); }
void* operator new[](size_t n, std::align_val_t a) { return countedAlloc(n, static_cast<size_t>(a)); }
void operator delete(void* p) noexcept { countedFree(p); }
void operator delete[](void* p) noexcept { countedFree(p); }
void operator delete(void* p, size_t) noexcept { countedFree(p); }
void operator delete[](void* p, size_t) noexcept { countedFree(p); }
void operator delete(void* p, std::align_val_t) noexcept { countedFree(p); }
void operator delete[](void* p, std::align_val_t) noexcept { countedFree(p); }
void operator delete(void* p, size_t, std::align_val_t) noexcept { countedFree(p); }
void operator delete[](void* p, size_t, std::align_val_t) noexcept { countedFree(p); }

namespace {
/// Peak of live bytes above the level at construction.
struct PeakMeter {
    size_t base = g_live.load();
    PeakMeter() { g_peak.store(base); }
    double megabytes() const { return static_cast<double>(g_peak.load() - base) / 1e6; }
};
}  // namespace

// ---- the floor: plain structs of the same shape ----------------------------------------------
void to_json(nlohmann::json& j, const nWString& s) { j = s.toUtf8(); }
void from_json(const nlohmann::json& j, nWString& s) { s = nWString::fromUtf8(j.get_ref<const std::string&>()); }

namespace plain {
using nlohmann::json;
using Vec = std::array<double, 3>;
template <class T> using List = std::vector<T>;
template <class T> using List2 = std::vector<std::vector<T>>;

struct RealImaginaryAmplitudePhase { double real = 0, imaginary = 0, amplitude = 0, phase = 0; };
struct NWelleResultEigenform { double pos = 0; Vec u{}, angle{}; };
struct NWelleResultEnergies { double pressureTension = 0, bendingXY = 0, bendingYZ = 0, torsion = 0, shearXY = 0, shearYZ = 0, rigidTranslation = 0, rigidRotation = 0; };
struct WhirlDataMembers { int speedIndex = -1; double speed = 0, whirlMajorBendingSemiAxis = 0, whirlMinorBendingSemiAxis = 0, whirlPhaseAngle = 0; };
struct TimeOutput { double endTime = 0, timeStep = 0; unsigned numTimeSteps = 0; double baseFrequency = 0; List<double> time; };
struct CampbellCurve { List<double> curve; };
struct GearMeshPropsStruct { List<int64_t> gearIDs; nWString gearMeshName; };
struct NWelleResultEigenmodeProperties { double frequency = 0; nWString description; int whirl = 0; List<NWelleResultEigenform> modeShape; NWelleResultEnergies energies; };
struct NWelleResultCampbells { double speed = 0; List<nWString> eigenFrequencies; List<NWelleResultEigenmodeProperties> modeProperties; List<double> nominalShaftSpeeds, shaftsSpeeds; List<nWString> shaftsNames; List<double> gearMeshFrequency; List<nWString> gearNames; };
struct ClassifiedCampbellResults { List<nWString> eigenID; List<double> frequencyInputRange; List<CampbellCurve> eigenfrequencies; };
struct WhirlDataPerSpeedStruct { List<WhirlDataMembers> whirlDataPerSpeed; };
using Riap2 = List2<RealImaginaryAmplitudePhase>;
struct ForcedResponseResultsFreqDomain { List<double> f, fCarrier; Riap2 uVecVsFreq, rVecVsFreq, fVecVsFreq, mVecVsFreq; List<double> fSingleSide; Riap2 uVecVsFreqSingleSide, rVecVsFreqSingleSide, fVecVsFreqSingleSide, mVecVsFreqSingleSide; };
struct ForcedResponseResultsTimeDomain { List<double> whirlMajorBendingSemiAxis, whirlMinorBendingSemiAxis, whirlPhaseAngle; Riap2 uVecVsTime, rVecVsTime, vVecVsTime, aVecVsTime, fVecVsTime, mVecVsTime; };
struct ForcedResponseResultsSpeedDomain { double whirlMajorBendingSemiAxis = 0, whirlMinorBendingSemiAxis = 0, whirlPhaseAngle = 0; Riap2 uVecVsSpeed, rVecVsSpeed, vVecVsSpeed, aVecVsSpeed, fVecVsSpeed, mVecVsSpeed; };
struct GearMeshForcedResponseResultsFreqDomain { List<double> f; List<RealImaginaryAmplitudePhase> dispPLVsFreq, forcePLVsFreq, stiffPLVsFreq; };
struct GearMeshForcedResponseResultsTimeDomain { List<RealImaginaryAmplitudePhase> dispPLVsTime, forcePLVsTime, stiffPLVsTime; };
struct GearMeshForcedResponseResultsSpeedDomain { List<RealImaginaryAmplitudePhase> dispPLVsSpeed, forcePLVsSpeed, stiffPLVsSpeed; };
struct GearMeshForcedResponseResults {
    List<int64_t> nDataIdsOfGears; int outputType = 1; nWString name;
    int shaftNumTMMain = -1, shaftNumTMDummy = -1, shaftNumTMInput = -1, shaftNumTMOutput = -1, boundNumMain = -1, boundNumDummy = -1;
    double rGearInput = 0, rGearOutput = 0, posGearInputGlobal = 0, posGearOutGlobal = 0, alft = 0, betab = 0, speedShaftMain = 0;
    int baseFreqInd = -1; double omega = 0, maxDynamicForce = 0, dynamicFactor = 0; List<double> angle;
    GearMeshForcedResponseResultsFreqDomain gearMeshFreqDomain; GearMeshForcedResponseResultsTimeDomain gearMeshTimeDomain; GearMeshForcedResponseResultsSpeedDomain gearMeshSpeedDomain;
};
struct BearingForcedResponseResults {
    int64_t uId = -1; int outputType = 2; nWString name; int shaftNumTM = -1, boundNum = -1; double speedShaft = 0;
    Vec staticUvec{}, staticRvec{}, staticForce{}, staticMoment{}; List<double> angle;
    ForcedResponseResultsFreqDomain bearingFreqDomain; ForcedResponseResultsTimeDomain bearingTimeDomain; ForcedResponseResultsSpeedDomain bearingSpeedDomain;
};
struct DocPointForcedResponseResults {
    int64_t uId = -1; int outputType = 3; nWString docPointName, docPointShaftName; int docPointShaftCalcNum = -1, docPointSubShaftNum = -1;
    unsigned docIndexInQuSpez = 0, docPointShaftNumTM = 0; double pos = 0, speedShaft = 0;
    Vec staticUvec{}, staticRvec{}, staticForce{}, staticMoment{}; List<double> angle;
    ForcedResponseResultsFreqDomain docPointFreqDomain; ForcedResponseResultsTimeDomain docPointTimeDomain; ForcedResponseResultsSpeedDomain docPointSpeedDomain;
};
struct ForcedResponseResultsVsLength {
    int outputType = 4, shaftNumTM = -1; double pos = 0; Vec staticUvec{}, staticRvec{}, staticForce{}, staticMoment{};
    ForcedResponseResultsFreqDomain freqDomainResult; ForcedResponseResultsTimeDomain timeDomainResult; ForcedResponseResultsSpeedDomain speedDomainResult;
};
struct NWelleResultForcedResponse {
    double speedRefBound = 0; TimeOutput timeOutputs; List<GearMeshForcedResponseResults> gearMeshResults;
    List<BearingForcedResponseResults> bearingResults; List<DocPointForcedResponseResults> docPointResults; List<ForcedResponseResultsVsLength> resultsVsLength;
};
struct ShaftResultsForSystem { nWString shaftName; double shaftMass = 0, shaftMassMomentOfInertia = 0, nominalShaftSpeed = 0; List<NWelleResultEigenmodeProperties> mode; };
struct GearCalcResultsForSystem {
    nWString gearName; int64_t gearId = 0, gearCalcId = 0; nWString shaftName; int calcMethod = 0; nWString calcMethodStr, calcName, calcMethodString;
    double pos = 0, gearMeshStiffness = 0, nominalGearMeshFrequency = 0, gearMeshFrequencyMultiplier = 0, nominalGearSpeed = 0, PPTE = 0, Fnorm = 0,
           gearMass = 0, gearMassMomentOfInertia = 0, gearDensity = 0, gearOuterDiameter = 0, gearInnerDiameter = 0, gearWidth = 0;
};
struct BearingResultsForSystem { nWString shaftName, bearingName; List2<double> bearingStiffnessMatrix, bearingStiffnessMatrixVec; bool isConnecting = false, isGeneralSupport = false; };
struct SystemVibrationResultsPerShaft { List<BearingResultsForSystem> bearingResults; List<ShaftResultsForSystem> shaftResultsPerSubShaft; };
struct SystemVibrationResultsPerGear { List<GearCalcResultsForSystem> gearCalcResults; List<GearMeshPropsStruct> gearMeshProps; std::vector<List2<double>> timeDomainTE; };
struct SystemVibrationResults {
    int solverStatus = 10, performedCalculation = 0, includeTE = 0; int64_t wrongShaftOrGearCalcNum = 0;
    List<SystemVibrationResultsPerShaft> resultsPerShaft; List<SystemVibrationResultsPerGear> resultsPerGear;
    List<NWelleResultForcedResponse> forcedResponseResults; List<WhirlDataPerSpeedStruct> forcedResponseDocPointMaxWhirlMajorBendingSemiAxis;
    int controllingShaftNumTM = -1; nWString controllingShaftName; double controllingShaftNominalSpeed = 0;
    List<NWelleResultCampbells> resCampbell; ClassifiedCampbellResults resCampbellClassified;
};

NLOHMANN_DEFINE_TYPE_NON_INTRUSIVE(RealImaginaryAmplitudePhase, real, imaginary, amplitude, phase)
NLOHMANN_DEFINE_TYPE_NON_INTRUSIVE(NWelleResultEigenform, pos, u, angle)
NLOHMANN_DEFINE_TYPE_NON_INTRUSIVE(NWelleResultEnergies, pressureTension, bendingXY, bendingYZ, torsion, shearXY, shearYZ, rigidTranslation, rigidRotation)
NLOHMANN_DEFINE_TYPE_NON_INTRUSIVE(WhirlDataMembers, speedIndex, speed, whirlMajorBendingSemiAxis, whirlMinorBendingSemiAxis, whirlPhaseAngle)
NLOHMANN_DEFINE_TYPE_NON_INTRUSIVE(TimeOutput, endTime, timeStep, numTimeSteps, baseFrequency, time)
NLOHMANN_DEFINE_TYPE_NON_INTRUSIVE(CampbellCurve, curve)
NLOHMANN_DEFINE_TYPE_NON_INTRUSIVE(GearMeshPropsStruct, gearIDs, gearMeshName)
NLOHMANN_DEFINE_TYPE_NON_INTRUSIVE(NWelleResultEigenmodeProperties, frequency, description, whirl, modeShape, energies)
NLOHMANN_DEFINE_TYPE_NON_INTRUSIVE(NWelleResultCampbells, speed, eigenFrequencies, modeProperties, nominalShaftSpeeds, shaftsSpeeds, shaftsNames, gearMeshFrequency, gearNames)
NLOHMANN_DEFINE_TYPE_NON_INTRUSIVE(ClassifiedCampbellResults, eigenID, frequencyInputRange, eigenfrequencies)
NLOHMANN_DEFINE_TYPE_NON_INTRUSIVE(WhirlDataPerSpeedStruct, whirlDataPerSpeed)
NLOHMANN_DEFINE_TYPE_NON_INTRUSIVE(ForcedResponseResultsFreqDomain, f, fCarrier, uVecVsFreq, rVecVsFreq, fVecVsFreq, mVecVsFreq, fSingleSide, uVecVsFreqSingleSide, rVecVsFreqSingleSide, fVecVsFreqSingleSide, mVecVsFreqSingleSide)
NLOHMANN_DEFINE_TYPE_NON_INTRUSIVE(ForcedResponseResultsTimeDomain, whirlMajorBendingSemiAxis, whirlMinorBendingSemiAxis, whirlPhaseAngle, uVecVsTime, rVecVsTime, vVecVsTime, aVecVsTime, fVecVsTime, mVecVsTime)
NLOHMANN_DEFINE_TYPE_NON_INTRUSIVE(ForcedResponseResultsSpeedDomain, whirlMajorBendingSemiAxis, whirlMinorBendingSemiAxis, whirlPhaseAngle, uVecVsSpeed, rVecVsSpeed, vVecVsSpeed, aVecVsSpeed, fVecVsSpeed, mVecVsSpeed)
NLOHMANN_DEFINE_TYPE_NON_INTRUSIVE(GearMeshForcedResponseResultsFreqDomain, f, dispPLVsFreq, forcePLVsFreq, stiffPLVsFreq)
NLOHMANN_DEFINE_TYPE_NON_INTRUSIVE(GearMeshForcedResponseResultsTimeDomain, dispPLVsTime, forcePLVsTime, stiffPLVsTime)
NLOHMANN_DEFINE_TYPE_NON_INTRUSIVE(GearMeshForcedResponseResultsSpeedDomain, dispPLVsSpeed, forcePLVsSpeed, stiffPLVsSpeed)
NLOHMANN_DEFINE_TYPE_NON_INTRUSIVE(GearMeshForcedResponseResults, nDataIdsOfGears, outputType, name, shaftNumTMMain, shaftNumTMDummy, shaftNumTMInput, shaftNumTMOutput, boundNumMain, boundNumDummy, rGearInput, rGearOutput, posGearInputGlobal, posGearOutGlobal, alft, betab, speedShaftMain, baseFreqInd, omega, maxDynamicForce, dynamicFactor, angle, gearMeshFreqDomain, gearMeshTimeDomain, gearMeshSpeedDomain)
NLOHMANN_DEFINE_TYPE_NON_INTRUSIVE(BearingForcedResponseResults, uId, outputType, name, shaftNumTM, boundNum, speedShaft, staticUvec, staticRvec, staticForce, staticMoment, angle, bearingFreqDomain, bearingTimeDomain, bearingSpeedDomain)
NLOHMANN_DEFINE_TYPE_NON_INTRUSIVE(DocPointForcedResponseResults, uId, outputType, docPointName, docPointShaftName, docPointShaftCalcNum, docPointSubShaftNum, docIndexInQuSpez, docPointShaftNumTM, pos, speedShaft, staticUvec, staticRvec, staticForce, staticMoment, angle, docPointFreqDomain, docPointTimeDomain, docPointSpeedDomain)
NLOHMANN_DEFINE_TYPE_NON_INTRUSIVE(ForcedResponseResultsVsLength, outputType, shaftNumTM, pos, staticUvec, staticRvec, staticForce, staticMoment, freqDomainResult, timeDomainResult, speedDomainResult)
NLOHMANN_DEFINE_TYPE_NON_INTRUSIVE(NWelleResultForcedResponse, speedRefBound, timeOutputs, gearMeshResults, bearingResults, docPointResults, resultsVsLength)
NLOHMANN_DEFINE_TYPE_NON_INTRUSIVE(ShaftResultsForSystem, shaftName, shaftMass, shaftMassMomentOfInertia, nominalShaftSpeed, mode)
NLOHMANN_DEFINE_TYPE_NON_INTRUSIVE(GearCalcResultsForSystem, gearName, gearId, gearCalcId, shaftName, calcMethod, calcMethodStr, calcName, calcMethodString, pos, gearMeshStiffness, nominalGearMeshFrequency, gearMeshFrequencyMultiplier, nominalGearSpeed, PPTE, Fnorm, gearMass, gearMassMomentOfInertia, gearDensity, gearOuterDiameter, gearInnerDiameter, gearWidth)
NLOHMANN_DEFINE_TYPE_NON_INTRUSIVE(BearingResultsForSystem, shaftName, bearingName, bearingStiffnessMatrix, bearingStiffnessMatrixVec, isConnecting, isGeneralSupport)
NLOHMANN_DEFINE_TYPE_NON_INTRUSIVE(SystemVibrationResultsPerShaft, bearingResults, shaftResultsPerSubShaft)
NLOHMANN_DEFINE_TYPE_NON_INTRUSIVE(SystemVibrationResultsPerGear, gearCalcResults, gearMeshProps, timeDomainTE)
NLOHMANN_DEFINE_TYPE_NON_INTRUSIVE(SystemVibrationResults, solverStatus, performedCalculation, includeTE, wrongShaftOrGearCalcNum, resultsPerShaft, resultsPerGear, forcedResponseResults, forcedResponseDocPointMaxWhirlMajorBendingSemiAxis, controllingShaftNumTM, controllingShaftName, controllingShaftNominalSpeed, resCampbell, resCampbellClassified)
}  // namespace plain

// ---- the tree --------------------------------------------------------------------------------
namespace {
struct Shape {
    size_t speeds = 200;
    size_t docPoints = 20;
    size_t bearings = 2;
    size_t rows = 50;
} g_shape;

// Fills a tree of either kind (records and plain structs share member names).
template <class Tree>
void build(Tree& tree) {
    std::mt19937_64 rng(42);
    std::uniform_real_distribution<double> value(-1e3, 1e3);
    auto series2 = [&](auto& s) {
        s.resize(g_shape.rows);
        for (auto& row : s) {
            row.resize(1);
            for (auto& v : row) {
                v.real = value(rng);
                v.imaginary = value(rng);
                v.amplitude = value(rng);
                v.phase = value(rng);
            }
        }
    };
    auto speedDomain = [&](auto& d) {
        d.whirlMajorBendingSemiAxis = value(rng);
        series2(d.uVecVsSpeed);
        series2(d.rVecVsSpeed);
        series2(d.vVecVsSpeed);
        series2(d.aVecVsSpeed);
        series2(d.fVecVsSpeed);
        series2(d.mVecVsSpeed);
    };
    tree.solverStatus = 0;
    tree.controllingShaftName = L"Welle 1";
    tree.forcedResponseResults.resize(g_shape.speeds);
    for (size_t s = 0; s < g_shape.speeds; ++s) {
        auto& speed = tree.forcedResponseResults[s];
        speed.speedRefBound = 10.0 * static_cast<double>(s + 1);
        speed.docPointResults.resize(g_shape.docPoints);
        for (size_t p = 0; p < g_shape.docPoints; ++p) {
            auto& dp = speed.docPointResults[p];
            dp.docPointName = L"Doc " + nWString(static_cast<unsigned>(p));
            dp.pos = value(rng);
            speedDomain(dp.docPointSpeedDomain);
        }
        speed.bearingResults.resize(g_shape.bearings);
        for (auto& b : speed.bearingResults) {
            b.name = L"Lager";
            speedDomain(b.bearingSpeedDomain);
        }
        speed.gearMeshResults.resize(1);
        auto& gm = speed.gearMeshResults[0];
        gm.name = L"Stufe 1";
        for (auto* list : {&gm.gearMeshSpeedDomain.dispPLVsSpeed, &gm.gearMeshSpeedDomain.forcePLVsSpeed,
                           &gm.gearMeshSpeedDomain.stiffPLVsSpeed}) {
            list->resize(g_shape.rows);
            for (auto& v : *list) v.real = v.imaginary = v.amplitude = v.phase = value(rng);
        }
    }
}

struct Fixture {
    SystemVibrationResults records;
    plain::SystemVibrationResults plainTree;
    std::string text;
    Fixture() {
        build(records);
        build(plainTree);
        text = nlohmann::json(plainTree).dump();
        if (records.toJson().dump() != text) {
            std::fprintf(stderr, "the record tree and the plain tree do not write the same JSON text\n");
            std::exit(1);
        }
    }
};
Fixture& fixture() {
    static Fixture f;
    return f;
}

void BM_RecordToText(benchmark::State& state) {
    const auto& tree = fixture().records;
    double peak = 0;
    for (auto _ : state) {
        PeakMeter meter;
        std::string text = tree.toJson().dump();
        peak = std::max(peak, meter.megabytes());
        benchmark::DoNotOptimize(text.data());
        state.PauseTiming();
        text = std::string();
        state.ResumeTiming();
    }
    state.counters["peak_MB"] = peak;
}

void BM_PlainToText(benchmark::State& state) {
    const auto& tree = fixture().plainTree;
    double peak = 0;
    for (auto _ : state) {
        PeakMeter meter;
        std::string text = nlohmann::json(tree).dump();
        peak = std::max(peak, meter.megabytes());
        benchmark::DoNotOptimize(text.data());
        state.PauseTiming();
        text = std::string();
        state.ResumeTiming();
    }
    state.counters["peak_MB"] = peak;
}

void BM_TextToRecord(benchmark::State& state) {
    const auto& text = fixture().text;
    double peak = 0;
    for (auto _ : state) {
        PeakMeter meter;
        auto tree = std::make_unique<SystemVibrationResults>();
        tree->fromJson(nlohmann::json::parse(text));
        peak = std::max(peak, meter.megabytes());
        benchmark::DoNotOptimize(tree.get());
        state.PauseTiming();
        tree.reset();
        state.ResumeTiming();
    }
    state.counters["peak_MB"] = peak;
}

void BM_TextToPlain(benchmark::State& state) {
    const auto& text = fixture().text;
    double peak = 0;
    for (auto _ : state) {
        PeakMeter meter;
        auto tree = std::make_unique<plain::SystemVibrationResults>();
        nlohmann::json::parse(text).get_to(*tree);
        peak = std::max(peak, meter.megabytes());
        benchmark::DoNotOptimize(tree.get());
        state.PauseTiming();
        tree.reset();
        state.ResumeTiming();
    }
    state.counters["peak_MB"] = peak;
}

BENCHMARK(BM_PlainToText)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_RecordToText)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_TextToPlain)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_TextToRecord)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

/// Console output plus the figures kept for the summary.
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    struct Figures {
        double ms = 0;
        double peakMB = 0;
    };
    std::map<std::string, Figures> figures;
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const auto& run : runs) {
            if (run.run_type != Run::RT_Iteration) continue;
            Figures& f = figures[run.benchmark_name()];
            f.ms = run.GetAdjustedRealTime();
            auto it = run.counters.find("peak_MB");
            if (it != run.counters.end()) f.peakMB = it->second.value;
        }
        ConsoleReporter::ReportRuns(runs);
    }
    const Figures* find(const std::string& prefix) const {
        for (const auto& [name, f] : figures)
            if (name.rfind(prefix, 0) == 0) return &f;
        return nullptr;
    }
};

bool takeOption(const char* arg, const char* name, size_t& out) {
    const size_t n = std::strlen(name);
    if (std::strncmp(arg, name, n) != 0 || arg[n] != '=') return false;
    out = std::strtoull(arg + n + 1, nullptr, 10);
    return true;
}
}  // namespace

int main(int argc, char** argv) {
    std::vector<char*> rest{argv[0]};
    for (int i = 1; i < argc; ++i) {
        if (takeOption(argv[i], "--speeds", g_shape.speeds) || takeOption(argv[i], "--docpoints", g_shape.docPoints) ||
            takeOption(argv[i], "--rows", g_shape.rows))
            continue;
        rest.push_back(argv[i]);
    }
    int restCount = static_cast<int>(rest.size());
    benchmark::Initialize(&restCount, rest.data());
    const size_t before = g_live.load();
    const Fixture& f = fixture();
    std::printf("tree: %zu speeds x (%zu documentation points + %zu bearings) x 6 series x %zu rows, 1 gear mesh x 3 x %zu\n",
                g_shape.speeds, g_shape.docPoints, g_shape.bearings, g_shape.rows, g_shape.rows);
    std::printf("JSON text: %.1f MB; fixture (record tree, plain tree, text): %.1f MB\n", f.text.size() / 1e6,
                (g_live.load() - before) / 1e6);
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const auto* pw = reporter.find("BM_PlainToText");
    const auto* rw = reporter.find("BM_RecordToText");
    const auto* pr = reporter.find("BM_TextToPlain");
    const auto* rr = reporter.find("BM_TextToRecord");
    if (pw && rw && pr && rr) {
        auto line = [](const char* what, double ratio, double target) {
            std::printf("  %-32s %5.2fx  (target <= %.1fx)  %s\n", what, ratio, target, ratio <= target ? "met" : "MISSED");
        };
        std::printf("\nrecords vs. plain structs with the JSON library's to_json/from_json:\n");
        line("record -> JSON -> text, time", rw->ms / pw->ms, 1.5);
        line("text -> JSON -> record, time", rr->ms / pr->ms, 1.5);
        line("record -> JSON -> text, peak", rw->peakMB / pw->peakMB, 1.3);
        line("text -> JSON -> record, peak", rr->peakMB / pr->peakMB, 1.3);
    }
    return 0;
}
