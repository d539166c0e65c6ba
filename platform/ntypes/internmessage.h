#pragma once
// The suite's message sink for internal faults of the library.
//
// By default messages are counted and otherwise dropped. A host or a test installs a handler to
// see them; the handler is called under a lock, one message at a time.
#include <cstdint>
#include <functional>

#include "platform/ntypes/nwstring.h"

struct InternMessageRecord {
    nString source;
    int line = 0;
    nWString text;
};

using InternMessageHandler = std::function<void(const InternMessageRecord&)>;

/// Reports an internal fault (source path, line, text).
DRIVESYS_API void internMessage(const char* source, int line, const nWString& text);

namespace ntypes {
/// Installs a handler and returns the previous one (an empty handler restores the silent default).
DRIVESYS_API InternMessageHandler setInternMessageHandler(InternMessageHandler handler);
/// Number of messages reported since the process started.
DRIVESYS_API uint64_t internMessageCount();

/// Captures messages while it lives (for tests and tools).
class DRIVESYS_API InternMessageCapture {
public:
    InternMessageCapture();
    ~InternMessageCapture();
    InternMessageCapture(const InternMessageCapture&) = delete;
    InternMessageCapture& operator=(const InternMessageCapture&) = delete;
    const std::vector<InternMessageRecord>& messages() const { return messages_; }
    void clear() { messages_.clear(); }

private:
    std::vector<InternMessageRecord> messages_;
    InternMessageHandler previous_;
};
}  // namespace ntypes
