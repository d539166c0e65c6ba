#pragma once
// Record vectors: described variables over a std::vector of records, so screens and the
// serialiser can read, grow, shrink and address elements by index path ("3]", "[3].name").
//
// Index paths. The index is the decimal text before the first ']' (opening brackets dropped).
// A path whose index is not a plain decimal number (empty, signed, with other characters, or
// longer than 18 digits) is refused. A valid index at or beyond the size grows the list to
// index + 1 elements, but only while that stays within kMaxIndexPathElements (100000): a larger
// index is refused. A refused path reports an internal message and GetMetaVar returns null.
#include <limits>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "drivesys/platform/drivesys_export.h"
#include "drivesys/platform/nmath/json.h"
#include "drivesys/platform/nmath/meta.h"
#include "drivesys/platform/nmath/metavar.h"
#include "drivesys/platform/nmath/nmetastruct.h"
#include "drivesys/platform/nmath/structregistry.h"
#include "drivesys/platform/ntypes/internmessage.h"

namespace ds {
/// Largest list an index path may grow a record vector to.
inline constexpr size_t kMaxIndexPathElements = 100000;

/// Parses the index of an index path; false for anything but a plain decimal number.
inline bool parseIndexPath(const std::wstring& path, size_t& index, std::wstring& rest) {
    const size_t close = path.find(L']');
    if (close == std::wstring::npos) return false;
    std::wstring digits;
    for (size_t i = 0; i < close; ++i)
        if (path[i] != L'[') digits.push_back(path[i]);
    rest = path.substr(close + 1);
    if (digits.empty() || digits.size() > 18) return false;
    size_t v = 0;
    for (wchar_t c : digits) {
        if (c < L'0' || c > L'9') return false;
        v = v * 10 + static_cast<size_t>(c - L'0');
    }
    index = v;
    return true;
}

inline void reportRefusedPath(const std::wstring& path, const char* why) {
    internMessage("foundation/metavector", __LINE__,
                  nWString(L"Record vector refused index path \"") + nWString(path) + L"\": " +
                      nWString::fromUtf8(why));
}

/// True for a path that addresses an element ("3]", "[3].name"); otherwise the path means the
/// record vector itself.
inline bool isIndexPath(const std::wstring& path) { return path.find(L']') != std::wstring::npos; }

/// The element an index path addresses, the list grown to hold it; `below` receives the path
/// under the element without its separator ("3].name" gives element 3 and "name"). A refused
/// path is reported and gives null.
template <class E>
E* reachIndexPath(std::vector<E>& list, const std::wstring& path, std::wstring& below) {
    size_t index = 0;
    std::wstring rest;
    if (!parseIndexPath(path, index, rest)) {
        reportRefusedPath(path, "the index is not a decimal number");
        return nullptr;
    }
    if (index >= list.size()) {
        if (index >= kMaxIndexPathElements) {
            reportRefusedPath(path, "the index is beyond the largest list a path may make");
            return nullptr;
        }
        list.resize(index + 1);
    }
    below = rest.size() <= 1 ? std::wstring() : rest.substr(1);
    return &list[index];
}

/// The existing element an index path addresses, without growing the list or reporting; null
/// when the index is refused or not below the size.
template <class E>
E* findIndexPath(std::vector<E>& list, const std::wstring& path, std::wstring& below) {
    size_t index = 0;
    std::wstring rest;
    if (!parseIndexPath(path, index, rest) || index >= list.size()) return nullptr;
    below = rest.size() <= 1 ? std::wstring() : rest.substr(1);
    return &list[index];
}
/// A list of records seen without its element type: what the JSON forms of record vectors need,
/// so that they are written once, in the library, instead of in every instantiation.
class DRIVESYS_API RecordListAccess {
public:
    virtual ~RecordListAccess() = default;
    virtual size_t size() const = 0;
    virtual const nMetaStruct& at(size_t i) const = 0;
};

template <class T>
class RecordListOf final : public RecordListAccess {
public:
    explicit RecordListOf(const std::vector<T>& list) : list_(list) {}
    size_t size() const override { return list_.size(); }
    const nMetaStruct& at(size_t i) const override { return list_[i]; }

private:
    const std::vector<T>& list_;
};

/// The described form of each row's elements (an array of arrays of objects, one entry per member
/// as its described variable gives it; a member that gives none is null). `flat` writes the one
/// row as a plain array. ConversionFailed (and null) when a member throws.
DRIVESYS_API nStatusCodes::StatusCode recordRowsAsJson(const std::vector<const RecordListAccess*>& rows, bool flat,
                                                       nlohmann::json& out);
/// The JSON form (toJson) of each row's elements; `flat` as above.
DRIVESYS_API void recordRowsToJson(const std::vector<const RecordListAccess*>& rows, bool flat, nlohmann::json& out);
/// The size of a JSON array, false for anything else.
DRIVESYS_API bool jsonArraySize(const nlohmann::json& value, size_t& size);
/// Entry i of a JSON array (i below its size).
DRIVESYS_API const nlohmann::json& jsonArrayEntry(const nlohmann::json& value, size_t i);
/// Reads `element` from `value`; a failure to read is ignored (the element keeps what was read).
DRIVESYS_API void readElementOrDefault(nMetaStruct& element, const nlohmann::json& value);
}  // namespace ds

