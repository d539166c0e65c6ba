// DS_RECORD leaves the access as it found it: first in a class body, private.
#include <gtest/gtest.h>

#include <type_traits>

#include "drivesys/foundation/record_impl.h"

namespace record_access {
class Sealed : public nMetaStruct {
    DS_RECORD(Sealed)
    int hidden = 1;

public:
    int shown = 2;
};

// Declared only: the guard in DS_DEFINE_RECORD would refuse it.
struct Open : nMetaStruct {
    DS_RECORD(Open)
    int member = 0;
};

template <class T>
concept HiddenIsVisible = requires(T& t) { t.hidden; };
template <class T>
concept ShownIsVisible = requires(T& t) { t.shown; };

DS_DEFINE_RECORD(Sealed, nMetaStruct, DS_F(shown))

static_assert(!HiddenIsVisible<Sealed>, "a member right after DS_RECORD is private, as in any class");
static_assert(ShownIsVisible<Sealed>);
static_assert(std::is_default_constructible_v<Sealed> && std::is_copy_constructible_v<Sealed> &&
                  std::is_move_assignable_v<Sealed> && std::is_destructible_v<Sealed>,
              "the record operations are public");
static_assert(!ds::detail::RecordFoundPublicAccess<Sealed>);
static_assert(ds::detail::RecordFoundPublicAccess<Open>, "DS_DEFINE_RECORD(Open, ...) would not compile");

TEST(RecordAccess, TheOperationsWorkFromOutsideTheClass) {
    Sealed s;
    s.shown = 5;
    const std::unique_ptr<nMetaStruct> copy = s.clone();
    EXPECT_EQ(copy->toJson(), nlohmann::json({{"shown", 5}}));
}
}  // namespace record_access
