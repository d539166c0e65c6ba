#include "drivesys/platform/nmath/nmetastruct.h"

#include <nlohmann/json.hpp>
#include <stdexcept>

#include "drivesys/platform/nmath/meta.h"
#include "drivesys/platform/nmath/structregistry.h"

using json = nlohmann::json;

struct nMetaStruct::State {
    std::unique_ptr<Meta> meta;
    /// Initial values carried over from a copied record, applied when the Meta is built.
    InitList pendingInit;
};

nMetaStruct::nMetaStruct() = default;
nMetaStruct::nMetaStruct(const nMetaStruct& other) : token_(other.token_) { takeInitValues(other.initValues()); }
nMetaStruct::nMetaStruct(nMetaStruct&& other) noexcept : token_(other.token_) {
    try {
        takeInitValues(other.initValues());
    } catch (...) {
    }
}
nMetaStruct& nMetaStruct::operator=(const nMetaStruct& other) {
    if (this != &other) {
        token_ = other.token_;
        takeInitValues(other.initValues());
    }
    return *this;
}
nMetaStruct& nMetaStruct::operator=(nMetaStruct&& other) noexcept {
    if (this != &other) {
        token_ = other.token_;
        try {
            takeInitValues(other.initValues());
        } catch (...) {
        }
    }
    return *this;
}
nMetaStruct::~nMetaStruct() = default;

bool nMetaStruct::hasMeta() const { return state_ && state_->meta; }

nMetaStruct::State& nMetaStruct::state() {
    if (!state_) state_ = std::make_unique<State>();
    return *state_;
}

nMetaStruct::InitList nMetaStruct::initValues() const {
    if (!state_) return {};
    return state_->meta ? state_->meta->initValues() : state_->pendingInit;
}

void nMetaStruct::takeInitValues(InitList values) {
    if (values.empty()) return;
    if (hasMeta()) {
        for (auto& [name, text] : values) state_->meta->SetInit(name.c_str(), text);
    } else {
        state().pendingInit = std::move(values);
    }
}

Meta* nMetaStruct::getMeta() {
    if (!hasMeta()) makeMeta();
    return state_ ? state_->meta.get() : nullptr;
}

Meta* nMetaStruct::installMeta(std::unique_ptr<Meta> meta) {
    state().meta = std::move(meta);
    return state_->meta.get();
}

void nMetaStruct::finishMeta() {
    if (!hasMeta()) return;
    for (auto& [name, text] : state_->pendingInit) state_->meta->SetInit(name.c_str(), text);
    state_->pendingInit.clear();
}

bool nMetaStruct::isRegistered(const wchar_t* identifier) const {
    return nStructRegistry::getInstance().getRegisterToken(identifier) != 0;
}

int nMetaStruct::doRegister(const wchar_t* identifier) const {
    token_ = nStructRegistry::getInstance().doRegister(identifier);
    return token_;
}

void nMetaStruct::registerName(int token, const nWString& name) { nStructRegistry::getInstance().registerName(token, name); }

nWString nMetaStruct::getMemberName(size_t k) const {
    registerStruct();
    const int token = nStructRegistry::getInstance().getRegisterToken(typeIdentifier());
    return nStructRegistry::getInstance().getName(token, k);
}

size_t nMetaStruct::getNumberOfMembers() const {
    registerStruct();
    const int token = nStructRegistry::getInstance().getRegisterToken(typeIdentifier());
    return nStructRegistry::getInstance().getNumberOfNames(token);
}

nWString nMetaStruct::serialize(const nWString& prefix, NMetaMaps map) const {
    Meta* meta = const_cast<nMetaStruct*>(this)->getMeta();
    nWString out;
    for (size_t i = 0; i < meta->GetNumberOfVars(); ++i) out += meta->GetVarAt(i)->serialize(prefix, map);
    return out;
}

json nMetaStruct::toJson() const {
    Meta* meta = const_cast<nMetaStruct*>(this)->getMeta();
    json j = json::object();
    for (size_t i = 0; i < meta->GetNumberOfVars(); ++i) {
        MetaVar* v = meta->GetVarAt(i);
        json value;
        if (v->GetAsJson(json(), value) != nStatusCodes::Ok) value = nullptr;
        j[v->GetName()] = std::move(value);
    }
    return j;
}

void nMetaStruct::fromJson(const json& j) {
    if (j.is_null()) return;
    if (!j.is_object()) throw std::invalid_argument("the conversion function expects a valid json object as argument");
    Meta* meta = getMeta();
    for (size_t i = 0; i < meta->GetNumberOfVars(); ++i) {
        MetaVar* v = meta->GetVarAt(i);
        auto it = j.find(v->GetName());
        if (it != j.end()) v->SetFromJson(*it);
    }
}

nWString nMetaStruct::GetAsWString() const { return nWString::fromUtf8(toJson().dump()); }

MetaVar* nMetaStruct::GetMetaVar(const nWString& path) { return getMeta()->GetMetaVar(path); }

bool nMetaStruct::remove(const nWString& path) {
    if (path.empty()) return false;
    const size_t pos = path.find_first_of(L".[");
    if (pos == nWString::npos) return false;
    MetaVar* v = getMeta()->GetVar(ntypes::toUtf8(path.substr(0, pos)));
    if (!v) return false;
    nWString rest(path.substr(pos + 1));
    if (path[pos] == L'[') {
        const size_t close = rest.find(L']');
        if (close == nWString::npos) return false;
        if (close + 1 == rest.size()) {
            // "list[3]": remove that element.
            const nWString digits(rest.substr(0, close));
            if (digits.empty() || digits.size() > 18 || digits.find_first_not_of(L"0123456789") != nWString::npos)
                return false;
            const size_t index = static_cast<size_t>(std::stoull(digits.toUtf8()));
            if (index >= v->size()) return false;
            v->erase(index);
            return true;
        }
    }
    return v->remove(rest);
}
