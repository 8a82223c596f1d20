#include "apps/tavro-editor/EditorStyle.h"

#include <QApplication>
#include <QPalette>
#include <QStyleFactory>
#include <QWidget>

namespace {

// The rollout's font: "MS Sans Serif" 8 at 96 dots per inch is 11 pixels high.
constexpr const char* kRolloutFontFamily = "DejaVu Sans";
constexpr int kRolloutFontPixels = 11;

}  // namespace

void applyEditorStyle(QApplication& app) {
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QPalette p;
    const QColor window(68, 68, 68);
    const QColor base(43, 43, 43);
    const QColor text(220, 220, 220);
    const QColor disabledText(125, 125, 125);
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, window);
    p.setColor(QPalette::ToolTipBase, base);
    p.setColor(QPalette::ToolTipText, text);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, QColor(88, 88, 88));
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::BrightText, Qt::white);
    p.setColor(QPalette::Mid, QColor(40, 40, 40));
    p.setColor(QPalette::Highlight, QColor(86, 128, 194));
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::Disabled, QPalette::WindowText, disabledText);
    p.setColor(QPalette::Disabled, QPalette::Text, disabledText);
    p.setColor(QPalette::Disabled, QPalette::ButtonText, disabledText);
    p.setColor(QPalette::Disabled, QPalette::Button, QColor(72, 72, 72));
    app.setPalette(p);
    app.setStyleSheet(QStringLiteral(
        "QLabel#rolloutTitle { background: #5a5a5a; border: 1px solid #2a2a2a;"
        " font-weight: bold; }"
        "QLabel#hint { color: #a0a0a0; }"
        // The host's custom controls are small: little padding, so that captions and values
        // fit the boxes the template gives them.
        "QPushButton#mapButton { background: #5c5c5c; border: 1px solid #2c2c2c;"
        " border-radius: 2px; padding: 0px 2px; }"
        "QPushButton#mapButton:hover { background: #686868; }"
        "QPushButton#mapButton:pressed { background: #505050; }"
        "QPushButton#mapButton:disabled { color: #7d7d7d; background: #4c4c4c; }"
        "QDoubleSpinBox#editField { background: #2b2b2b; border: 1px solid #262626;"
        " padding: 0px 1px; selection-background-color: #5680c2; }"
        "QDoubleSpinBox#editField:focus { border: 1px solid #5680c2; }"
        "QDoubleSpinBox#editField:disabled { color: #7d7d7d; background: #3a3a3a; }"));
}

void applyRolloutFont(QWidget& rollout) {
    // Through a style sheet: under the application's style sheet, fonts set on a parent
    // widget do not reach its children.
    rollout.setStyleSheet(QStringLiteral("* { font-family: \"%1\"; font-size: %2px; }")
                              .arg(QString::fromLatin1(kRolloutFontFamily))
                              .arg(kRolloutFontPixels));
}
