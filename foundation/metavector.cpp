// The JSON forms of record vectors, shared by every instantiation.
#include "drivesys/foundation/metavector.h"

#include <nlohmann/json.hpp>

namespace ds {
namespace {

/// One element's described form: an object of its members, each as its described variable gives
/// it (null when it gives none). Throws what a member throws.
nlohmann::json describedElement(const nMetaStruct& element) {
    nlohmann::json obj = nlohmann::json::object();
    const size_t n = element.getNumberOfMembers();
    for (size_t k = 0; k < n; ++k) {
        const std::string name = element.getMemberName(k).toUtf8();
        // GetMetaVar builds the element's Meta on first use, hence the const_cast.
        MetaVar* var = const_cast<nMetaStruct&>(element).GetMetaVar(ntypes::widen(name));
        nlohmann::json value;
        if (!var || var->GetAsJson(nlohmann::json(), value) != nStatusCodes::Ok) value = nullptr;
        obj[name] = std::move(value);
    }
    return obj;
}

template <class Element>
void writeRows(const std::vector<const RecordListAccess*>& rows, bool flat, nlohmann::json& out, Element element) {
    nlohmann::json all = nlohmann::json::array();
    for (const RecordListAccess* row : rows) {
        nlohmann::json r = nlohmann::json::array();
        r.get_ref<nlohmann::json::array_t&>().reserve(row->size());
        for (size_t i = 0; i < row->size(); ++i) r.push_back(element(row->at(i)));
        if (flat) {
            out = std::move(r);
            return;
        }
        all.push_back(std::move(r));
    }
    out = flat ? nlohmann::json::array() : std::move(all);
}

}  // namespace

nStatusCodes::StatusCode recordRowsAsJson(const std::vector<const RecordListAccess*>& rows, bool flat,
                                          nlohmann::json& out) {
    try {
        writeRows(rows, flat, out, describedElement);
        return nStatusCodes::Ok;
    } catch (const std::exception&) {
        out = nullptr;
        return nStatusCodes::ConversionFailed;
    }
}

void recordRowsToJson(const std::vector<const RecordListAccess*>& rows, bool flat, nlohmann::json& out) {
    writeRows(rows, flat, out, [](const nMetaStruct& e) { return e.toJson(); });
}

bool jsonArraySize(const nlohmann::json& value, size_t& size) {
    if (!value.is_array()) return false;
    size = value.size();
    return true;
}

const nlohmann::json& jsonArrayEntry(const nlohmann::json& value, size_t i) { return value[i]; }

void readElementOrDefault(nMetaStruct& element, const nlohmann::json& value) {
    try {
        element.fromJson(value);
    } catch (const std::exception&) {
    }
}

}  // namespace ds
