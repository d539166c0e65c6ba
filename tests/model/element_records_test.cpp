// What the member lists of the element records do not show by themselves: order differences
// between related records, angle and flag defaults across record families, default colours,
// members that stay outside the member list, and nested records in the Meta and in JSON.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <nlohmann/json.hpp>
#include <numbers>
#include <string>
#include <vector>

#include "drivesys/drivesys.h"

namespace {
using json = nlohmann::json;
constexpr double kPi = std::numbers::pi;

// Member names as the registry holds them for a record type.
template <class T> std::vector<std::string> registeredNames() {
    T r;
    r.registerStruct();
    std::vector<std::string> names;
    for (size_t i = 0; i < r.getNumberOfMembers(); ++i) names.push_back(r.getMemberName(i).toUtf8());
    return names;
}

template <class T> long indexOf(const std::string& name) {
    const auto names = registeredNames<T>();
    for (size_t i = 0; i < names.size(); ++i)
        if (names[i] == name) return static_cast<long>(i);
    return -1;
}

template <class... T> struct TypeList {};
using Gears = TypeList<CylGear, Worm, WormGear, BevelHypoid, BeveloidGear, FaceGear, RopeSheave>;
template <class... T, class F> void forEach(TypeList<T...>, F&& f) { (f(T{}), ...); }
}  // namespace

// ---- member order ------------------------------------------------------------------------

TEST(MemberOrder, ShaftBeginsWithTheAnnotationThenIdNameTypeColor) {
    const auto names = registeredNames<Shaft>();
    const std::vector<std::string> head(names.begin(), names.begin() + 9);
    EXPECT_EQ(head, (std::vector<std::string>{"annotationX", "annotationY", "labelX", "labelY", "annotationVisible",
                                              "Id", "name", "Type", "color"}));
}

// Related records whose member lists differ in order: worm and cylindrical gear (hub connection
// and calculation file), bearing, journal bearing and support, the rope sheave and the other gears.
TEST(MemberOrder, RelatedRecordsDifferWhereTheirListsDo) {
    EXPECT_LT(indexOf<CylGear>("gearCalcFile"), indexOf<CylGear>("isShaftHubConnection"));
    EXPECT_EQ(indexOf<Worm>("isShaftHubConnection") + 1, indexOf<Worm>("gearCalcFile"));

    EXPECT_EQ(indexOf<JournalBearing>("stiffness"), indexOf<JournalBearing>("width") + 1);
    EXPECT_EQ(indexOf<JournalBearing>("posInner"), indexOf<JournalBearing>("stiffness") + 1);
    EXPECT_EQ(indexOf<Bearing>("stiffness"), -1);
    // Bearing lists itemType before speed, JournalBearing and Support after it.
    EXPECT_LT(indexOf<Bearing>("itemType"), indexOf<Bearing>("speed"));
    EXPECT_GT(indexOf<JournalBearing>("itemType"), indexOf<JournalBearing>("speed"));
    EXPECT_GT(indexOf<Support>("itemType"), indexOf<Support>("speed"));
    EXPECT_EQ(indexOf<Support>("isThrustConeBearing"), indexOf<Support>("isConnecting") + 1);
    EXPECT_EQ(indexOf<Support>("statusRz") + 1, indexOf<Support>("speed"));

    // The rope sheave has its outside diameter after the type and its rope members at the end.
    EXPECT_EQ(indexOf<RopeSheave>("da"), indexOf<RopeSheave>("Type") + 1);
    const long planets = indexOf<RopeSheave>("numberOfPlanets");
    const std::vector<std::string> names = registeredNames<RopeSheave>();
    const std::vector<std::string> tail(names.begin() + planets, names.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"numberOfPlanets", "loopAngle", "circForce", "unloadedStrandForce",
                                              "loadedStrandForce", "IdCloneRef"}));
    EXPECT_EQ(indexOf<CylGear>("da"), -1);
}

