// A minimal host: creates records, describes them, stores and restores them as JSON.
#include <drivesys/drivesys.h>

#include <iostream>
#include <nlohmann/json.hpp>

int main() {
    // Create a record from its class name, as a host restoring a project does.
    const ds::CatalogEntry* entry = ds::Catalog::instance().find("NvCoordinateSystem");
    if (!entry) {
        std::cerr << "record class missing\n";
        return 1;
    }
    auto frame = entry->info->create();

    // Its description: set a value by path, as the host's screen does.
    frame->getMeta()->GetMetaVar(L"position.x")->SetVar(120.0);

    // Store and restore.
    const nlohmann::json stored = frame->toJson();
    auto restored = entry->info->create();
    restored->fromJson(stored);
    if (restored->toJson() != stored) {
        std::cerr << "round trip failed\n";
        return 1;
    }
    std::cout << "records catalogued: " << ds::Catalog::instance().entries().size() << "\n";
    std::cout << "frame: " << stored.dump() << "\n";
    return 0;
}
