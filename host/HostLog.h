// The host's message sink: warnings about things a user should fix (a missing image file,
// an unreadable texture) that do not stop a render. By default they go to stderr; tests and
// programs can capture them.
#pragma once

#include <functional>
#include <string>

using HostMessageSink = std::function<void(const std::string& message)>;

// Sends one warning to the current sink. Thread-safe.
void hostWarning(const std::string& message);

// Sends a warning only the first time `key` is seen in this process (a missing file read by
// several textures, or looked up from many threads, is reported once). Thread-safe.
void hostWarningOnce(const std::string& key, const std::string& message);

// Installs a sink (an empty function restores stderr) and returns the previous one.
HostMessageSink setHostMessageSink(HostMessageSink sink);

// Forgets which keys hostWarningOnce has reported, so tests start from a clean slate.
void hostResetWarningsOnce();
