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
    static const Catalog& instance();
    /// By class name ("Shaft") or struct identifier ("class Shaft"); null when unknown.
    const CatalogEntry* find(std::string_view name) const;
    const std::vector<CatalogEntry>& entries() const { return entries_; }
    std::vector<std::string> classNames() const;

    /// Adds a record class (see catalog_impl.h); duplicates throw std::logic_error.
    void add(const CatalogEntry& entry);

private:
    Catalog() = default;
    std::vector<CatalogEntry> entries_;
};

// One function per subsystem lists its records (each in its folder's catalog.cpp).
void addFoundationRecords(Catalog& catalog);
void addModelRecords(Catalog& catalog);
void addModuleRecords(Catalog& catalog);
void addDynamicsRecords(Catalog& catalog);
void addHousingRecords(Catalog& catalog);
void addFrequencyRecords(Catalog& catalog);
void addForcedResponseRecords(Catalog& catalog);
void addLoadSpectrumRecords(Catalog& catalog);

}  // namespace ds
