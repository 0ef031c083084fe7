#include "placeholdertint.h"

#include <QApplication>
#include <QEvent>
#include <QLineEdit>
#include <QPalette>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace {

// Share of the way from the text colour to the background.
constexpr int kTintPercent = 40;

bool showsPlaceholder(const QObject *object)
{
    return qobject_cast<const QLineEdit *>(object) || qobject_cast<const QTextEdit *>(object) ||
           qobject_cast<const QPlainTextEdit *>(object);
}

} // namespace

PlaceholderTint::PlaceholderTint(QObject *parent) : QObject(parent) {}

void PlaceholderTint::install()
{
    if (!qApp || qApp->findChild<PlaceholderTint *>(QString(), Qt::FindDirectChildrenOnly))
        return;
    qApp->installEventFilter(new PlaceholderTint(qApp));
}

QColor PlaceholderTint::tint(const QColor &text, const QColor &base)
{
    auto channel = [](int from, int to) { return from + (to - from) * kTintPercent / 100; };
    return QColor(channel(text.red(), base.red()), channel(text.green(), base.green()),
                  channel(text.blue(), base.blue()));
}

// Only where the placeholder is drawn like typed text: a colour set on purpose stays.
void PlaceholderTint::apply(QWidget *widget)
{
    QPalette palette = widget->palette();
    bool changed = false;
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        const QColor text = palette.color(group, QPalette::Text);
        if (palette.color(group, QPalette::PlaceholderText) != text)
            continue;
        palette.setColor(group, QPalette::PlaceholderText,
                         tint(text, palette.color(group, QPalette::Base)));
        changed = true;
    }
    if (changed)
        widget->setPalette(palette);
}

bool PlaceholderTint::eventFilter(QObject *watched, QEvent *event)
{
    // A sheet sets the palette while it polishes a widget, which sends PaletteChange.
    if ((event->type() == QEvent::PaletteChange || event->type() == QEvent::Polish) &&
        showsPlaceholder(watched))
        apply(static_cast<QWidget *>(watched));
    return QObject::eventFilter(watched, event);
}
