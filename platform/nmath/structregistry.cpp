#include "drivesys/platform/nmath/structregistry.h"

nStructRegistry& nStructRegistry::getInstance() {
    static nStructRegistry instance;
    return instance;
}

int nStructRegistry::getRegisterToken(const wchar_t* identifier) const {
    if (!identifier) return 0;
    std::shared_lock lock(mutex_);
    auto it = tokens_.find(identifier);
    return it == tokens_.end() ? 0 : it->second;
}

int nStructRegistry::doRegister(const wchar_t* identifier) {
    std::unique_lock lock(mutex_);
    names_.emplace_back();
    const int token = static_cast<int>(names_.size());
    if (identifier) tokens_[identifier] = token;
    return token;
}

int nStructRegistry::registerOnce(const wchar_t* identifier, const std::vector<nWString>& names) {
    if (!identifier) return 0;
    std::unique_lock lock(mutex_);
    auto it = tokens_.find(identifier);
    if (it != tokens_.end()) return it->second;
    names_.push_back(names);
    const int token = static_cast<int>(names_.size());
    tokens_[identifier] = token;
    return token;
}

void nStructRegistry::registerName(int token, const nWString& name) {
    std::unique_lock lock(mutex_);
    if (token <= 0 || static_cast<size_t>(token) > names_.size()) return;
    names_[static_cast<size_t>(token) - 1].push_back(name);
}

nWString nStructRegistry::getName(int token, size_t i) const {
    std::shared_lock lock(mutex_);
    if (token <= 0 || static_cast<size_t>(token) > names_.size()) return {};
    const auto& list = names_[static_cast<size_t>(token) - 1];
    return i < list.size() ? list[i] : nWString();
}

size_t nStructRegistry::getNumberOfNames(int token) const {
    std::shared_lock lock(mutex_);
    if (token <= 0 || static_cast<size_t>(token) > names_.size()) return 0;
    return names_[static_cast<size_t>(token) - 1].size();
}

size_t nStructRegistry::numberOfTypes() const {
    std::shared_lock lock(mutex_);
    return names_.size();
}
