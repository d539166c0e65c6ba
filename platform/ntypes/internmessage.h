#pragma once
// The suite's message sink for internal faults of the library.
//
// By default messages are counted and otherwise dropped. Every message is delivered on the
// thread that reports it, to the first that applies of:
//
//  1. the newest live InternMessageCapture of that thread. A capture sees only the messages of
//     the thread that made it, so threads never see each other's messages; captures on one
//     thread may overlap in any order (the newest still alive receives);
//  2. nothing, when the thread is already inside a call of the handler: a message reported
//     from within the handler (directly or through any library call it makes) is counted and
//     dropped, so a handler is never re-entered on its own thread and cannot recurse;
//  3. the handler installed with setInternMessageHandler, if any.
//
// The handler is called without any lock of the sink held: it may report messages, install
// another handler (the running call finishes with the handler it started with; later messages
// go to the new one) and make any library call. Several threads may run the handler at once.
#include <cstdint>
#include <functional>
#include <vector>

#include "drivesys/platform/ntypes/nwstring.h"

struct InternMessageRecord {
    nString source;
    int line = 0;
    nWString text;
};

using InternMessageHandler = std::function<void(const InternMessageRecord&)>;

/// Reports an internal fault (source path, line, text).
DRIVESYS_API void internMessage(const char* source, int line, const nWString& text);

namespace ntypes {
/// Installs a handler for every thread and returns the previous one (empty when there was none);
/// an empty handler restores the silent default. Handing the returned handler back restores it.
DRIVESYS_API InternMessageHandler setInternMessageHandler(InternMessageHandler handler);
/// Number of messages reported since the process started, on every thread, however delivered.
DRIVESYS_API uint64_t internMessageCount();

/// Captures the messages reported on the constructing thread while it lives (for tests and
/// tools). A capture belongs to that thread: it is read and destroyed there.
class DRIVESYS_API InternMessageCapture {
public:
    InternMessageCapture();
    ~InternMessageCapture();
    InternMessageCapture(const InternMessageCapture&) = delete;
    InternMessageCapture& operator=(const InternMessageCapture&) = delete;
    const std::vector<InternMessageRecord>& messages() const { return messages_; }
    void clear() { messages_.clear(); }

private:
    friend void ::internMessage(const char*, int, const nWString&);
    std::vector<InternMessageRecord> messages_;
};
}  // namespace ntypes
