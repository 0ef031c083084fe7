#include "edgehittest.h"

#include "widgets/framelesshelper.h"

void EdgeHitTest::compute(const QPoint &point, const QRect &rect)
{
    const int b = FramelessHelper::borderWidth();
    const int x = rect.x();
    const int y = rect.y();
    const int w = rect.width();
    const int h = rect.height();
    const int px = point.x();
    const int py = point.y();

    left = px >= x && px <= x + b;
    right = px >= x + w - b && px <= x + w;
    top = py >= y && py <= y + b;
    bottom = py >= y + h - b && py <= y + h;

    topLeft = left && top;
    bottomLeft = left && bottom;
    topRight = right && top;
    bottomRight = right && bottom;

    onEdges = left || right || top || bottom;
}
