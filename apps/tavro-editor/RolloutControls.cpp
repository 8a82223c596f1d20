#include "apps/tavro-editor/RolloutControls.h"

#include <QAbstractItemView>
#include <QColorDialog>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QSignalBlocker>
#include <algorithm>

#include "WindowControls.h"
#include "apps/tavro-editor/EditorSession.h"
#include "apps/tavro-editor/RolloutView.h"

namespace {

// Decimals an edit field keeps; the host shows three at most.
constexpr int kEditDecimals = 3;
// Delay before a held spinner arrow repeats, and the interval of the repeats, in ms.
constexpr int kSpinnerRepeatDelayMs = 400;
constexpr int kSpinnerRepeatIntervalMs = 50;
// Vertical mouse travel in pixels that drags a spinner one step.
constexpr int kSpinnerDragPixelsPerStep = 3;
// Room beside the widest item of an open drop-down list, in pixels.
constexpr int kComboListPadding = 12;
// Room the border and padding of a map button take from its caption, in pixels.
constexpr int kMapButtonPadding = 6;
// Image files a map button offers.
constexpr const char* kImageFileFilter =
    "Images (*.png *.jpg *.jpeg *.bmp *.tga *.hdr *.exr);;All files (*)";

QString toQString(const std::wstring& s) {
    return QString::fromStdWString(s);
}

QColor toQColor(const Color& c) {
    return QColor::fromRgbF(std::clamp(c.r, 0.0f, 1.0f), std::clamp(c.g, 0.0f, 1.0f),
                            std::clamp(c.b, 0.0f, 1.0f));
}

Color toColor(const QColor& c) {
    return Color(c.redF(), c.greenF(), c.blueF());
}

bool isButtonType(HWND w, DWORD type) {
    return (w->Style() & BS_TYPEMASK) == type;
}

}  // namespace

QWidget* makeHostControl(HWND w, RolloutView& view) {
    const std::wstring& cls = w->ClassName();
    if (cls == WC_BUTTON && isButtonType(w, BS_GROUPBOX)) return new GroupBoxControl(&view);
    if (cls == WC_BUTTON && isButtonType(w, BS_AUTOCHECKBOX)) return new CheckBoxControl(w, view);
    if (cls == WC_STATIC) return new LabelControl(w, &view);
    if (cls == WC_COMBOBOX) return new ComboControl(w, view);
    if (cls == WC_CUSTEDIT) return new EditFieldControl(w, view);
    if (cls == WC_SPINNER) return new SpinnerControl(w, view);
    if (cls == WC_COLORSWATCH) return new ColorSwatchControl(w, view);
    if (cls == WC_CUSTBUTTON) return new MapButtonControl(w, view);
    return nullptr;
}

