#pragma once
// The record families that have a contract suite, one tests/<folder>/contract_test.cpp each:
//
//   DS_CONTRACT_SUITE(Model, ds::ModelRecords);
//
// instantiates the record contract for the family's list (the list the catalog is filled from)
// and refuses to compile for a family missing from contract::Families. The catalog test holds
// contract::Families against the catalog, so a catalogued record outside every suite fails it.
#include <gtest/gtest.h>

#include "drivesys/dynamics/dynamics_records.h"
#include "drivesys/forcedresponse/forcedresponse_records.h"
#include "drivesys/foundation/foundation_records.h"
#include "drivesys/frequencies/frequencies_records.h"
#include "drivesys/housing/housing_records.h"
#include "drivesys/loadspectrum/loadspectrum_records.h"
#include "drivesys/model/model_records.h"
#include "drivesys/module/module_records.h"

namespace contract {
using Families = ds::TypeList<ds::FoundationRecords, ds::ModelRecords, ds::ModuleRecords, ds::DynamicsRecords,
                              ds::HousingRecords, ds::FrequencyRecords, ds::ForcedResponseRecords,
                              ds::LoadSpectrumRecords>;

template <class List>
struct TestTypesOf;
template <class... T>
struct TestTypesOf<ds::TypeList<T...>> {
    using type = ::testing::Types<T...>;
};
/// The gtest type list of a record family.
template <class List>
using TestTypes = typename TestTypesOf<List>::type;
}  // namespace contract

#define DS_CONTRACT_SUITE(Prefix, Family)                                                                  \
    static_assert(ds::listContains<contract::Families, Family>, #Family " is missing from contract::Families"); \
    INSTANTIATE_TYPED_TEST_SUITE_P(Prefix, RecordContract, contract::TestTypes<Family>)
