// Diagram requests on arbitrary command texts and result trees. The input is:
//
//   byte 0   calculation the results claim (bits 0-1: mode shape, forced response, Campbell, other),
//            forced response over frequency (bit 2) or over speed, draw markers (bit 3)
//   byte 1   Campbell mode count (bits 0-2) and order count (bits 3-7, times 10: up to 310, beyond
//            the cap)
//   byte 2   default shaft and default sub-shaft (bits 0-1 and 2-3, each -1 to 2)
//   byte 3   plot parameter (signed)
//   byte 4   how much of the sample tree to keep: shafts (bits 0-1), forced-response entries
//            (bits 2-4), Campbell speeds (bits 5-7); all bits set keeps the whole list
//   then     the command text (UTF-8) up to the first newline; after it, if anything, a results
//            tree as JSON that replaces the sample tree (read the tolerant way).
//
// A request may only add the documented error elements or throw the documented out-of-range
// error; what it builds must write valid JSON that reads back the same, and a well-formed picture.
#include <cstdint>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string_view>

#include "drivesys/diagrams.h"
#include "drivesys/samples/sample_results.h"
#include "drivesys/render/diagram_svg.h"
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

template <class T> void keep(std::vector<T>& list, unsigned count, unsigned all) {
    if (count != all && count < list.size()) list.resize(count);
}

constexpr size_t kControlBytes = 5;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < kControlBytes) return 0;
    const std::string_view rest(reinterpret_cast<const char*>(data + kControlBytes), size - kControlBytes);
    const size_t newline = rest.find('\n');
    const std::string_view commandText = rest.substr(0, newline);

    SystemVibrationResults results;
    if (newline != std::string_view::npos) {
        const auto tree = nlohmann::json::parse(rest.substr(newline + 1), nullptr, false);
        if (tree.is_discarded() || !tree.is_object()) return 0;
        results.fromJson(tree);
    } else {
        results = sample();
        keep(results.resultsPerShaft, data[4] & 3u, 3u);
        keep(results.forcedResponseResults, (data[4] >> 2) & 7u, 7u);
        keep(results.resCampbell, (data[4] >> 5) & 7u, 7u);
    }
    results.performedCalculation = data[0] & 3;
    const bool overFrequency = (data[0] >> 2) & 1;
    const bool drawMarkers = (data[0] >> 3) & 1;
    const unsigned modeCount = data[1] & 7u;
    const unsigned orders = (data[1] >> 3) * 10u;
    const int defaultShaft = int(data[2] & 3) - 1;
    const int defaultSubShaft = int((data[2] >> 2) & 3) - 1;
    const int plotParameter = static_cast<int8_t>(data[3]);

    const nWString command = nWString::fromUtf8(commandText);
    nGrafikData grafik;
    try {
        grafik = InitSystemDynamicGrafik(command.c_str(), grafik, drawMarkers, NCalculationContext(), overFrequency, modeCount,
                                         orders, defaultShaft, defaultSubShaft, plotParameter, false, results);
    } catch (const std::out_of_range& e) {
        // The documented error (which may go on to name the list that was too short).
        if (std::string_view(e.what()).rfind("invalid vector<T> subscript", 0) != 0) std::abort();
        return 0;
    }
    if (const nWString* error = grafik.textElement(L"error"); error && !grafik.diagrams().empty()) std::abort();
    const std::string text = grafik.toJson().dump();
    if (nGrafikData::fromJson(nlohmann::json::parse(text)).toJson().dump() != text) std::abort();
    if (!ds_test::xmlWellFormedFault(ds::renderDiagramSvg(grafik)).empty()) std::abort();
    return 0;
}