GroupBoxControl::GroupBoxControl(QWidget* parent) : QGroupBox(parent) {
    // The controls of a section are its siblings, not its children: clicks and drops pass
    // through the frame to the rollout, as the platform's hit test looks through group boxes.
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void GroupBoxControl::refreshFrom(HWND w) {
    setTitle(toQString(w->Text()));
}

LabelControl::LabelControl(HWND w, QWidget* parent) : QLabel(parent) {
    const bool centred = (w->Style() & SS_CENTER) != 0;
    setAlignment((centred ? Qt::AlignHCenter : Qt::AlignRight) | Qt::AlignVCenter);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void LabelControl::refreshFrom(HWND w) {
    setText(toQString(w->Text()));
}

QRect LabelControl::placement(const QRect& windowRect) const {
    // A caption wider than its box grows away from the side it is aligned to (both sides when
    // centred), so that it is not cut; the layer's hit tests keep the template's box.
    const int overflow = fontMetrics().horizontalAdvance(text()) - windowRect.width();
    if (overflow <= 0) return windowRect;
    if (alignment() & Qt::AlignHCenter)
        return windowRect.adjusted(-(overflow + 1) / 2, 0, (overflow + 1) / 2, 0);
    return windowRect.adjusted(-overflow, 0, 0, 0);
}

CheckBoxControl::CheckBoxControl(HWND w, RolloutView& view) : QCheckBox(&view) {
    connect(this, &QCheckBox::clicked, this, [w, &view] { view.act(w, [w] { ClickButton(w); }); });
}

void CheckBoxControl::refreshFrom(HWND w) {
    const QSignalBlocker block(this);
    setChecked(w->Control().checked);
}

ComboControl::ComboControl(HWND w, RolloutView& view) : QComboBox(&view) {
    connect(this, &QComboBox::activated, this,
            [w, &view](int index) { view.act(w, [w, index] { SelectComboItem(w, index); }); });
}

void ComboControl::refreshFrom(HWND w) {
    const QSignalBlocker block(this);
    const ControlState& s = w->Control();
    if (count() != static_cast<int>(s.items.size())) {
        clear();
        for (const std::wstring& item : s.items) addItem(toQString(item));
        // The open list shows whole items, however narrow the box.
        view()->setMinimumWidth(view()->sizeHintForColumn(0) + kComboListPadding);
    }
    setCurrentIndex(s.selection);
}

EditFieldControl::EditFieldControl(HWND w, RolloutView& view) : QDoubleSpinBox(&view) {
    setObjectName(QStringLiteral("editField"));
    setButtonSymbols(QAbstractSpinBox::NoButtons);
    setKeyboardTracking(false);  // a value is entered with Enter or on leaving the field
    setDecimals(kEditDecimals);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setFocusPolicy(Qt::StrongFocus);
    // Files dropped here belong to the rollout's drop path, not to the text.
    lineEdit()->setAcceptDrops(false);
    setAcceptDrops(false);
    connect(this, &QDoubleSpinBox::valueChanged, this, [w, &view](double v) {
        view.act(w, [w, v] { SetSpinnerValue(w, static_cast<float>(v)); });
    });
}

void EditFieldControl::refreshFrom(HWND w) {
    const QSignalBlocker block(this);
    const ControlState& s = w->Control();
    setRange(s.minValue, s.maxValue);
    setSingleStep(s.step);
    setValue(s.value);
    setToolTip(toQString(w->Text()));
}

QString EditFieldControl::textFromValue(double value) const {
    return toQString(FormatSpinnerValue(static_cast<float>(value)));
}

void EditFieldControl::wheelEvent(QWheelEvent* event) {
    // The wheel steps a focused field only, so scrolling past does not change values.
    if (hasFocus())
        QDoubleSpinBox::wheelEvent(event);
    else
        event->ignore();
}

SpinnerControl::SpinnerControl(HWND w, RolloutView& view) : QWidget(&view), hwnd_(w), view_(view) {
    repeat_.setInterval(kSpinnerRepeatIntervalMs);
    connect(&repeat_, &QTimer::timeout, this, [this] {
        repeat_.setInterval(kSpinnerRepeatIntervalMs);
        repeated_ = true;
        step(pressedDirection_);
    });
    setCursor(Qt::SizeVerCursor);
}

void SpinnerControl::step(int clicks) {
    if (clicks != 0) view_.act(hwnd_, [this, clicks] { StepSpinner(hwnd_, clicks); });
}

void SpinnerControl::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QPalette& pal = palette();
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(pal.color(QPalette::Mid));
    p.setBrush(pal.color(QPalette::Button));
    p.drawRoundedRect(r, 2.0, 2.0);
    p.drawLine(QPointF(r.left(), r.center().y()), QPointF(r.right(), r.center().y()));
    const QColor arrow = isEnabled() ? pal.color(QPalette::ButtonText)
                                     : pal.color(QPalette::Disabled, QPalette::ButtonText);
    p.setPen(Qt::NoPen);
    p.setBrush(arrow);
    const qreal cx = r.center().x();
    const qreal half = std::max<qreal>(2.0, r.width() * 0.22);
    const qreal rise = half * 0.8;
    const qreal upY = r.top() + r.height() * 0.25;
    const qreal downY = r.top() + r.height() * 0.75;
    QPainterPath up;
    up.moveTo(cx - half, upY + rise / 2);
    up.lineTo(cx + half, upY + rise / 2);
    up.lineTo(cx, upY - rise / 2);
    up.closeSubpath();
    QPainterPath down;
    down.moveTo(cx - half, downY - rise / 2);
    down.lineTo(cx + half, downY - rise / 2);
    down.lineTo(cx, downY + rise / 2);
    down.closeSubpath();
    p.drawPath(up);
    p.drawPath(down);
}

void SpinnerControl::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    pressedDirection_ = event->position().y() < height() / 2.0 ? 1 : -1;
    dragOriginY_ = static_cast<int>(event->position().y());
    dragged_ = false;
    repeated_ = false;
    repeat_.start(kSpinnerRepeatDelayMs);
}

