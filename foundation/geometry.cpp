#include "drivesys/foundation/geometry.h"

#include "drivesys/foundation/record_impl.h"

DS_DEFINE_RECORD(Axis, nMetaStruct, DS_F(x), DS_F(y), DS_F(z))
DS_DEFINE_JSON_ASSIGNMENT(Axis)
DS_DEFINE_EQUALITY(Axis)

// Hand-listed frames: the unit vectors are bound as nested records without default.
DS_DEFINE_RECORD_NO_CTOR(NvCoordinateSystem, nMetaStruct, DS_F_NODEF(position), DS_F_NODEF(unitvector_x),
                         DS_F_NODEF(unitvector_y), DS_F_NODEF(unitvector_z))

NvCoordinateSystem::NvCoordinateSystem() {
    unitvector_x.getMeta()->SetInit("x", L"1");
    unitvector_y.getMeta()->SetInit("y", L"1");
    unitvector_z.getMeta()->SetInit("z", L"1");
}

NvCoordinateSystem& NvCoordinateSystem::operator=(const nlohmann::json& j) {
    if (!j.is_object()) (void)j["position"];
    position = j.at("position");
    return *this;
}

DS_DEFINE_RECORD_NO_CTOR(NvCoordinateSystem2D, nMetaStruct, DS_F_NODEF(position), DS_F_NODEF(unitvector_x),
                         DS_F_NODEF(unitvector_y))

NvCoordinateSystem2D::NvCoordinateSystem2D() {
    unitvector_x.getMeta()->SetInit("x", L"1");
    unitvector_y.getMeta()->SetInit("y", L"1");
}

NvCoordinateSystem2D& NvCoordinateSystem2D::operator=(const nlohmann::json& j) {
    if (!j.is_object()) (void)j["position"];
    position = j.at("position");
    return *this;
}

DS_DEFINE_RECORD(AnnotatedData, nMetaStruct, DS_F(annotationX), DS_F(annotationY), DS_F(labelX), DS_F(labelY),
                 DS_F(annotationVisible))
