#include "drivesys/solver/model.h"

#include <Eigen/Geometry>
#include <algorithm>
#include <array>
#include <cmath>
#include <fmt/format.h>
#include <numbers>
#include <queue>

#include "drivesys/solver/beam_element.h"

namespace ds::solver {
namespace {

using Data = SystemDefinitionData;
using Triplets = std::vector<Eigen::Triplet<double>>;

constexpr double kPi = std::numbers::pi;
/// Positions closer than this (m) share a node.
constexpr double kSameNode = 1e-7;
/// Elements a single section may be split into: beyond, the length or maxElementLength is not
/// meant (and the count would not fit the arithmetic).
constexpr double kMaxParts = 1e8;

std::string idx(std::initializer_list<size_t> i) {
    std::string s;
    for (size_t v : i) s += fmt::format("[{}]", v);
    return s;
}

std::string narrow(const nWString& w) { return w.toUtf8(); }

[[noreturn]] void fail(const std::string& what) { throw ModelError(what); }

// ---- shapes of the host's tables --------------------------------------------------------------

template <class T>
struct Depth {
    static constexpr int value = 0;
};
template <class T>
struct Depth<std::vector<T>> {
    static constexpr int value = 1 + Depth<T>::value;
};

/// Fails unless `a` has the shape of `ref` over `levels` levels (names and indices in the text).
template <class A, class R>
void sameShape(const A& a, const R& ref, const char* key, const char* refKey, int levels, const std::string& at = {}) {
    if (a.size() != ref.size())
        fail(fmt::format("{}{} has {} entries where {}{} has {}", key, at, a.size(), refKey, at, ref.size()));
    if constexpr (Depth<A>::value > 1 && Depth<R>::value > 1) {
        if (levels > 1)
            for (size_t i = 0; i < a.size(); ++i) sameShape(a[i], ref[i], key, refKey, levels - 1, at + idx({i}));
    }
}

/// A table that may be left empty (then every entry takes its default) but, when given, must
/// have the reference's shape.
template <class A, class R>
bool optionalTable(const A& a, const R& ref, const char* key, const char* refKey, int levels) {
    if (a.empty()) return false;
    sameShape(a, ref, key, refKey, levels);
    return true;
}
template <class A, class R>
void requiredTable(const A& a, const R& ref, const char* key, const char* refKey, int levels) {
    if (a.empty() && !ref.empty()) fail(fmt::format("{} is missing (it must have the shape of {})", key, refKey));
    sameShape(a, ref, key, refKey, levels);
}

double finite(double v, const std::string& where) {
    if (!std::isfinite(v)) fail(fmt::format("{} is not a finite number", where));
    return v;
}
double positive(double v, const std::string& where) {
    finite(v, where);
    if (v <= 0) fail(fmt::format("{} must be positive (is {})", where, v));
    return v;
}
double nonNegative(double v, const std::string& where) {
    finite(v, where);
    if (v < 0) fail(fmt::format("{} must not be negative (is {})", where, v));
    return v;
}

Eigen::Vector3d vec(const NVektor& v) { return {v.x, v.y, v.z}; }

// ---- the 36 stiffness and 6 damping terms -------------------------------------------------------

using Doubles3 = Data::Doubles3;
using Doubles2 = Data::Doubles2;

#define DS_STIFFNESS_ROW(P, L) \
    &Data::P##L##Ux, &Data::P##L##Uy, &Data::P##L##Uz, &Data::P##L##Rx, &Data::P##L##Ry, &Data::P##L##Rz
#define DS_STIFFNESS_TABLE(P) \
    DS_STIFFNESS_ROW(P, Fx), DS_STIFFNESS_ROW(P, Fy), DS_STIFFNESS_ROW(P, Fz), DS_STIFFNESS_ROW(P, Mx), \
        DS_STIFFNESS_ROW(P, My), DS_STIFFNESS_ROW(P, Mz)
const std::array<Doubles3 Data::*, 36> kBearingStiffness{DS_STIFFNESS_TABLE(bearingStiffness)};
const std::array<Doubles2 Data::*, 36> kConnectionStiffness{DS_STIFFNESS_TABLE(connectionStiffness)};
#undef DS_STIFFNESS_TABLE
#undef DS_STIFFNESS_ROW
const std::array<Doubles3 Data::*, 6> kBearingDamping{&Data::bearingDampingX,    &Data::bearingDampingY,
                                                      &Data::bearingDampingZ,    &Data::bearingDampingRotX,
                                                      &Data::bearingDampingRotY, &Data::bearingDampingRotZ};
const std::array<Doubles2 Data::*, 6> kConnectionDamping{&Data::connectionDampingX,    &Data::connectionDampingY,
                                                         &Data::connectionDampingZ,    &Data::connectionDampingRotX,
                                                         &Data::connectionDampingRotY, &Data::connectionDampingRotZ};
std::string dampingName(const char* prefix, size_t term) {
    static const char* axes[] = {"X", "Y", "Z", "RotX", "RotY", "RotZ"};
    return fmt::format("{}Damping{}", prefix, axes[term]);
}
std::string stiffnessName(const char* prefix, size_t term) {
    static const char* loads[] = {"Fx", "Fy", "Fz", "Mx", "My", "Mz"};
    static const char* disps[] = {"Ux", "Uy", "Uz", "Rx", "Ry", "Rz"};
    return fmt::format("{}Stiffness{}{}", prefix, loads[term / 6], disps[term % 6]);
}

/// A support's 6×6 stiffness must be finite, have no negative diagonal term and not be zero.
void checkSupport(const Matrix6& k, const Matrix6& c, const std::string& what) {
    if (!k.allFinite() || !c.allFinite()) fail(fmt::format("{} has a stiffness or damping that is not finite", what));
    for (int i = 0; i < 6; ++i) {
        if (k(i, i) < 0) fail(fmt::format("{} has a negative stiffness on its diagonal (term {})", what, i));
        if (c(i, i) < 0) fail(fmt::format("{} has a negative damping (term {})", what, i));
    }
    if (k.isZero(0.0)) fail(fmt::format("{} has no stiffness (every stiffness term is 0)", what));
}

// ---- assembly -----------------------------------------------------------------------------------

struct Assembler {
    const std::vector<size_t>& dofIndex;
    /// Adds `m` over the full-DOF indices `at` (node * 6 + d), skipping DOF that are not kept.
    template <class Mat>
    void add(Triplets& t, const std::vector<size_t>& at, const Mat& m, double scale = 1.0) const {
        for (size_t r = 0; r < at.size(); ++r) {
            const size_t i = dofIndex[at[r]];
            if (i == kNone) continue;
            for (size_t c = 0; c < at.size(); ++c) {
                const size_t j = dofIndex[at[c]];
                if (j == kNone || m(r, c) == 0.0) continue;
                t.emplace_back(static_cast<int>(i), static_cast<int>(j), scale * m(r, c));
            }
        }
    }
};

std::vector<size_t> nodeDofs(std::initializer_list<size_t> nodes) {
    std::vector<size_t> at;
    for (size_t n : nodes)
        for (size_t d = 0; d < 6; ++d) at.push_back(n * 6 + d);
    return at;
}

SparseMatrix toSparse(size_t n, const Triplets& t) {
    SparseMatrix m(static_cast<Eigen::Index>(n), static_cast<Eigen::Index>(n));
    m.setFromTriplets(t.begin(), t.end());
    return m;
}

/// Section properties of a sub-shaft section, the mean of its two ends.
struct SectionData {
    double start = 0.0, end = 0.0;
    BeamSection section;
};

BeamSection roundSection(double da, double di) {
    BeamSection s;
    s.area = kPi / 4 * (da * da - di * di);
    s.Ixx = s.Izz = kPi / 64 * (std::pow(da, 4) - std::pow(di, 4));
    s.J = s.Ixx + s.Izz;
    return s;
}

}  // namespace

// A table checked against the table whose shape it must have: each name is written once.
#define DS_OPTIONAL(table, ref, levels) optionalTable(d.table, d.ref, #table, #ref, levels)
#define DS_REQUIRED(table, ref, levels) requiredTable(d.table, d.ref, #table, #ref, levels)
#define DS_SAME_SHAPE(table, ref, levels) sameShape(d.table, d.ref, #table, #ref, levels)

ShaftSystemModel ShaftSystemModel::build(const Data& d, const ModelOptions& options) {
    ShaftSystemModel m;
    const size_t nS = d.shaftsNames.size();
    if (nS == 0) fail("no shaft: shaftsNames is empty");
    m.torsionOnly = d.solveOnlyTorsionalVibrations != 0;
    m.lossAxial = nonNegative(d.hystereticDampingAxial, "hystereticDampingAxial");
    m.lossBending = nonNegative(d.hystereticDampingBending, "hystereticDampingBending");
    m.lossTorsion = nonNegative(d.hystereticDampingTorsion, "hystereticDampingTorsion");

    // ---- shafts and their frames ----------------------------------------------------------------
    const bool axesGiven = DS_OPTIONAL(shaftX_axis, shaftsNames, 1);
    if (axesGiven) {
        DS_SAME_SHAPE(shaftY_axis, shaftsNames, 1);
        DS_SAME_SHAPE(shaftZ_axis, shaftsNames, 1);
    }
    const bool originsGiven = DS_OPTIONAL(shaftOrigin, shaftsNames, 2);
    DS_REQUIRED(shaftE, shaftsNames, 2);
    DS_REQUIRED(shaftG, shaftsNames, 2);
    DS_REQUIRED(shaftRo, shaftsNames, 2);
    const bool kappaGiven = DS_OPTIONAL(shaftKappa, shaftsNames, 2);
    DS_REQUIRED(secLength, shaftsNames, 2);
    DS_REQUIRED(secLda, secLength, 3);
    const bool ldi = DS_OPTIONAL(secLdi, secLength, 3);
    const bool rda = DS_OPTIONAL(secRda, secLength, 3);
    const bool rdi = DS_OPTIONAL(secRdi, secLength, 3);
    const bool lq = DS_OPTIONAL(secLQ, secLength, 3);
    const bool rq = DS_OPTIONAL(secRQ, secLength, 3);
    const bool lixx = DS_OPTIONAL(secLIxx, secLength, 3);
    const bool rixx = DS_OPTIONAL(secRIxx, secLength, 3);
    const bool lizz = DS_OPTIONAL(secLIzz, secLength, 3);
    const bool rizz = DS_OPTIONAL(secRIzz, secLength, 3);
    const bool lit = DS_OPTIONAL(secLIt, secLength, 3);
    const bool rit = DS_OPTIONAL(secRIt, secLength, 3);

    std::vector<std::vector<std::vector<SectionData>>> sections(nS);
    std::vector<std::vector<BeamMaterial>> materials(nS);
    std::vector<std::vector<Eigen::Vector3d>> origins(nS);
    m.shafts.resize(nS);
    for (size_t s = 0; s < nS; ++s) {
        ShaftInfo& shaft = m.shafts[s];
        if (d.shaftsNames[s].empty()) fail(fmt::format("shaftsNames{} holds no sub-shaft", idx({s})));
        shaft.name = d.shaftsNames[s][0];
        if (axesGiven) {
            Eigen::Vector3d x = vec(d.shaftX_axis[s]), y = vec(d.shaftY_axis[s]), z = vec(d.shaftZ_axis[s]);
            if (!x.allFinite() || !y.allFinite() || !z.allFinite() || x.norm() == 0 || y.norm() == 0 || z.norm() == 0)
                fail(fmt::format("the axes of shaft {} (shaftX_axis/shaftY_axis/shaftZ_axis{}) must be finite and not zero",
                                 narrow(shaft.name), idx({s})));
            x.normalize(), y.normalize(), z.normalize();
            if (std::abs(x.dot(y)) > 1e-6 || std::abs(y.dot(z)) > 1e-6 || std::abs(x.dot(z)) > 1e-6 ||
                x.cross(y).dot(z) < 0)
                fail(fmt::format("the axes of shaft {}{} are not a right-handed orthogonal frame", narrow(shaft.name),
                                 idx({s})));
            shaft.axes.col(0) = x, shaft.axes.col(1) = y, shaft.axes.col(2) = z;
        }
        const size_t nJ = d.shaftsNames[s].size();
        sections[s].resize(nJ);
        materials[s].resize(nJ);
        origins[s].resize(nJ);
        for (size_t j = 0; j < nJ; ++j) {
            const std::string at = idx({s, j});
            BeamMaterial& mat = materials[s][j];
            mat.E = positive(d.shaftE[s][j], "shaftE" + at);
            mat.G = positive(d.shaftG[s][j], "shaftG" + at);
            mat.density = positive(d.shaftRo[s][j], "shaftRo" + at);
            mat.kappa = kappaGiven ? nonNegative(d.shaftKappa[s][j], "shaftKappa" + at) : 0.0;
            origins[s][j] = originsGiven ? vec(d.shaftOrigin[s][j]) : Eigen::Vector3d::Zero();
            if (!origins[s][j].allFinite()) fail(fmt::format("shaftOrigin{} is not finite", at));
            if (d.secLength[s][j].empty()) fail(fmt::format("secLength{} holds no section", at));
            double z = 0;
            for (size_t k = 0; k < d.secLength[s][j].size(); ++k) {
                const std::string sk = idx({s, j, k});
                const double len = positive(d.secLength[s][j][k], "secLength" + sk);
                auto prop = [&](bool given, const Doubles3& t, const char* key) {
                    return given ? nonNegative(t[s][j][k], key + sk) : 0.0;
                };
                const double dal = positive(d.secLda[s][j][k], "secLda" + sk);
                const double dil = prop(ldi, d.secLdi, "secLdi");
                const double dar = rda ? positive(d.secRda[s][j][k], "secRda" + sk) : dal;
                const double dir = rdi ? nonNegative(d.secRdi[s][j][k], "secRdi" + sk) : dil;
                if (dil >= dal || dir >= dar)
                    fail(fmt::format("section {} of sub-shaft {}: the bore (secLdi/secRdi{}) is not smaller than the "
                                     "outer diameter",
                                     k, narrow(d.shaftsNames[s][j]), sk));
                BeamSection left = roundSection(dal, dil), right = roundSection(dar, dir);
                auto override = [&](double& v, bool given, const Doubles3& t, const char* key) {
                    const double p = prop(given, t, key);
                    if (p > 0) v = p;
                };
                override(left.area, lq, d.secLQ, "secLQ");
                override(right.area, rq, d.secRQ, "secRQ");
                override(left.Ixx, lixx, d.secLIxx, "secLIxx");
                override(right.Ixx, rixx, d.secRIxx, "secRIxx");
                override(left.Izz, lizz, d.secLIzz, "secLIzz");
                override(right.Izz, rizz, d.secRIzz, "secRIzz");
                override(left.J, lit, d.secLIt, "secLIt");
                override(right.J, rit, d.secRIt, "secRIt");
                SectionData sd;
                sd.start = z;
                sd.end = z + len;
                sd.section.area = (left.area + right.area) / 2;
                sd.section.Ixx = (left.Ixx + right.Ixx) / 2;
                sd.section.Izz = (left.Izz + right.Izz) / 2;
                sd.section.J = (left.J + right.J) / 2;
                sections[s][j].push_back(sd);
                z += len;
            }
        }
    }

    // Sub-shaft of shaft s holding the global point p: (sub-shaft, axial position), or kNone.
    auto locate = [&](size_t s, const Eigen::Vector3d& p) -> std::pair<size_t, double> {
        const Eigen::Vector3d axis = m.shafts[s].axes.col(1);
        for (size_t j = 0; j < sections[s].size(); ++j) {
            const double y = (p - origins[s][j]).dot(axis);
            if (y >= -kSameNode && y <= sections[s][j].back().end + kSameNode) return {j, std::clamp(y, 0.0, sections[s][j].back().end)};
        }
        return {kNone, 0.0};
    };

    // ---- points that need a node ------------------------------------------------------------------
    std::vector<std::vector<std::vector<double>>> points(nS);
    for (size_t s = 0; s < nS; ++s) {
        points[s].resize(sections[s].size());
        for (size_t j = 0; j < sections[s].size(); ++j) {
            points[s][j].push_back(0.0);
            for (const SectionData& sd : sections[s][j]) points[s][j].push_back(sd.end);
        }
    }
    auto onSubShaft = [&](size_t s, size_t j, double y, const std::string& what) {
        const double len = sections[s][j].back().end;
        if (!std::isfinite(y) || y < -kSameNode || y > len + kSameNode)
            fail(fmt::format("{} at {} m lies outside sub-shaft {} (length {} m)", what, y, narrow(d.shaftsNames[s][j]), len));
        y = std::clamp(y, 0.0, len);
        points[s][j].push_back(y);
        return y;
    };

    // Bearings; their axial positions wait beside them until the nodes exist. Every support is
    // also a candidate for a ring on the housing (in the same order).
    std::vector<double> supportPos;
    std::vector<RingCandidate> ringCandidates;
    const bool anyBearing = !d.bearingName.empty();
    if (anyBearing) {
        DS_SAME_SHAPE(bearingName, shaftsNames, 2);
        DS_REQUIRED(bearingPosition, bearingName, 3);
    }
    std::vector<bool> stiffGiven(36), dampGiven(6), connStiffGiven(36), connDampGiven(6);
    for (size_t t = 0; t < 36 && anyBearing; ++t)
        stiffGiven[t] = optionalTable(d.*kBearingStiffness[t], d.bearingName, stiffnessName("bearing", t).c_str(), "bearingName", 3);
    for (size_t t = 0; t < 6 && anyBearing; ++t)
        dampGiven[t] = optionalTable(d.*kBearingDamping[t], d.bearingName, dampingName("bearing", t).c_str(), "bearingName", 3);
    if (anyBearing)
        for (size_t s = 0; s < nS; ++s)
            for (size_t j = 0; j < d.bearingName[s].size(); ++j)
                for (size_t k = 0; k < d.bearingName[s][j].size(); ++k) {
                    SupportInfo b;
                    b.name = d.bearingName[s][j][k];
                    b.shaft = s;
                    b.subShaft = j;
                    b.table = {s, j, k};
                    const std::string what = fmt::format("bearing {} (bearingPosition{})", narrow(b.name), idx({s, j, k}));
                    const double y = onSubShaft(s, j, d.bearingPosition[s][j][k].y, what);
                    supportPos.push_back(y);
                    for (size_t t = 0; t < 36; ++t)
                        if (stiffGiven[t]) b.stiffness(t / 6, t % 6) = (d.*kBearingStiffness[t])[s][j][k];
                    for (size_t t = 0; t < 6; ++t)
                        if (dampGiven[t]) b.damping(t, t) = (d.*kBearingDamping[t])[s][j][k];
                    checkSupport(b.stiffness, b.damping, fmt::format("bearing {} (bearingStiffness…{})", narrow(b.name), idx({s, j, k})));
                    ringCandidates.push_back({HousingRing::Kind::Bearing, s, j, k, narrow(b.name),
                                              origins[s][j] + m.shafts[s].axes.col(1) * y, true});
                    m.supports.push_back(b);
                }

    // Connections between an inner and an outer shaft.
    struct ConnectionAt {
        size_t inner, innerSub, outer, outerSub;
        double innerPos, outerPos;
    };
    std::vector<ConnectionAt> connectionAt;
    if (!d.connectionName.empty()) {
        DS_REQUIRED(connectionPosition, connectionName, 2);
        DS_REQUIRED(connectionShaftInner, connectionName, 2);
        DS_REQUIRED(connectionShaftOuter, connectionName, 2);
        for (size_t t = 0; t < 36; ++t)
            connStiffGiven[t] = optionalTable(d.*kConnectionStiffness[t], d.connectionName,
                                              stiffnessName("connection", t).c_str(), "connectionName", 2);
        for (size_t t = 0; t < 6; ++t)
            connDampGiven[t] = optionalTable(d.*kConnectionDamping[t], d.connectionName, dampingName("connection", t).c_str(), "connectionName", 2);
        for (size_t i = 0; i < d.connectionName.size(); ++i)
            for (size_t k = 0; k < d.connectionName[i].size(); ++k) {
                const std::string at = idx({i, k});
                SupportInfo c;
                c.name = d.connectionName[i][k];
                c.isConnection = true;
                c.table = {i, 0, k};
                const int inner = d.connectionShaftInner[i][k], outer = d.connectionShaftOuter[i][k];
                if (inner < 0 || size_t(inner) >= nS)
                    fail(fmt::format("connectionShaftInner{} = {} names no shaft (there are {})", at, inner, nS));
                // Without an outer shaft (-1) the outer ring sits on the housing (checked below).
                const bool onHousing = outer == -1 && options.housing;
                if (!onHousing && (outer < 0 || size_t(outer) >= nS || outer == inner))
                    fail(fmt::format("connectionShaftOuter{} = {} names no other shaft (there are {})", at, outer, nS));
                const Eigen::Vector3d p = vec(d.connectionPosition[i][k]);
                const auto [ji, yi] = locate(size_t(inner), p);
                const auto [jo, yo] = onHousing ? std::pair<size_t, double>{0, 0.0} : locate(size_t(outer), p);
                if (ji == kNone || jo == kNone || !p.allFinite())
                    fail(fmt::format("connection {} (connectionPosition{}) lies on neither sub-shaft of shaft {} or {}",
                                     narrow(c.name), at, inner, outer));
                for (size_t t = 0; t < 36; ++t)
                    if (connStiffGiven[t]) c.stiffness(t / 6, t % 6) = (d.*kConnectionStiffness[t])[i][k];
                for (size_t t = 0; t < 6; ++t)
                    if (connDampGiven[t]) c.damping(t, t) = (d.*kConnectionDamping[t])[i][k];
                checkSupport(c.stiffness, c.damping, fmt::format("connection {} (connectionStiffness…{})", narrow(c.name), at));
                c.shaft = size_t(inner);
                c.subShaft = ji;
                c.otherShaft = onHousing ? kNone : size_t(outer);
                points[inner][ji].push_back(yi);
                if (!onHousing) points[outer][jo].push_back(yo);
                connectionAt.push_back({size_t(inner), ji, c.otherShaft, jo, yi, yo});
                supportPos.push_back(yi);
                ringCandidates.push_back({HousingRing::Kind::Connection, i, 0, k, narrow(c.name), p, onHousing});
                m.supports.push_back(c);
            }
    }

    // The housing, and the rings that sit on it.
    if (options.housing) {
        m.housing = prepareHousing(*options.housing);
        for (const RingPlacement& r : placeRings(*options.housing, m.housing, ringCandidates)) {
            SupportInfo& sp = m.supports[r.candidate];  // one candidate per support, in order
            sp.housingNode = r.node;
            sp.ringDistance = r.distance;
            sp.ringListed = r.listed;
        }
        for (size_t c = 0; c < m.supports.size(); ++c)
            if (m.supports[c].isConnection && m.supports[c].otherShaft == kNone && m.supports[c].housingNode == kNone)
                fail(fmt::format("connection {} has no outer shaft (connectionShaftOuter = -1), so its outer ring must sit "
                                 "on the housing, but neither housing.rings nor the nearest-node mapping puts it there",
                                 narrow(m.supports[c].name)));
    }

    // Gears.
    if (!d.gearName.empty()) {
        DS_SAME_SHAPE(gearName, shaftsNames, 2);
        DS_REQUIRED(gearPosition, gearName, 3);
        DS_REQUIRED(gearMass, gearName, 3);
        DS_REQUIRED(gearMassMomentOfInertia, gearName, 3);
    }
    const bool widthGiven = DS_OPTIONAL(gearWidth, gearName, 3);
    const bool teethGiven = DS_OPTIONAL(gearZ, gearName, 3);
    const bool dwGiven = DS_OPTIONAL(gearDw, gearName, 3);
    const bool alfGiven = DS_OPTIONAL(gearAlfwt, gearName, 3);
    const bool betabGiven = DS_OPTIONAL(gearBetab, gearName, 3);
    const bool handGiven = DS_OPTIONAL(gearHandOfGear, gearName, 3);
    std::vector<std::vector<std::vector<size_t>>> gearIndex(nS);
    struct GearExtra {
        double alfwt = 20.0 * kPi / 180.0, betab = 0.0, hand = 1.0;
    };
    std::vector<GearExtra> gearExtra;
    for (size_t s = 0; s < d.gearName.size(); ++s) {
        gearIndex[s].resize(d.gearName[s].size());
        for (size_t j = 0; j < d.gearName[s].size(); ++j)
            for (size_t k = 0; k < d.gearName[s][j].size(); ++k) {
                const std::string at = idx({s, j, k});
                GearInfo g;
                g.name = d.gearName[s][j][k];
                g.shaft = s;
                g.subShaft = j;
                const std::string what = fmt::format("gear {} (gearPosition{})", narrow(g.name), at);
                g.pos = onSubShaft(s, j, d.gearPosition[s][j][k].y, what);
                g.mass = nonNegative(d.gearMass[s][j][k], "gearMass" + at);
                g.polarInertia = nonNegative(d.gearMassMomentOfInertia[s][j][k], "gearMassMomentOfInertia" + at);
                g.width = widthGiven ? nonNegative(d.gearWidth[s][j][k], "gearWidth" + at) : 0.0;
                // Thin disk about a diameter, plus the width as a cylinder: Ip/2 + m b²/12.
                g.diametralInertia = g.polarInertia / 2 + g.mass * g.width * g.width / 12;
                g.teeth = teethGiven ? d.gearZ[s][j][k] : 0;
                g.pitchDiameter = dwGiven ? nonNegative(d.gearDw[s][j][k], "gearDw" + at) : 0.0;
                g.centre = origins[s][j] + m.shafts[s].axes * Eigen::Vector3d(0, g.pos, 0);
                GearExtra e;
                if (alfGiven) e.alfwt = finite(d.gearAlfwt[s][j][k], "gearAlfwt" + at);
                if (betabGiven) e.betab = finite(d.gearBetab[s][j][k], "gearBetab" + at);
                if (handGiven) e.hand = d.gearHandOfGear[s][j][k] < 0 ? -1.0 : 1.0;
                gearIndex[s][j].push_back(m.gears.size());
                gearExtra.push_back(e);
                m.gears.push_back(g);
            }
    }

    // Documentation points.
    if (!d.docPointName.empty()) {
        DS_REQUIRED(docPointShaftTMNumber, docPointName, 1);
        DS_REQUIRED(forcedPos, docPointName, 1);
    }
    const bool docSubGiven = DS_OPTIONAL(docPointSubShaftNumber, docPointName, 1);
    for (size_t p = 0; p < d.docPointName.size(); ++p) {
        DocPointInfo dp;
        dp.name = d.docPointName[p];
        const int s = d.docPointShaftTMNumber[p];
        const int j = docSubGiven ? d.docPointSubShaftNumber[p] : 0;
        if (s < 0 || size_t(s) >= nS || j < 0 || size_t(j) >= sections[s].size())
            fail(fmt::format("documentation point {} (docPointShaftTMNumber/docPointSubShaftNumber{}) names no sub-shaft",
                             narrow(dp.name), idx({p})));
        dp.shaft = size_t(s);
        dp.subShaft = size_t(j);
        dp.pos = onSubShaft(dp.shaft, dp.subShaft, d.forcedPos[p], fmt::format("documentation point {} (forcedPos{})", narrow(dp.name), idx({p})));
        if (!options.docPoints) m.docPoints.push_back(dp);
    }
    if (options.docPoints)
        for (size_t p = 0; p < options.docPoints->size(); ++p) {
            const DocPointDataForForcedResponseStruct& src = (*options.docPoints)[p];
            DocPointInfo dp;
            dp.name = src.name;
            if (src.shaftNumTM >= nS)
                fail(fmt::format("documentationPoints[{}] ({}): shaftNumTM {} names no shaft", p, narrow(dp.name), src.shaftNumTM));
            dp.shaft = src.shaftNumTM;
            for (size_t j = 0; j < d.shaftsNames[dp.shaft].size(); ++j)
                if (d.shaftsNames[dp.shaft][j] == src.shaftName) dp.subShaft = j;
            dp.pos = onSubShaft(dp.shaft, dp.subShaft, src.position, fmt::format("documentationPoints[{}] ({})", p, narrow(dp.name)));
            m.docPoints.push_back(dp);
        }

    // ---- nodes and elements ----------------------------------------------------------------------
    struct Element {
        size_t node1, node2;
        double length;
        BeamSection section;
        BeamMaterial material;
        size_t shaft;
    };
    // The points of every sub-shaft, sorted and merged, and the nodes they will make once long
    // elements are split evenly: counted before anything is allocated for them.
    auto partsOf = [&](double a, double b) {
        return options.maxElementLength > 0 ? std::max(1.0, std::ceil((b - a) / options.maxElementLength - 1e-9)) : 1.0;
    };
    double nodeCount = 0.0;
    for (size_t s = 0; s < nS; ++s)
        for (size_t j = 0; j < sections[s].size(); ++j) {
            std::vector<double>& pts = points[s][j];
            std::sort(pts.begin(), pts.end());
            std::vector<double> merged;
            for (double p : pts)
                if (merged.empty() || p - merged.back() > kSameNode) merged.push_back(p);
            pts = std::move(merged);
            nodeCount += 1.0;
            for (size_t i = 1; i < pts.size(); ++i) {
                const double parts = partsOf(pts[i - 1], pts[i]);
                if (!(parts < kMaxParts))
                    fail(fmt::format("sub-shaft {} would need more than {} elements in one section (maxElementLength {} m)",
                                     narrow(d.shaftsNames[s][j]), kMaxParts, options.maxElementLength));
                nodeCount += parts;
            }
        }
    if (!(nodeCount < kMaxParts)) fail(fmt::format("the model would need {} nodes (maxElementLength too small?)", nodeCount));
    if (options.admit) options.admit(size_t(nodeCount), size_t(nodeCount) * (m.torsionOnly ? 1 : 6) + m.housing.dofs);
    m.nodes.reserve(size_t(nodeCount));

    std::vector<Element> elements;
    elements.reserve(size_t(nodeCount));
    for (size_t s = 0; s < nS; ++s)
        for (size_t j = 0; j < sections[s].size(); ++j) {
            const std::vector<double>& merged = points[s][j];
            // Split long elements evenly.
            std::vector<double> fine;
            for (size_t i = 0; i < merged.size(); ++i) {
                if (i > 0) {
                    const double a = merged[i - 1], b = merged[i];
                    const int parts = static_cast<int>(partsOf(a, b));
                    for (int q = 1; q < parts; ++q) fine.push_back(a + (b - a) * q / parts);
                }
                fine.push_back(merged[i]);
            }
            SubShaftInfo sub;
            sub.shaft = s;
            sub.index = j;
            sub.name = d.shaftsNames[s][j];
            sub.firstNode = m.nodes.size();
            sub.nodeCount = fine.size();
            sub.length = sections[s][j].back().end;
            for (double p : fine) m.nodes.push_back({s, j, p});
            for (size_t i = 0; i + 1 < fine.size(); ++i) {
                const double mid = (fine[i] + fine[i + 1]) / 2;
                const auto sec = std::find_if(sections[s][j].begin(), sections[s][j].end(),
                                              [&](const SectionData& sd) { return mid >= sd.start && mid <= sd.end; });
                Element e{sub.firstNode + i, sub.firstNode + i + 1, fine[i + 1] - fine[i],
                          sec == sections[s][j].end() ? sections[s][j].back().section : sec->section, materials[s][j], s};
                sub.mass += e.material.density * e.section.area * e.length;
                sub.polarInertia += e.material.density * (e.section.Ixx + e.section.Izz) * e.length;
                elements.push_back(e);
            }
            m.shafts[s].subShafts.push_back(m.subShafts.size());
            m.subShafts.push_back(sub);
        }
    auto nodeAt = [&](size_t s, size_t j, double y) {
        const SubShaftInfo* sub = nullptr;
        for (size_t i : m.shafts[s].subShafts)
            if (m.subShafts[i].index == j) sub = &m.subShafts[i];
        size_t best = sub->firstNode;
        for (size_t n = sub->firstNode; n < sub->firstNode + sub->nodeCount; ++n)
            if (std::abs(m.nodes[n].pos - y) < std::abs(m.nodes[best].pos - y)) best = n;
        return best;
    };
    {
        size_t c = 0;
        for (size_t i = 0; i < m.supports.size(); ++i) {
            SupportInfo& sp = m.supports[i];
            if (!sp.isConnection) {
                sp.node = nodeAt(sp.shaft, sp.subShaft, supportPos[i]);
            } else {
                const ConnectionAt& at = connectionAt[c++];
                sp.node = nodeAt(at.inner, at.innerSub, at.innerPos);
                if (at.outer != kNone) sp.otherNode = nodeAt(at.outer, at.outerSub, at.outerPos);
            }
        }
    }
    for (GearInfo& g : m.gears) g.node = nodeAt(g.shaft, g.subShaft, g.pos);
    for (DocPointInfo& p : m.docPoints) p.node = nodeAt(p.shaft, p.subShaft, p.pos);

    // ---- controlling shaft and speed ratios -------------------------------------------------------
    m.controllingShaft = kNone;
    if (!d.controlingShaftName.empty() && d.controlingShaftName != nWString(L"0")) {
        for (size_t s = 0; s < nS && m.controllingShaft == kNone; ++s)
            for (const nWString& n : d.shaftsNames[s])
                if (n == d.controlingShaftName) m.controllingShaft = s;
        if (m.controllingShaft == kNone) {
            const std::string text = narrow(d.controlingShaftName);
            char* end = nullptr;
            const long v = std::strtol(text.c_str(), &end, 10);
            if (end && *end == '\0' && v >= 0 && size_t(v) < nS) m.controllingShaft = size_t(v);
            else fail(fmt::format("controlingShaftName \"{}\" names no sub-shaft of shaftsNames", text));
        }
    }
    if (m.controllingShaft == kNone) m.controllingShaft = 0;

    // ---- gear meshes --------------------------------------------------------------------------------
    const auto& sh1 = d.constraintConnectionShaft1;
    if (!sh1.empty()) {
        DS_REQUIRED(constraintConnectionShaft2, constraintConnectionShaft1, 2);
        DS_REQUIRED(constraintConnectionGear1, constraintConnectionShaft1, 2);
        DS_REQUIRED(constraintConnectionGear2, constraintConnectionShaft1, 2);
        DS_REQUIRED(constraintConnectionGearMeshStiffness, constraintConnectionShaft1, 2);
    }
    const bool sub1Given = DS_OPTIONAL(constraintConnectionSubShaft1, constraintConnectionShaft1, 2);
    const bool sub2Given = DS_OPTIONAL(constraintConnectionSubShaft2, constraintConnectionShaft1, 2);
    const bool ratioGiven = DS_OPTIONAL(constraintConnectionGearRatio, constraintConnectionShaft1, 2);
    for (size_t i = 0; i < sh1.size(); ++i)
        for (size_t k = 0; k < sh1[i].size(); ++k) {
            const std::string at = idx({i, k});
            auto gearOf = [&](int s, int j, int g, const char* which) {
                if (s < 0 || size_t(s) >= nS)
                    fail(fmt::format("constraintConnectionShaft{}{} = {} names no shaft (there are {})", which, at, s, nS));
                if (j < 0 || size_t(j) >= sections[s].size())
                    fail(fmt::format("constraintConnectionSubShaft{}{} = {} names no sub-shaft of shaft {}", which, at, j,
                                     narrow(m.shafts[s].name)));
                if (size_t(j) >= gearIndex[s].size() || g < 0 || size_t(g) >= gearIndex[s][j].size())
                    fail(fmt::format("constraintConnectionGear{}{} = {} names no gear of sub-shaft {} (it has {})", which, at,
                                     g, narrow(d.shaftsNames[s][j]), size_t(j) < gearIndex[s].size() ? gearIndex[s][j].size() : 0));
                return gearIndex[s][j][g];
            };
            MeshInfo mesh;
            mesh.gear1 = gearOf(sh1[i][k], sub1Given ? d.constraintConnectionSubShaft1[i][k] : 0,
                                d.constraintConnectionGear1[i][k], "1");
            mesh.gear2 = gearOf(d.constraintConnectionShaft2[i][k], sub2Given ? d.constraintConnectionSubShaft2[i][k] : 0,
                                d.constraintConnectionGear2[i][k], "2");
            const GearInfo &g1 = m.gears[mesh.gear1], &g2 = m.gears[mesh.gear2];
            if (g1.shaft == g2.shaft) fail(fmt::format("gear mesh {}: both gears sit on shaft {}", at, narrow(m.shafts[g1.shaft].name)));
            mesh.name = g1.name + nWString(L" / ") + g2.name;
            mesh.stiffness = positive(d.constraintConnectionGearMeshStiffness[i][k], "constraintConnectionGearMeshStiffness" + at);
            mesh.ratio = ratioGiven ? finite(d.constraintConnectionGearRatio[i][k], "constraintConnectionGearRatio" + at) : 0.0;

            // Line of action through the pitch point, in the plane normal to the first gear's axis.
            const Eigen::Vector3d a1 = m.shafts[g1.shaft].axes.col(1);
            Eigen::Vector3d ec = g2.centre - g1.centre;
            ec -= ec.dot(a1) * a1;
            const double centreDistance = ec.norm();
            if (!(centreDistance > 1e-9))
                fail(fmt::format("gear mesh {} ({}): the gears' axes coincide", at, narrow(mesh.name)));
            ec /= centreDistance;
            if (mesh.ratio == 0.0)
                mesh.ratio = (g1.teeth > 0 && g2.teeth > 0) ? double(g2.teeth) / g1.teeth
                             : (g1.pitchDiameter > 0 && g2.pitchDiameter > 0) ? g2.pitchDiameter / g1.pitchDiameter
                                                                               : 1.0;
            const bool internal = mesh.ratio < 0;
            const double u = std::abs(mesh.ratio);
            double rw1 = g1.pitchDiameter > 0 ? g1.pitchDiameter / 2 : internal ? centreDistance / (u - 1.0) : centreDistance / (1.0 + u);
            if (!(rw1 > 0) || !std::isfinite(rw1)) rw1 = centreDistance / 2;
            const Eigen::Vector3d pitchPoint = g1.centre + (internal ? -rw1 : rw1) * ec;
            const GearExtra& e1 = gearExtra[mesh.gear1];
            const Eigen::Vector3d t = a1.cross(ec);
            const Eigen::Vector3d nt = std::cos(e1.alfwt) * t + std::sin(e1.alfwt) * ec;
            const Eigen::Vector3d n = (std::cos(e1.betab) * nt + e1.hand * std::sin(e1.betab) * a1).normalized();
            mesh.lineOfAction = n;
            auto rowOf = [&](const GearInfo& g) {
                const Eigen::Matrix3d& R = m.shafts[g.shaft].axes;
                Vector6 b;
                b.head<3>() = R.transpose() * n;
                b.tail<3>() = R.transpose() * (pitchPoint - g.centre).cross(n);
                return b;
            };
            mesh.b1 = rowOf(g1);
            mesh.b2 = rowOf(g2);
            m.meshes.push_back(mesh);
        }

    // Speed ratios: from the controlling shaft through the meshes (breadth first).
    {
        std::vector<bool> known(nS, false);
        m.shafts[m.controllingShaft].speedRatio = 1.0;
        known[m.controllingShaft] = true;
        std::queue<size_t> todo;
        todo.push(m.controllingShaft);
        while (!todo.empty()) {
            const size_t s = todo.front();
            todo.pop();
            for (const MeshInfo& mesh : m.meshes) {
                const size_t s1 = m.gears[mesh.gear1].shaft, s2 = m.gears[mesh.gear2].shaft;
                if (s != s1 && s != s2) continue;
                const size_t other = s == s1 ? s2 : s1;
                if (known[other]) continue;
                const double dir = m.shafts[s1].axes.col(1).dot(m.shafts[s2].axes.col(1));
                // External mesh: the shafts turn opposite ways about parallel axes.
                const double sense = (mesh.ratio > 0 ? -1.0 : 1.0) * (std::abs(dir) > 1e-6 ? (dir > 0 ? 1.0 : -1.0) : 1.0);
                const double r = std::abs(mesh.ratio);
                m.shafts[other].speedRatio = s == s1 ? sense * m.shafts[s].speedRatio / r : sense * m.shafts[s].speedRatio * r;
                known[other] = true;
                todo.push(other);
            }
        }
    }

    // ---- kept DOF ---------------------------------------------------------------------------------
    m.dofIndex.assign(m.nodes.size() * 6, kNone);
    size_t kept = 0;
    for (size_t n = 0; n < m.nodes.size(); ++n)
        for (int dd = 0; dd < 6; ++dd)
            if (!m.torsionOnly || dd == 4) m.dofIndex[n * 6 + dd] = kept++;
    m.housing.offset = kept;

    // ---- assembly ---------------------------------------------------------------------------------
    Assembler as{m.dofIndex};
    Triplets energy[kEnergyKinds], motion[kMotionKinds], damping, gyro;
    m.elements.reserve(elements.size());  // 13 kB each: no regrowth copies
    for (const Element& e : elements) {
        m.elements.push_back({e.node1, e.node2, e.shaft, timoshenkoElement(e.length, e.section, e.material)});
        const BeamElementMatrices& em = m.elements.back().matrices;
        const std::vector<size_t> at = nodeDofs({e.node1, e.node2});
        as.add(energy[kAxial], at, em.axial);
        as.add(energy[kTorsion], at, em.torsion);
        as.add(energy[kBendingXY], at, em.bendingXY);
        as.add(energy[kBendingYZ], at, em.bendingYZ);
        as.add(energy[kShearXY], at, em.shearXY);
        as.add(energy[kShearYZ], at, em.shearYZ);
        as.add(motion[kLateral], at, em.massLateral);
        as.add(motion[kAxialMotion], at, em.massAxial);
        as.add(motion[kTorsionMotion], at, em.massTorsion);
        as.add(gyro, at, em.gyroscopic, m.shafts[e.shaft].speedRatio);
    }
    for (const GearInfo& g : m.gears) {
        const std::vector<size_t> at = nodeDofs({g.node});
        Matrix6 lateral = Matrix6::Zero(), axial = Matrix6::Zero(), torsion = Matrix6::Zero(), gy = Matrix6::Zero();
        lateral(0, 0) = lateral(2, 2) = g.mass;
        lateral(3, 3) = lateral(5, 5) = g.diametralInertia;
        axial(1, 1) = g.mass;
        torsion(4, 4) = g.polarInertia;
        // Disk spinning about +y: Id·r̈x − Ip·Ω·ṙz = Mx and Id·r̈z + Ip·Ω·ṙx = Mz.
        gy(3, 5) = -g.polarInertia;
        gy(5, 3) = g.polarInertia;
        as.add(motion[kLateral], at, lateral);
        as.add(motion[kAxialMotion], at, axial);
        as.add(motion[kTorsionMotion], at, torsion);
        as.add(gyro, at, gy, m.shafts[g.shaft].speedRatio);
    }
    for (const SupportInfo& sp : m.supports) {
        Matrix6 trans = Matrix6::Zero();
        trans.topLeftCorner<3, 3>() = sp.stiffness.topLeftCorner<3, 3>();
        const Matrix6 rot = sp.stiffness - trans;
        if (sp.housingNode != kNone) {
            // Relative motion in the shaft's frame: q − T u_n, with the housing node's DOF
            // turned from the FE frame (solver/housing_model.h).
            const RingDofs ring = ringDofs(m, sp);
            addRing(energy[kSupportTranslation], ring, trans);
            addRing(energy[kSupportRotation], ring, rot);
            addRing(damping, ring, sp.damping);
        } else if (sp.otherNode == kNone) {
            const std::vector<size_t> at = nodeDofs({sp.node});
            as.add(energy[kSupportTranslation], at, trans);
            as.add(energy[kSupportRotation], at, rot);
            as.add(damping, at, sp.damping);
        } else {
            // Relative motion in the inner shaft's frame: q_inner − T q_outer.
            const Eigen::Matrix3d T3 = m.shafts[sp.shaft].axes.transpose() * m.shafts[sp.otherShaft].axes;
            Eigen::Matrix<double, 6, 12> B = Eigen::Matrix<double, 6, 12>::Zero();
            B.leftCols<6>().setIdentity();
            B.block<3, 3>(0, 6) = -T3;
            B.block<3, 3>(3, 9) = -T3;
            const std::vector<size_t> at = nodeDofs({sp.node, sp.otherNode});
            as.add(energy[kSupportTranslation], at, Eigen::MatrixXd(B.transpose() * trans * B));
            as.add(energy[kSupportRotation], at, Eigen::MatrixXd(B.transpose() * rot * B));
            as.add(damping, at, Eigen::MatrixXd(B.transpose() * sp.damping * B));
        }
    }
    for (const MeshInfo& mesh : m.meshes) {
        Eigen::Matrix<double, 12, 1> b;
        b.head<6>() = mesh.b1;
        b.tail<6>() = -mesh.b2;
        const std::vector<size_t> at = nodeDofs({m.gears[mesh.gear1].node, m.gears[mesh.gear2].node});
        as.add(energy[kSupportTranslation], at, Eigen::MatrixXd(mesh.stiffness * b * b.transpose()));
    }

    const size_t n = kept + m.housing.dofs;
    m.K.resize(Eigen::Index(n), Eigen::Index(n));
    m.M.resize(Eigen::Index(n), Eigen::Index(n));
    for (int k = 0; k < kEnergyKinds; ++k) {
        m.energyParts[k] = toSparse(n, energy[k]);
        m.K += m.energyParts[k];
    }
    for (int k = 0; k < kMotionKinds; ++k) {
        m.motionParts[k] = toSparse(n, motion[k]);
        m.M += m.motionParts[k];
    }
    m.C = toSparse(n, damping);
    m.G = toSparse(n, gyro);
    m.H = m.lossAxial * m.energyParts[kAxial] + m.lossTorsion * m.energyParts[kTorsion] +
          m.lossBending * (m.energyParts[kBendingXY] + m.energyParts[kBendingYZ] + m.energyParts[kShearXY] +
                           m.energyParts[kShearYZ]);
    return m;
}
#undef DS_OPTIONAL
#undef DS_REQUIRED
#undef DS_SAME_SHAPE

}  // namespace ds::solver
