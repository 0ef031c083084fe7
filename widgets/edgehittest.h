#pragma once

#include <QPoint>
#include <QRect>

// Which border bands of a rectangle a point lies in; both in global coordinates.
struct EdgeHitTest
{
    bool onEdges = false;
    bool left = false;
    bool right = false;
    bool top = false;
    bool bottom = false;
    bool topLeft = false;
    bool bottomLeft = false;
    bool topRight = false;
    bool bottomRight = false;

    // Bands are borderWidth pixels wide, bounds inclusive; each band is tested on one
    // coordinate only.
    void compute(const QPoint &point, const QRect &rect);
};
