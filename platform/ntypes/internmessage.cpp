#include "platform/ntypes/internmessage.h"

#include <atomic>
#include <mutex>

namespace {
std::mutex& sinkMutex() {
    static std::mutex m;
    return m;
}
InternMessageHandler& sinkHandler() {
    static InternMessageHandler h;
    return h;
}
std::atomic<uint64_t> g_count{0};
}  // namespace

void internMessage(const char* source, int line, const nWString& text) {
    ++g_count;
    std::lock_guard lock(sinkMutex());
    if (sinkHandler()) sinkHandler()(InternMessageRecord{nString(source ? source : ""), line, text});
}

namespace ntypes {
InternMessageHandler setInternMessageHandler(InternMessageHandler handler) {
    std::lock_guard lock(sinkMutex());
    InternMessageHandler previous = std::move(sinkHandler());
    sinkHandler() = std::move(handler);
    return previous;
}

uint64_t internMessageCount() { return g_count.load(); }

InternMessageCapture::InternMessageCapture() {
    previous_ = setInternMessageHandler([this](const InternMessageRecord& r) { messages_.push_back(r); });
}
InternMessageCapture::~InternMessageCapture() { setInternMessageHandler(std::move(previous_)); }
}  // namespace ntypes
