// Diagram requests on arbitrary command texts: the first byte picks which calculation the fixed
// sample results claim (mode shape, forced response, Campbell) and the Campbell mode count and
// order count, the rest is the command text (UTF-8). A request may only add the documented
// error elements or throw the documented out-of-range error; what it builds must write valid JSON
// and a well-formed picture.
#include <cstdint>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string_view>

#include "drivesys/diagrams.h"
#include "tests/support/xml_wellformed.h"

namespace {
const SystemVibrationResults& sample() {
    static const SystemVibrationResults r = [] {
        SystemVibrationResults s = sampleVibrationResults();
        // Keep the tree small so that each run stays fast.
        s.forcedResponseResults.resize(6);
        return s;
    }();
    return r;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    SystemVibrationResults results = sample();
    results.performedCalculation = data[0] % 4;
    const unsigned modeCount = (data[0] >> 2) % 8;
    const unsigned orders = (data[0] >> 5) * 40;  // up to 280: beyond the cap
    const nWString command = nWString::fromUtf8(std::string_view(reinterpret_cast<const char*>(data + 1), size - 1));
    nGrafikData grafik;
    try {
        grafik = InitSystemDynamicGrafik(command.c_str(), grafik, true, NCalculationContext(), data[0] & 1, modeCount, orders,
                                         int(data[0] % 3) - 1, 0, int(data[0] % 5) - 1, false, results);
    } catch (const std::out_of_range& e) {
        if (std::string_view(e.what()) != "invalid vector<T> subscript") std::abort();
        return 0;
    }
    if (const nWString* error = grafik.textElement(L"error"); error && !grafik.diagrams().empty()) std::abort();
    const std::string text = grafik.toJson().dump();
    if (nGrafikData::fromJson(nlohmann::json::parse(text)).toJson().dump() != text) std::abort();
    if (!ds_test::xmlWellFormedFault(renderDiagramSvg(grafik)).empty()) std::abort();
    return 0;
}