void SpinnerControl::mouseMoveEvent(QMouseEvent* event) {
    if (pressedDirection_ == 0) return;
    const int y = static_cast<int>(event->position().y());
    const int clicks = (dragOriginY_ - y) / kSpinnerDragPixelsPerStep;
    if (clicks == 0) return;
    dragged_ = true;
    repeat_.stop();
    dragOriginY_ -= clicks * kSpinnerDragPixelsPerStep;
    step(clicks);
}

void SpinnerControl::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || pressedDirection_ == 0) return;
    repeat_.stop();
    // A click that neither dragged nor repeated steps once.
    if (!dragged_ && !repeated_) step(pressedDirection_);
    pressedDirection_ = 0;
}

ColorSwatchControl::ColorSwatchControl(HWND w, RolloutView& view) : QAbstractButton(&view) {
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QAbstractButton::clicked, this, [this, w, &view] {
        const QColor picked =
            QColorDialog::getColor(color_, this, tr("Color"), QColorDialog::DontUseNativeDialog);
        if (picked.isValid()) view.act(w, [w, picked] { PickColor(w, toColor(picked)); });
    });
}

void ColorSwatchControl::refreshFrom(HWND w) {
    color_ = toQColor(w->Control().color);
    const Color& c = w->Control().color;
    setToolTip(
        QStringLiteral("%1, %2, %3").arg(c.r, 0, 'f', 3).arg(c.g, 0, 'f', 3).arg(c.b, 0, 'f', 3));
    update();
}

void ColorSwatchControl::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect r = rect().adjusted(0, 0, -1, -1);
    p.setPen(palette().color(hasFocus() ? QPalette::Highlight : QPalette::Mid));
    p.setBrush(isEnabled() ? color_ : palette().color(QPalette::Disabled, QPalette::Button));
    p.drawRect(r);
}

MapButtonControl::MapButtonControl(HWND w, RolloutView& view)
    : QPushButton(&view), hwnd_(w), view_(view) {
    setObjectName(QStringLiteral("mapButton"));
    connect(this, &QPushButton::clicked, this, [this] {
        const QString file = QFileDialog::getOpenFileName(this, tr("Choose an image map"),
                                                          QString(), kImageFileFilter);
        if (file.isEmpty()) return;
        const std::wstring path = QFileInfo(file).absoluteFilePath().toStdWString();
        view_.act(hwnd_, [this, path] {
            Texmap* map = EditorSession::newBitmapTexture(path);
            if (!map) return;
            AssignMap(hwnd_, map);
            // A map nothing took is the view's to dispose of.
            if (map->Dependents().empty()) map->DeleteThis();
        });
    });
}

void MapButtonControl::refreshFrom(HWND w) {
    const QString name = toQString(w->Text());
    setToolTip(name);
    setText(
        fontMetrics().elidedText(name, Qt::ElideRight, std::max(width() - kMapButtonPadding, 1)));
}

void MapButtonControl::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    QAction* clear = menu.addAction(tr("Clear map"));
    clear->setEnabled(isEnabled() && hwnd_->Text() != L"None");
    if (menu.exec(event->globalPos()) == clear)
        view_.act(hwnd_, [this] { AssignMap(hwnd_, nullptr); });
}