/// The generic list operations over a std::vector<T>.
template <class T>
class MetaVector : public MetaCalcVar {
public:
    explicit MetaVector(std::vector<T>* list) : MetaCalcVar(false, 0), list_(list) {}
    MetaVector(std::vector<T>* list, std::vector<T> initial)
        : MetaCalcVar(true, 0), list_(list), initial_(std::move(initial)) {}

    int GetType() const override { return nmath::kTypeRecordVector; }
    bool isDynamic() const override { return true; }
    size_t size() const override { return list_->size(); }
    void resize(size_t n) override { list_->resize(n); }
    void clear() override { list_->clear(); }
    void erase(size_t i) override {
        if (i < list_->size()) list_->erase(list_->begin() + static_cast<std::ptrdiff_t>(i));
    }
    void swap(size_t i, size_t j) override {
        if (i < list_->size() && j < list_->size()) std::swap((*list_)[i], (*list_)[j]);
    }
    void copy(size_t i, size_t j) override {
        if (i < list_->size() && j < list_->size() && i != j) (*list_)[i] = (*list_)[j];
    }
    void* GetRef() override { return list_; }
    void Initialize(int mode) override {
        if (mode == 0) *list_ = initial_;
        else list_->clear();
    }
    bool SetVar(const nWString& text) override {
        if (text.empty()) return true;
        const auto parts = text.ToStringList(L',');
        list_->resize(parts.size());
        for (size_t i = 0; i < parts.size(); ++i)
            internMessage("nmath/nmetacalcvar", 1727, L"Implementation fault in MetaVector: stringToValue was not specialized");
        return false;
    }
    using MetaVar::SetVar;
    void SetElementFromMetaVar(const MetaIndex& index, MetaVar& source) override {
        if (index.empty() || index[0] >= list_->size()) throw std::out_of_range("MetaVector::SetElementFromMetaVar: index out of range");
        (*list_)[index[0]] = T{};
    }
    double GetAsReal(const MetaIndex& index) const override { return numberOf(elementText(index)); }
    double GetAsReal() const override { return numberOf(GetAsWString(true)); }
    int GetAsInt(const MetaIndex& index) const override { return static_cast<int>(GetAsReal(index)); }
    int GetAsInt() const override { return static_cast<int>(GetAsReal()); }
    int64_t GetAsInt64(const MetaIndex& index) const override { return static_cast<int64_t>(GetAsReal(index)); }
    int64_t GetAsInt64() const override { return static_cast<int64_t>(GetAsReal()); }
    nWString GetAsWString(const nWString&) const override { return nWString(L"Not implemented. Do not use directly"); }
    nWString GetAsWString(const MetaIndex& index) const override { return elementText(index); }
    nWString GetAsWString(bool) const override {
        nWString out;
        for (size_t i = 0; i < list_->size(); ++i) {
            if (i) out.push_back(L',');
            out += elementString(i);
        }
        return out;
    }
    nWString GetAsWString() const override { return elementText(MetaIndex{}); }
    using MetaVar::GetAsWString;
    using MetaVar::GetAsReal;
    using MetaVar::GetAsInt;
    using MetaVar::GetAsInt64;
    int dimensions() const override { return 1; }
    void* elementAddress(size_t i) override { return &(*list_)[i]; }
    size_t GetSize() const override { return list_->size(); }
    std::string typeWord() const override { return "list"; }

