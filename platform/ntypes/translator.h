#pragma once
// The translator: text identifiers to user-visible texts in the current language.
//
// `pool.GetString(id)` looks the id up in the loaded table; the built-in table is English and
// holds the ids this library itself passes. An unknown id gives the visible fallback "[text N]".
// Another table can be loaded from a JSON file {"740": "Fundament", ...}; its entries replace or
// extend the built-in ones. Lookups and loads are safe from several threads.
#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <shared_mutex>

#include "drivesys/platform/ntypes/nwstring.h"

class DRIVESYS_API nTextPool {
public:
    nTextPool();
    nWString GetString(int id) const;
    bool has(int id) const;
    /// Adds or replaces one text.
    void setString(int id, const nWString& text);
    /// Loads a JSON object of id -> text; returns false (and changes nothing) on a bad file.
    bool loadFromJsonFile(const nWString& path);
    /// Back to the built-in English table.
    void resetToBuiltin();
    /// Changes with every change of the table: whatever was made from its texts is stale once
    /// this differs from the value read when it was made.
    unsigned long generation() const { return generation_.load(std::memory_order_acquire); }

private:
    void changed() { generation_.fetch_add(1, std::memory_order_acq_rel); }

    std::atomic<unsigned long> generation_{0};
    mutable std::shared_mutex mutex_;
    std::map<int, nWString> texts_;
};

/// The process-wide translator.
DRIVESYS_API extern nTextPool pool;

namespace ntypes {
/// Registers built-in English texts (called by library parts that own text ids).
DRIVESYS_API void addBuiltinTexts(std::initializer_list<std::pair<int, const wchar_t*>> texts);
}
