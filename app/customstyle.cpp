#include "customstyle.h"

#include <QPainter>
#include <QRadialGradient>
#include <QStyleOption>
#include <QTimer>
#include <QWidget>

CustomStyle::CustomStyle() : m_timer(new QTimer(this))
{
    connect(m_timer, &QTimer::timeout, this, &CustomStyle::updateAll);
}

CustomStyle::~CustomStyle() = default;

void CustomStyle::drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                              const QWidget *widget) const
{
    if (element != CE_Glow) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    painter->setRenderHint(QPainter::Antialiasing);
    drawGlow(option, painter);
    m_lastWidget = const_cast<QWidget *>(widget);
    m_painted = true;
}

void CustomStyle::updateAll()
{
    if (m_painted && m_lastWidget)
        m_lastWidget->update();
}

// A triangle wave 10, 20, ... 70, 60, ... 0, 0, 10, ...: one paint is held at 0.
void CustomStyle::advanceOffset() const
{
    if (m_alphaOffset < 70 && m_rising) {
        m_alphaOffset += m_step;
    } else {
        m_rising = false;
        if (m_alphaOffset > 0)
            m_alphaOffset -= m_step;
        else
            m_rising = true;
    }
}

void CustomStyle::drawGlow(const QStyleOption *option, QPainter *painter) const
{
    if (!option)
        return;
    const QRect rect = option->rect;
    const int r = rect.height() / 2;
    const QPointF centre = QRectF(rect).center();

    painter->save();
    // Centred on the cell: callers paint at the cell's place without moving the origin.
    QRadialGradient gradient(centre, r);
    advanceOffset();
    QColor colour = m_glowColor;
    colour.setAlpha(255);
    gradient.setColorAt(0.1, colour);
    colour.setAlpha(m_alphaOffset + 100);
    gradient.setColorAt(0.3, colour);
    colour.setAlpha(m_alphaOffset + 50);
    gradient.setColorAt(0.6, colour);
    colour.setAlpha(0);
    gradient.setColorAt(1.0, colour);
    painter->setBrush(gradient);
    painter->drawEllipse(centre, r, r);
    painter->restore();
}
