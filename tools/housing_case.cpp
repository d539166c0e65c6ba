#include "tools/housing_case.h"

#include <Eigen/Cholesky>

#include <sstream>
#include <stdexcept>

#include "drivesys/platform/nmath/nmatrix_impl.h"
#include "tools/cli_io.h"

namespace drivesys_cli {
namespace {
using json = nlohmann::json;

[[noreturn]] void keyError(const std::string& key, const std::string& what) {
    throw std::runtime_error("case key '" + key + "': " + what);
}

template <class T> T get(const json& j, const std::string& key, const T& fallback, bool required = false) {
    if (!j.contains(key)) {
        if (required) keyError(key, "missing");
        return fallback;
    }
    T out{};
    try {
        nmath::ValueOps<T>::assignJson(j.at(key), out);
    } catch (const json::exception& e) {
        keyError(key, e.what());
    }
    return out;
}

json rows(const NMatrix& m) {
    json out;
    nmath::ValueOps<NMatrix>::toJson(out, m);
    return out;
}

json vectors(const std::vector<NVektor>& v) {
    json out;
    nmath::ValueOps<std::vector<NVektor>>::toJson(out, v);
    return out;
}

json perShaft(const NFEMCasing::PerShaftVectors& v) {
    json out;
    nmath::ValueOps<NFEMCasing::PerShaftVectors>::toJson(out, v);
    return out;
}

FEStiffnessMatrixSystemOfUnits readUnits(const json& j) {
    FEStiffnessMatrixSystemOfUnits u;
    if (!j.is_object() || !j.contains("length") || !j.contains("force") || !j["length"].is_string() || !j["force"].is_string())
        keyError("units", "expected {\"length\": \"mm\", \"force\": \"N\"}");
    if (!u.setFromSymbols(j["length"].get<std::string>(), j["force"].get<std::string>()))
        keyError("units", "unknown unit (length: m, cm, mm, um, in, ft; force: N, kN, MN, lbf)");
    return u;
}
}  // namespace

NMatrix nodeStiffness(const FEStiffnessMatrixFile& f) {
    const Eigen::Index q = Eigen::Index(f.generalisedCoordinates);
    if (q == 0) return f.stiffness;
    const auto k = nmath::eigenView(f.stiffness);
    const Eigen::Index n = k.rows() - q;
    const Eigen::LLT<Eigen::MatrixXd> kqq(k.bottomRightCorner(q, q));
    if (kqq.info() != Eigen::Success)
        throw std::runtime_error("the stiffness of the file's generalised coordinates is not positive definite");
    return nmath::toNMatrix(Eigen::MatrixXd(k.topLeftCorner(n, n) - k.topRightCorner(n, q) * kqq.solve(k.bottomLeftCorner(q, n))));
}

HousingCase readHousingCase(const json& j, const std::filesystem::path& baseDir) {
    if (!j.is_object()) throw std::runtime_error("a housing case is a JSON object");
    HousingCase c;
    c.enabled = get<bool>(j, "enabled", true);
    c.maxMappingDistance = get<double>(j, "maxMappingDistance", 0.0, true);
    if (j.contains("stiffnessFile")) {
        if (!j["stiffnessFile"].is_string()) keyError("stiffnessFile", "expected a path");
        std::filesystem::path path = j["stiffnessFile"].get<std::string>();
        if (path.is_relative()) path = baseDir / path;
        std::istringstream text(readInput(path.string()));
        FEStiffnessMatrixFile file;
        try {
            file = readFEStiffnessMatrix(text);
        } catch (const FEStiffnessFileError& e) {
            throw UsageError(FEStiffnessFileError(e.line(), e.detail(), path.string()).what());
        }
        try {
            c.stiffness = nodeStiffness(file);
        } catch (const std::runtime_error& e) {
            keyError("stiffnessFile", e.what());
        }
        c.nodeCoords = std::move(file.nodeCoords);
        c.nodeNumbers = std::move(file.nodeNumbers);
        c.units = file.systemOfUnits;
    } else {
        c.stiffness = get<NMatrix>(j, "stiffness", NMatrix(), true);
    }
    c.nodeCoords = get<std::vector<NVektor>>(j, "nodeCoords", c.nodeCoords, c.nodeCoords.empty());
    c.nodeNumbers = get<std::vector<unsigned>>(j, "nodeNumbers", c.nodeNumbers);
    c.shaftCS = get<NFEMCasing::PerShaftVectors>(j, "shaftCS", {}, true);
    c.bearingPoints = get<NFEMCasing::PerShaftVectors>(j, "bearingPoints", {}, true);
    c.systemCS = get<std::vector<NVektor>>(j, "systemCS", {});
    c.femCS = get<std::vector<NVektor>>(j, "femCS", {});
    if (j.contains("units")) c.units = readUnits(j["units"]);
    c.reportUnmappedNodes = get<bool>(j, "reportUnmappedNodes", false);
    c.lengthFormatFlag = get<bool>(j, "lengthFormatFlag", false);
    c.hasLoads = j.contains("forces") || j.contains("moments");
    c.forces = get<NFEMCasing::PerShaftVectors>(j, "forces", {});
    c.moments = get<NFEMCasing::PerShaftVectors>(j, "moments", {});
    return c;
}

json runHousingCase(HousingCase& c, bool withMatrices) {
    const NFEMCasing casing(c.enabled, c.maxMappingDistance, c.stiffness, c.shaftCS, c.bearingPoints, c.nodeCoords, c.systemCS,
                            c.femCS, c.units, c.nodeNumbers, c.reportUnmappedNodes, c.lengthFormatFlag, false);
    json out;
    out["status"] = casing.getConstructorStatus();
    out["errorMessage"] = casing.getErrorMessage().toUtf8();
    out["confirmMessage"] = casing.getConfirmMessage().toUtf8();
    out["sixDofNodes"] = casing.hasSixDofNodes();
    json mapping = json::array();
    for (const auto& [key, node] : casing.getMappingInfo()) mapping.push_back({key.first, key.second, node});
    out["mapping"] = std::move(mapping);
    out["unmappedNodes"] = casing.getUnmappedNodes();
    out["nodeNumbers"] = c.nodeNumbers;
    if (withMatrices) {
        out["compliance"] = rows(casing.getCompliance());
        out["transformation"] = rows(casing.getshaftCSToFEMCSFullTransformationMatrix());
    }
    if (c.hasLoads) {
        NFEMCasing::PerShaftVectors displacements, rotations;
        casing.calculateCasingDeflection(c.forces, c.moments, displacements, rotations);
        out["displacements"] = perShaft(displacements);
        out["rotations"] = perShaft(rotations);
    } else {
        out["displacements"] = nullptr;
        out["rotations"] = nullptr;
    }
    return out;
}

const char* casingStatusMeaning(int status) {
    switch (status) {
        case CasingOk: return "the compliance is usable";
        case CasingFEMatrixNotSquare: return "the FE stiffness matrix is not square";
        case CasingNoBearingMapped: return "no bearing point lies within maxMappingDistance of an FE node";
        case CasingFELayoutMismatch:
            return "rows and nodes of the FE matrix do not fit together (3 or 6 rows per node, one node number per node)";
        case CasingFEDataInvalid: return "the FE data holds a value that is not a finite number";
        case CasingNotInvertible:
            return "no compliance: the FE matrix is not symmetric, or the stiffness or a frame rotation cannot be inverted";
        case CasingNotElastic: return "the elastic housing is switched off, or the FE matrix is empty";
        default: return "unknown status";
    }
}

json runThreePointsCase(const json& j) {
    if (!j.is_object()) throw std::runtime_error("a three-points case is a JSON object");
    const double tolerance = get<double>(j, "tolerance", 0.0, true);
    const auto a = get<std::vector<NVektor>>(j, "pointsA", {}, true);
    const auto b = get<std::vector<NVektor>>(j, "pointsB", {}, true);
    if (a.size() != 3) keyError("pointsA", "expected three points");
    if (b.size() != 3) keyError("pointsB", "expected three points");
    std::array<NVektor, 3> pa{a[0], a[1], a[2]}, pb{b[0], b[1], b[2]};
    nWString error, warning;
    const auto cs = NFEMCasing::transformationThreePoints(tolerance, pa, pb, error, warning, get<bool>(j, "lengthFormatFlag", false));
    json out;
    out["coordinateSystem"] = vectors(cs);
    out["errorMessage"] = error.toUtf8();
    out["warningMessage"] = warning.toUtf8();
    out["pointsA"] = vectors({pa.begin(), pa.end()});
    out["pointsB"] = vectors({pb.begin(), pb.end()});
    return out;
}

}  // namespace drivesys_cli
