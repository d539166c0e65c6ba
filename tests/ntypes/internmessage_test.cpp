// The message sink on one thread: captures that overlap in any order, handlers that report
// messages or install handlers themselves.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <thread>

#include "drivesys/drivesys.h"
#include "drivesys/platform/ntypes/internmessage.h"

namespace {
// Restores the silent default whatever a test leaves installed.
struct HandlerGuard {
    ~HandlerGuard() { ntypes::setInternMessageHandler(nullptr); }
};

TEST(InternMessageCapture, OverlappingCapturesEndInAnyOrder) {
    int handled = 0;
    HandlerGuard guard;
    ntypes::setInternMessageHandler([&](const InternMessageRecord&) { ++handled; });
    auto first = std::make_optional<ntypes::InternMessageCapture>();
    internMessage("a", 1, L"to first");
    auto second = std::make_optional<ntypes::InternMessageCapture>();
    internMessage("a", 2, L"to second");
    first.reset();  // the older capture ends while the newer one lives
    internMessage("a", 3, L"still to second");
    ASSERT_EQ(second->messages().size(), 2u);
    EXPECT_EQ(second->messages()[0].line, 2);
    EXPECT_EQ(second->messages()[1].text, L"still to second");
    second.reset();
    EXPECT_EQ(handled, 0);
    internMessage("a", 4, L"to the handler");
    EXPECT_EQ(handled, 1);
}

TEST(InternMessageCapture, NewerCaptureEndingFirstHandsBackToTheOlder) {
    ntypes::InternMessageCapture outer;
    {
        ntypes::InternMessageCapture inner;
        internMessage("b", 1, L"inner");
        EXPECT_EQ(inner.messages().size(), 1u);
    }
    internMessage("b", 2, L"outer");
    ASSERT_EQ(outer.messages().size(), 1u);
    EXPECT_EQ(outer.messages()[0].text, L"outer");
}

TEST(InternMessageHandler, MessagesReportedInsideTheHandlerAreCountedAndNotRedelivered) {
    HandlerGuard guard;
    nvLoadSpectrumTab record;
    std::vector<std::wstring> seen;
    ntypes::setInternMessageHandler([&](const InternMessageRecord& r) {
        seen.push_back(r.text);
        // A library call that itself reports: a refused index path of a record list.
        (void)record.GetMetaVar(L"elements[x]");
        internMessage("handler", 7, L"nested");
    });
    const uint64_t before = ntypes::internMessageCount();
    internMessage("c", 1, L"outer");
    EXPECT_EQ(seen, std::vector<std::wstring>{L"outer"});
    EXPECT_EQ(ntypes::internMessageCount(), before + 3);  // counted all the same
    internMessage("c", 2, L"next");
    EXPECT_EQ(seen.size(), 2u);  // the handler is not left marked as running
}

TEST(InternMessageHandler, ACaptureInsideTheHandlerSeesItsNestedMessages) {
    HandlerGuard guard;
    std::vector<std::wstring> nested;
    ntypes::setInternMessageHandler([&](const InternMessageRecord&) {
        ntypes::InternMessageCapture capture;
        internMessage("handler", 1, L"nested");
        for (const auto& m : capture.messages()) nested.push_back(m.text);
    });
    internMessage("d", 1, L"outer");
    EXPECT_EQ(nested, std::vector<std::wstring>{L"nested"});
}

TEST(InternMessageHandler, AHandlerMayInstallAnotherOne) {
    HandlerGuard guard;
    std::vector<std::string> calls;
    ntypes::setInternMessageHandler([&](const InternMessageRecord&) {
        calls.push_back("first");
        // Replacing the running handler: the call in progress still completes.
        ntypes::setInternMessageHandler([&](const InternMessageRecord&) { calls.push_back("second"); });
        calls.push_back("first done");
    });
    internMessage("e", 1, L"one");
    internMessage("e", 2, L"two");
    EXPECT_EQ(calls, (std::vector<std::string>{"first", "first done", "second"}));
}

TEST(InternMessageHandler, IsCalledWithoutTheSinkLocked) {
    HandlerGuard guard;
    std::vector<std::wstring> seen;
    ntypes::setInternMessageHandler([&](const InternMessageRecord& r) {
        seen.push_back(r.text);
        if (r.text != L"main") return;
        // Another thread reporting, installing and reading while this call runs would wait
        // forever if the sink were still locked here.
        std::thread other([] {
            internMessage("other", 1, L"other thread");
            auto mine = ntypes::setInternMessageHandler(nullptr);
            ntypes::setInternMessageHandler(std::move(mine));
        });
        other.join();
    });
    internMessage("f", 1, L"main");
    EXPECT_EQ(seen, (std::vector<std::wstring>{L"main", L"other thread"}));
}

TEST(InternMessageHandler, SavingAndRestoringKeepsTheSameHandler) {
    HandlerGuard guard;
    int calls = 0;
    EXPECT_FALSE(ntypes::setInternMessageHandler([&](const InternMessageRecord&) { ++calls; }));
    for (int i = 0; i < 3; ++i) {
        auto saved = ntypes::setInternMessageHandler(nullptr);
        ASSERT_TRUE(saved);
        internMessage("g", i, L"dropped");
        ntypes::setInternMessageHandler(std::move(saved));
    }
    internMessage("g", 9, L"kept");
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(ntypes::setInternMessageHandler(nullptr));
    EXPECT_FALSE(ntypes::setInternMessageHandler(nullptr));
}
}  // namespace
