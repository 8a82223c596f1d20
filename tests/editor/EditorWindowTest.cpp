// The editor window over the host's window layer and the module's own rollout procedure.
#include <QComboBox>
#include <QImage>
#include <QMimeData>
#include <QProcess>
#include <QTemporaryDir>
#include <QUrl>

#include "EditorFixture.h"
#include "Texmap.h"
#include "apps/tavro-editor/RolloutControls.h"
#include "resources/ControlIds.h"

namespace editortest {
namespace {

// Items of template 82: seven group boxes, labels and controls.
constexpr int kTemplateItems = 106;

// A file dragged from the desktop and let go at the centre of the control `id`.
void dropFileOn(RolloutView& view, HWND target, const QString& file) {
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(file)});
    const QPointF at = QRectF(view.widgetOf(target)->geometry()).center();
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&view, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&view, &drop);
}

QString writeImageFile(const QTemporaryDir& dir, const QString& name) {
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(QColor(200, 40, 30));
    const QString path = dir.filePath(name);
    EXPECT_TRUE(image.save(path));
    return path;
}

TEST_F(Editor, ShowsEveryItemOfTheRolloutWhereTheLayerPlacedIt) {
    RolloutView& view = *window->rolloutView();
    EXPECT_EQ(view.itemCount(), kTemplateItems);
    EXPECT_EQ(view.size(), QSize(326, 686));  // 217 x 422 dialog units
    for (const auto& child : window->session().rollout()->Children()) {
        const QWidget* w = view.widgetOf(child.get());
        ASSERT_NE(w, nullptr) << "control " << child->Id();
        const RECT& r = child->Rect();
        const QRect box(r.left, r.top, r.right - r.left, r.bottom - r.top);
        // A label may grow to show its whole caption; every other widget keeps its box.
        if (dynamic_cast<const LabelControl*>(w))
            EXPECT_TRUE(w->geometry().contains(box)) << "label " << child->Text().size();
        else
            EXPECT_EQ(w->geometry(), box) << "control " << child->Id();
        EXPECT_EQ(w->isEnabled(), IsWindowEnabled(child.get()) != FALSE) << child->Id();
        EXPECT_EQ(w->isVisibleTo(&view), IsWindowVisible(child.get()) != FALSE) << child->Id();
    }
    // Template states and the module's rule for GGX, the default model.
    EXPECT_FALSE(widget<QWidget>(IDC_ROUGHNESS_MULT_EDIT)->isEnabled());
    EXPECT_FALSE(widget<QWidget>(IDC_BUMP_SIGMA_EDIT)->isVisibleTo(&view));
    EXPECT_FALSE(widget<QWidget>(IDC_REFLECT_ANISOTROPY_SPIN)->isEnabled());
    EXPECT_EQ(widget<MapButtonControl>(IDC_DIFFUSE_MAP)->text(), QStringLiteral("None"));
    EXPECT_EQ(widget<ComboControl>(IDC_REFLECT_BRDF)->currentText(), QStringLiteral("GGX"));
}

TEST_F(Editor, EditingASpinnerWritesTheBlockAndRestartsThePreview) {
    ASSERT_TRUE(waitForPreview());
    const std::uint64_t before = window->previewGeneration();
    const ParamID mult = param(L"mtl_diffuse_mult");

    widget<EditFieldControl>(IDC_DIFFUSE_MULT_EDIT)->setValue(0.25);
    EXPECT_FLOAT_EQ(block()->GetFloat(mult), 0.25f);
    EXPECT_GT(window->previewGeneration(), before);
    EXPECT_EQ(window->previewPasses(), -1);  // nothing of the new render shown yet
    EXPECT_TRUE(waitForPreview());

    // The spinner beside it steps the same parameter by a click on its up arrow.
    auto* spinner = widget<SpinnerControl>(IDC_DIFFUSE_MULT_SPIN);
    const float step = control(IDC_DIFFUSE_MULT_SPIN)->Control().step;
    QTest::mouseClick(spinner, Qt::LeftButton, {}, QPoint(spinner->width() / 2, 2));
    EXPECT_FLOAT_EQ(block()->GetFloat(mult), 0.25f + step);
    EXPECT_NEAR(widget<EditFieldControl>(IDC_DIFFUSE_MULT_EDIT)->value(),
                0.25 + static_cast<double>(step), 1e-3);

    // Undo takes back the last change only.
    ASSERT_TRUE(window->undo());
    EXPECT_FLOAT_EQ(block()->GetFloat(mult), 0.25f);
    EXPECT_DOUBLE_EQ(widget<EditFieldControl>(IDC_DIFFUSE_MULT_EDIT)->value(), 0.25);
}

