// The initial-offsets reader on arbitrary file contents: it reads or stops, never crashes, and
// always returns as many rotations as translations.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "drivesys/housing/housing_deformation.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = "/tmp/drivesys_fuzz_offsets_" + std::to_string(getpid()) + ".txt";
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return 0;
    std::fwrite(data, 1, size, f);
    std::fclose(f);
    std::vector<NVektor> translations, rotations;
    readInitialOffsetsFEMFromFile(nWString::fromUtf8(path), translations, rotations);
    if (translations.size() != rotations.size()) std::abort();
    std::remove(path.c_str());
    return 0;
}
