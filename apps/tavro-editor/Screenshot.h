// Screenshots of the editor window once its preview has refined far enough.
#pragma once

#include <QString>

class EditorWindow;

// Whether `path` can take a screenshot: a .png name in an existing, writable folder. Empty
// when it can, else the reason.
QString checkScreenshotPath(const QString& path);

// Waits (running the event loop) until the window's preview shows `passes` full passes of its
// current render, or its last pass when it refines fewer, then grabs the window and writes it
// to `path` as PNG. False, with the reason in `error`, on timeout or a failed write.
bool writeScreenshot(EditorWindow& window, const QString& path, int passes, int timeoutMs,
                     QString& error);
