// The stiffness-matrix file reader on arbitrary bytes: it either reads a file or reports a
// FEStiffnessFileError; nothing else escapes, and what it reads writes back.
#include <cstdint>
#include <cstdlib>
#include <sstream>

#include "drivesys/platform/nfem/festiffnessfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    try {
        FEStiffnessMatrixFile file = readFEStiffnessMatrix(in);
        std::ostringstream out;
        try {
            writeFEStiffnessMatrix(out, file, true);
        } catch (const std::invalid_argument&) {
        }
    } catch (const FEStiffnessFileError&) {
    }
    return 0;
}
