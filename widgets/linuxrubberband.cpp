#include "linuxrubberband.h"

#include <QPalette>
#include <QPen>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

LinuxRubberBand::LinuxRubberBand(Shape shape, QWidget *parent) : QRubberBand(shape, parent)
{
    QPalette palette;
    palette.setBrush(QPalette::WindowText, QBrush(Qt::lightGray));
    setPalette(palette);
    repaint();
}

LinuxRubberBand::~LinuxRubberBand() = default;

void LinuxRubberBand::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    QPen pen;
    pen.setStyle(Qt::DashLine);
    pen.setWidth(1);
    pen.setColor(QColor(Qt::red));
    painter.setPen(pen);
    painter.drawControl(QStyle::CE_FocusFrame, option);
}