TEST(MemberOrder, EveryGearEndsWithColorOpacityPlanetsAndStartsAlike) {
    forEach(Gears{}, [](auto gear) {
        using T = decltype(gear);
        const auto names = registeredNames<T>();
        const std::string cls = T::recordInfo().className();
        EXPECT_EQ(names[5], "Id") << cls;
        EXPECT_EQ(names[7], "Type") << cls;
        EXPECT_EQ(names.back(), "IdCloneRef") << cls;
        EXPECT_EQ(indexOf<T>("opacity"), indexOf<T>("color") + 1) << cls;
        EXPECT_EQ(indexOf<T>("numberOfPlanets"), indexOf<T>("opacity") + 1) << cls;
    });
}

// ---- defaults across families -----------------------------------------------------------

// Every default of the gear records, member by member, against the table of gear members.
TEST(GearDefaults, EveryMemberHoldsItsTabledDefault) {
    const json common = json::parse(R"({
        "annotationX": -1.0, "annotationY": -1.0, "labelX": -1.0, "labelY": -1.0, "annotationVisible": false,
        "Id": 0, "name": "", "isPlanet": false, "di": 0.0, "width": 0.0, "numOfTeeth": 0.0, "alphan": 0.0,
        "isAsymmetric": false, "alphanl": 0.0, "alphanr": 0.0, "pos": 0.0, "posFlag": 1, "isDriven": false,
        "isGearBodyFE": false, "gearCalcFile": "", "isShaftHubConnection": 0, "gearIndexInCalc": 0, "torque": 0.0,
        "isTorqueInput": true, "handOfGear": 0, "orientation": false, "mountingAngle": 0.0, "isMountingAngleSet": false,
        "meshingAngle": 0.0, "isMeshingAngleSet": false, "speed": 0.0, "relSpeed": 0.0, "dotId": 0,
        "gearDiameter": 100.0, "gearTipToShaft": 50.0, "diameterLocked": false, "gearWidth": 100.0, "opacity": 1.0,
        "numberOfPlanets": 1, "IdCloneRef": 0})");
    const std::map<std::string, json> own{
        {"CylGear", json::parse(R"({"Type": 3, "itemType": 6, "mn": 0.0, "beta": 0.0})")},
        {"Worm", json::parse(R"({"Type": 5, "itemType": 13, "mx": 0.0, "gamma": 0.0})")},
        {"WormGear", json::parse(R"({"Type": 6, "itemType": 14, "mt": 0.0, "beta": 0.0})")},
        {"BevelHypoid", {{"Type", 4}, {"itemType", 7}, {"mmn", 0.0}, {"betam", 0.0}, {"delta", kPi / 4}}},
        {"BeveloidGear", json::parse(R"({"Type": 22, "itemType": 15, "mn": 0.0, "beta": 0.0, "theta": 0.0})")},
        {"FaceGear", {{"Type", 7}, {"itemType", 9}, {"mn", 0.0}, {"beta", 0.0}, {"delta", kPi / 2}, {"h_afg", 0.0}, {"h_ifg", 0.0}}},
        {"RopeSheave", json::parse(R"({"Type": 11, "itemType": 16, "mn": 0.0, "beta": 0.0, "da": 0.0, "loopAngle": 0.0,
                                       "circForce": 0.0, "unloadedStrandForce": 0.0, "loadedStrandForce": 0.0})")},
    };
    forEach(Gears{}, [&](auto gear) {
        const std::string cls = decltype(gear)::recordInfo().className();
        json expected = common;
        expected.update(own.at(cls));
        json actual = gear.toJson();
        actual.erase("color");  // the framework's colour text, checked with the colours below
        EXPECT_EQ(actual, expected) << cls << ": " << actual.dump();
    });
}

