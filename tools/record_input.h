#pragma once
// Checks that a JSON input is a record of the class a command expects before the library's
// tolerant reading (which takes any object and keeps defaults for what it does not find) reads it.
//
// Always: the input is a JSON object and, when it holds keys at all, at least one of them is a
// member of the class; otherwise it is taken for a file of another kind. With `strict`, the input
// is validated against the class's JSON Schema. Failures throw UsageError with the source and the
// JSON Pointer of the first problem ("model.json: /shaftName: expected string, found number").
#include <functional>
#include <nlohmann/json.hpp>
#include <string>

#include "drivesys/foundation/record.h"
#include "drivesys/foundation/record_text.h"

namespace drivesys_cli {

void checkRecordInput(const nlohmann::json& input, const ds::RecordInfo& info, const std::string& source, bool strict);

/// Reads the JSON file `arg` ("-" for standard input) into `record`, a default record of class
/// `info`, as its fromJson reads (readJson), with the checks of checkRecordInput, and without a
/// JSON tree of the whole file (ds::readRecordText): memory stays near the size of the text and
/// the records. Where the stream read leaves the decision to the tree (see record_text.h), and
/// for the message of a strict check that fails, the file is parsed whole, checked, and
/// `readTree` reads the tree into the reset record the caller's usual way (throwing the caller's
/// error when that fails).
void readRecordInput(const std::string& arg, nMetaStruct& record, const ds::RecordInfo& info, bool strict,
                     const std::function<void(const nlohmann::json&)>& readTree);

/// The first place where `value` breaks `schema` (a schema of ds::jsonSchemaOf: type, minimum,
/// maximum, properties, required, additionalProperties, items, $ref into $defs), as
/// "<JSON pointer>: <what>"; empty when it conforms.
std::string firstSchemaViolation(const nlohmann::json& value, const nlohmann::json& schema);

}  // namespace drivesys_cli
