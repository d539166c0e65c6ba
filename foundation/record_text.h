#pragma once
// Records read from and written as JSON text without a JSON tree of the whole text.
//
// A JSON tree costs far more than the text or the records it stands for (an empty object is a
// heap-allocated map, every value 16 bytes plus its allocations), so a record file of a million
// list elements held as one tree needs about a gigabyte. Here the text is parsed as a stream of
// events: objects that are records and arrays that are lists of records are filled in as they
// arrive, and only the value of a plain member (a number, a text, a list of numbers, a matrix) is
// built as a small tree and handed to the member's own reading. Writing walks the records and
// prints each plain member's small tree in place.
//
// The result is the one of parsing the text and reading the tree with readJson (record.h: the
// reading of fromJson and of the JSON pair), byte for byte the one of dump() for writing. Where a
// stream read could come to a different result than the tree read, it gives up and says so
// (readRecordText returns false): a member key repeated within one record (the tree keeps the
// last value only) and a member whose reading throws. The caller then parses the text and reads
// the tree the usual way. A JSON assignment (operator= from JSON) may be a class's own and reads
// from the tree only.
#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>

#include "drivesys/foundation/record.h"

namespace ds {

/// What a stream read saw of the text beyond the record.
struct RecordTextReport {
    /// Kind of the top-level value: null, boolean, integer, number, string, array or object.
    std::string topType;
    /// Top-level keys: whether there was any, whether any names a member, and the first in byte
    /// order (the first key of the text's tree).
    bool anyKey = false;
    bool anyMember = false;
    std::string firstKey;
    /// With a schema check: whether the text has the form the record's JSON Schema (json_schema.h)
    /// describes: every member present and no other key in every record, records as objects and
    /// lists as arrays, and every plain member value accepted by the check's callback.
    bool conforms = true;
};

/// The schema check of a stream read: given the record class and member, whether a plain
/// member's value conforms to that member's schema.
using MemberValueCheck = std::function<bool(const RecordInfo& owner, const FieldEntry& member, const nlohmann::json& value)>;

/// Reads the JSON text into `record` (of class `info`, starting from its present values) as
/// readJson reads the text's tree. Parse errors throw the JSON library's exceptions, as
/// nlohmann::json::parse does, whatever else the text holds. The whole text is parsed even when
/// its top-level value is not an object (the read then returns false), so `report` tells a
/// misplaced file from a broken one without a tree. Returns false when the tree read must decide
/// (see above; `record` is then partly read and should be reset before it), true when `record`
/// holds what the tree read would give. With `check`, a part found not to conform also ends the
/// read (returning false and report.conforms false): the schema's own message comes from the tree.
DRIVESYS_API bool readRecordText(std::string_view text, nMetaStruct& record, const RecordInfo& info, RecordTextReport& report,
                                 const MemberValueCheck* check = nullptr);

/// The JSON text of a record, as writeJson followed by dump(indent) gives it (indent < 0:
/// compact), written in pieces to `out` without the tree of the whole record.
DRIVESYS_API void writeRecordText(std::ostream& out, const nMetaStruct& record, const RecordInfo& info, int indent = -1);

}  // namespace ds
