#include "drivesys/foundation/catalog.h"

#include <stdexcept>

namespace ds {

void Catalog::add(const CatalogEntry& entry) {
    if (find(entry.info->className())) throw std::logic_error("record listed twice: " + entry.info->className());
    entries_.push_back(entry);
}

const CatalogEntry* Catalog::find(std::string_view name) const {
    constexpr std::string_view prefix = "class ";
    if (name.substr(0, prefix.size()) == prefix) name.remove_prefix(prefix.size());
    for (const auto& e : entries_)
        if (e.info->className() == name) return &e;
    return nullptr;
}

std::vector<std::string> Catalog::classNames() const {
    std::vector<std::string> names;
    for (const auto& e : entries_) names.push_back(e.info->className());
    return names;
}

}  // namespace ds
