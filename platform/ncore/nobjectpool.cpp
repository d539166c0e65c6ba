#include "drivesys/platform/ncore/nobjectpool.h"

NObjectPool::NObjectPool() = default;
NObjectPool::~NObjectPool() = default;

bool NObjectPool::add(int64_t id, int kind, const nWString& name) {
    if (id == 0) return false;
    for (Object& o : objects_) {
        if (o.id == id) {
            o = Object{id, kind, name};
            return true;
        }
    }
    objects_.push_back(Object{id, kind, name});
    return true;
}

const NObjectPool::Object* NObjectPool::find(int64_t id) const {
    for (const Object& o : objects_)
        if (o.id == id) return &o;
    return nullptr;
}
