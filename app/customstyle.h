#pragma once

#include <QColor>
#include <QPointer>
#include <QProxyStyle>

#include "widgets/delegatetool.h"

class QTimer;

// The application style: the platform style plus one custom control element, a
// pulsing red glow drawn into a cell.
class CustomStyle : public QProxyStyle
{
    Q_OBJECT

public:
    // The element the table delegate asks for to draw a light point.
    static constexpr ControlElement CE_Glow = DelegateTool::LightPointElement;

    CustomStyle();
    ~CustomStyle() override;

    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget = nullptr) const override;

    // Alpha added to the glow's inner stops by the last paint, 0 to 70.
    int glowOffset() const { return m_alphaOffset; }

public slots:
    // Repaints the widget the glow was last drawn on.
    void updateAll();

private:
    void drawGlow(const QStyleOption *option, QPainter *painter) const;
    void advanceOffset() const;

    const int m_step = 10;
    const QColor m_glowColor = QColor(255, 0, 0, 255);
    QTimer *m_timer;
    mutable int m_alphaOffset = 0;
    mutable bool m_rising = true;
    mutable bool m_painted = false;
    mutable QPointer<QWidget> m_lastWidget;
};
