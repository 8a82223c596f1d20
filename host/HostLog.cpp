#include "HostLog.h"

#include <cstdio>
#include <mutex>
#include <set>
#include <utility>

namespace {

struct MessageState {
    std::mutex mutex;
    HostMessageSink sink;
    std::set<std::string> reportedKeys;
};

MessageState& messageState() {
    static MessageState state;
    return state;
}

// Caller holds the mutex, so messages from several threads never interleave.
void deliverLocked(MessageState& state, const std::string& message) {
    if (state.sink) {
        state.sink(message);
    } else {
        std::fprintf(stderr, "tavro host: %s\n", message.c_str());
    }
}

}  // namespace

void hostWarning(const std::string& message) {
    MessageState& state = messageState();
    std::lock_guard lock(state.mutex);
    deliverLocked(state, message);
}

void hostWarningOnce(const std::string& key, const std::string& message) {
    MessageState& state = messageState();
    std::lock_guard lock(state.mutex);
    if (state.reportedKeys.insert(key).second) deliverLocked(state, message);
}

HostMessageSink setHostMessageSink(HostMessageSink sink) {
    MessageState& state = messageState();
    std::lock_guard lock(state.mutex);
    return std::exchange(state.sink, std::move(sink));
}

void hostResetWarningsOnce() {
    MessageState& state = messageState();
    std::lock_guard lock(state.mutex);
    state.reportedKeys.clear();
}
