// The toolkit's face of a rollout of the host's window layer: one Qt widget per child window,
// placed where the layer placed it (dialog units already mapped to pixels), showing the
// window's text, state, enabled and visible flags. The view holds no state of its own: user
// input goes into the layer through its control actions (WindowControls.h) and drops
// (DragDrop.h), and every widget repaints from its window when the layer reports a change.
#pragma once

#include <QWidget>
#include <functional>
#include <unordered_map>

#include "Window.h"

class RolloutView : public QWidget {
    Q_OBJECT

public:
    explicit RolloutView(HWND rollout, QWidget* parent = nullptr);
    ~RolloutView() override;

    HWND rollout() const { return rollout_; }
    // The widget that shows window `w` (null for none).
    QWidget* widgetOf(HWND w) const;
    // How many windows of the rollout have a widget.
    int itemCount() const { return static_cast<int>(widgets_.size()); }

    // Runs one user action against the layer between aboutToEdit and edited; the widget of
    // `w` is then refreshed whatever the layer made of the action (it refuses actions on
    // disabled controls and values a control cannot take).
    void act(HWND w, const std::function<void()>& action);

signals:
    // Before the layer sees a user action (the preview stops touching the material).
    void aboutToEdit();
    // After the action.
    void edited();

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QWidget* makeWidget(HWND w);
    void refresh(HWND w);
    void onWindowChange(HWND w, WindowChange change);

    HWND rollout_;
    std::unordered_map<HWND, QWidget*> widgets_;
};
