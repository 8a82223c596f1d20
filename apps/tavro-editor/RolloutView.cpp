#include "apps/tavro-editor/RolloutView.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <string>
#include <vector>

#include "DragDrop.h"
#include "apps/tavro-editor/EditorStyle.h"
#include "apps/tavro-editor/RolloutControls.h"

namespace {

QRect toQRect(const RECT& r) {
    return QRect(static_cast<int>(r.left), static_cast<int>(r.top),
                 static_cast<int>(r.right - r.left), static_cast<int>(r.bottom - r.top));
}

std::vector<std::wstring> localFiles(const QMimeData* mime) {
    std::vector<std::wstring> files;
    if (!mime || !mime->hasUrls()) return files;
    for (const QUrl& url : mime->urls())
        if (url.isLocalFile()) files.push_back(url.toLocalFile().toStdWString());
    return files;
}

}  // namespace

RolloutView::RolloutView(HWND rollout, QWidget* parent) : QWidget(parent), rollout_(rollout) {
    setAcceptDrops(true);
    setAutoFillBackground(true);
    applyRolloutFont(*this);
    if (!IsWindow(rollout_)) return;
    setFixedSize(toQRect(rollout_->Rect()).size());
    // Creation order is the platform's Z order from the top for hit tests; for painting the
    // later sibling lies on top, which keeps each control above the group box it sits in.
    for (const auto& child : rollout_->Children()) makeWidget(child.get());
    SetWindowObserver(rollout_, [this](HWND w, WindowChange change) { onWindowChange(w, change); });
}

RolloutView::~RolloutView() {
    if (IsWindow(rollout_)) SetWindowObserver(rollout_, nullptr);
}

QWidget* RolloutView::makeWidget(HWND w) {
    QWidget* widget = makeHostControl(w, *this);
    if (!widget) return nullptr;
    widgets_.emplace(w, widget);
    refresh(w);
    return widget;
}

QWidget* RolloutView::widgetOf(HWND w) const {
    const auto it = widgets_.find(w);
    return it == widgets_.end() ? nullptr : it->second;
}

void RolloutView::refresh(HWND w) {
    QWidget* widget = widgetOf(w);
    if (!widget || !IsWindow(w)) return;
    auto* control = dynamic_cast<HostControl*>(widget);
    // The geometry first: a map button fits its caption to its width.
    const QRect at = toQRect(w->Rect());
    widget->setGeometry(control ? control->placement(at) : at);
    widget->setEnabled(IsWindowEnabled(w));
    widget->setVisible(IsWindowVisible(w));
    if (control) {
        control->refreshFrom(w);
        widget->setGeometry(control->placement(at));  // a new caption may need more room
    }
}

void RolloutView::onWindowChange(HWND w, WindowChange change) {
    switch (change) {
        case WindowChange::Destroying:
            if (w == rollout_) {
                rollout_ = nullptr;
                hide();
            }
            if (QWidget* widget = widgetOf(w)) {
                widgets_.erase(w);
                widget->deleteLater();
            }
            break;
        case WindowChange::Moved:
        case WindowChange::Enabled:
        case WindowChange::Shown:
        case WindowChange::Text:
        case WindowChange::State:
            refresh(w);
            break;
    }
}

void RolloutView::act(HWND w, const std::function<void()>& action) {
    emit aboutToEdit();
    if (IsWindow(w)) action();
    refresh(w);
    emit edited();
}

void RolloutView::dragEnterEvent(QDragEnterEvent* event) {
    if (!localFiles(event->mimeData()).empty()) event->acceptProposedAction();
}

void RolloutView::dragMoveEvent(QDragMoveEvent* event) {
    if (!localFiles(event->mimeData()).empty()) event->acceptProposedAction();
}

void RolloutView::dropEvent(QDropEvent* event) {
    const std::vector<std::wstring> files = localFiles(event->mimeData());
    if (files.empty() || !IsWindow(rollout_)) return;
    // The view's origin is the rollout's client origin, so the point goes over unchanged.
    const QPoint p = event->position().toPoint();
    act(rollout_, [this, p, &files] { DropFiles(rollout_, POINT{p.x(), p.y()}, files); });
    event->acceptProposedAction();
}
