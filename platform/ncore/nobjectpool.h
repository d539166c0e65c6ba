#pragma once
// NObjectPool: the host's pool of model objects (elements, calculations). The screen
// descriptions receive it to reach the host's objects; the library keeps nothing of it.
// This stand-in only remembers which objects the host registered, so the descriptions can be
// called with an empty or a filled pool.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "drivesys/platform/drivesys_export.h"
#include "drivesys/platform/ntypes/nwstring.h"

class DRIVESYS_API NObjectPool {
public:
    struct Object {
        int64_t id = 0;
        int kind = 0;  // element kind code
        nWString name;
    };

    NObjectPool();
    ~NObjectPool();
    NObjectPool(const NObjectPool&) = delete;
    NObjectPool& operator=(const NObjectPool&) = delete;

    /// Adds an object; an object with the same id is replaced. Id 0 (none) is refused.
    bool add(int64_t id, int kind, const nWString& name);
    /// The object with this id, or null.
    const Object* find(int64_t id) const;
    size_t size() const { return objects_.size(); }

private:
    std::vector<Object> objects_;
};
