// The message sink from several threads: captures are per thread, handlers run unlocked.
#include <gtest/gtest.h>

#include <atomic>
#include <barrier>
#include <optional>
#include <string>
#include <thread>

#include "drivesys/platform/ntypes/internmessage.h"

namespace {
TEST(InternMessageConcurrency, CapturesOfTwoThreadsOverlapWithoutNesting) {
    // Thread A captures first, B second; A's capture ends while B's lives, then B reports. With
    // one capture chain for the process this left B's messages going into A's freed capture.
    std::barrier sync(2);
    std::vector<std::wstring> seenByA, seenByB;
    std::thread a([&] {
        std::optional<ntypes::InternMessageCapture> capture(std::in_place);
        sync.arrive_and_wait();  // 1: both captures live
        internMessage("a", 1, L"from A");
        sync.arrive_and_wait();  // 2: both reported once
        for (const auto& m : capture->messages()) seenByA.push_back(m.text);
        capture.reset();
        sync.arrive_and_wait();  // 3: A's capture is gone
    });
    std::thread b([&] {
        sync.arrive_and_wait();
        ntypes::InternMessageCapture capture;
        internMessage("b", 1, L"from B");
        sync.arrive_and_wait();
        sync.arrive_and_wait();
        internMessage("b", 2, L"from B after A ended");
        for (const auto& m : capture.messages()) seenByB.push_back(m.text);
    });
    a.join();
    b.join();
    EXPECT_EQ(seenByA, std::vector<std::wstring>{L"from A"});
    EXPECT_EQ(seenByB, (std::vector<std::wstring>{L"from B", L"from B after A ended"}));
}

TEST(InternMessageConcurrency, ManyThreadsCaptureOnlyTheirOwnMessages) {
    constexpr int kThreads = 6;
    constexpr int kRounds = 200;
    std::atomic<int> wrong{0};
    std::atomic<int> handled{0};
    const auto count = [&](const InternMessageRecord&) { ++handled; };
    ntypes::setInternMessageHandler(count);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([t, &wrong] {
            const nWString mine = nWString(L"thread ") + nWString(static_cast<unsigned long long>(t));
            for (int i = 0; i < kRounds; ++i) {
                // Overlapping, non-nested lifetimes on every thread at once.
                auto first = std::make_optional<ntypes::InternMessageCapture>();
                internMessage("t", i, mine);
                ntypes::InternMessageCapture second;
                internMessage("t", i, mine);
                first.reset();
                internMessage("t", i, mine);
                if (second.messages().size() != 2) ++wrong;
                for (const auto& m : second.messages())
                    if (m.text != mine) ++wrong;
            }
            internMessage("t", -1, mine);  // no capture left: to the handler
        });
    }
    // Meanwhile the main thread replaces the handler back and forth (always one that counts).
    for (int i = 0; i < 100; ++i) {
        auto saved = ntypes::setInternMessageHandler(count);
        ntypes::setInternMessageHandler(std::move(saved));
    }
    for (auto& th : threads) th.join();
    ntypes::setInternMessageHandler(nullptr);
    EXPECT_EQ(wrong.load(), 0);
    EXPECT_EQ(handled.load(), kThreads);
}

TEST(InternMessageConcurrency, HandlersRunOnSeveralThreadsAtOnce) {
    // Each thread waits inside the handler for all the others to arrive: only possible when no
    // lock is held around the call.
    constexpr int kThreads = 4;
    std::barrier inside(kThreads);
    std::atomic<int> calls{0};
    ntypes::setInternMessageHandler([&](const InternMessageRecord&) {
        ++calls;
        inside.arrive_and_wait();
    });
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) threads.emplace_back([] { internMessage("h", 1, L"together"); });
    for (auto& th : threads) th.join();
    ntypes::setInternMessageHandler(nullptr);
    EXPECT_EQ(calls.load(), kThreads);
}
}  // namespace
