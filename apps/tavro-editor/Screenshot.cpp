#include "apps/tavro-editor/Screenshot.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QImage>
#include <QPixmap>
#include <QTimer>
#include <algorithm>

#include "apps/tavro-editor/EditorWindow.h"

QString checkScreenshotPath(const QString& path) {
    const QFileInfo info(path);
    if (info.suffix().compare(QStringLiteral("png"), Qt::CaseInsensitive) != 0)
        return QStringLiteral("the file name must end in .png");
    if (info.isDir()) return QStringLiteral("is a folder");
    const QFileInfo folder(info.absolutePath());
    if (!folder.isDir()) return QStringLiteral("folder %1 does not exist").arg(folder.filePath());
    if (!folder.isWritable())
        return QStringLiteral("folder %1 is not writable").arg(folder.filePath());
    return {};
}

bool writeScreenshot(EditorWindow& window, const QString& path, int passes, int timeoutMs,
                     QString& error) {
    const int wanted = std::clamp(passes, 0, window.maxPreviewPasses());
    if (window.previewPasses() < wanted) {
        QEventLoop loop;
        QTimer timeout;
        timeout.setSingleShot(true);
        QObject::connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
        QObject::connect(&window, &EditorWindow::previewShown, &loop,
                         [&](std::uint64_t, int shown) {
                             if (shown >= wanted) loop.quit();
                         });
        timeout.start(timeoutMs);
        loop.exec();
        if (window.previewPasses() < wanted) {
            error = QStringLiteral("the preview reached %1 of %2 passes in %3 s")
                        .arg(std::max(window.previewPasses(), 0))
                        .arg(wanted)
                        .arg(timeoutMs / 1000);
            return false;
        }
    }
    const QImage shot = window.grab().toImage();
    if (shot.isNull() || !shot.save(path, "PNG")) {
        error = QStringLiteral("%1: could not write the image").arg(path);
        return false;
    }
    return true;
}
