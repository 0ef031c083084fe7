#include "lightpoint.h"

#include <QPainter>

#include <algorithm>

LightPoint::LightPoint(QWidget *parent) : QWidget(parent) {}

void LightPoint::setStep(int step)
{
    if (this->step == step)
        return;
    this->step = step;
    update();
}

void LightPoint::setInterval(int interval)
{
    if (this->interval == interval)
        return;
    this->interval = interval;
    update();
}

void LightPoint::setBgColor(QColor bgColor)
{
    if (this->bgColor == bgColor)
        return;
    this->bgColor = bgColor;
    update();
}

void LightPoint::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.translate(width() / 2.0, height() / 2.0);

    const qreal radius = std::min(width(), height()) / 2.0;
    // Real numbers from here on: any step and interval may be set, and sums of them must
    // not overflow.
    const qreal rings = std::max(0, step);
    const qreal gap = std::max(0, interval);
    // The core keeps at least a third of the radius however many rings there are.
    const qreal core = std::max(radius / 3.0, radius - rings * gap);

    // Rings from the outside in, each a little more opaque than the one around it.
    for (int i = 0; i < rings; ++i) {
        const qreal r = radius - i * gap;
        if (r <= core)
            break;
        QColor ring = bgColor;
        ring.setAlphaF(bgColor.alphaF() * (i + 1.0) / (rings + 1.0));
        painter.setBrush(ring);
        painter.drawEllipse(QPointF(0, 0), r, r);
    }
    painter.setBrush(bgColor);
    painter.drawEllipse(QPointF(0, 0), core, core);
}
