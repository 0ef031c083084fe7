#include "glyphfont.h"

#include <QDebug>
#include <QFontDatabase>
#include <QPainter>

QFont GlyphFont::load(const QString &family, const QString &resourceFile, const char *errorText)
{
    QFontDatabase database;
    if (!database.families().contains(family)) {
        const int id = QFontDatabase::addApplicationFont(resourceFile);
        if (QFontDatabase::applicationFontFamilies(id).isEmpty())
            qDebug("%s", errorText);
    }

    QFont font;
    if (QFontDatabase().families().contains(family)) {
        font = QFont(family);
        font.setHintingPreference(QFont::PreferNoHinting);
    }
    return font;
}

QPixmap GlyphFont::pixmap(QFont &font, const QColor &color, QChar glyph, int pixelSize, int width,
                          int height, int flags)
{
    QPixmap pix(width, height);
    pix.fill(Qt::transparent);

    QPainter painter(&pix);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    painter.setPen(color);
    font.setPixelSize(pixelSize);
    painter.setFont(font);
    painter.drawText(pix.rect(), flags, QString(glyph));
    painter.end();
    return pix;
}
