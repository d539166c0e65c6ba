#include "drivesys/module/naming.h"

#include <cmath>
#include <limits>
#include <string>

#include "drivesys/foundation/record_impl.h"

namespace {
using json = nlohmann::json;

// Every rule once: member, pattern, kind code, in the order the rules are listed and registered.
#define DS_NAMING_RULES(X)                                              \
    X(bearings, L"rolling<autoInc>", 16)                                \
    X(slidingBearings, L"plain<autoInc>", 17)                           \
    X(supportGenerals, L"support<autoInc>", 18)                         \
    X(carriers, L"carrier<autoInc>", 28)                                \
    X(couplings, L"coupling<autoInc>", 12)                              \
    X(synchronizers, L"switchable<autoInc>", 31)                        \
    X(boundarys, L"boundary<autoInc>", 25)                              \
    X(couplingconnections, L"connection<autoInc>", 26)                  \
    X(forcetransfers, L"transfer<autoInc>", 32)                         \
    X(powersplits, L"split<autoInc>", 27)                               \
    X(powerlosses, L"loss<autoInc>", 15)                                \
    X(magneticforces, L"magnetic<autoInc>", 14)                         \
    X(centricalloads, L"centrical<autoInc>", 1)                         \
    X(additionalmasses, L"mass<autoInc>", 13)                           \
    X(excentricalloads, L"eccentrical<autoInc>", 2)                     \
    X(shafts, L"shaft<autoInc>", 30)                                    \
    X(constraints, L"constraint<autoInc>", 33)                          \
    X(gears, L"cylindrical<autoInc>", 3)                                \
    X(bevelHypos, L"bevel<autoInc>", 4)                                 \
    X(worms, L"worm<autoInc>", 5)                                       \
    X(wormGears, L"wheel<autoInc>", 6)                                  \
    X(faceGears, L"face<autoInc>", 7)                                   \
    X(ropeSheaves, L"sheave<autoInc>", 11)                              \
    X(sketcherDots, L"sketcherDot<autoInc>", 36)                        \
    X(shaftPieces, L"shaftPiece<autoInc>", 38)                          \
    X(groups, L"group<autoInc>", 23)                                    \
    X(housings, L"housing<autoInc>", 29)                                \
    X(shaftCalcs, L"shaft_calc<autoInc>", 136)                          \
    X(crossedHelicalGearPairCalcs, L"crossed_calc<autoInc>", 144)       \
    X(helicalGearPairCalcs, L"pair_calc<autoInc>", 137)                 \
    X(threeGearPairCalcs, L"three_calc<autoInc>", 138)                  \
    X(fourGearPairCalcs, L"four_calc<autoInc>", 139)                    \
    X(planetaryCalcs, L"planetary_calc<autoInc>", 140)                  \
    X(bevelHypoGearPairCalcs, L"bevel_calc<autoInc>", 141)              \
    X(beveloidGearPairCalcs, L"beveloid_calc<autoInc>", 145)            \
    X(faceGearPairCalcs, L"face_calc<autoInc>", 142)                    \
    X(wormGearPairCalcs, L"worm_calc<autoInc>", 143)                    \
    X(vBeltCalcs, L"vbelt_calc<autoInc>", 148)                          \
    X(toothedBeltCalcs, L"toothedbelt_calc<autoInc>", 149)              \
    X(chainDriveCalcs, L"chaindrive_calc<autoInc>", 150)                \
    X(noncircularPairCalcs, L"noncircular_calc<autoInc>", 147)          \
    X(keyCalcs, L"key_calc<autoInc>", 151)                              \
    X(straightSplineCalcs, L"straightspline_calc<autoInc>", 152)        \
    X(splineStrengthCalcs, L"splinestrength_calc<autoInc>", 153)        \
    X(splineGeometryCalcs, L"splinegeometry_calc<autoInc>", 154)        \
    X(polygonCalcs, L"polygon_calc<autoInc>", 155)                      \
    X(woodruffKeyCalcs, L"woodruffkey_calc<autoInc>", 156)              \
    X(cylindricalInterferenceCalcs, L"cylinterference_calc<autoInc>", 157) \
    X(conicalInterferenceCalcs, L"coninterference_calc<autoInc>", 158)  \
    X(clampedConnectionCalcs, L"clampedconnection_calc<autoInc>", 159)

struct Rule {
    SystemNaming SystemNamingSettings::*member;
    const wchar_t* pattern;
    int kind;
};

#define DS_NAMING_RULE_ENTRY(m, pattern, kind) Rule{&SystemNamingSettings::m, pattern, kind},
constexpr Rule kRules[] = {DS_NAMING_RULES(DS_NAMING_RULE_ENTRY)};
#undef DS_NAMING_RULE_ENTRY

/// The JSON library's standard conversion to an integer type (numbers and booleans; other kinds
/// throw type_error 302), except that a floating number is truncated and clamped to the range of
/// I instead of overflowing.
template <class I> I integerFrom(const json& v) {
    if (v.is_number_float()) {
        const double d = v.get<double>();
        if (std::isnan(d)) return 0;
        if (d <= static_cast<double>(std::numeric_limits<I>::min())) return std::numeric_limits<I>::min();
        if (d >= static_cast<double>(std::numeric_limits<I>::max())) return std::numeric_limits<I>::max();
        return static_cast<I>(d);
    }
    return v.get<I>();
}
}  // namespace

// ---- SystemNaming ----------------------------------------------------------------------------
DS_DEFINE_RECORD(SystemNaming, nMetaStruct, DS_F(name), DS_F(type), DS_F(counter))

SystemNaming& SystemNaming::operator=(const json& j) {
    // const operator[] on a non-object is the JSON library's type_error 305.
    if (!j.is_object()) (void)j["name"];
    nWString newName = nWString::fromUtf8(j.at("name").get<std::string>());
    const int newType = integerFrom<int>(j.at("type"));
    const unsigned newCounter = integerFrom<unsigned>(j.at("counter"));
    name = std::move(newName);
    type = newType;
    counter = newCounter;
    return *this;
}

// ---- SystemNamingSettings --------------------------------------------------------------------
#define DS_NAMING_FIELD(m, pattern, kind) DS_F_NODEF(m),
DS_DEFINE_RECORD_NO_CTOR(SystemNamingSettings, nMetaStruct, DS_NAMING_RULES(DS_NAMING_FIELD))
#undef DS_NAMING_FIELD

SystemNamingSettings::SystemNamingSettings() { applyRules(); }

void SystemNamingSettings::applyRules() {
    for (const Rule& rule : kRules) {
        SystemNaming& naming = this->*rule.member;
        naming.name = rule.pattern;
        naming.type = rule.kind;
        Meta* meta = naming.getMeta();
        meta->SetInit("name", naming.name);
        meta->SetInit("type", nWString(rule.kind));
    }
}

SystemNamingSettings& SystemNamingSettings::operator=(const json&) { return *this; }
