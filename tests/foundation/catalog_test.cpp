// The catalog against the contract suites: every catalogued record class is in one suite.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "drivesys/drivesys.h"
#include "support/record_families.h"

namespace {
template <class... T>
void appendClassNames(std::vector<std::string>& out, ds::TypeList<T...>) {
    (out.push_back(T::recordInfo().className()), ...);
}
template <class... Family>
std::vector<std::string> classNamesOf(ds::TypeList<Family...>) {
    std::vector<std::string> names;
    (appendClassNames(names, Family{}), ...);
    std::sort(names.begin(), names.end());
    return names;
}

static_assert(ds::listContains<contract::Families, ds::HousingRecords>);
static_assert(!ds::listContains<ds::HousingRecords, Axis>);
}  // namespace

// The families with a contract suite and the catalog hold the same record classes: a catalogued
// record outside every suite, or a family with a suite that the catalog leaves out, fails here.
TEST(Catalog, HoldsExactlyTheRecordsOfTheContractSuites) {
    const std::vector<std::string> inSuites = classNamesOf(contract::Families{});
    std::vector<std::string> catalogued = ds::Catalog::instance().classNames();
    std::sort(catalogued.begin(), catalogued.end());
    std::vector<std::string> withoutSuite, notCatalogued;
    std::set_difference(catalogued.begin(), catalogued.end(), inSuites.begin(), inSuites.end(),
                        std::back_inserter(withoutSuite));
    std::set_difference(inSuites.begin(), inSuites.end(), catalogued.begin(), catalogued.end(),
                        std::back_inserter(notCatalogued));
    EXPECT_EQ(withoutSuite, std::vector<std::string>{}) << "catalogued, but in no contract suite";
    EXPECT_EQ(notCatalogued, std::vector<std::string>{}) << "in a contract suite, but not catalogued";
    EXPECT_EQ(catalogued.size(), inSuites.size()) << "a record class is in two families";
}
