#include "drivesys/platform/ntypes/translator.h"

#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

namespace {
std::map<int, nWString>& builtinTable() {
    static std::map<int, nWString> table{
        {740, L"Unnamed"},
    };
    return table;
}
std::mutex& builtinMutex() {
    static std::mutex m;
    return m;
}
}  // namespace

nTextPool pool;

namespace ntypes {
void addBuiltinTexts(std::initializer_list<std::pair<int, const wchar_t*>> texts) {
    {
        std::lock_guard lock(builtinMutex());
        for (const auto& [id, text] : texts) builtinTable()[id] = text;
    }
    for (const auto& [id, text] : texts)
        if (!pool.has(id)) pool.setString(id, text);
}
}  // namespace ntypes

nTextPool::nTextPool() { resetToBuiltin(); }

nWString nTextPool::GetString(int id) const {
    std::shared_lock lock(mutex_);
    auto it = texts_.find(id);
    if (it != texts_.end()) return it->second;
    return nWString(L"[text " + std::to_wstring(id) + L"]");
}

bool nTextPool::has(int id) const {
    std::shared_lock lock(mutex_);
    return texts_.count(id) != 0;
}

void nTextPool::setString(int id, const nWString& text) {
    std::unique_lock lock(mutex_);
    texts_[id] = text;
    changed();
}

bool nTextPool::loadFromJsonFile(const nWString& path) {
    std::ifstream in(path.toUtf8(), std::ios::binary);
    if (!in) return false;
    std::stringstream buffer;
    buffer << in.rdbuf();
    auto j = nlohmann::json::parse(buffer.str(), nullptr, false);
    if (j.is_discarded() || !j.is_object()) return false;
    std::map<int, nWString> loaded;
    for (const auto& [key, value] : j.items()) {
        if (!value.is_string()) return false;
        size_t used = 0;
        int id = 0;
        try {
            id = std::stoi(key, &used);
        } catch (const std::exception&) {
            return false;
        }
        if (used != key.size()) return false;
        loaded[id] = nWString::fromUtf8(value.get<std::string>());
    }
    std::unique_lock lock(mutex_);
    for (auto& [id, text] : loaded) texts_[id] = std::move(text);
    changed();
    return true;
}

void nTextPool::resetToBuiltin() {
    std::map<int, nWString> copy;
    {
        std::lock_guard lock(builtinMutex());
        copy = builtinTable();
    }
    std::unique_lock lock(mutex_);
    texts_ = std::move(copy);
    changed();
}
