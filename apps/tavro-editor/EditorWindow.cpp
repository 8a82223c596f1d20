#include "apps/tavro-editor/EditorWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QScrollArea>
#include <QStatusBar>
#include <QVBoxLayout>

#include "apps/tavro-editor/PreviewView.h"
#include "apps/tavro-editor/RolloutView.h"

namespace {

constexpr const char* kSceneFileFilter = "Tavro scenes (*.tvs);;All files (*)";
constexpr const char* kSceneSuffix = "tvs";
// Height of the rollout's title bar in pixels.
constexpr int kRolloutTitleHeight = 20;
// Left and right margin of the row of sample options under the preview, in pixels.
constexpr int kSampleOptionsIndent = 8;
// Room a vertical scroll bar takes beside the rollout, in pixels.
constexpr int kScrollBarRoom = 16;

QString fromWide(const std::wstring& s) {
    return QString::fromStdWString(s);
}

}  // namespace

EditorWindow::EditorWindow(std::unique_ptr<EditorSession> session,
                           const ProgressiveSettings& settings, QWidget* parent)
    : QMainWindow(parent),
      session_(std::move(session)),
      settings_(settings),
      scene_(kPreviewSide, kPreviewSide, SampleObject::Sphere),
      renderer_(settings, [this](std::uint64_t generation, int) {
          // From a render thread: the frame is shown on the user interface thread, and the
          // event is dropped with the window should it close first.
          QMetaObject::invokeMethod(
              this, [this, generation] { showFrame(generation); }, Qt::QueuedConnection);
      }) {
    setSampleBackground(true);

    auto* central = new QWidget(this);
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(8);

    auto* rolloutColumn = new QVBoxLayout;
    rolloutColumn->setSpacing(0);
    rolloutTitle_ = new QLabel(central);
    rolloutTitle_->setObjectName(QStringLiteral("rolloutTitle"));
    rolloutTitle_->setFixedHeight(kRolloutTitleHeight);
    rolloutTitle_->setAlignment(Qt::AlignCenter);
    rolloutColumn->addWidget(rolloutTitle_);
    rolloutArea_ = new QScrollArea(central);
    rolloutArea_->setFrameShape(QFrame::NoFrame);
    rolloutArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    rolloutColumn->addWidget(rolloutArea_, 1);
    layout->addLayout(rolloutColumn);

    auto* previewColumn = new QVBoxLayout;
    preview_ = new PreviewView(kPreviewSide, central);
    previewColumn->addWidget(preview_);
    previewColumn->addLayout(buildSampleOptions(central));
    auto* hint = new QLabel(tr("Drop image files on a map button to assign them; right-click a "
                               "map button to clear it."),
                            central);
    hint->setObjectName(QStringLiteral("hint"));
    hint->setWordWrap(true);
    previewColumn->addWidget(hint);
    previewColumn->addStretch(1);
    layout->addLayout(previewColumn);
    setCentralWidget(central);

    buildMenus();
    rebuildRollout();
    restartPreview();
}

EditorWindow::~EditorWindow() {
    renderer_.stop();
    delete rolloutView_;  // before the session destroys the rollout it shows
    rolloutView_ = nullptr;
}

QLayout* EditorWindow::buildSampleOptions(QWidget* parent) {
    auto* row = new QHBoxLayout;
    row->setContentsMargins(kSampleOptionsIndent, 0, kSampleOptionsIndent, 0);
    row->addWidget(new QLabel(tr("Sample"), parent));
    auto* object = new QComboBox(parent);
    object->addItem(tr("Sphere"), QVariant::fromValue(static_cast<int>(SampleObject::Sphere)));
    object->addItem(tr("Cube"), QVariant::fromValue(static_cast<int>(SampleObject::Cube)));
    object->addItem(tr("Plane"), QVariant::fromValue(static_cast<int>(SampleObject::Plane)));
    connect(object, &QComboBox::activated, this, [this, object](int index) {
        renderer_.stop();  // the render threads read the scene
        scene_.setObject(static_cast<SampleObject>(object->itemData(index).toInt()));
        restartPreview();
    });
    row->addWidget(object);
    auto* checker = new QCheckBox(tr("Checker background"), parent);
    checker->setChecked(true);
    connect(checker, &QCheckBox::toggled, this, [this](bool on) {
        renderer_.stop();
        setSampleBackground(on);
        restartPreview();
    });
    row->addSpacing(kSampleOptionsIndent);
    row->addWidget(checker);
    row->addStretch(1);
    return row;
}

void EditorWindow::setSampleBackground(bool checker) {
    SampleBackground background;
    background.kind = checker ? BackgroundKind::Checker : BackgroundKind::Plain;
    scene_.setBackground(background);
}

void EditorWindow::buildMenus() {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->addAction(tr("&New"), QKeySequence::New, this, [this] {
        if (maybeSave()) newMaterial();
    });
    file->addAction(tr("&Open…"), QKeySequence::Open, this, [this] { openFromDialog(); });
    file->addAction(tr("&Save"), QKeySequence::Save, this, [this] { save(); });
    file->addAction(tr("Save &As…"), QKeySequence::SaveAs, this, [this] { saveFromDialog(); });
    file->addSeparator();
    file->addAction(tr("&Quit"), QKeySequence::Quit, this, [this] { close(); });

    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    undoAction_ = edit->addAction(tr("&Undo"), QKeySequence::Undo, this, [this] { undo(); });
    undoAction_->setEnabled(false);
}

