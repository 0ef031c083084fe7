#pragma once

#include <QFont>
#include <QList>
#include <QObject>
#include <QPixmap>

class QLabel;
class QToolButton;

// Glyphs of the compiled-in "iconfont" as transparent pixmaps or label texts.
class IconFont : public QObject
{
    Q_OBJECT
public:
    static IconFont *Instance();

    explicit IconFont(const QString &fontFile = QStringLiteral(":/image/iconfont.ttf"),
                      QObject *parent = nullptr);

    // The glyph drawn in `color` into a transparent width x height pixmap.
    QPixmap glyphPixmap(const QColor &color, QChar glyph, int size = 20, int width = 20,
                        int height = 20, int flags = Qt::AlignCenter);
    // The glyph as the label's text, in the icon font at `size` pixels.
    void setLabelGlyph(QLabel *label, QChar glyph, int size);

    QFont font() const { return iconFont; }

protected:
    // Swaps the icons of registered tool buttons on hover; never consumes the event.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QFont iconFont;
    QList<QToolButton *> m_buttons;
    QList<QPixmap> m_pixNormal;
    QList<QPixmap> m_pixHover;
};
