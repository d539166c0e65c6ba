#include "drivesys/platform/nmath/metavar.h"
#include "drivesys/platform/nmath/metavar_impl.h"

#include <nlohmann/json.hpp>
#include <type_traits>

#include "drivesys/platform/nmath/meta.h"
#include "drivesys/platform/nmath/nmetastruct.h"

using json = nlohmann::json;

// ---- MetaVar: the framework's base behaviour -------------------------------------------------
MetaVar::~MetaVar() = default;
int MetaVar::GetSkriptType() const { return GetType(); }
bool MetaVar::isDynamic() const { return false; }
bool MetaVar::isStruct() const { return GetType() == nmath::kTypeStruct; }
bool MetaVar::isString() const { return GetType() == nmath::kTypeString; }
size_t MetaVar::size() const { return 1; }
void MetaVar::resize(size_t) {}
void MetaVar::clear() {}
void MetaVar::erase(size_t) {}
void MetaVar::swap(size_t, size_t) {}
void MetaVar::copy(size_t, size_t) {}
nWString MetaVar::getMemberName(size_t) const { return {}; }
Meta* MetaVar::GetMeta() { return nullptr; }
void MetaVar::Initialize(int) {}
bool MetaVar::SetVar(bool value) { return SetVar(nWString(value ? L"1" : L"0")); }
bool MetaVar::SetVar(int64_t value) { return SetVar(nWString(static_cast<long long>(value))); }
bool MetaVar::SetVar(int value) { return SetVar(nWString(value)); }
bool MetaVar::SetVar(double value) { return SetVar(nWString(value)); }
bool MetaVar::SetVar(const nWString&) { return false; }
bool MetaVar::SetVar(const wchar_t* text) { return SetVar(nWString(text)); }
bool MetaVar::SetVar(const char* latin1) { return SetVar(nWString::fromLatin1(latin1 ? latin1 : "")); }
void MetaVar::SetElementFromMetaVar(const MetaIndex&, MetaVar&) {}
void MetaVar::SetInit(const nWString& text) {
    init_ = text;
    hasInit_ = true;
}
MetaVar* MetaVar::GetMetaVar(const nWString& path, MetaIndex*) { return path.empty() ? this : nullptr; }
bool MetaVar::remove(const nWString&) { return false; }
bool MetaVar::GetAsBool() const { return GetAsReal() != 0.0; }
short MetaVar::GetAsShort() const { return static_cast<short>(GetAsInt()); }
double MetaVar::GetAsReal(const nWString&) const { return GetAsReal(); }
double MetaVar::GetAsReal(const MetaIndex&) const { return GetAsReal(); }
double MetaVar::GetAsReal() const {
    double v = 0.0;
    return nmath::leadingNumber(GetAsWString(), v) ? v : 0.0;
}
int MetaVar::GetAsInt(const MetaIndex&) const { return GetAsInt(); }
int MetaVar::GetAsInt() const { return static_cast<int>(GetAsInt64()); }
int64_t MetaVar::GetAsInt64(const MetaIndex&) const { return GetAsInt64(); }
int64_t MetaVar::GetAsInt64() const {
    const nWString text = GetAsWString().Trim();
    wchar_t* end = nullptr;
    const long long v = std::wcstoll(text.c_str(), &end, 10);
    if (end != text.c_str() && *end == L'\0') return v;
    const double r = GetAsReal();
    if (!(r == r) || r > 9.2e18 || r < -9.2e18) return 0;
    return static_cast<int64_t>(r);
}
nWString MetaVar::GetAsWString(const nWString&) const { return GetAsWString(); }
nWString MetaVar::GetAsWString(const MetaIndex&) const { return GetAsWString(); }
nWString MetaVar::GetAsWString(bool) const { return GetAsWString(); }
nWString MetaVar::GetAsWString() const { return {}; }
nStatusCodes::StatusCode MetaVar::GetAsJson(const json&, json& out) const {
    out = nullptr;
    return nStatusCodes::NotSupported;
}
bool MetaVar::SetFromJson(const json&) { return false; }
nWString MetaVar::serialize(const nWString& prefix, NMetaMaps) const {
    return prefix + ntypes::widen(name_) + L"=" + GetAsWString() + L"\n";
}
int MetaVar::dimensions() const { return 0; }
void* MetaVar::elementAddress(size_t) { return nullptr; }
std::shared_ptr<MetaVar> MetaVar::GetAsMetaVar(const MetaIndex&) { return nullptr; }
size_t MetaVar::GetSize() const { return size(); }
void MetaVar::defaultAsJson(json& out) const { out = nullptr; }
std::string MetaVar::typeWord() const { return {}; }

#define NMATH_DEFINE_METAVAR(T) template class MetaVarT<T>;
NMATH_PLAIN_VALUE_TYPES(NMATH_DEFINE_METAVAR)
#undef NMATH_DEFINE_METAVAR

// ---- MetaVarStruct ---------------------------------------------------------------------------
namespace {
std::string classNameOf(const nMetaStruct* r) {
    std::string id = ntypes::toUtf8(r->typeIdentifier());
    return id.rfind("class ", 0) == 0 ? id.substr(6) : id;
}
}  // namespace

MetaVarStruct::MetaVarStruct(nMetaStruct* record, const nMetaStruct* def) : record_(record), def_(def) {
    hasDefault_ = def != nullptr;
}
int MetaVarStruct::GetType() const { return nmath::kTypeStruct; }
void* MetaVarStruct::GetRef() { return record_; }
Meta* MetaVarStruct::GetMeta() { return record_->getMeta(); }
void MetaVarStruct::Initialize(int mode) { record_->getMeta()->Initialize(mode); }
bool MetaVarStruct::SetVar(const nWString&) { return false; }
MetaVar* MetaVarStruct::GetMetaVar(const nWString& path, MetaIndex*) {
    if (path.empty()) return this;
    return record_->GetMetaVar(path);
}
bool MetaVarStruct::remove(const nWString& path) { return record_->remove(path); }
nWString MetaVarStruct::GetAsWString() const { return record_->GetAsWString(); }
nStatusCodes::StatusCode MetaVarStruct::GetAsJson(const json&, json& out) const {
    try {
        out = record_->toJson();
        return nStatusCodes::Ok;
    } catch (const std::exception&) {
        out = nullptr;
        return nStatusCodes::ConversionFailed;
    }
}
bool MetaVarStruct::SetFromJson(const json& value) {
    if (!value.is_object()) return false;
    try {
        record_->fromJson(value);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}
nWString MetaVarStruct::serialize(const nWString& prefix, NMetaMaps map) const {
    return record_->serialize(prefix + ntypes::widen(name_) + L".", map);
}
void MetaVarStruct::defaultAsJson(json& out) const {
    if (def_) out = def_->toJson();
    else out = nullptr;
}
std::string MetaVarStruct::typeWord() const { return "record:" + classNameOf(record_); }

std::shared_ptr<MetaVarStruct> MakeMetaVar(nMetaStruct& record) {
    return std::make_shared<MetaVarStruct>(&record, nullptr);
}
