#pragma once

#include <QColor>

// Relative luminance and contrast ratio as the usual accessibility guidelines define them
// (4.5:1 for text, 3:1 for the edges of controls).
namespace Contrast {
double luminance(const QColor &colour);
double ratio(const QColor &a, const QColor &b);
} // namespace Contrast
