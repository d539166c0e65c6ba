#include "drivesys/platform/ntypes/translator.h"

#include <atomic>
#include <fstream>
#include <map>
#include <mutex>
#include <nlohmann/json.hpp>
#include <shared_mutex>
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

struct nTextPool::Table {
    std::atomic<unsigned long> generation{0};
    mutable std::shared_mutex mutex;
    std::map<int, nWString> texts;

    void changed() { generation.fetch_add(1, std::memory_order_acq_rel); }
};

nTextPool::nTextPool() : table_(std::make_unique<Table>()) { resetToBuiltin(); }
nTextPool::~nTextPool() = default;

unsigned long nTextPool::generation() const { return table_->generation.load(std::memory_order_acquire); }

nWString nTextPool::GetString(int id) const {
    std::shared_lock lock(table_->mutex);
    auto it = table_->texts.find(id);
    if (it != table_->texts.end()) return it->second;
    return nWString(L"[text " + std::to_wstring(id) + L"]");
}

bool nTextPool::has(int id) const {
    std::shared_lock lock(table_->mutex);
    return table_->texts.count(id) != 0;
}

void nTextPool::setString(int id, const nWString& text) {
    std::unique_lock lock(table_->mutex);
    table_->texts[id] = text;
    table_->changed();
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
    std::unique_lock lock(table_->mutex);
    for (auto& [id, text] : loaded) table_->texts[id] = std::move(text);
    table_->changed();
    return true;
}

void nTextPool::resetToBuiltin() {
    std::map<int, nWString> copy;
    {
        std::lock_guard lock(builtinMutex());
        copy = builtinTable();
    }
    std::unique_lock lock(table_->mutex);
    table_->texts = std::move(copy);
    table_->changed();
}
