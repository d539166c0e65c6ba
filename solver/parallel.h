#pragma once
// Work that splits into independent items (the speeds of a sweep) on a few threads, with the
// results taken in order on the calling thread.
//
// orderedParallel(count, threads, window, produce, consume) calls produce(i, worker) for every i
// in [0, count) — on `threads` worker threads (worker = 0 … threads − 1, for per-thread scratch
// space), or inline as worker 0 when threads ≤ 1 — and consume(i, result)
// on the calling thread for i = 0, 1, 2, ... in that order. A worker starts item i only when
// i < (items consumed) + window, so at most `window` results wait in memory at any time.
//
// What each item computes depends on i alone, never on which thread ran it or on what ran
// before: results are bit-identical for every thread count, and consume sees them in order.
//
// The first exception thrown by produce or consume stops the run: workers take no new item,
// the ones running finish theirs, every worker is joined, and the exception is rethrown to the
// caller. No thread outlives the call.
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace ds::solver {

/// Threads to use for `requested` (0: every core the system reports, at least 1).
unsigned threadCount(unsigned requested);

template <class Result, class Produce, class Consume>
void orderedParallel(size_t count, unsigned threads, size_t window, Produce&& produce, Consume&& consume) {
    if (threads <= 1 || count <= 1) {
        for (size_t i = 0; i < count; ++i) consume(i, produce(i, 0u));
        return;
    }
    if (window < threads) window = threads;
    std::mutex lock;
    std::condition_variable changed;
    std::vector<std::optional<Result>> slots(count);
    size_t next = 0, consumed = 0;
    std::exception_ptr failure;

    auto worker = [&](unsigned self) {
        for (;;) {
            size_t i;
            {
                std::unique_lock<std::mutex> hold(lock);
                changed.wait(hold, [&] { return failure || next >= count || next < consumed + window; });
                if (failure || next >= count) return;
                i = next++;
            }
            try {
                Result r = produce(i, self);
                std::lock_guard<std::mutex> hold(lock);
                slots[i].emplace(std::move(r));
            } catch (...) {
                std::lock_guard<std::mutex> hold(lock);
                if (!failure) failure = std::current_exception();
            }
            changed.notify_all();
        }
    };
    std::vector<std::thread> pool;
    pool.reserve(threads);
    try {
        for (unsigned t = 0; t < threads; ++t) pool.emplace_back(worker, t);
    } catch (...) {
        std::lock_guard<std::mutex> hold(lock);
        if (!failure) failure = std::current_exception();
    }
    for (size_t i = 0; i < count; ++i) {
        std::optional<Result> r;
        {
            std::unique_lock<std::mutex> hold(lock);
            changed.wait(hold, [&] { return failure || slots[i].has_value(); });
            if (failure) break;
            r.swap(slots[i]);
        }
        try {
            consume(i, std::move(*r));
        } catch (...) {
            std::lock_guard<std::mutex> hold(lock);
            if (!failure) failure = std::current_exception();
            break;
        }
        {
            std::lock_guard<std::mutex> hold(lock);
            consumed = i + 1;
        }
        changed.notify_all();
    }
    changed.notify_all();
    for (std::thread& t : pool) t.join();
    if (failure) std::rethrow_exception(failure);
}

}  // namespace ds::solver
