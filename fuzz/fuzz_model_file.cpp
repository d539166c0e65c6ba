// Model files of any content: readModelFile either returns records or throws std::runtime_error
// naming the file; records it returns survive a write and a second read unchanged. The same text
// goes to the module screen's records reading (describe S020 --records), which either reads the
// records, throwing std::runtime_error for a model it cannot use, and then describes them.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>
#include <unistd.h>

#include "drivesys/model/model_file.h"
#include "drivesys/module/meta_s020_records.h"
#include "drivesys/platform/nmath/meta.h"

namespace {
const std::filesystem::path& modelPath() {
    static const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("ds-fuzz-model-" + std::to_string(::getpid()) + ".json");
    return path;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    {
        std::ofstream out(modelPath(), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    try {
        const ds::RecordList records = ds::readModelFile(modelPath().string());
        const std::vector<const nMetaStruct*> pointers = ds::pointersOf(records);
        const ds::RecordList again = ds::modelFromJson(ds::modelToJson(pointers));
        if (!ds::sameModel(pointers, ds::pointersOf(again))) {
            std::fprintf(stderr, "a model read from a file does not survive a write and a read\n");
            std::abort();
        }
    } catch (const std::runtime_error& e) {
        if (std::string(e.what()).find(modelPath().string()) == std::string::npos) {
            std::fprintf(stderr, "error without the file name: %s\n", e.what());
            std::abort();
        }
    }

    const nlohmann::json model = nlohmann::json::parse(data, data + size, nullptr, false);
    if (model.is_discarded()) return 0;
    ds::S020Records screen;
    try {
        screen.readModel(model);
    } catch (const std::runtime_error&) {
        return 0;
    }
    Meta meta;
    screen.describe(meta);
    nlohmann::json out;
    meta.dumpWithState(out);
    return 0;
}