void EditorWindow::rebuildRollout() {
    delete rolloutView_;
    rolloutView_ = new RolloutView(session_->rollout());
    connect(rolloutView_, &RolloutView::aboutToEdit, this, [this] {
        renderer_.stop();
        session_->beginEdit();
    });
    connect(rolloutView_, &RolloutView::edited, this, [this] {
        session_->endEdit();
        // Restarted whatever the action did: aboutToEdit stopped the render.
        restartPreview();
        updateTitle();
    });
    rolloutArea_->setWidget(rolloutView_);
    rolloutArea_->setFixedWidth(rolloutView_->width() + kScrollBarRoom);
    rolloutArea_->setMinimumHeight(rolloutView_->height());
    const HWND rollout = session_->rollout();
    rolloutTitle_->setText(rollout ? fromWide(rollout->Text()) : QString());
    updateTitle();
}

void EditorWindow::restartPreview() {
    renderer_.stop();
    Mtl* mtl = session_->material();
    if (!mtl) return;
    // The update runs here, with no render running; the render threads only shade.
    Interval valid = FOREVER;
    mtl->Update(0, valid);
    shownPasses_ = -1;
    preview_->setRestarted();
    renderer_.start(*mtl, scene_);
}

void EditorWindow::showFrame(std::uint64_t generation) {
    if (generation != renderer_.generation()) return;  // a render since superseded
    const PreviewFrame f = renderer_.frame();
    if (f.generation != generation || f.argb.empty()) return;
    const QImage image(reinterpret_cast<const uchar*>(f.argb.data()), f.width, f.height,
                       f.width * 4, QImage::Format_ARGB32);
    preview_->setFrame(image.copy(), f.passes, settings_.maxPasses);
    shownPasses_ = f.passes;
    emit previewShown(generation, f.passes);
}

void EditorWindow::updateTitle() {
    const QString file = session_->scenePath().empty()
                             ? tr("untitled")
                             : QFileInfo(QString::fromStdString(session_->scenePath())).fileName();
    setWindowTitle(QStringLiteral("%1 — %2%3 — TavroMtl Editor")
                       .arg(fromWide(session_->materialName()), file,
                            session_->modified() ? QStringLiteral(" *") : QString()));
    undoAction_->setEnabled(session_->canUndo());
}

void EditorWindow::newMaterial() {
    renderer_.stop();
    delete rolloutView_;
    rolloutView_ = nullptr;
    session_->newMaterial();
    rebuildRollout();
    restartPreview();
}

bool EditorWindow::openScene(const QString& path, const QString& which) {
    renderer_.stop();
    delete rolloutView_;
    rolloutView_ = nullptr;
    std::string error;
    const bool ok = session_->openScene(path.toStdString(), which.toStdString(), error);
    rebuildRollout();
    restartPreview();
    if (!ok) reportError(tr("Could not open the scene"), error);
    return ok;
}

bool EditorWindow::saveSceneAs(const QString& path) {
    std::string error;
    const bool ok = session_->saveScene(path.toStdString(), error);
    updateTitle();
    if (!ok) reportError(tr("Could not save the scene"), error);
    return ok;
}

bool EditorWindow::undo() {
    if (!session_->canUndo()) return false;
    renderer_.stop();
    delete rolloutView_;
    rolloutView_ = nullptr;
    session_->undo();
    rebuildRollout();
    restartPreview();
    return true;
}

void EditorWindow::openFromDialog() {
    if (!maybeSave()) return;
    const QString path =
        QFileDialog::getOpenFileName(this, tr("Open scene"), QString(), tr(kSceneFileFilter));
    if (!path.isEmpty()) openScene(path);
}

bool EditorWindow::save() {
    if (session_->scenePath().empty()) return saveFromDialog();
    return saveSceneAs(QString::fromStdString(session_->scenePath()));
}

bool EditorWindow::saveFromDialog() {
    QFileDialog dialog(this, tr("Save scene as"), QString(), tr(kSceneFileFilter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QString::fromLatin1(kSceneSuffix));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    return saveSceneAs(dialog.selectedFiles().front());
}

bool EditorWindow::maybeSave() {
    if (!session_->modified()) return true;
    const auto answer = QMessageBox::warning(
        this, tr("Unsaved changes"), tr("The material has changed. Save the scene first?"),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    if (answer == QMessageBox::Save) return save();
    return answer == QMessageBox::Discard;
}

void EditorWindow::closeEvent(QCloseEvent* event) {
    if (maybeSave())
        event->accept();
    else
        event->ignore();
}

void EditorWindow::reportError(const QString& what, const std::string& why) {
    statusBar()->showMessage(what + QStringLiteral(": ") + QString::fromStdString(why));
    if (isVisible()) QMessageBox::warning(this, what, QString::fromStdString(why));
}