    std::vector<T>* list() const { return list_; }
    const std::vector<T>& initialList() const { return initial_; }

protected:
    /// The string form of one element for GetAsWString(true).
    virtual nWString elementString(size_t) const { return {}; }

    /// Element texts: an element has no text form inside a record vector, so every element of
    /// the list reports the missing conversion once and gives empty text. An index at or beyond
    /// the size gives empty text without a report; no index gives all texts joined by commas.
    nWString elementText(const MetaIndex& index) const {
        if (!index.empty() && index[0] >= list_->size()) return {};
        nWString joined;
        for (size_t i = 0; i < list_->size(); ++i) {
            internMessage("nmath/nmetacalcvar", 1447, L"Implementation fault in MetaVector: transformContents was not specialized");
            if (i) joined.push_back(L',');
        }
        return index.empty() ? joined : nWString();
    }
    static double numberOf(const nWString& text) {
        double v = -1.0;
        if (text.empty() || !nmath::leadingNumber(text, v)) return -1.0;
        return v;
    }

    std::vector<T>* list_;
    std::vector<T> initial_;
};

/// A record vector over a list of records T.
template <class T>
class MetaVectorStruct : public MetaVector<T> {
public:
    explicit MetaVectorStruct(std::vector<T>* list) : MetaVector<T>(list) { registerElementType(); }
    MetaVectorStruct(std::vector<T>* list, std::vector<T> initial) : MetaVector<T>(list, std::move(initial)) {
        registerElementType();
    }

