#pragma once
// The translator: text identifiers to user-visible texts in the current language.
//
// `pool.GetString(id)` looks the id up in the loaded table; the built-in table is English and
// holds the ids this library itself passes. An unknown id gives the visible fallback "[text N]".
// Another table can be loaded from a JSON file {"740": "Fundament", ...}; its entries replace or
// extend the built-in ones. Lookups and loads are safe from several threads.
#include <initializer_list>
#include <memory>
#include <utility>

#include "drivesys/platform/ntypes/nwstring.h"

class DRIVESYS_API nTextPool {
public:
    nTextPool();
    ~nTextPool();
    nTextPool(const nTextPool&) = delete;
    nTextPool& operator=(const nTextPool&) = delete;
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
    unsigned long generation() const;

private:
    // The table, its lock and its generation counter (kept out of the header: a host that
    // includes the translator does not need the standard library's locking headers).
    struct Table;
    std::unique_ptr<Table> table_;
};

/// The process-wide translator.
DRIVESYS_API extern nTextPool pool;

namespace ntypes {
/// Registers built-in English texts (called by library parts that own text ids).
DRIVESYS_API void addBuiltinTexts(std::initializer_list<std::pair<int, const wchar_t*>> texts);
}
