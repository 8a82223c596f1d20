// tavro-editor: the material editor as a window. It loads the TavroMtl module the way the
// host does, opens a new material or one of a scene file, shows the module's "Parameters"
// rollout through the host's window layer, and refines a sample sphere beside it.
//
//   tavro-editor [--scene FILE [--material NAME|INDEX]] [--module FILE]
//   tavro-editor --screenshot editor.png [--passes N]     (headless: offscreen by default)
#include <QApplication>
#include <QCommandLineParser>
#include <cstdio>
#include <cstring>

#include "apps/tavro-editor/EditorStyle.h"
#include "apps/tavro-editor/EditorWindow.h"
#include "apps/tavro-editor/Screenshot.h"

namespace {

constexpr const char* kProgram = "tavro-editor";
// Passes a screenshot waits for by default, and the most it may ask.
constexpr int kDefaultScreenshotPasses = 8;
// How long a screenshot waits for its passes before giving up.
constexpr int kScreenshotTimeoutMs = 120000;

int fail(const QString& what, const QString& why) {
    std::fprintf(stderr, "%s: %s: %s\n", kProgram, qPrintable(what), qPrintable(why));
    return 1;
}

// A screenshot needs no display: unless the user chose a platform, it renders offscreen.
void preferOffscreenForScreenshots(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const bool screenshot = std::strcmp(argv[i], "--screenshot") == 0 ||
                                std::strncmp(argv[i], "--screenshot=", 13) == 0;
        if (screenshot && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
    }
}

}  // namespace

int main(int argc, char** argv) {
    preferOffscreenForScreenshots(argc, argv);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(kProgram));
    applyEditorStyle(app);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Edits a TavroMtl material with a live preview of the sample sphere."));
    parser.addHelpOption();
    const QCommandLineOption scene(QStringLiteral("scene"), QStringLiteral("Scene file to open."),
                                   QStringLiteral("file"));
    const QCommandLineOption material(
        QStringLiteral("material"),
        QStringLiteral("Material of the scene to edit: its name or its index among the "
                       "scene's objects (default: the first TavroMtl)."),
        QStringLiteral("name|index"));
    const QCommandLineOption module(QStringLiteral("module"),
                                    QStringLiteral("The TavroMtl module (.dlt) to load."),
                                    QStringLiteral("file"), QStringLiteral(TAVRO_DEFAULT_MODULE));
    const QCommandLineOption screenshot(
        QStringLiteral("screenshot"),
        QStringLiteral("Write a PNG of the window once the preview has refined, and exit."),
        QStringLiteral("png"));
    const QCommandLineOption passes(QStringLiteral("passes"),
                                    QStringLiteral("Preview passes a screenshot waits for."),
                                    QStringLiteral("n"), QString::number(kDefaultScreenshotPasses));
    const QCommandLineOption threads(QStringLiteral("threads"),
                                     QStringLiteral("Preview threads (default: one per core)."),
                                     QStringLiteral("n"), QStringLiteral("0"));
    parser.addOptions({scene, material, module, screenshot, passes, threads});
    parser.process(app);

    ProgressiveSettings settings;
    bool ok = false;
    settings.threads = parser.value(threads).toInt(&ok);
    if (!ok || settings.threads < 0 || settings.threads > 256)
        return fail(QStringLiteral("--threads ") + parser.value(threads),
                    QStringLiteral("expected 0 to 256"));
    const int wantedPasses = parser.value(passes).toInt(&ok);
    if (!ok || wantedPasses < 0 || wantedPasses > settings.maxPasses)
        return fail(QStringLiteral("--passes ") + parser.value(passes),
                    QStringLiteral("expected 0 to %1").arg(settings.maxPasses));
    if (parser.isSet(material) && !parser.isSet(scene))
        return fail(QStringLiteral("--material"), QStringLiteral("needs --scene"));
    const QString shotPath = parser.value(screenshot);
    if (parser.isSet(screenshot)) {
        if (const QString why = checkScreenshotPath(shotPath); !why.isEmpty())
            return fail(QStringLiteral("--screenshot ") + shotPath, why);
    }

    std::string error;
    std::unique_ptr<EditorSession> session =
        EditorSession::create(parser.value(module).toStdString(), error);
    if (!session)
        return fail(QStringLiteral("--module ") + parser.value(module),
                    QString::fromStdString(error));
    if (parser.isSet(scene) && !session->openScene(parser.value(scene).toStdString(),
                                                   parser.value(material).toStdString(), error))
        return fail(QStringLiteral("--scene ") + parser.value(scene),
                    QString::fromStdString(error));

    EditorWindow window(std::move(session), settings);
    window.show();
    if (!parser.isSet(screenshot)) return app.exec();

    QString why;
    if (!writeScreenshot(window, shotPath, wantedPasses, kScreenshotTimeoutMs, why))
        return fail(QStringLiteral("--screenshot ") + shotPath, why);
    return 0;
}