    nWString getMemberName(size_t k) const override {
        if (token_ != 0) return nStructRegistry::getInstance().getName(token_, k);
        return this->list_->empty() ? nWString() : (*this->list_)[0].getMemberName(k);
    }
    void SetElementFromMetaVar(const MetaIndex& index, MetaVar& source) override {
        if (index.empty() || index[0] >= this->list_->size())
            throw std::out_of_range("MetaVectorStruct::SetElementFromMetaVar: index out of range");
        T& element = (*this->list_)[index[0]];
        if (source.GetType() == nmath::kTypeStruct) {
            if (const T* wrapped = dynamic_cast<const T*>(static_cast<nMetaStruct*>(source.GetRef()))) {
                if (wrapped != &element) element = *wrapped;
                return;
            }
        }
        element = T{};
    }
    MetaVar* GetMetaVar(const nWString& path, MetaIndex* = nullptr) override {
        if (!ds::isIndexPath(path)) return this;
        std::wstring below;
        T* element = ds::reachIndexPath(*this->list_, path, below);
        if (!element) return nullptr;
        if (below.empty()) {
            wrappers_.push_back(std::make_unique<MetaVarStruct>(element, nullptr));
            return wrappers_.back().get();
        }
        return element->GetMetaVar(nWString(below));
    }
    bool remove(const nWString& path) override {
        if (!ds::isIndexPath(path)) return false;
        std::wstring below;
        T* element = ds::findIndexPath(*this->list_, path, below);
        return element && element->remove(nWString(below));
    }
    nStatusCodes::StatusCode GetAsJson(const nlohmann::json&, nlohmann::json& out) const override {
        const ds::RecordListOf<T> list(*this->list_);
        return ds::recordRowsAsJson({&list}, true, out);
    }
    bool SetFromJson(const nlohmann::json& value) override {
        size_t n = 0;
        if (!ds::jsonArraySize(value, n)) return false;
        std::vector<T> fresh(n);
        for (size_t i = 0; i < n; ++i) ds::readElementOrDefault(fresh[i], ds::jsonArrayEntry(value, i));
        *this->list_ = std::move(fresh);
        return true;
    }
    nWString serialize(const nWString& prefix, NMetaMaps map) const override {
        nWString out;
        for (size_t i = 0; i < this->list_->size(); ++i)
            out += (*this->list_)[i].serialize(prefix + ntypes::widen(this->GetName()) + L"[" + nWString(static_cast<unsigned long long>(i)) + L"].", map);
        return out;
    }
    std::shared_ptr<MetaVar> GetAsMetaVar(const MetaIndex& index) override {
        if (!index.empty() && index[0] < this->list_->size()) return MakeMetaVar((*this->list_)[index[0]]);
        return std::make_shared<MetaVectorStruct<T>>(this->list_);
    }
    void defaultAsJson(nlohmann::json& out) const override {
        const ds::RecordListOf<T> list(this->initial_);
        ds::recordRowsToJson({&list}, true, out);
    }
    std::string typeWord() const override { return "list<record:" + className() + ">"; }
    int token() const { return token_; }

protected:
    nWString elementString(size_t i) const override { return (*this->list_)[i].GetAsWString(); }

private:
    static std::string className() {
        std::string id = ntypes::toUtf8(T::struct_identifier());
        return id.rfind("class ", 0) == 0 ? id.substr(6) : id;
    }
    void registerElementType() {
        if (T::struct_identifier() == nullptr) return;
        token_ = T::registerType();
    }
    int token_ = 0;
    std::vector<std::unique_ptr<MetaVarStruct>> wrappers_;
};

/// The list of lists of T (rows) as a list variable.
template <class T>
class MetaVector2D : public MetaVector<std::vector<T>> {
public:
    using MetaVector<std::vector<T>>::MetaVector;
    int GetType() const override { return nmath::kTypeRecordVector2D; }
    int dimensions() const override { return 2; }
};

/// A record vector over a list of lists of records T; a path "i]" addresses row i as a record
/// vector of its own, "i].j].name" a member of element j of row i.
template <class T>
class MetaVectorStruct2D : public MetaVector2D<T> {
public:
    explicit MetaVectorStruct2D(std::vector<std::vector<T>>* list) : MetaVector2D<T>(list) {}
    MetaVectorStruct2D(std::vector<std::vector<T>>* list, std::vector<std::vector<T>> initial)
        : MetaVector2D<T>(list, std::move(initial)) {}

