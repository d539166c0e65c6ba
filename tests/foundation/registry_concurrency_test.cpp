// Struct identifiers, registration, the catalog and the translator used from several threads.
#include <gtest/gtest.h>

#include <thread>

#include "drivesys/drivesys.h"

namespace {
TEST(Concurrency, IdentifiersRegistrationCatalogAndTranslator) {
    constexpr int kThreads = 8;
    std::vector<const wchar_t*> ids(kThreads);
    std::vector<const ds::Catalog*> catalogs(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([t, &ids, &catalogs] {
            ids[t] = NvCoordinateSystem2D::struct_identifier();
            for (int i = 0; i < 50; ++i) {
                AnnotatedData a;
                a.registerStruct();
                NvCoordinateSystem2D cs;
                cs.registerStruct();
                (void)pool.GetString(740 + i % 3);
                if (t == 0 && i % 10 == 0) pool.setString(990000 + i, L"x");
            }
            catalogs[t] = &ds::Catalog::instance();
            (void)catalogs[t]->find("Axis");
        });
    }
    for (auto& th : threads) th.join();
    for (int t = 1; t < kThreads; ++t) {
        EXPECT_EQ(ids[t], ids[0]);
        EXPECT_EQ(catalogs[t], catalogs[0]);
    }
    auto& registry = nStructRegistry::getInstance();
    const int token = registry.getRegisterToken(AnnotatedData::struct_identifier());
    EXPECT_EQ(registry.getNumberOfNames(token), 5u);
    EXPECT_EQ(registry.getNumberOfNames(registry.getRegisterToken(NvCoordinateSystem2D::struct_identifier())), 3u);
}
}  // namespace
