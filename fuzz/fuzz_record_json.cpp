// Every catalogued record's JSON reading on arbitrary JSON: the first byte picks the class, the
// rest is JSON text. Only the documented exceptions may escape a reading (the JSON library's
// exceptions from a JSON assignment, std::invalid_argument from the JSON pair and the inherited
// reading for a non-object), and a record read from any input must still write valid JSON.
#include <cstdint>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <stdexcept>

#include "drivesys/drivesys.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const auto& entries = ds::Catalog::instance().entries();
    const ds::CatalogEntry& entry = entries[data[0] % entries.size()];
    const auto j = nlohmann::json::parse(data + 1, data + size, nullptr, false);
    if (j.is_discarded()) return 0;
    auto record = entry.info->create();
    auto attempt = [&](auto&& read) {
        try {
            read();
        } catch (const nlohmann::json::exception&) {
        } catch (const std::invalid_argument&) {
        }
    };
    attempt([&] { entry.read(*record, j); });
    attempt([&] { record->fromJson(j); });
    if (j.is_object()) {
        for (auto it = j.begin(); it != j.end(); ++it)
            attempt([&] { record->fromJson(nlohmann::json{{it.key(), it.value()}}); });
    }
    // What was read must write, as valid JSON text that reads back to the same value.
    const std::string text = record->toJson().dump();
    const auto back = nlohmann::json::parse(text, nullptr, false);
    if (back.is_discarded()) std::abort();
    auto again = entry.info->create();
    again->fromJson(back);
    if (again->toJson() != back) std::abort();
    return 0;
}
