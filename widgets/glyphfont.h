#pragma once

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QString>

// Shared by the two icon-font helpers: loading a glyph font and drawing one glyph.
class GlyphFont
{
public:
    // The font of `family`, adding `resourceFile` to the font database first when the family
    // is not known yet; logs `errorText` when the file yields no family. A default font when
    // the family stays unknown.
    static QFont load(const QString &family, const QString &resourceFile, const char *errorText);

    // One glyph drawn in `color` at `pixelSize` into a transparent width x height pixmap.
    // The pixel size stays on `font`.
    static QPixmap pixmap(QFont &font, const QColor &color, QChar glyph, int pixelSize, int width,
                          int height, int flags);
};
