#include "apps/tavro-editor/PreviewView.h"

#include <QPainter>

namespace {

// Space around the image and the height of the status line, in pixels.
constexpr int kMargin = 8;
constexpr int kStatusHeight = 22;

}  // namespace

PreviewView::PreviewView(int side, QWidget* parent) : QWidget(parent), side_(side) {
    setFixedSize(side_ + 2 * kMargin, side_ + 2 * kMargin + kStatusHeight);
    status_ = tr("Rendering…");
}

void PreviewView::setFrame(const QImage& image, int passes, int maxPasses) {
    image_ = image;
    if (passes == 0)
        status_ = tr("Coarse preview");
    else if (passes < maxPasses)
        status_ = tr("Refining: pass %1 of %2").arg(passes).arg(maxPasses);
    else
        status_ = tr("Done: %1 passes").arg(passes);
    update();
}

void PreviewView::setRestarted() {
    status_ = tr("Rendering…");
    update();
}

void PreviewView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect frame(kMargin, kMargin, side_, side_);
    p.fillRect(rect(), palette().color(QPalette::Window));
    p.fillRect(frame, palette().color(QPalette::Base));
    if (!image_.isNull()) p.drawImage(frame, image_);
    p.setPen(palette().color(QPalette::Mid));
    p.drawRect(frame.adjusted(-1, -1, 0, 0));
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(QRect(kMargin, kMargin + side_, side_, kStatusHeight),
               Qt::AlignLeft | Qt::AlignVCenter, status_);
}
