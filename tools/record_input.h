#pragma once
// Checks that a JSON input is a record of the class a command expects before the library's
// tolerant reading (which takes any object and keeps defaults for what it does not find) reads it.
//
// Always: the input is a JSON object and, when it holds keys at all, at least one of them is a
// member of the class; otherwise it is taken for a file of another kind. With `strict`, the input
// is validated against the class's JSON Schema. Failures throw UsageError with the source and the
// JSON Pointer of the first problem ("model.json: /shaftName: expected string, found number").
#include <nlohmann/json.hpp>
#include <string>

#include "drivesys/foundation/record.h"

namespace drivesys_cli {

void checkRecordInput(const nlohmann::json& input, const ds::RecordInfo& info, const std::string& source, bool strict);

/// The first place where `value` breaks `schema` (a schema of ds::jsonSchemaOf: type, minimum,
/// maximum, properties, required, additionalProperties, items, $ref into $defs), as
/// "<JSON pointer>: <what>"; empty when it conforms.
std::string firstSchemaViolation(const nlohmann::json& value, const nlohmann::json& schema);

}  // namespace drivesys_cli
