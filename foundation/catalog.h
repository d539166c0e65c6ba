#pragma once
// The record catalog: every record class once, by class name, with its factory, member list and
// its own way of reading JSON. The command-line tool and hosts create records by class name or
// struct identifier through it.
#include <string>
#include <string_view>
#include <vector>

#include "drivesys/foundation/record.h"

namespace ds {

struct CatalogEntry {
    const RecordInfo* info;
    /// "pair", "assignment" or "inherited".
    const char* reading;
    /// Reads JSON into a record of this class the record's own way.
    void (*read)(nMetaStruct& record, const nlohmann::json& j);
};

class DRIVESYS_API Catalog {
public:
    /// An empty catalog, for a part of the library that needs only some families.
    Catalog() = default;
    /// The catalog of every record class of the library. The foundation only keeps and searches
    /// catalogs: this one is filled above all subsystems (exports/catalog_all.cpp), from each
    /// subsystem's record family.
    static const Catalog& instance();
    /// By class name ("Shaft") or struct identifier ("class Shaft"); null when unknown.
    const CatalogEntry* find(std::string_view name) const;
    const std::vector<CatalogEntry>& entries() const { return entries_; }
    std::vector<std::string> classNames() const;

    /// Adds a record class (see catalog_impl.h); duplicates throw std::logic_error.
    void add(const CatalogEntry& entry);

private:
    std::vector<CatalogEntry> entries_;
};

}  // namespace ds
