#pragma once

#include <QFont>
#include <QList>
#include <QObject>
#include <QPixmap>

class QAbstractButton;
class QLabel;
class QToolButton;

// Glyphs of the "FontAwesome" icon font as button and label texts or as transparent pixmaps.
class IconHelper : public QObject
{
    Q_OBJECT
public:
    static IconHelper *Instance();

    explicit IconHelper(const QString &fontFile = QStringLiteral(":/image/fontawesome-webfont.ttf"),
                        QObject *parent = nullptr);

    // The glyph as the button's or label's text, in the icon font at `size` pixels.
    void setButtonGlyph(QAbstractButton *button, QChar glyph, uint size = 12);
    void setLabelGlyph(QLabel *label, QChar glyph, uint size = 12);

    // The glyph drawn in `color` into a transparent width x height pixmap.
    QPixmap glyphPixmap(const QColor &color, QChar glyph, uint size = 20, uint width = 20,
                        uint height = 20, int flags = Qt::AlignCenter);

    QFont font() const { return iconFont; }

protected:
    // Swaps the icons of registered tool buttons; never consumes the event.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QFont iconFont;
    QList<QToolButton *> m_buttons;
    QList<QPixmap> m_pixNormal;
    QList<QPixmap> m_pixHover;
    QList<QPixmap> m_pixPressed;
    QList<QPixmap> m_pixChecked;
};
