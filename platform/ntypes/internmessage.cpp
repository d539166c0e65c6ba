#include "drivesys/platform/ntypes/internmessage.h"

#include <algorithm>
#include <atomic>
#include <memory>
#include <mutex>
#include <utility>

namespace {
using SharedHandler = std::shared_ptr<const InternMessageHandler>;

// The installed handler. A delivery copies the pointer under the lock and calls the handler after
// releasing it, so the handler object lives until every running call of it has returned.
std::mutex& sinkMutex() {
    static std::mutex m;
    return m;
}
SharedHandler& sinkHandler() {
    static SharedHandler h;
    return h;
}
std::atomic<uint64_t> g_count{0};

// What setInternMessageHandler hands back: it calls the stored handler through the shared pointer
// rather than copying it (a copy could race with a call running on another thread), and it is
// unwrapped when installed again, so saving and restoring does not nest wrappers.
struct InstalledHandler {
    SharedHandler handler;
    void operator()(const InternMessageRecord& r) const { (*handler)(r); }
};

// Per thread: the live captures in the order they were made, and whether a handler runs.
thread_local std::vector<ntypes::InternMessageCapture*> t_captures;
thread_local bool t_inHandler = false;

struct HandlerScope {
    HandlerScope() { t_inHandler = true; }
    ~HandlerScope() { t_inHandler = false; }
    HandlerScope(const HandlerScope&) = delete;
    HandlerScope& operator=(const HandlerScope&) = delete;
};
}  // namespace

void internMessage(const char* source, int line, const nWString& text) {
    g_count.fetch_add(1, std::memory_order_relaxed);
    if (!t_captures.empty()) {
        t_captures.back()->messages_.push_back(InternMessageRecord{nString(source ? source : ""), line, text});
        return;
    }
    if (t_inHandler) return;
    SharedHandler handler;
    {
        std::lock_guard lock(sinkMutex());
        handler = sinkHandler();
    }
    if (!handler) return;
    HandlerScope scope;
    (*handler)(InternMessageRecord{nString(source ? source : ""), line, text});
}

namespace ntypes {
InternMessageHandler setInternMessageHandler(InternMessageHandler handler) {
    SharedHandler fresh;
    if (const auto* installed = handler.target<InstalledHandler>()) fresh = installed->handler;
    else if (handler) fresh = std::make_shared<const InternMessageHandler>(std::move(handler));
    SharedHandler previous;
    {
        std::lock_guard lock(sinkMutex());
        previous = std::exchange(sinkHandler(), std::move(fresh));
    }
    if (!previous) return {};
    return InstalledHandler{std::move(previous)};
}

uint64_t internMessageCount() { return g_count.load(); }

InternMessageCapture::InternMessageCapture() { t_captures.push_back(this); }
InternMessageCapture::~InternMessageCapture() {
    // Captures may end in any order: remove this one wherever it stands.
    const auto it = std::find(t_captures.rbegin(), t_captures.rend(), this);
    if (it != t_captures.rend()) t_captures.erase(std::next(it).base());
}
}  // namespace ntypes
