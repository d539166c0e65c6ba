#include "drivesys/foundation/record_text.h"

#include <algorithm>
#include <cstddef>
#include <exception>
#include <iterator>
#include <memory>
#include <new>
#include <nlohmann/json.hpp>
#include <ostream>
#include <stdexcept>
#include <unordered_map>
#include <utility>
#include <vector>

namespace ds {
namespace {
using json = nlohmann::json;

/// A character iterator over the text that keeps how far the parser has read, so that the reader
/// knows where an array it is told of begins.
class TrackedChar {
public:
    using iterator_category = std::input_iterator_tag;
    using value_type = char;
    using difference_type = std::ptrdiff_t;
    using pointer = const char*;
    using reference = const char&;

    TrackedChar(const char* at, const char** read) : at_(at), read_(read) {}
    const char& operator*() const { return *at_; }
    TrackedChar& operator++() {
        *read_ = ++at_;
        return *this;
    }
    TrackedChar operator++(int) {
        TrackedChar before = *this;
        ++*this;
        return before;
    }
    bool operator==(const TrackedChar& other) const { return at_ == other.at_; }
    bool operator!=(const TrackedChar& other) const { return at_ != other.at_; }

private:
    const char* at_;
    const char** read_;
};

/// The number of values in the array whose text starts at `from` (just past its '['); 0 when the
/// text ends first. Only a hint for reserving room: the parser checks the text itself.
size_t countArrayValues(std::string_view text, size_t from) {
    size_t depth = 0, commas = 0;
    bool any = false;
    for (size_t i = from; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"') {
            for (++i; i < text.size() && text[i] != '"'; ++i)
                if (text[i] == '\\') ++i;
            any = true;
        } else if (c == '[' || c == '{') {
            ++depth;
            any = true;
        } else if (c == ']' || c == '}') {
            if (depth == 0) return any ? commas + 1 : 0;
            --depth;
        } else if (c == ',') {
            if (depth == 0) ++commas;
        } else if (c != ' ' && c != '\t' && c != '\n' && c != '\r') {
            any = true;
        }
    }
    return 0;
}

/// A JSON tree built from parser events, as the JSON library's own tree parser builds it (a
/// repeated key keeps its last value).
class TreeBuilder {
public:
    /// Adds a finished value; true when it completes the tree.
    bool value(json&& v) {
        place(std::move(v));
        return open_.empty();
    }
    void open(bool object) { open_.push_back(place(object ? json::object() : json::array())); }
    void key(std::string& k) { slot_ = &(*open_.back())[k]; }
    /// Closes the innermost object or array; true when that completes the tree.
    bool close() {
        open_.pop_back();
        return open_.empty();
    }
    json take() { return std::move(root_); }

private:
    json* place(json&& v) {
        if (open_.empty()) {
            root_ = std::move(v);
            return &root_;
        }
        if (open_.back()->is_array()) {
            auto& list = open_.back()->get_ref<json::array_t&>();
            list.push_back(std::move(v));
            return &list.back();
        }
        *slot_ = std::move(v);
        return slot_;
    }

    json root_;
    std::vector<json*> open_;
    json* slot_ = nullptr;
};

/// Lists below this many enclosing lists are counted before they are filled, so that they are
/// allocated once at their size; deeper ones grow as they fill (keeps the counting linear).
constexpr size_t kCountedListDepth = 4;

/// The parser's event handler: fills the records as the events arrive.
class StreamReader {
public:
    StreamReader(std::string_view text, const char* const* read, nMetaStruct& root, const RecordInfo& info, RecordTextReport& report,
                 const MemberValueCheck* check)
        : text_(text), read_(read), root_(root), rootInfo_(info), report_(report), check_(check) {}

