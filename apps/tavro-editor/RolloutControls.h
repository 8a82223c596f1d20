// Qt widgets for the window classes of a rollout: group boxes, labels, check boxes, drop-down
// lists, and the host's edit fields, spinners, colour swatches and map buttons. Each shows
// one host window and sends the user's input back through the rollout view.
#pragma once

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "Window.h"

class RolloutView;

// A widget that shows one host window.
class HostControl {
public:
    virtual ~HostControl() = default;
    // Repaints from the window's text and control state (not its flags or position).
    virtual void refreshFrom(HWND w) = 0;
    // Where the widget goes for a window at `windowRect`.
    virtual QRect placement(const QRect& windowRect) const { return windowRect; }
};

// The widget for window `w` (null for a class the view does not show).
QWidget* makeHostControl(HWND w, RolloutView& view);

class GroupBoxControl : public QGroupBox, public HostControl {
public:
    explicit GroupBoxControl(QWidget* parent);
    void refreshFrom(HWND w) override;
};

class LabelControl : public QLabel, public HostControl {
public:
    explicit LabelControl(HWND w, QWidget* parent);
    void refreshFrom(HWND w) override;
    QRect placement(const QRect& windowRect) const override;
};

class CheckBoxControl : public QCheckBox, public HostControl {
public:
    CheckBoxControl(HWND w, RolloutView& view);
    void refreshFrom(HWND w) override;
};

class ComboControl : public QComboBox, public HostControl {
public:
    ComboControl(HWND w, RolloutView& view);
    void refreshFrom(HWND w) override;
};

// The host's edit field: a spin box without arrows (its spinner stands beside it) that
// shows the value as the host formats it and takes typed values, the wheel and arrow keys.
class EditFieldControl : public QDoubleSpinBox, public HostControl {
public:
    EditFieldControl(HWND w, RolloutView& view);
    void refreshFrom(HWND w) override;
    QString textFromValue(double value) const override;

protected:
    void wheelEvent(QWheelEvent* event) override;
};

// The host's spinner: an up and a down arrow; a click steps once, holding repeats, and
// dragging up or down steps once per few pixels.
class SpinnerControl : public QWidget, public HostControl {
public:
    SpinnerControl(HWND w, RolloutView& view);
    void refreshFrom(HWND) override { update(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void step(int clicks);

    HWND hwnd_;
    RolloutView& view_;
    QTimer repeat_;
    int pressedDirection_ = 0;  // +1 up arrow, -1 down arrow, 0 none
    int dragOriginY_ = 0;
    bool dragged_ = false;
    bool repeated_ = false;
};

class ColorSwatchControl : public QAbstractButton, public HostControl {
public:
    ColorSwatchControl(HWND w, RolloutView& view);
    void refreshFrom(HWND w) override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor color_;
};

// The host's map button: shows the map's name or "None"; a click picks an image file for a
// new bitmap texture, the context menu clears the map.
class MapButtonControl : public QPushButton, public HostControl {
public:
    MapButtonControl(HWND w, RolloutView& view);
    void refreshFrom(HWND w) override;

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    HWND hwnd_;
    RolloutView& view_;
};
