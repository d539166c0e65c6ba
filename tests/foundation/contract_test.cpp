#include "support/record_contract.h"

using FoundationRecords = ::testing::Types<Axis, NvCoordinateSystem, NvCoordinateSystem2D, AnnotatedData>;
INSTANTIATE_TYPED_TEST_SUITE_P(Foundation, RecordContract, FoundationRecords);