    // ---- the JSON library's event interface ----
    bool null() { return scalar(json(nullptr), "null"); }
    bool boolean(bool v) { return scalar(json(v), "boolean"); }
    bool number_integer(json::number_integer_t v) { return scalar(json(v), "integer"); }
    bool number_unsigned(json::number_unsigned_t v) { return scalar(json(v), "integer"); }
    bool number_float(json::number_float_t v, const std::string&) { return scalar(json(v), "number"); }
    bool string(std::string& v) { return scalar(json(std::move(v)), "string"); }
    bool binary(json::binary_t&) { return giveUp(); }
    bool start_object(std::size_t) { return open(true); }
    bool start_array(std::size_t) { return open(false); }
    bool key(std::string& k) {
        if (mode_ == Mode::skip || mode_ == Mode::rest) return true;
        if (mode_ == Mode::tree) {
            tree_.key(k);
            return true;
        }
        return recordKey(k);
    }
    bool end_object() { return close(); }
    bool end_array() { return close(); }
    bool parse_error(std::size_t, const std::string&, const json::exception& e) {
        if (const auto* p = dynamic_cast<const json::parse_error*>(&e)) parseError_ = std::make_exception_ptr(*p);
        else if (const auto* o = dynamic_cast<const json::out_of_range*>(&e)) parseError_ = std::make_exception_ptr(*o);
        else parseError_ = std::make_exception_ptr(std::runtime_error(e.what()));
        return false;
    }

    std::exception_ptr parseError() const { return parseError_; }
    bool gaveUp() const { return gaveUp_; }
    bool rootIsObject() const { return rootIsObject_; }

private:
    // normal: filling records; tree: building a plain member's value; skip: passing over a
    // value that has no place; rest: given up, passing over everything to the end of the text
    // (so that a parse error further on is still the one the tree parser gives).
    enum class Mode { normal, tree, skip, rest };
    enum class Kind { object, array, scalar };

    struct Frame {
        bool isList = false;
        // A record: the record, its class, the member whose value comes next (null after a key
        // that names no member) and where its members' "seen" flags begin in seen_.
        nMetaStruct* record = nullptr;
        const RecordInfo* info = nullptr;
        const FieldEntry* pending = nullptr;
        size_t seenAt = 0;
        // A list: the list and its operations.
        const FieldOps* ops = nullptr;
        void* list = nullptr;
    };

    /// Where the next value goes: a member or list entry of type `ops` at `at`; the root record
    /// (ops null, root true); or nowhere (ops null: the value of an unknown key).
    struct Slot {
        const FieldOps* ops = nullptr;
        void* at = nullptr;
        const Frame* owner = nullptr;
        bool root = false;
    };

    bool giveUp() {
        gaveUp_ = true;
        mode_ = Mode::rest;
        return true;
    }
    /// A part that does not conform to the schema ends the read: the tree gives the message.
    bool nonconforming() {
        report_.conforms = false;
        return giveUp();
    }

    Slot nextSlot() {
        Slot s;
        if (frames_.empty()) {
            s.root = true;
            return s;
        }
        Frame& top = frames_.back();
        if (top.isList) {
            s.ops = top.ops->entryOps;
            s.at = top.ops->listAppend(top.list);
        } else if (top.pending) {
            s.ops = top.pending->ops;
            s.at = top.pending->in(*top.record);
            s.owner = &top;
        }
        return s;
    }

    bool scalar(json&& v, const char* kind) {
        if (mode_ == Mode::skip || mode_ == Mode::rest) return true;
        if (mode_ == Mode::tree) return tree_.value(std::move(v)) ? deliver(tree_.take()) : true;
        const Slot s = nextSlot();
        if (s.root) {
            report_.topType = kind;
            return true;
        }
        if (s.ops && !s.ops->asRecord && !s.ops->entryOps) {
            treeSlot_ = s;
            return deliver(std::move(v));
        }
        return misplaced(Kind::scalar);
    }

