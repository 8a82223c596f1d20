// The editor's main window: the material's "Parameters" rollout on the left, the sample
// sphere refining beside it, and the File and Edit menus. Every user action on the rollout
// stops the preview, goes into the host's window layer, and restarts the preview: the
// material is updated here on the user interface thread, and the render threads only shade.
#pragma once

#include <QMainWindow>
#include <cstdint>
#include <memory>

#include "SampleScene.h"
#include "apps/tavro-editor/EditorSession.h"
#include "apps/tavro-editor/ProgressiveRenderer.h"

class QAction;
class QLabel;
class QLayout;
class QScrollArea;
class PreviewView;
class RolloutView;

// Edge of the rendered preview in pixels.
constexpr int kPreviewSide = 480;

class EditorWindow : public QMainWindow {
    Q_OBJECT

public:
    EditorWindow(std::unique_ptr<EditorSession> session, const ProgressiveSettings& settings,
                 QWidget* parent = nullptr);
    ~EditorWindow() override;

    EditorSession& session() { return *session_; }
    RolloutView* rolloutView() const { return rolloutView_; }
    // The preview's current generation (one per restart) and the full passes shown of it.
    std::uint64_t previewGeneration() const { return renderer_.generation(); }
    int previewPasses() const { return shownPasses_; }
    int maxPreviewPasses() const { return settings_.maxPasses; }

    // The menu commands, also for tests and the command line.
    void newMaterial();
    bool openScene(const QString& path, const QString& which = QString());
    bool saveSceneAs(const QString& path);
    bool undo();

signals:
    // A frame of the current generation is on screen (`passes` 0: the coarse pass).
    void previewShown(std::uint64_t generation, int passes);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    // The sample object and background choices under the preview.
    QLayout* buildSampleOptions(QWidget* parent);
    // Only while no render runs.
    void setSampleBackground(bool checker);
    // Replaces the rollout view by one of the session's current rollout.
    void rebuildRollout();
    void restartPreview();
    void showFrame(std::uint64_t generation);
    void updateTitle();
    // Offers to save unsaved changes; false when the user cancels.
    bool maybeSave();
    void openFromDialog();
    bool save();
    bool saveFromDialog();
    void reportError(const QString& what, const std::string& why);

    std::unique_ptr<EditorSession> session_;
    ProgressiveSettings settings_;
    SampleScene scene_;
    ProgressiveRenderer renderer_;
    int shownPasses_ = -1;
    QScrollArea* rolloutArea_ = nullptr;
    RolloutView* rolloutView_ = nullptr;
    QLabel* rolloutTitle_ = nullptr;
    PreviewView* preview_ = nullptr;
    QAction* undoAction_ = nullptr;
};
