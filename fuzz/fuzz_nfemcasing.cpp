// NFEMCasing on small random cases built from the input: node and bearing counts, coordinates,
// frames and matrix entries (NaN and infinities included), mismatched sizes and empty lists.
// Construction ends in a status; nothing escapes and nothing crashes.
#include <cmath>
#include <cstdint>
#include <cstring>

#include "drivesys/housing/nfemcasing.h"

namespace {
struct Reader {
    const uint8_t* p;
    size_t n;
    uint8_t byte() {
        if (!n) return 0;
        --n;
        return *p++;
    }
    double number() {
        // Mostly small values, sometimes raw bit patterns (NaN, infinities, huge, tiny).
        const uint8_t kind = byte();
        if (kind < 200) return (static_cast<int>(byte()) - 128) * 2.5;
        uint64_t bits = 0;
        for (int i = 0; i < 8; ++i) bits = (bits << 8) | byte();
        double d;
        std::memcpy(&d, &bits, 8);
        return d;
    }
    NVektor vektor() { return NVektor(number(), number(), number()); }
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Reader r{data, size};
    const bool enabled = r.byte() % 8 != 0;
    const double maxDistance = r.number();
    const unsigned nodes = r.byte() % 7;
    const unsigned dof = (r.byte() % 3 == 0) ? 3 : 6;
    unsigned rows = nodes * dof;
    if (r.byte() % 10 == 0) rows += r.byte() % 4;  // mismatched size now and then
    unsigned cols = rows;
    if (r.byte() % 12 == 0) cols += 1;              // not square now and then
    NMatrix K;
    K.resize(rows, cols, true);
    for (unsigned i = 0; i < rows; ++i) {
        K.setElem(i, i, 1e6 + r.number());
        if (i + 1 < rows && i + 1 < cols && r.byte() % 2) {
            const double v = r.number();
            K.setElem(i, i + 1, v);
            K.setElem(i + 1, i, v);
        }
    }
    std::vector<NVektor> coords;
    const unsigned coordCount = (r.byte() % 9 == 0) ? nodes + 1 : nodes;
    for (unsigned i = 0; i < coordCount; ++i) coords.push_back(r.vektor());
    NFEMCasing::PerShaftVectors shaftCS, points;
    const unsigned shafts = r.byte() % 3;
    for (unsigned s = 0; s < shafts; ++s) {
        std::vector<NVektor> cs;
        const unsigned csLen = r.byte() % 5;
        for (unsigned k = 0; k < csLen; ++k) cs.push_back(r.vektor());
        shaftCS.push_back(cs);
        std::vector<NVektor> pts;
        const unsigned np = r.byte() % 4;
        for (unsigned k = 0; k < np; ++k) pts.push_back(r.vektor());
        points.push_back(pts);
    }
    if (r.byte() % 6 == 0 && !shaftCS.empty()) shaftCS.pop_back();  // one list shorter than the other
    std::vector<NVektor> systemCS, femCS;
    for (unsigned k = 0, m = r.byte() % 5; k < m; ++k) systemCS.push_back(r.vektor());
    for (unsigned k = 0, m = r.byte() % 5; k < m; ++k) femCS.push_back(r.vektor());
    FEStiffnessMatrixSystemOfUnits units;
    std::vector<unsigned> numbers;
    if (r.byte() % 2)
        for (unsigned i = 0; i < nodes; ++i) numbers.push_back(100 + i);
    NFEMCasing casing(enabled, maxDistance, K, shaftCS, points, coords, systemCS, femCS, units, numbers, r.byte() % 2,
                      true, false);
    if (casing.getConstructorStatus() == CasingOk) {
        NFEMCasing::PerShaftVectors forces = points, moments = points, disp, rot;
        casing.calculateCasingDeflection(forces, moments, disp, rot);
    }
    (void)casing.getErrorMessage().toUtf8();
    (void)casing.getConfirmMessage().toUtf8();
    std::array<NVektor, 3> a{r.vektor(), r.vektor(), r.vektor()}, b{r.vektor(), r.vektor(), r.vektor()};
    nWString err, warn;
    (void)NFEMCasing::transformationThreePoints(r.number(), a, b, err, warn, true);
    (void)NFEMCasing::getFEMNodesInGlobalCoords(coords, systemCS, r.byte() % 12);
    return 0;
}
