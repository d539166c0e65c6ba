#pragma once
// ds::catalogEntry<T>(): the catalog line of a record class, with its JSON reading picked from
// what the class declares (DS_JSON_PAIR, else DS_JSON_ASSIGNMENT, else the inherited fromJson).
#include <nlohmann/json.hpp>

#include "drivesys/foundation/catalog.h"
#include "drivesys/foundation/type_list.h"

namespace ds {
template <class T> void readRecordJson(nMetaStruct& record, const nlohmann::json& j) {
    if constexpr (requires { typename T::ds_json_pair; }) from_json(j, static_cast<T&>(record));
    else if constexpr (requires { typename T::ds_json_assignment; }) static_cast<T&>(record) = j;
    else record.fromJson(j);
}

template <class T> CatalogEntry catalogEntry() {
    const char* reading = "inherited";
    if constexpr (requires { typename T::ds_json_pair; }) reading = "pair";
    else if constexpr (requires { typename T::ds_json_assignment; }) reading = "assignment";
    return CatalogEntry{&T::recordInfo(), reading, &readRecordJson<T>};
}

/// Adds every record class of a family to `catalog`, in list order.
template <class... T> void addRecords(Catalog& catalog, TypeList<T...>) { (catalog.add(catalogEntry<T>()), ...); }
}  // namespace ds
