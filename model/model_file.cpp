#include "drivesys/model/model_file.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>
#include <stdexcept>
#include <string>

#include "drivesys/foundation/catalog.h"

namespace ds {
namespace {
using json = nlohmann::json;

const CatalogEntry& entryOf(const nMetaStruct& record, const Catalog& catalog) {
    const CatalogEntry* e = catalog.find(ntypes::toUtf8(record.typeIdentifier()));
    if (!e)
        throw std::invalid_argument("record class not in the catalog: " + ntypes::toUtf8(record.typeIdentifier()));
    return *e;
}

using Groups = std::map<std::string, std::vector<const nMetaStruct*>>;

Groups groupByClass(const std::vector<const nMetaStruct*>& records, const Catalog& catalog) {
    Groups groups;
    for (const nMetaStruct* r : records) {
        if (!r) throw std::invalid_argument("null record in a model");
        groups[entryOf(*r, catalog).info->className()].push_back(r);
    }
    return groups;
}
}  // namespace

json modelToJson(const std::vector<const nMetaStruct*>& records, const Catalog& catalog) {
    json model = json::object();
    for (const auto& [className, members] : groupByClass(records, catalog)) {
        json& arr = model[className];
        arr = json::array();
        for (const nMetaStruct* r : members) arr.push_back(r->toJson());
    }
    return model;
}

RecordList modelFromJson(const json& model, const Catalog& catalog) {
    if (!model.is_object())
        throw std::runtime_error(std::string("a model must be a JSON object keyed by class name, not ") + model.type_name());
    RecordList records;
    for (auto it = model.begin(); it != model.end(); ++it) {
        const std::string& className = it.key();
        const CatalogEntry* e = catalog.find(className);
        // Only plain class names are keys of a model ("class X" is not).
        if (!e || e->info->className() != className) throw std::runtime_error("unknown record class in model: '" + className + "'");
        if (!it->is_array())
            throw std::runtime_error("model entry '" + className + "' must be an array of records, not " + it->type_name());
        for (size_t i = 0; i < it->size(); ++i) {
            const json& element = (*it)[i];
            const std::string where = "record " + std::to_string(i) + " of '" + className + "'";
            if (!element.is_object()) throw std::runtime_error(where + " must be a JSON object, not " + element.type_name());
            std::unique_ptr<nMetaStruct> record = e->info->create();
            try {
                e->read(*record, element);
            } catch (const std::exception& ex) {
                throw std::runtime_error(where + " does not read: " + ex.what());
            }
            records.push_back(std::move(record));
        }
    }
    return records;
}

void writeModelFile(const std::string& path, const std::vector<const nMetaStruct*>& records, const Catalog& catalog) {
    const std::string text = modelToJson(records, catalog).dump(2) + "\n";
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) throw std::runtime_error("cannot write model file " + path);
    out << text;
    out.close();
    if (!out) throw std::runtime_error("cannot write model file " + path);
}

RecordList readModelFile(const std::string& path, const Catalog& catalog) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot open model file " + path);
    try {
        return modelFromJson(json::parse(in), catalog);
    } catch (const std::exception& ex) {
        throw std::runtime_error("model file " + path + ": " + ex.what());
    }
}

bool sameModel(const std::vector<const nMetaStruct*>& a, const std::vector<const nMetaStruct*>& b,
               const Catalog& catalog) {
    const Groups ga = groupByClass(a, catalog);
    const Groups gb = groupByClass(b, catalog);
    if (ga.size() != gb.size()) return false;
    for (auto ia = ga.begin(), ib = gb.begin(); ia != ga.end(); ++ia, ++ib) {
        if (ia->first != ib->first || ia->second.size() != ib->second.size()) return false;
        const RecordInfo& info = *catalog.find(ia->first)->info;
        for (size_t i = 0; i < ia->second.size(); ++i)
            if (!equalFields(*ia->second[i], *ib->second[i], info)) return false;
    }
    return true;
}

std::vector<const nMetaStruct*> pointersOf(const RecordList& records) {
    std::vector<const nMetaStruct*> out;
    out.reserve(records.size());
    for (const auto& r : records) out.push_back(r.get());
    return out;
}

}  // namespace ds
