#pragma once
// JSON Schema (draft 2020-12) of a record's JSON form, made from its member list: one property
// per member with its type and default, nested records and the element records of lists as
// `$defs` referenced by `$ref`. The schema describes what the library writes: every member is
// present (`required`), no other key (`additionalProperties: false`), a non-finite double is
// written as null. Reading is more tolerant than that (see record.h).
#include "drivesys/foundation/record.h"
#include "drivesys/platform/nmath/json.h"

namespace ds {
DRIVESYS_API void jsonSchemaOf(const RecordInfo& info, nlohmann::json& out);
}  // namespace ds
