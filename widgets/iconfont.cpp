#include "iconfont.h"

#include <QEvent>
#include <QLabel>
#include <QToolButton>

#include "common/singleinstance.h"
#include "widgets/glyphfont.h"

IconFont *IconFont::Instance()
{
    return KitInstance<IconFont, InstanceRegistry::RankIconFont>::get();
}

IconFont::IconFont(const QString &fontFile, QObject *parent)
    : QObject(parent),
      iconFont(GlyphFont::load(QStringLiteral("iconfont"), fontFile, "load iconfont.ttf error"))
{}

QPixmap IconFont::glyphPixmap(const QColor &color, QChar glyph, int size, int width, int height,
                              int flags)
{
    return GlyphFont::pixmap(iconFont, color, glyph, size, width, height, flags);
}

void IconFont::setLabelGlyph(QLabel *label, QChar glyph, int size)
{
    iconFont.setPixelSize(size);
    label->setFont(iconFont);
    label->setText(glyph);
}

bool IconFont::eventFilter(QObject *watched, QEvent *event)
{
    if (!watched->inherits("QToolButton") || m_buttons.isEmpty())
        return QObject::eventFilter(watched, event);

    const int i = m_buttons.indexOf(static_cast<QToolButton *>(watched));
    if (i < 0)
        return QObject::eventFilter(watched, event);

    QToolButton *button = m_buttons.at(i);
    if (event->type() == QEvent::Enter)
        button->setIcon(QIcon(m_pixHover.at(i)));
    else if (event->type() == QEvent::Leave)
        button->setIcon(QIcon(button->isChecked() ? m_pixHover.at(i) : m_pixNormal.at(i)));
    return QObject::eventFilter(watched, event);
}