    nWString getMemberName(size_t k) const override {
        const int token = T::registerType();
        return nStructRegistry::getInstance().getName(token, k);
    }
    MetaVar* GetMetaVar(const nWString& path, MetaIndex* = nullptr) override {
        if (!ds::isIndexPath(path)) return this;
        std::wstring below;
        std::vector<T>* row = ds::reachIndexPath(*this->list_, path, below);
        if (!row) return nullptr;
        rows_.push_back(std::make_unique<MetaVectorStruct<T>>(row));
        rows_.back()->SetName(this->GetName() + "[" + std::to_string(row - this->list_->data()) + "]");
        if (below.empty()) return rows_.back().get();
        return rows_.back()->GetMetaVar(nWString(below));
    }
    /// "i].j]" removes element j of row i; "i].j].name" what the element's own remove takes.
    bool remove(const nWString& path) override {
        if (!ds::isIndexPath(path)) return false;
        std::wstring inner;
        std::vector<T>* row = ds::findIndexPath(*this->list_, path, inner);
        if (!row) return false;
        MetaVectorStruct<T> rowVector(row);
        if (inner.find(L']') != std::wstring::npos && inner.find(L']') + 1 == inner.size()) {
            std::wstring nothing;
            T* element = ds::findIndexPath(*row, inner, nothing);
            if (!element) return false;
            row->erase(row->begin() + (element - row->data()));
            return true;
        }
        return rowVector.remove(nWString(inner));
    }
    nStatusCodes::StatusCode GetAsJson(const nlohmann::json&, nlohmann::json& out) const override {
        const RowAccess rows(*this->list_);
        return ds::recordRowsAsJson(rows.pointers, false, out);
    }
    bool SetFromJson(const nlohmann::json& value) override {
        size_t n = 0;
        if (!ds::jsonArraySize(value, n)) return false;
        std::vector<std::vector<T>> fresh(n);
        for (size_t i = 0; i < n; ++i) {
            const nlohmann::json& row = ds::jsonArrayEntry(value, i);
            size_t m = 0;
            if (!ds::jsonArraySize(row, m)) continue;
            fresh[i].resize(m);
            for (size_t j = 0; j < m; ++j) ds::readElementOrDefault(fresh[i][j], ds::jsonArrayEntry(row, j));
        }
        *this->list_ = std::move(fresh);
        return true;
    }
    nWString serialize(const nWString& prefix, NMetaMaps map) const override {
        nWString out;
        const nWString name = ntypes::widen(this->GetName());
        for (size_t i = 0; i < this->list_->size(); ++i)
            for (size_t j = 0; j < (*this->list_)[i].size(); ++j)
                out += (*this->list_)[i][j].serialize(prefix + name + L"[" + nWString(static_cast<unsigned long long>(i)) + L"][" +
                                                          nWString(static_cast<unsigned long long>(j)) + L"].",
                                                      map);
        return out;
    }
    /// A row below the size: a record vector over that row (with a second index below the row's
    /// size, the element itself); otherwise a new record vector over the same list.
    std::shared_ptr<MetaVar> GetAsMetaVar(const MetaIndex& index) override {
        if (!index.empty() && index[0] < this->list_->size()) {
            std::vector<T>& row = (*this->list_)[index[0]];
            if (index.size() > 1 && index[1] < row.size()) return MakeMetaVar(row[index[1]]);
            auto v = std::make_shared<MetaVectorStruct<T>>(&row);
            v->SetName(this->GetName() + "[" + std::to_string(index[0]) + "]");
            return v;
        }
        auto v = std::make_shared<MetaVectorStruct2D<T>>(this->list_);
        v->SetName(this->GetName());
        return v;
    }
    void defaultAsJson(nlohmann::json& out) const override {
        const RowAccess rows(this->initial_);
        ds::recordRowsToJson(rows.pointers, false, out);
    }
    std::string typeWord() const override {
        std::string id = ntypes::toUtf8(T::struct_identifier());
        return "list2<record:" + (id.rfind("class ", 0) == 0 ? id.substr(6) : id) + ">";
    }

private:
    /// The rows of a list of lists, each seen as a list of records.
    struct RowAccess {
        explicit RowAccess(const std::vector<std::vector<T>>& list) {
            rows.reserve(list.size());
            for (const auto& row : list) rows.emplace_back(row);
            for (const auto& row : rows) pointers.push_back(&row);
        }
        std::vector<ds::RecordListOf<T>> rows;
        std::vector<const ds::RecordListAccess*> pointers;
    };
    std::vector<std::unique_ptr<MetaVectorStruct<T>>> rows_;
};

/// True when both lists have the same length and equal elements (T's ==).
template <class T>
bool areVectorsEqual(const std::vector<T>& a, const std::vector<T>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (!(a[i] == b[i])) return false;
    return true;
}
