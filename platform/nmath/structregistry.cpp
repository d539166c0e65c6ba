#include "drivesys/platform/nmath/structregistry.h"

#include <mutex>
#include <shared_mutex>
#include <string>
#include <unordered_map>

struct nStructRegistry::Tables {
    mutable std::shared_mutex mutex;
    std::unordered_map<std::wstring, int> tokens;
    std::vector<std::vector<nWString>> names;  // index = token - 1
};

nStructRegistry::nStructRegistry() : tables_(std::make_unique<Tables>()) {}
nStructRegistry::~nStructRegistry() = default;

nStructRegistry& nStructRegistry::getInstance() {
    static nStructRegistry instance;
    return instance;
}

int nStructRegistry::getRegisterToken(const wchar_t* identifier) const {
    if (!identifier) return 0;
    std::shared_lock lock(tables_->mutex);
    auto it = tables_->tokens.find(identifier);
    return it == tables_->tokens.end() ? 0 : it->second;
}

int nStructRegistry::doRegister(const wchar_t* identifier) {
    std::unique_lock lock(tables_->mutex);
    tables_->names.emplace_back();
    const int token = static_cast<int>(tables_->names.size());
    if (identifier) tables_->tokens[identifier] = token;
    return token;
}

int nStructRegistry::registerOnce(const wchar_t* identifier, const std::vector<nWString>& names) {
    if (!identifier) return 0;
    std::unique_lock lock(tables_->mutex);
    auto it = tables_->tokens.find(identifier);
    if (it != tables_->tokens.end()) return it->second;
    tables_->names.push_back(names);
    const int token = static_cast<int>(tables_->names.size());
    tables_->tokens[identifier] = token;
    return token;
}

void nStructRegistry::registerName(int token, const nWString& name) {
    std::unique_lock lock(tables_->mutex);
    if (token <= 0 || static_cast<size_t>(token) > tables_->names.size()) return;
    tables_->names[static_cast<size_t>(token) - 1].push_back(name);
}

nWString nStructRegistry::getName(int token, size_t i) const {
    std::shared_lock lock(tables_->mutex);
    if (token <= 0 || static_cast<size_t>(token) > tables_->names.size()) return {};
    const auto& list = tables_->names[static_cast<size_t>(token) - 1];
    return i < list.size() ? list[i] : nWString();
}

size_t nStructRegistry::getNumberOfNames(int token) const {
    std::shared_lock lock(tables_->mutex);
    if (token <= 0 || static_cast<size_t>(token) > tables_->names.size()) return 0;
    return tables_->names[static_cast<size_t>(token) - 1].size();
}

size_t nStructRegistry::numberOfTypes() const {
    std::shared_lock lock(tables_->mutex);
    return tables_->names.size();
}