TEST(ElementDefaults, ValuesThatAreEasyToGetWrong) {
    const Bearing b;
    EXPECT_EQ(b.comment, L" ");
    EXPECT_EQ(b.dbid, 10010);
    const Shaft s;
    EXPECT_EQ(s.stressRbieg, -1.0);
    EXPECT_EQ(s.stressRquer, -1.0);
    EXPECT_EQ(s.stressRzug, 0.0);
    EXPECT_EQ(s.stressRdrm, 0.0);
    EXPECT_EQ(s.carrierIndex, -1);

    const CouplingConnection cc;
    EXPECT_EQ(cc.torqueRatio, -1.0);
    EXPECT_EQ(cc.speedRatio, 1.0);
    EXPECT_EQ(cc.powerRatio, -1.0);
    EXPECT_TRUE(cc.considerTorqueRatio && cc.considerSpeedRatio);
    EXPECT_FALSE(cc.considerPowerRatio);

    const Constraint c;
    EXPECT_TRUE(c.considerZ1 && c.considerZ2);
    EXPECT_EQ(c.CAcenterDistanceTol, 4);
    EXPECT_EQ(c.loadSpectrum1, L"10050");
    EXPECT_EQ(c.loadSpectrum2, L"10050");
    EXPECT_DOUBLE_EQ(c.sigma, kPi / 2);

    const Synchro sy;
    EXPECT_TRUE(sy.currentStatus);
    EXPECT_EQ(sy.stiffness, 10.0);
    EXPECT_EQ(sy.counterclockwiseClearance, 1.0);
    EXPECT_EQ(sy.clockwiseClearance, 1.0);
    EXPECT_EQ(sy.referenceGear, -1);

    const Carrier ca;
    EXPECT_TRUE(ca.updatePlanetCopies);
    EXPECT_EQ(ca.oldNumberOfPlanets, 1);

    const Housing h;
    EXPECT_EQ(h.housingSystemOfUnits, 8);
    EXPECT_EQ(h.housingInitialUnits, 8);
    EXPECT_EQ(h.housingTolerance, 5.0);
    EXPECT_EQ(h.housingMaxNumberOfIterations, 10u);
    EXPECT_TRUE(h.isVisibleIn3D);
    EXPECT_FALSE(h.showNodes);
    EXPECT_EQ(h.nSys.unitvector_x.x, 1.0);
    EXPECT_EQ(h.nSys.unitvector_z.z, 1.0);
    EXPECT_EQ(h.opacity, 0.5);  // outside the member list, as are ForceTransfer's itemType and color
    EXPECT_TRUE(NColor::parse(h.color));
    EXPECT_EQ(ForceTransfer().itemType, 36);
    EXPECT_EQ(registeredNames<ForceTransfer>().size(), 13u);

    const SketcherDot d;
    EXPECT_EQ(d.Type, 36);
    EXPECT_EQ(d.itemType, 1);
    EXPECT_EQ(registeredNames<Group>(), (std::vector<std::string>{"Id", "name", "Type", "autoFill", "IdCloneRef"}));
}

TEST(ElementDefaults, LoadSpectrumIdentifiersTorqueInputsAndPlanetCounts) {
    using Loaded = TypeList<Coupling, Carrier, MagneticForce, CentricalLoad, ExcentricalLoad, AdditionalMass, Powerloss,
                            Bearing, JournalBearing, Support, Synchro>;
    // Where a record has the member: the load-spectrum texts, the torque input, one planet, the flag.
    const std::pair<const char*, json> expected[] = {{"loadSpectrum", "10050"}, {"loadSpectrum1", "10050"},
                                                     {"loadSpectrum2", "10050"}, {"isTorqueInput", true},
                                                     {"numberOfPlanets", 1},     {"posFlag", 1}};
    forEach(Loaded{}, [&](auto record) {
        const json j = record.toJson();
        const std::string cls = decltype(record)::recordInfo().className();
        for (const auto& [key, value] : expected)
            if (j.contains(key) && !j[key].is_object()) {
                EXPECT_EQ(j[key], value) << cls << "." << key;
            }
    });
}

