#include "navbuttons.h"

#include <QColor>
#include <QIcon>
#include <QStackedWidget>

#include "widgets/appearance.h"
#include "widgets/iconfont.h"

namespace NavButtons {

void showPage(QStackedWidget *stack, const QList<QPushButton *> &buttons, QPushButton *chosen)
{
    stack->setCurrentIndex(buttons.indexOf(chosen));
    for (QPushButton *button : buttons)
        button->setChecked(button == chosen);
}

void setSectionGlyphs(const QList<QPushButton *> &buttons, const QVector<ushort> &glyphs)
{
    // Drawn once in the colour of the theme at start; later skins keep these icons.
    const QColor colour(g_textColor);
    for (int i = 0; i < buttons.size(); ++i) {
        const QPixmap glyph = IconFont::Instance()->glyphPixmap(colour, QChar(glyphs.at(i)), 20, 30,
                                                                20, Qt::AlignCenter);
        buttons.at(i)->setIcon(QIcon(glyph));
    }
}

} // namespace NavButtons