TEST_F(Editor, TheReflectionModelListDrivesTheAnisotropyControlsThroughTheModule) {
    const int controls[] = {IDC_REFLECT_ANISOTROPY_EDIT, IDC_REFLECT_ANISOTROPY_SPIN,
                            IDC_REFLECT_ROTATION_EDIT, IDC_REFLECT_ROTATION_SPIN};
    auto* models = widget<ComboControl>(IDC_REFLECT_BRDF);
    struct Case {
        const char* model;
        bool enabled;
    };
    for (const Case& c : {Case{"TRGGX", true}, Case{"Phong", false}, Case{"Beckmann", true}}) {
        const int index = models->findText(QString::fromLatin1(c.model));
        ASSERT_GE(index, 0) << c.model;
        emit models->activated(index);  // what a user's pick in the list sends
        EXPECT_EQ(block()->GetInt(param(L"mtl_reflect_brdf")), index) << c.model;
        for (int id : controls) EXPECT_EQ(widget<QWidget>(id)->isEnabled(), c.enabled) << c.model;
        // The labels and map buttons beside them stay as they are.
        EXPECT_TRUE(widget<QWidget>(IDC_REFLECT_ANISOTROPY_MAP)->isEnabled());
    }
}

TEST_F(Editor, AFileDroppedOnTheDiffuseMapButtonFillsSlotZero) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = writeImageFile(dir, QStringLiteral("bricks.png"));
    const std::uint64_t before = window->previewGeneration();

    dropFileOn(*window->rolloutView(), control(IDC_DIFFUSE_MAP), file);
    Texmap* map = window->session().material()->GetSubTexmap(0);
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(map->GetName(), L"bricks");
    EXPECT_EQ(block()->GetTexmap(param(L"mtl_diffuse_map")), map);
    EXPECT_EQ(widget<MapButtonControl>(IDC_DIFFUSE_MAP)->toolTip(), QStringLiteral("bricks"));
    EXPECT_GT(window->previewGeneration(), before);
}

TEST_F(Editor, AFileDroppedOnASwatchASpinnerOrALabelCreatesNothing) {
    QTemporaryDir dir;
    const QString file = writeImageFile(dir, QStringLiteral("stray.png"));
    HWND label = nullptr;
    for (const auto& child : window->session().rollout()->Children())
        if (child->Text() == L"Tint" && !label) label = child.get();
    ASSERT_NE(label, nullptr);
    for (HWND target : {control(IDC_DIFFUSE_COLOR), control(IDC_DIFFUSE_MULT_SPIN), label})
        dropFileOn(*window->rolloutView(), target, file);
    Mtl* mtl = window->session().material();
    for (int slot = 0; slot < mtl->NumSubTexmaps(); ++slot)
        EXPECT_EQ(mtl->GetSubTexmap(slot), nullptr) << "slot " << slot;
    EXPECT_FALSE(window->session().canUndo());  // nothing changed, nothing to undo
    EXPECT_FALSE(window->session().modified());
}

TEST_F(Editor, SavedScenesOpenWithTheirValues) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("one.tvs"));
    widget<EditFieldControl>(IDC_REFLECT_IOR_EDIT)->setValue(2.5);
    ASSERT_TRUE(window->saveSceneAs(path));
    window->newMaterial();
    EXPECT_NE(block()->GetFloat(param(L"mtl_reflect_ior")), 2.5f);

    ASSERT_TRUE(window->openScene(path, QStringLiteral("0")));
    EXPECT_FLOAT_EQ(block()->GetFloat(param(L"mtl_reflect_ior")), 2.5f);
    EXPECT_DOUBLE_EQ(widget<EditFieldControl>(IDC_REFLECT_IOR_EDIT)->value(), 2.5);
    EXPECT_EQ(window->rolloutView()->itemCount(), kTemplateItems);

    std::string error;
    EXPECT_FALSE(window->session().openScene(path.toStdString(), "7", error));
    EXPECT_NE(error.find("no object 7"), std::string::npos) << error;
}

TEST(EditorProgram, ScreenshotCommandWritesAPng) {
    QTemporaryDir dir;
    const QString shot = dir.filePath(QStringLiteral("editor.png"));
    QProcess editor;
    editor.start(QStringLiteral(TAVRO_EDITOR_PROGRAM),
                 {QStringLiteral("--screenshot"), shot, QStringLiteral("--passes"),
                  QStringLiteral("1"), QStringLiteral("--threads"), QStringLiteral("2")});
    ASSERT_TRUE(editor.waitForFinished(kPreviewTimeoutMs));
    EXPECT_EQ(editor.exitCode(), 0) << editor.readAllStandardError().toStdString();
    const QImage image(shot);
    ASSERT_FALSE(image.isNull());
    EXPECT_GT(image.width(), 326 + kPreviewSide);
    EXPECT_GT(image.height(), 686);
}

TEST(EditorProgram, ScreenshotRefusesANameThatIsNotPng) {
    QProcess editor;
    editor.start(QStringLiteral(TAVRO_EDITOR_PROGRAM),
                 {QStringLiteral("--screenshot"), QStringLiteral("editor.jpg")});
    ASSERT_TRUE(editor.waitForFinished(kPreviewTimeoutMs));
    EXPECT_EQ(editor.exitCode(), 1);
    EXPECT_TRUE(editor.readAllStandardError().contains(".png"));
}

}  // namespace
}  // namespace editortest
