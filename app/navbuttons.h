#pragma once

#include <QList>
#include <QPushButton>
#include <QSize>
#include <QStringList>
#include <QVector>

class QStackedWidget;

// What the main window and the section pages do alike with their navigation buttons.
namespace NavButtons {

// Caption, icon size and toggle of each button in list order (a width above 0 is fixed
// too); every click goes to the receiver's slot, which tells the buttons apart by sender().
template <typename Receiver>
void setUp(const QList<QPushButton *> &buttons, const QStringList &captions, QSize iconSize,
           Receiver *receiver, void (Receiver::*slot)(), int fixedWidth = 0)
{
    for (int i = 0; i < buttons.size(); ++i) {
        QPushButton *button = buttons.at(i);
        button->setIconSize(iconSize);
        if (fixedWidth > 0)
            button->setFixedWidth(fixedWidth);
        button->setCheckable(true);
        button->setText(captions.at(i));
        QObject::connect(button, &QPushButton::clicked, receiver, slot);
    }
}

// Shows the page of the chosen button (the stack holds one per button, in list order),
// checks that button and unchecks the others.
void showPage(QStackedWidget *stack, const QList<QPushButton *> &buttons, QPushButton *chosen);

// The section pages' icons: icon-font glyphs in the theme's text colour, 30 x 20.
void setSectionGlyphs(const QList<QPushButton *> &buttons, const QVector<ushort> &glyphs);

} // namespace NavButtons