    bool open(bool object) {
        if (mode_ == Mode::rest) return true;
        if (mode_ == Mode::skip) {
            ++skipDepth_;
            return true;
        }
        if (mode_ == Mode::tree) {
            tree_.open(object);
            return true;
        }
        const Slot s = nextSlot();
        if (s.root) {
            report_.topType = object ? "object" : "array";
            if (!object) return skip();
            rootIsObject_ = true;
            return pushRecord(root_, rootInfo_);
        }
        if (!s.ops) return misplaced(object ? Kind::object : Kind::array);
        if (s.ops->asRecord) return object ? pushRecord(*s.ops->asRecord(s.at), *s.ops->nested()) : misplaced(Kind::array);
        if (s.ops->entryOps) return object ? misplaced(Kind::object) : pushList(*s.ops, s.at);
        treeSlot_ = s;
        mode_ = Mode::tree;
        tree_.open(object);
        return true;
    }

    bool close() {
        if (mode_ == Mode::rest) return true;
        if (mode_ == Mode::skip) {
            if (--skipDepth_ == 0) mode_ = Mode::normal;
            return true;
        }
        if (mode_ == Mode::tree) return tree_.close() ? deliver(tree_.take()) : true;
        Frame& top = frames_.back();
        if (!top.isList) {
            // The schema wants every member.
            if (check_ && !std::all_of(seen_.begin() + std::ptrdiff_t(top.seenAt), seen_.end(), [](char c) { return c != 0; }))
                return nonconforming();
            seen_.resize(top.seenAt);
        } else {
            --listDepth_;
        }
        frames_.pop_back();
        return true;
    }

    bool recordKey(std::string& k) {
        Frame& top = frames_.back();
        const bool atRoot = frames_.size() == 1;
        if (atRoot) {
            if (!report_.anyKey || k < report_.firstKey) report_.firstKey = k;
            report_.anyKey = true;
        }
        top.pending = top.info->find(k);
        if (!top.pending) return check_ ? nonconforming() : true;
        char& seen = seen_[top.seenAt + size_t(top.pending - top.info->fields().data())];
        // The tree keeps a repeated key's last value only; reading both would mix them.
        if (seen) return giveUp();
        seen = 1;
        if (atRoot) report_.anyMember = true;
        return true;
    }

    /// A value of the wrong kind for its slot, or the value of an unknown key: the member keeps
    /// its value (a list entry stays a default record), the value is passed over.
    bool misplaced(Kind kind) {
        if (check_) return nonconforming();
        return kind == Kind::scalar ? true : skip();
    }

    bool skip() {
        mode_ = Mode::skip;
        skipDepth_ = 1;
        return true;
    }

    bool pushRecord(nMetaStruct& record, const RecordInfo& info) {
        Frame f;
        f.record = &record;
        f.info = &info;
        f.seenAt = seen_.size();
        seen_.resize(seen_.size() + info.fields().size(), 0);
        frames_.push_back(f);
        return true;
    }

    bool pushList(const FieldOps& ops, void* list) {
        size_t expected = 0;
        const char* at = *read_;
        if (listDepth_ < kCountedListDepth && at > text_.data() && at[-1] == '[')
            expected = countArrayValues(text_, size_t(at - text_.data()));
        ops.listRestart(list, expected);
        Frame f;
        f.isList = true;
        f.ops = &ops;
        f.list = list;
        frames_.push_back(f);
        ++listDepth_;
        return true;
    }

    /// Hands a plain member its value, as the tree read would.
    bool deliver(json&& value) {
        mode_ = Mode::normal;
        const Slot& s = treeSlot_;
        const FieldEntry& member = *s.owner->pending;
        if (check_ && !(*check_)(*s.owner->info, member, value)) return nonconforming();
        try {
            s.ops->fromJson(value, s.at);
        } catch (const std::bad_alloc&) {
            throw;
        } catch (const std::exception&) {
            return giveUp();
        }
        return true;
    }

    std::string_view text_;
    const char* const* read_;
    nMetaStruct& root_;
    const RecordInfo& rootInfo_;
    RecordTextReport& report_;
    const MemberValueCheck* check_;

