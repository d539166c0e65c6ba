#pragma once
// The module screen described into a Meta, and lookups in the items of its dump.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "drivesys/module_screen.h"
#include "drivesys/platform/nmath/meta.h"

namespace screen {
using json = nlohmann::json;

/// The records with the screen described over them.
struct Screen {
    ds::S020Records r;
    Meta meta;
    short result = r.describe(meta);
    /// The items with their evaluated states.
    json dump() {
        json d;
        meta.dumpWithState(d);
        return d["items"];
    }
};

/// The item of that name (a test failure when there is none).
inline const json& item(const json& items, const std::string& name) {
    for (const json& i : items)
        if (i["name"] == name) return i;
    static const json none;
    ADD_FAILURE() << "no item " << name;
    return none;
}

/// The arguments of the item's attributes made by `call`, in order.
inline std::vector<json> attributes(const json& i, const std::string& call) {
    std::vector<json> out;
    if (i.contains("attributes"))
        for (const json& a : i["attributes"])
            if (a["call"] == call) out.push_back(a["args"]);
    return out;
}
}  // namespace screen