// ---- colours -----------------------------------------------------------------------------

TEST(ElementColors, DefaultsAreTheFrameworkColoursOfEachType) {
    const std::map<std::string, NColor> expected = {
        {"Shaft", NColor::fromScheme(0, 2)},          {"Bearing", NColor::fromScheme(0, 7)},
        {"JournalBearing", NColor::fromScheme(0, 7)}, {"Support", NColor::fromScheme(0, 7)},
        {"CylGear", NColor::fromScheme(0, 0)},        {"Worm", NColor::fromScheme(0, 0)},
        {"WormGear", NColor::fromScheme(0, 0)},       {"BevelHypoid", NColor::fromScheme(0, 0)},
        {"BeveloidGear", NColor::fromScheme(0, 0)},   {"FaceGear", NColor::fromScheme(0, 0)},
        {"RopeSheave", NColor::fromScheme(0, 8)},     {"Coupling", NColor::fromScheme(0, 1)},
        {"Carrier", NColor::fromRgb(160, 70, 120)},   {"Synchro", NColor::fromScheme(0, 8)},
        {"Powerloss", NColor::fromScheme(0, 9)},      {"MagneticForce", NColor::fromScheme(0, 5)},
        {"CentricalLoad", NColor::fromScheme(0, 5)},  {"ExcentricalLoad", NColor::fromScheme(0, 5)},
        {"AdditionalMass", NColor::fromScheme(0, 5)},
    };
    size_t withColor = 0;
    for (const auto& e : ds::Catalog::instance().entries()) {
        const ds::FieldEntry* f = e.info->find("color");
        if (!f) continue;
        ++withColor;
        const auto it = expected.find(e.info->className());
        ASSERT_NE(it, expected.end()) << e.info->className() << " has an unexpected colour member";
        const json def = e.info->prototype().toJson()["color"];
        const auto parsed = NColor::parse(nWString::fromUtf8(def.get<std::string>()));
        ASSERT_TRUE(parsed) << e.info->className();
        EXPECT_EQ(*parsed, it->second) << e.info->className();
    }
    EXPECT_EQ(withColor, expected.size());
}

// ---- members outside the member list ------------------------------------------------------

namespace {
// Sets the unlisted members of a record to non-default values and checks they are still set.
template <class T> struct Unlisted;
template <> struct Unlisted<Support> {
    static std::vector<std::string> names() { return {"statusRy", "stiffnessRy", "isSelected"}; }
    static void set(Support& s) { s.statusRy = 2, s.stiffnessRy = 3.5, s.isSelected = true; }
    static bool isSet(const Support& s) { return s.statusRy == 2 && s.stiffnessRy == 3.5 && s.isSelected; }
};
template <> struct Unlisted<Constraint> {
    static std::vector<std::string> names() { return {"alphawt", "contactRatio"}; }
    static void set(Constraint& c) { c.alphawt = 0.37, c.contactRatio = 1.6; }
    static bool isSet(const Constraint& c) { return c.alphawt == 0.37 && c.contactRatio == 1.6; }
};
template <> struct Unlisted<ForceTransfer> {
    static std::vector<std::string> names() { return {"itemType"}; }
    static void set(ForceTransfer& f) { f.itemType = 99; }
    static bool isSet(const ForceTransfer& f) { return f.itemType == 99; }
};
template <> struct Unlisted<Housing> {
    static std::vector<std::string> names() { return {"color", "opacity"}; }
    static void set(Housing& h) { h.color = L"#123456", h.opacity = 0.9; }
    static bool isSet(const Housing& h) { return h.color == L"#123456" && h.opacity == 0.9; }
};

template <class T> class UnlistedMembers : public ::testing::Test {};
using WithUnlisted = ::testing::Types<Support, Constraint, ForceTransfer, Housing>;
TYPED_TEST_SUITE(UnlistedMembers, WithUnlisted);
}  // namespace

