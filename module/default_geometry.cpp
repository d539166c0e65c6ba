#include "drivesys/module/default_geometry.h"

#include <fmt/format.h>
#include <fmt/xchar.h>
#include <type_traits>

#include "drivesys/foundation/record_impl.h"

DS_DEFINE_RECORD(ShaftGeom, nMetaStruct, DS_F(externalDiameter), DS_F(internalDiameter), DS_F(length))
DS_DEFINE_JSON_ASSIGNMENT(ShaftGeom)

DS_DEFINE_RECORD(BearingGeom, nMetaStruct, DS_F(dbid), DS_F(di), DS_F(identifier))
DS_DEFINE_JSON_ASSIGNMENT(BearingGeom)

DS_DEFINE_RECORD(JournalGeom, nMetaStruct, DS_F(width), DS_F(stiffness))
DS_DEFINE_JSON_ASSIGNMENT(JournalGeom)

DS_DEFINE_RECORD(SwitchableGeom, nMetaStruct, DS_F(counterClockwiseClearance), DS_F(clockwiseClearance),
                 DS_F(stiffness))
DS_DEFINE_JSON_ASSIGNMENT(SwitchableGeom)

DS_DEFINE_RECORD(GearGeom, nMetaStruct, DS_F(diameter), DS_F(module), DS_F(width), DS_F(height))
DS_DEFINE_JSON_ASSIGNMENT(GearGeom)

DS_DEFINE_RECORD(OtherGeom, nMetaStruct, DS_F(diameter), DS_F(width), DS_F(centerDistance))
DS_DEFINE_JSON_ASSIGNMENT(OtherGeom)

// ---- nvDefaultGeometry -----------------------------------------------------------------------
// The nested records are bound without default: their presets reach the framework as initial
// values instead.
DS_DEFINE_RECORD_NO_CTOR(nvDefaultGeometry, nMetaStruct, DS_F_NODEF(cylinder), DS_F_NODEF(bearingOnShaft),
                         DS_F_NODEF(plainBearing), DS_F_NODEF(switchable), DS_F_NODEF(gear), DS_F_NODEF(worm),
                         DS_F_NODEF(wormWheel), DS_F_NODEF(bevel), DS_F_NODEF(face), DS_F_NODEF(coupling),
                         DS_F_NODEF(rope_sheave), DS_F_NODEF(noncircular), DS_F(dimensionsFactor),
                         DS_F(modulesFactor), DS_F(dimensionsFactorOld), DS_F(modulesFactorOld))

namespace {
/// Sets a nested record's member and records the value as its initial value ("36", "8052").
template <class R, class V>
void preset(R& record, V R::*member, const char* key, std::type_identity_t<V> value) {
    record.*member = value;
    record.getMeta()->SetInit(key, nWString(fmt::format(L"{}", value)));
}
}  // namespace

#define DS_PRESET(record, member, value) \
    preset(record, &std::remove_reference_t<decltype(record)>::member, #member, value)

nvDefaultGeometry::nvDefaultGeometry() { applyPresets(); }

void nvDefaultGeometry::applyPresets() {
    DS_PRESET(cylinder, externalDiameter, 20.0);
    DS_PRESET(cylinder, internalDiameter, 36.0);
    DS_PRESET(cylinder, length, 30.0);

    bearingOnShaft.dbid = 10160;
    DS_PRESET(bearingOnShaft, di, 20.0);
    DS_PRESET(bearingOnShaft, identifier, 8052);

    DS_PRESET(plainBearing, width, 10.0);
    DS_PRESET(plainBearing, stiffness, 10.0);

    DS_PRESET(switchable, counterClockwiseClearance, 1.0);
    DS_PRESET(switchable, clockwiseClearance, 1.0);
    DS_PRESET(switchable, stiffness, 10.0);

    DS_PRESET(gear, diameter, 40.0);
    DS_PRESET(gear, module, 2.0);
    DS_PRESET(gear, width, 20.0);
    gear.height = 0.0;

    DS_PRESET(worm, diameter, 33.0);
    DS_PRESET(worm, module, 2.0);
    DS_PRESET(worm, width, 30.0);
    worm.height = 0.0;

    DS_PRESET(wormWheel, diameter, 55.0);
    DS_PRESET(wormWheel, module, 2.0);
    DS_PRESET(wormWheel, width, 15.0);
    wormWheel.height = 0.0;

    DS_PRESET(bevel, diameter, 40.0);
    DS_PRESET(bevel, module, 2.0);
    DS_PRESET(bevel, width, 20.0);
    bevel.height = 0.0;

    DS_PRESET(face, diameter, 60.0);
    DS_PRESET(face, module, 2.0);
    DS_PRESET(face, width, 20.0);
    DS_PRESET(face, height, 10.0);

    DS_PRESET(coupling, diameter, 30.0);
    DS_PRESET(coupling, width, 10.0);
    coupling.centerDistance = 0.0;

    DS_PRESET(rope_sheave, diameter, 30.0);
    DS_PRESET(rope_sheave, width, 10.0);
    DS_PRESET(rope_sheave, centerDistance, 70.0);

    DS_PRESET(noncircular, diameter, 28.0);
    DS_PRESET(noncircular, module, 2.0);
    DS_PRESET(noncircular, width, 10.0);
    noncircular.height = 0.0;

    dimensionsFactor = 1.0;
    modulesFactor = 1.0;
    dimensionsFactorOld = 1.0;
    modulesFactorOld = 1.0;
}

#undef DS_PRESET

nvDefaultGeometry& nvDefaultGeometry::operator=(const nlohmann::json& j) {
    // const operator[] on a non-object is the JSON library's type_error 305; get<double> on
    // another kind than a number its type_error 302.
    if (!j.is_object()) (void)j["dimensionsFactor"];
    const double dims = j.at("dimensionsFactor").get<double>();
    const double mods = j.at("modulesFactor").get<double>();
    const double dimsOld = j.at("dimensionsFactorOld").get<double>();
    const double modsOld = j.at("modulesFactorOld").get<double>();
    dimensionsFactor = dims;
    modulesFactor = mods;
    dimensionsFactorOld = dimsOld;
    modulesFactorOld = modsOld;
    return *this;
}