    std::vector<Frame> frames_;
    std::vector<char> seen_;
    size_t listDepth_ = 0;
    Mode mode_ = Mode::normal;
    size_t skipDepth_ = 0;
    TreeBuilder tree_;
    Slot treeSlot_;
    bool gaveUp_ = false;
    bool rootIsObject_ = false;
    std::exception_ptr parseError_;
};

/// Writes records as dump() writes their trees: members in key order, `indent` spaces per level
/// (compact when negative).
class TextWriter {
public:
    TextWriter(std::ostream& stream, int indent) : stream_(stream), indent_(indent) {}

    void record(const nMetaStruct& r, const RecordInfo& info, size_t level) {
        const auto& members = keyOrder(info);
        if (members.empty()) {
            out_ += "{}";
            return;
        }
        out_ += '{';
        for (size_t i = 0; i < members.size(); ++i) {
            if (i) out_ += ',';
            newline(level + 1);
            out_ += members[i].first;
            out_ += indent_ >= 0 ? ": " : ":";
            member(*members[i].second->ops, members[i].second->in(r), level + 1);
        }
        newline(level);
        out_ += '}';
    }

    void member(const FieldOps& ops, const void* m, size_t level) {
        if (ops.asRecord) {
            record(*ops.asRecord(const_cast<void*>(m)), *ops.nested(), level);
        } else if (ops.entryOps) {
            const size_t n = ops.listSize(m);
            if (n == 0) {
                out_ += "[]";
                return;
            }
            out_ += '[';
            for (size_t i = 0; i < n; ++i) {
                if (i) out_ += ',';
                newline(level + 1);
                member(*ops.entryOps, ops.listEntry(m, i), level + 1);
            }
            newline(level);
            out_ += ']';
        } else {
            json value;
            ops.toJson(value, m);
            const std::string text = value.dump(indent_);
            // The value's own lines are indented from the level it stands at.
            for (char c : text) {
                out_ += c;
                if (c == '\n') out_.append(level * size_t(indent_), ' ');
            }
        }
        if (out_.size() >= kFlushAt) flush();
    }

    void flush() {
        stream_.write(out_.data(), std::streamsize(out_.size()));
        out_.clear();
    }

private:
    static constexpr size_t kFlushAt = size_t(1) << 16;
    using KeyOrder = std::vector<std::pair<std::string, const FieldEntry*>>;

    void newline(size_t level) {
        if (indent_ < 0) return;
        out_ += '\n';
        out_.append(level * size_t(indent_), ' ');
    }

    /// The members by their quoted keys, in the order of the tree's object (byte order).
    const KeyOrder& keyOrder(const RecordInfo& info) {
        auto [it, fresh] = orders_.try_emplace(&info);
        if (fresh) {
            for (const FieldEntry& f : info.fields()) it->second.emplace_back(json(f.name).dump(), &f);
            std::sort(it->second.begin(), it->second.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        }
        return it->second;
    }

    std::ostream& stream_;
    int indent_;
    std::string out_;
    std::unordered_map<const RecordInfo*, KeyOrder> orders_;
};

}  // namespace

bool readRecordText(std::string_view text, nMetaStruct& record, const RecordInfo& info, RecordTextReport& report,
                    const MemberValueCheck* check) {
    report = RecordTextReport();
    const char* read = text.data();
    StreamReader reader(text, &read, record, info, report, check);
    const char* end = text.data() + text.size();
    json::sax_parse(TrackedChar(text.data(), &read), TrackedChar(end, &read), &reader);
    if (reader.parseError()) std::rethrow_exception(reader.parseError());
    return !reader.gaveUp() && reader.rootIsObject();
}

void writeRecordText(std::ostream& out, const nMetaStruct& record, const RecordInfo& info, int indent) {
    TextWriter writer(out, indent);
    writer.record(record, info, 0);
    writer.flush();
}

}  // namespace ds