TYPED_TEST(UnlistedMembers, TravelWithCopiesButNotThroughRegistrationMetaOrJson) {
    using U = Unlisted<TypeParam>;
    TypeParam r;
    U::set(r);

    TypeParam copy(r);
    EXPECT_TRUE(U::isSet(copy));
    TypeParam assigned;
    assigned = r;
    EXPECT_TRUE(U::isSet(assigned));
    const auto cloned = r.clone();
    EXPECT_TRUE(U::isSet(static_cast<const TypeParam&>(*cloned)));
    TypeParam taken;
    taken.resetTo(r.clone());
    EXPECT_TRUE(U::isSet(taken));

    const auto registered = registeredNames<TypeParam>();
    const json written = r.toJson();
    Meta* meta = r.getMeta();
    json foreign = written;
    for (const auto& n : U::names()) {
        EXPECT_EQ(std::count(registered.begin(), registered.end(), n), 0) << n;
        EXPECT_FALSE(written.contains(n)) << n;
        EXPECT_EQ(meta->GetVar(n), nullptr) << n;
        foreign[n] = 0;
    }
    // Keys of the same names in the JSON are ignored on reading.
    TypeParam read;
    U::set(read);
    read.fromJson(foreign);
    EXPECT_TRUE(U::isSet(read));
    EXPECT_EQ(read.toJson(), written);

    r.reset();
    EXPECT_FALSE(U::isSet(r));
}

// ---- nested records ---------------------------------------------------------------------

TEST(NestedRecords, HousingBindsParasolidPartAndFrameWithoutDefault) {
    Housing h;
    Meta* meta = h.getMeta();
    for (size_t i = 0; i < meta->GetNumberOfVars(); ++i) {
        const MetaVar* v = meta->GetVarAt(i);
        const bool noDefault = v->GetName() == "parasolidPart" || v->GetName() == "nSys";
        EXPECT_EQ(v->hasDefault(), !noDefault) << v->GetName();
    }
    MetaVar* frame = meta->GetVar("nSys");
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->isStruct());
    EXPECT_EQ(frame->map(), NMetaMapPlain);
    // The frame's own Meta carries the unit initial values, reachable by path.
    MetaVar* ux = meta->GetMetaVar(L"nSys.unitvector_x.x");
    ASSERT_NE(ux, nullptr);
    EXPECT_TRUE(ux->hasInit());
    EXPECT_EQ(ux->initText(), L"1");
    ASSERT_TRUE(meta->GetMetaVar(L"nSys.position.y")->SetVar(12.5));
    EXPECT_EQ(h.nSys.position.y, 12.5);
}

TEST(NestedRecords, SynchroBindsItsSpectrumWithDefaultAndReachesItsMembers) {
    Synchro s;
    Meta* meta = s.getMeta();
    MetaVar* spectrum = meta->GetVar("loadSpectrum");
    ASSERT_NE(spectrum, nullptr);
    EXPECT_TRUE(spectrum->isStruct());
    EXPECT_TRUE(spectrum->hasDefault());
    MetaVar* id = meta->GetMetaVar(L"loadSpectrum.spectrumId");
    ASSERT_NE(id, nullptr);
    EXPECT_EQ(id->GetAsWString(), L"10050");
    ASSERT_TRUE(meta->GetMetaVar(L"loadSpectrum.considerRz")->SetVar(true));
    EXPECT_TRUE(s.loadSpectrum.considerRz);

    // A nested value of the wrong shape leaves the nested record as it was.
    s.loadSpectrum.spectrumRx = {1.0, 2.5};
    json bad = s.toJson();
    bad["loadSpectrum"] = "not a record";
    Synchro kept = s;
    kept.fromJson(bad);
    EXPECT_EQ(kept.loadSpectrum.spectrumRx, s.loadSpectrum.spectrumRx);
}
