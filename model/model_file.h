#pragma once
// The model file: a whole system model as one JSON object keyed by record class name, each key
// holding an array with the JSON of the records of that class, in the order they were given:
//
//   { "Bearing": [ {...}, {...} ], "Shaft": [ {...} ], ... }
//
// Any record class in the catalog may stand in a model file; records are written with their
// `toJson` and read back through the catalog, each class its own way (JSON pair, JSON
// assignment or the inherited form). The catalog is the library's whole one unless the caller
// passes another. Keys are sorted in the file, so a model comes back grouped
// by class name; within a class the order is kept.
#include <string>
#include <memory>
#include <vector>

#include "drivesys/foundation/catalog.h"
#include "drivesys/platform/drivesys_export.h"
#include "drivesys/platform/nmath/json.h"
#include "drivesys/platform/nmath/nmetastruct.h"

namespace ds {

using RecordList = std::vector<std::unique_ptr<nMetaStruct>>;

/// The model object of the records. Throws std::invalid_argument for a null pointer or a record
/// whose class is not in the catalog (it could not be read back).
DRIVESYS_API nlohmann::json modelToJson(const std::vector<const nMetaStruct*>& records,
                                       const Catalog& catalog = Catalog::instance());

/// The records of a model object, grouped by class name (in key order), in array order within
/// a class. Throws std::runtime_error, naming the class and the element, when the value is not
/// an object, a class is not in the catalog, a class's value is not an array, an element is not
/// an object or an element does not read.
DRIVESYS_API RecordList modelFromJson(const nlohmann::json& model, const Catalog& catalog = Catalog::instance());

/// Writes the model object as indented UTF-8 JSON to the file `path` (its name in UTF-8); throws std::runtime_error when the file
/// cannot be written.
DRIVESYS_API void writeModelFile(const std::string& path, const std::vector<const nMetaStruct*>& records,
                                  const Catalog& catalog = Catalog::instance());

/// Reads a model file; throws std::runtime_error (with the file name) when it cannot be read,
/// is not JSON or is not a valid model.
DRIVESYS_API RecordList readModelFile(const std::string& path, const Catalog& catalog = Catalog::instance());

/// True when both lists hold the same records per class in the same order (class by class, as a
/// model file keeps them), compared by their listed members.
DRIVESYS_API bool sameModel(const std::vector<const nMetaStruct*>& a, const std::vector<const nMetaStruct*>& b,
                             const Catalog& catalog = Catalog::instance());

/// Plain pointers to the records of a list (for modelToJson and sameModel).
DRIVESYS_API std::vector<const nMetaStruct*> pointersOf(const RecordList& records);

}  // namespace ds
