#include "drivesys/housing/nfemcasing.h"
#include "drivesys/platform/nmath/nmatrix_impl.h"

#include <algorithm>
#include <cmath>

#include "drivesys/housing/boundedmessage.h"
#include "drivesys/housing/housingtexts.h"
#include "drivesys/housing/nearest_node.h"
#include "drivesys/housing/symmetric_inverse.h"
#include "drivesys/platform/nmath/ndimensions.h"
#include "drivesys/platform/nmath/nformat.h"
#include "drivesys/platform/ntypes/translator.h"

namespace {
using Frame = NFEMCasing::Frame;

constexpr double kMillimetre = 0.001;
/// Starting value of an unmapped node's smallest distance to a bearing point (m).
constexpr double kNoDistance = 1e10;

/// The first four entries of a frame list, completed from the reference frame.
Frame firstFour(const Frame& in) {
    Frame out{NVektor(), NVektor(1, 0, 0), NVektor(0, 1, 0), NVektor(0, 0, 1)};
    std::copy_n(in.begin(), std::min<size_t>(4, in.size()), out.begin());
    return out;
}

/// Transformation from frame a into frame b (both given in the reference system).
NTransformationMatrix between(const Frame& a, const Frame& b) {
    return NTransformationMatrix(a[1], a[2], true, a[0], b[1], b[2], b[0]);
}

int statusFromFE(int feStatus) {
    switch (feStatus) {
        case FEMatrixNotSquare: return CasingFEMatrixNotSquare;
        case FEMatrixLayoutMismatch: return CasingFELayoutMismatch;
        case FEMatrixNotSymmetric: return CasingNotInvertible;
        case FEMatrixEmpty: return CasingNotElastic;
        default: return CasingFEDataInvalid;
    }
}

double distance(const NVektor& a, const NVektor& b) {
    const double dx = a.x - b.x, dy = a.y - b.y, dz = a.z - b.z;
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

/// A length in metres as report text (mm, two decimals).
nWString lengthText(double metres, bool flag) {
    return getWertStringUnitLength(metres * 1000.0, NDimensions::Millimeter, 0, 2, flag);
}
}  // namespace

NFEMCasing::NFEMCasing(bool enabled, double maxMappingDistance_, const NMatrix& feStiffness, const PerShaftVectors& shaftCS_,
                       const PerShaftVectors& bearingPoints_, const std::vector<NVektor>& nodeCoords_, const Frame& systemCS_,
                       const Frame& femCS_, const FEStiffnessMatrixSystemOfUnits& units, std::vector<unsigned>& nodeNumbers,
                       bool reportUnmappedNodes_, bool lengthFormatFlag_, bool spareFlag_)
    : lengthFormatFlag(lengthFormatFlag_), spareFlag(spareFlag_) {
    housing_texts::ensureRegistered();
    if (!enabled) {
        status = CasingNotElastic;
        return;
    }
    reportUnmappedNodes = reportUnmappedNodes_;
    maxMappingDistance = maxMappingDistance_;
    systemOfUnits = units;
    systemCS = firstFour(systemCS_);
    femCS = firstFour(femCS_);
    shaftCS.reserve(shaftCS_.size());
    for (const Frame& f : shaftCS_) shaftCS.push_back(firstFour(f));
    bearingPoints.resize(shaftCS.size());
    for (size_t i = 0; i < shaftCS.size() && i < bearingPoints_.size(); ++i) bearingPoints[i] = bearingPoints_[i];
    nodeCoords = nodeCoords_;
    sixDofNodes = feStiffness.numRows() == 6 * nodeCoords.size();

    // The FE matrix is referred to, not copied: it can be hundreds of megabytes.
    FEStiffnessMatrixDefs defs;
    defs.referToStiffnessMatrix(feStiffness);
    defs.nodeNumbers = nodeNumbers;
    defs.nodeCoords = nodeCoords;
    defs.systemOfUnits = units;
    defs.sixDofNodes = sixDofNodes;
    defs.entryCheck = FEEntryCheck::OnGather;  // only the kept nodes' entries are read, below
    const NFEStiffnessMatrix fe(defs);
    if (fe.getStatus() == FEMatrixOk) convertLengthsToSI(fe);
    else status = statusFromFE(fe.getStatus());

    mapBearingsToNodes(nodeNumbers);
    if (status != CasingOk) return;

    // SI conversion, the finite and symmetric checks and node removal in one gather of the kept
    // rows and columns; the same result as convertToSI followed by removeUnmappedNodes.
    try {
        NFEStiffnessMatrix::CheckedSubMatrix k = fe.getCheckedFEStiffnessSubMatrix(keptNodes(), true);
        if (k.status != FEMatrixOk) {
            status = statusFromFE(k.status);
            return;
        }
        renumberKeptNodes(nodeNumbers);
        transformFEStiffnessMatrix(std::move(k.matrix));
    } catch (const std::exception&) {  // out of memory for the kept matrix
        compliance = NMatrix();
    }
    if (compliance.isNull()) status = CasingNotInvertible;
}

NFEMCasing::NFEMCasing(const NFEMCasing&) = default;
NFEMCasing& NFEMCasing::operator=(const NFEMCasing&) = default;
NFEMCasing::NFEMCasing(NFEMCasing&&) noexcept = default;
NFEMCasing& NFEMCasing::operator=(NFEMCasing&&) noexcept = default;
NFEMCasing::~NFEMCasing() = default;

NTransformationMatrix NFEMCasing::systemToFem() const { return between(systemCS, femCS); }

NTransformationMatrix NFEMCasing::shaftToSystem(size_t shaft) const { return between(shaftCS[shaft], systemCS); }

// ---- SI conversion ---------------------------------------------------------------------------
void NFEMCasing::convertLengthsToSI(const NFEStiffnessMatrix& fe) {
    maxMappingDistance *= kMillimetre;
    systemCS[0] *= kMillimetre;
    femCS[0] *= kMillimetre;
    for (Frame& f : shaftCS) f[0] *= kMillimetre;
    for (auto& points : bearingPoints)
        for (NVektor& p : points) p *= kMillimetre;
    nodeCoords = fe.getFEStiffnessMatrixNodeCoords(true);
}

NMatrix NFEMCasing::convertToSI(const NFEStiffnessMatrix& fe) {
    convertLengthsToSI(fe);
    return fe.getFEStiffnessMatrix(true);
}

// ---- mapping ---------------------------------------------------------------------------------
void NFEMCasing::mapBearingsToNodes(const std::vector<unsigned>& nodeNumbers) {
    const NTransformationMatrix g = systemToFem();
    const size_t nodes = nodeCoords.size();
    std::vector<char> used(nodes, 0);
    bool anyUsed = false;
    for (size_t i = 0; i < bearingPoints.size(); ++i)
        for (size_t j = 0; j < bearingPoints[i].size(); ++j) {
            const size_t found = ds::housing::nearestNode(g * bearingPoints[i][j], nodeCoords, maxMappingDistance).node;
            if (found < nodes) {
                mapping[{static_cast<unsigned>(i), static_cast<unsigned>(j)}] = static_cast<unsigned>(found);
                used[found] = 1;
                anyUsed = true;
            }
        }
    unmappedNodes.clear();
    for (size_t n = 0; n < nodes; ++n)
        if (!used[n]) unmappedNodes.push_back(static_cast<unsigned>(n));

    // Nearest bearing point of each unmapped node, and the node-to-point offset in shaft axes.
    std::vector<double> smallest(unmappedNodes.size(), kNoDistance);
    std::vector<NVektor> offset(unmappedNodes.size());
    for (size_t i = 0; i < shaftCS.size(); ++i) {
        const NTransformationMatrix femToShaft = (g * shaftToSystem(i)).Inverse();
        for (const NVektor& point : bearingPoints[i]) {
            const NVektor p = g * point;
            for (size_t u = 0; u < unmappedNodes.size(); ++u) {
                const NVektor& node = nodeCoords[unmappedNodes[u]];
                const double d = distance(p, node);
                if (d < smallest[u]) {
                    smallest[u] = d;
                    offset[u] = femToShaft.rotate(p - node);
                }
            }
        }
    }

    if (!reportUnmappedNodes) {
        if (!anyUsed) status = CasingNoBearingMapped;
        return;
    }
    if (!unmappedNodes.empty()) {
        nWString text = pool.GetString(housing_texts::kUnmappedNodesHeading);
        text += L"\n";
        const nWString lineTemplate = pool.GetString(housing_texts::kUnmappedNodeLine);
        for (size_t u = 0; u < unmappedNodes.size(); ++u) {
            const unsigned k = unmappedNodes[u];
            const unsigned number = k < nodeNumbers.size() ? nodeNumbers[k] : k + 1;
            const nWString d = lengthText(smallest[u], lengthFormatFlag);
            const nWString x = lengthText(offset[u].x, lengthFormatFlag);
            const nWString y = lengthText(offset[u].y, lengthFormatFlag);
            const nWString z = lengthText(offset[u].z, lengthFormatFlag);
            text += formatBoundedMessage(lineTemplate, number, std::wstring_view(d), std::wstring_view(x), std::wstring_view(y),
                                         std::wstring_view(z));
            text += L"\n";
        }
        text += pool.GetString(housing_texts::kUnmappedNodesClosing);
        confirmMessage = std::move(text);
    }
    if (!anyUsed) {
        errorMessage = pool.GetString(housing_texts::kNoBearingMapped);
        status = CasingNoBearingMapped;
    }
}

// ---- node removal ----------------------------------------------------------------------------
std::vector<size_t> NFEMCasing::keptNodes() const {
    std::vector<size_t> kept;
    kept.reserve(nodeCoords.size() - std::min(nodeCoords.size(), unmappedNodes.size()));
    size_t u = 0;
    for (size_t n = 0; n < nodeCoords.size(); ++n) {
        if (u < unmappedNodes.size() && unmappedNodes[u] == n) ++u;
        else kept.push_back(n);
    }
    return kept;
}

void NFEMCasing::renumberKeptNodes(std::vector<unsigned>& nodeNumbers) {
    // Node → the last (shaft, point) in key order that maps to it.
    std::map<unsigned, std::pair<unsigned, unsigned>> byNode;
    for (const auto& [key, node] : mapping) byNode[node] = key;
    if (!nodeNumbers.empty()) {
        std::vector<unsigned> kept;
        kept.reserve(nodeNumbers.size());
        size_t u = 0;
        for (size_t i = 0; i < nodeNumbers.size(); ++i) {
            if (u < unmappedNodes.size() && unmappedNodes[u] == i) ++u;
            else kept.push_back(nodeNumbers[i]);
        }
        nodeNumbers = std::move(kept);
    }
    mapping.clear();
    unsigned next = 0;
    for (const auto& [node, key] : byNode) mapping[key] = next++;
}

void NFEMCasing::removeUnmappedNodes(NMatrix& K, std::vector<unsigned>& nodeNumbers) {
    // One gather of the rows and columns whose node is not unmapped: the same matrix as
    // deleting the unmapped nodes' rows and columns one by one, without moving it each time.
    const size_t d = static_cast<size_t>(dof());
    std::vector<char> removed(nodeCoords.size(), 0);
    for (unsigned n : unmappedNodes) removed[n] = 1;
    auto keep = [&](size_t count) {
        std::vector<size_t> out;
        out.reserve(count);
        for (size_t r = 0; r < count; ++r)
            if (r / d >= removed.size() || !removed[r / d]) out.push_back(r);
        return out;
    };
    K = K.gather(keep(K.numRows()), keep(K.numCols()));
    renumberKeptNodes(nodeNumbers);
}

// ---- rotation into shaft systems and inversion -----------------------------------------------
void NFEMCasing::transformFEStiffnessMatrix(NMatrix K) {
    const size_t rows = K.numRows();
    const size_t cols = K.numCols();
    if (sixDofNodes) shaftCSToFEMCSFullTransformationMatrix.resize(rows, cols, true);
    else shaftCSToFEMCSFullTransformationMatrix.resize(2 * rows, 2 * cols, true);
    NMatrix& full = shaftCSToFEMCSFullTransformationMatrix;

    // T (K's size) is block-diagonal with 3×3 rotation blocks: keep just the blocks, one per
    // group of three DOF. A group that no node fills stays zero and makes T singular.
    const size_t groups = (cols + 2) / 3;
    std::vector<NMatrix3x3> rot(groups);
    std::vector<int> shaftOfNode(nodeCoords.size(), -1);
    for (const auto& [key, node] : mapping)
        if (node < shaftOfNode.size() && shaftOfNode[node] < 0) shaftOfNode[node] = static_cast<int>(key.first);
    const NTransformationMatrix g = systemToFem();
    size_t k = 0;
    for (size_t n = 0; n < nodeCoords.size(); ++n) {
        if (shaftOfNode[n] < 0) continue;
        const NMatrix3x3 r = (g * shaftToSystem(static_cast<size_t>(shaftOfNode[n]))).matrix();
        if (6 * k + 6 <= full.numRows() && 6 * k + 6 <= full.numCols()) {
            nmath::eigenView(full).block<3, 3>(static_cast<Eigen::Index>(6 * k), static_cast<Eigen::Index>(6 * k)) = nmath::eigenView(r);
            nmath::eigenView(full).block<3, 3>(static_cast<Eigen::Index>(6 * k + 3), static_cast<Eigen::Index>(6 * k + 3)) = nmath::eigenView(r);
        }
        if (sixDofNodes) {
            for (size_t gIdx : {2 * k, 2 * k + 1})
                if (gIdx < groups) rot[gIdx] = r;
        } else if (k < groups) {
            rot[k] = r;
        }
        ++k;
    }

    const auto singular = [&] { compliance = NMatrix(cols); };
    if (rows == 0 || cols == 0) return singular();  // T has no inverse to speak of
    // A row count that is not a multiple of 3 leaves a partial, all-zero block: T is singular.
    if (rows != cols || cols % 3 != 0) return singular();
    std::vector<NMatrix3x3> rotInv(groups);
    try {
        for (size_t i = 0; i < groups; ++i) rotInv[i] = rot[i].inverse();
    } catch (const NMatrixSingularError&) {
        return singular();
    }

    // B = T⁻¹·K·T block by block: columns of group c times R_c, then rows of group c by R_c⁻¹.
    // Both passes stream through the column-major storage once.
    auto b = nmath::eigenView(K);
    const Eigen::Index m = b.rows();
    for (size_t c = 0; c < groups; ++c) {
        const auto r = nmath::eigenView(rot[c]);
        double* c0 = b.data() + static_cast<Eigen::Index>(3 * c) * m;
        double* c1 = c0 + m;
        double* c2 = c1 + m;
        for (Eigen::Index i = 0; i < m; ++i) {
            const double x0 = c0[i], x1 = c1[i], x2 = c2[i];
            c0[i] = x0 * r(0, 0) + x1 * r(1, 0) + x2 * r(2, 0);
            c1[i] = x0 * r(0, 1) + x1 * r(1, 1) + x2 * r(2, 1);
            c2[i] = x0 * r(0, 2) + x1 * r(1, 2) + x2 * r(2, 2);
        }
    }
    for (Eigen::Index j = 0; j < m; ++j) {
        double* col = b.data() + j * m;
        for (size_t c = 0; c < groups; ++c) {
            const auto q = nmath::eigenView(rotInv[c]);
            double* x = col + 3 * c;
            const double x0 = x[0], x1 = x[1], x2 = x[2];
            x[0] = q(0, 0) * x0 + q(0, 1) * x1 + q(0, 2) * x2;
            x[1] = q(1, 0) * x0 + q(1, 1) * x1 + q(1, 2) * x2;
            x[2] = q(2, 0) * x0 + q(2, 1) * x1 + q(2, 2) * x2;
        }
    }
    // B is symmetric: T is block-diagonal with rotations, so T⁻¹ = Tᵀ.
    if (ds::housing::invertSymmetric(nmath::eigenView(K))) compliance = std::move(K);
    else compliance = NMatrix(cols);
}

// ---- loads and deflections -------------------------------------------------------------------
std::vector<double> NFEMCasing::convertFromNVsetupToFEMsetup(PerShaftVectors forces, PerShaftVectors moments) const {
    std::vector<double> f(compliance.numRows(), 0.0);
    const size_t d = static_cast<size_t>(dof());
    auto at = [](const PerShaftVectors& list, unsigned i, unsigned j) {
        return i < list.size() && j < list[i].size() ? list[i][j] : NVektor();
    };
    // Every mapping key is a (shaft, point) of bearingPoints, in the same order.
    for (const auto& [key, node] : mapping) {
        const size_t base = d * node;
        if (base + d > f.size()) continue;
        const NVektor force = at(forces, key.first, key.second);
        f[base] = force.x;
        f[base + 1] = force.y;
        f[base + 2] = force.z;
        if (sixDofNodes) {
            const NVektor moment = at(moments, key.first, key.second);
            f[base + 3] = moment.x;
            f[base + 4] = moment.y;
            f[base + 5] = moment.z;
        }
    }
    return f;
}

void NFEMCasing::convertFromFEMsetupToNVsetup(const std::vector<double>& u, PerShaftVectors& displacements,
                                               PerShaftVectors& rotations) const {
    displacements.resize(bearingPoints.size());
    rotations.resize(bearingPoints.size());
    const size_t d = static_cast<size_t>(dof());
    auto value = [&u](size_t k) { return k < u.size() ? u[k] : 0.0; };
    auto it = mapping.begin();
    for (unsigned i = 0; i < bearingPoints.size(); ++i)
        for (unsigned j = 0; j < bearingPoints[i].size(); ++j) {
            if (displacements[i].size() < j + 1u) displacements[i].resize(j + 1u);
            if (sixDofNodes && rotations[i].size() < j + 1u) rotations[i].resize(j + 1u);
            const std::pair<unsigned, unsigned> key{i, j};
            while (it != mapping.end() && it->first < key) ++it;
            if (it != mapping.end() && it->first == key) {
                const size_t base = d * it->second;
                displacements[i][j] = NVektor(value(base), value(base + 1), value(base + 2));
                if (sixDofNodes) rotations[i][j] = NVektor(value(base + 3), value(base + 4), value(base + 5));
            } else {
                displacements[i][j] = NVektor();
                if (sixDofNodes) rotations[i][j] = NVektor();
            }
        }
}

void NFEMCasing::calculateCasingDeflection(const PerShaftVectors& forces, const PerShaftVectors& moments,
                                           PerShaftVectors& displacements, PerShaftVectors& rotations) const {
    const std::vector<double> load = convertFromNVsetupToFEMsetup(forces, moments);
    convertFromFEMsetupToNVsetup(compliance * load, displacements, rotations);
}

// ---- placing an FE model ---------------------------------------------------------------------
std::vector<NVektor> NFEMCasing::transformationThreePoints(double tolerance, std::array<NVektor, 3>& a,
                                                          std::array<NVektor, 3>& b, nWString& errorText,
                                                          nWString& warningText, bool lengthFormatFlag) {
    housing_texts::ensureRegistered();
    for (NVektor& p : a) p *= kMillimetre;
    for (NVektor& p : b) p *= kMillimetre;
    tolerance *= kMillimetre;
    constexpr std::array<std::pair<int, int>, 3> pairs{{{0, 1}, {0, 2}, {1, 2}}};
    for (const auto& [p, q] : pairs) {
        const double diff = a[p].distance(a[q]) - b[p].distance(b[q]);
        // A NaN difference (non-finite input) counts as too large.
        if (!(std::abs(diff) <= tolerance)) {
            const nWString text = lengthText(std::abs(diff), lengthFormatFlag);
            errorText = formatBoundedMessage(pool.GetString(housing_texts::kThreePointsDistanceMismatch),
                                             std::wstring_view(text), p + 1, q + 1);
            return {};
        }
    }
    const NTransformationMatrix t(a, b);
    if (t.state() == 1) warningText = pool.GetString(housing_texts::kThreePointsPoorFit);
    const NVektor origin = t * NVektor(0, 0, 0);
    return {origin * 1000.0, (t * NVektor(1, 0, 0) - origin).normalized(), (t * NVektor(0, 1, 0) - origin).normalized(),
            (t * NVektor(0, 0, 1) - origin).normalized()};
}

std::vector<NVektor> NFEMCasing::getFEMNodesInGlobalCoords(std::vector<NVektor> nodes, const Frame& cs, unsigned unitCode) {
    const double factor = feLengthUnitInMillimetres(unitCode);
    const Frame f = firstFour(cs);
    const NTransformationMatrix toReference(f[1], f[2], true, f[0], NVektor(), NVektor(), NVektor());
    for (NVektor& p : nodes) p = toReference * (p * factor);
    return nodes;
}
