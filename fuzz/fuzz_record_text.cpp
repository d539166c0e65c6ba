// The stream read of a record against the tree read on arbitrary text: the first byte picks the
// class, the rest is the text. A text the JSON library refuses must be refused with the same
// error; a text the stream read settles must give the record the tree read gives; a record must
// write as a stream the text its tree dumps.
#include <cstdint>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <sstream>
#include <stdexcept>

#include "drivesys/drivesys.h"
#include "drivesys/foundation/record_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const auto& entries = ds::Catalog::instance().entries();
    const ds::RecordInfo& info = *entries[data[0] % entries.size()].info;
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);

    std::string parseError;
    nlohmann::json tree;
    try {
        tree = nlohmann::json::parse(text);
    } catch (const nlohmann::json::exception& e) {
        parseError = e.what();
    }
    auto streamed = info.create();
    ds::RecordTextReport report;
    bool settled = false;
    try {
        settled = ds::readRecordText(text, *streamed, info, report);
        if (!parseError.empty()) std::abort();
    } catch (const nlohmann::json::exception& e) {
        if (parseError != e.what()) std::abort();
        return 0;
    }
    const char* kind = tree.is_number_integer() ? "integer" : tree.is_number_float() ? "number" : tree.type_name();
    if (report.topType != kind || (settled && !tree.is_object())) std::abort();
    if (settled) {
        auto read = info.create();
        ds::readJson(*read, info, tree);
        if (read->toJson() != streamed->toJson()) std::abort();
    }
    std::ostringstream out;
    ds::writeRecordText(out, *streamed, info, 2);
    if (out.str() != streamed->toJson().dump(2)) std::abort();
    return 0;
}
