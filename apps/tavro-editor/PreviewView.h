// The sample preview beside the rollout: the latest frame of the progressive render with a
// line that says how far it has refined.
#pragma once

#include <QImage>
#include <QWidget>

class PreviewView : public QWidget {
public:
    // `side`: the rendered image's edge in pixels.
    PreviewView(int side, QWidget* parent = nullptr);

    // A new frame; `passes` 0 is the coarse pass, `maxPasses` when refinement is done.
    void setFrame(const QImage& image, int passes, int maxPasses);
    // The preview restarted: the old frame stays up, marked as being redrawn.
    void setRestarted();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int side_;
    QImage image_;
    QString status_;
};
