#include "contrast.h"

#include <QtGlobal>

#include <cmath>

namespace Contrast {

double luminance(const QColor &colour)
{
    auto linear = [](int value) {
        const double s = value / 255.0;
        return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.red()) + 0.7152 * linear(colour.green()) +
           0.0722 * linear(colour.blue());
}

double ratio(const QColor &a, const QColor &b)
{
    const double x = luminance(a);
    const double y = luminance(b);
    return (qMax(x, y) + 0.05) / (qMin(x, y) + 0.05);
}

} // namespace Contrast
