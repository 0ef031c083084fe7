#include "iconhelper.h"

#include <QAbstractButton>
#include <QEvent>
#include <QLabel>
#include <QToolButton>

#include "common/singleinstance.h"
#include "widgets/glyphfont.h"

IconHelper *IconHelper::Instance()
{
    return KitInstance<IconHelper, InstanceRegistry::RankIconHelper>::get();
}

IconHelper::IconHelper(const QString &fontFile, QObject *parent)
    : QObject(parent), iconFont(GlyphFont::load(QStringLiteral("FontAwesome"), fontFile,
                                                "load fontawesome-webfont.ttf error"))
{}

void IconHelper::setButtonGlyph(QAbstractButton *button, QChar glyph, uint size)
{
    iconFont.setPixelSize(int(size));
    button->setFont(iconFont);
    button->setText(glyph);
}

void IconHelper::setLabelGlyph(QLabel *label, QChar glyph, uint size)
{
    iconFont.setPixelSize(int(size));
    label->setFont(iconFont);
    label->setText(glyph);
}

QPixmap IconHelper::glyphPixmap(const QColor &color, QChar glyph, uint size, uint width,
                                uint height, int flags)
{
    return GlyphFont::pixmap(iconFont, color, glyph, int(size), int(width), int(height), flags);
}

bool IconHelper::eventFilter(QObject *watched, QEvent *event)
{
    if (!watched->inherits("QToolButton") || m_buttons.isEmpty())
        return QObject::eventFilter(watched, event);

    const int i = m_buttons.indexOf(static_cast<QToolButton *>(watched));
    if (i < 0)
        return QObject::eventFilter(watched, event);

    QToolButton *button = m_buttons.at(i);
    switch (event->type()) {
    case QEvent::Enter:
        button->setIcon(QIcon(m_pixHover.at(i)));
        break;
    case QEvent::Leave:
        button->setIcon(QIcon(button->isChecked() ? m_pixChecked.at(i) : m_pixNormal.at(i)));
        break;
    case QEvent::MouseButtonPress:
        button->setIcon(QIcon(m_pixPressed.at(i)));
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
